#include "filebrowser/ui/DisplayName.h"

namespace {

// The length of the valid UTF-8 sequence at the start of `s` and its code point, or 0.
std::size_t DecodeOne(std::string_view s, char32_t& codePoint)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    }
    std::size_t length = 0;
    // The second byte's range rules out overlong forms, surrogates and code points past U+10FFFF.
    unsigned char low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0F;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (s.size() < length)
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        const unsigned char next = byte(i);
        if (next < (i == 1 ? low : 0x80) || next > (i == 1 ? high : 0xBF))
            return 0;
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    return length;
}

bool IsControl(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c < 0xA0);
}

void AppendEscaped(QString& text, std::string_view bytes)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    for (const char b : bytes) {
        const auto value = static_cast<unsigned char>(b);
        text += QLatin1String("\\x");
        text += QLatin1Char(kHex[value >> 4]);
        text += QLatin1Char(kHex[value & 0xF]);
    }
}

void AppendCodePoint(QString& text, char32_t codePoint)
{
    if (QChar::requiresSurrogates(codePoint)) {
        text += QChar(QChar::highSurrogate(codePoint));
        text += QChar(QChar::lowSurrogate(codePoint));
    } else {
        text += QChar(static_cast<char16_t>(codePoint));
    }
}

} // namespace

QString DisplayName(std::string_view name)
{
    QString text;
    text.reserve(static_cast<qsizetype>(name.size()));
    while (!name.empty()) {
        char32_t codePoint = 0;
        std::size_t length = DecodeOne(name, codePoint);
        if (length == 0) {
            AppendEscaped(text, name.substr(0, 1));
            length = 1;
        } else if (IsControl(codePoint)) {
            AppendEscaped(text, name.substr(0, length));
        } else {
            AppendCodePoint(text, codePoint);
        }
        name.remove_prefix(length);
    }
    return text;
}
