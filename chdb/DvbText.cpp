#include "chdb/DvbText.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>

namespace {

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

constexpr char32_t kReplacement = 0xFFFD;

// Upper half of the default table (ISO/IEC 6937 with the euro sign); 0 = not assigned.
// 0xC1..0xCF are non-spacing diacritics that precede their letter.
constexpr std::array<char32_t, 96> kLatinUpper = {
    0x00A0, 0x00A1, 0x00A2, 0x00A3, 0x20AC, 0x00A5, 0,      0x00A7, // A0
    0x00A4, 0x2018, 0x201C, 0x00AB, 0x2190, 0x2191, 0x2192, 0x2193, // A8
    0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x00D7, 0x00B5, 0x00B6, 0x00B7, // B0
    0x00F7, 0x2019, 0x201D, 0x00BB, 0x00BC, 0x00BD, 0x00BE, 0x00BF, // B8
    0,      0x0300, 0x0301, 0x0302, 0x0303, 0x0304, 0x0306, 0x0307, // C0
    0x0308, 0,      0x030A, 0x0327, 0,      0x030B, 0x0328, 0x030C, // C8
    0x2015, 0x00B9, 0x00AE, 0x00A9, 0x2122, 0x266A, 0x00AC, 0x00A6, // D0
    0,      0,      0,      0,      0x215B, 0x215C, 0x215D, 0x215E, // D8
    0x2126, 0x00C6, 0x0110, 0x00AA, 0x0126, 0,      0x0132, 0x013F, // E0
    0x0141, 0x00D8, 0x0152, 0x00BA, 0x00DE, 0x0166, 0x014A, 0x0149, // E8
    0x0138, 0x00E6, 0x0111, 0x00F0, 0x0127, 0x0131, 0x0133, 0x0140, // F0
    0x0142, 0x00F8, 0x0153, 0x00DF, 0x00FE, 0x0167, 0x014B, 0x00AD, // F8
};

// Emphasis on/off and the other C1 codes carry no visible text; CR/LF becomes a blank so
// that names stay on one line.
bool AppendControl(std::string& out, unsigned char byte)
{
    if (byte < 0x20 || byte == 0x7F || (byte >= 0x80 && byte <= 0x9F)) {
        if (byte == 0x8A || byte == '\n')
            out += ' ';
        return true;
    }
    return false;
}

std::string DecodeLatin(std::string_view bytes)
{
    std::string out;
    char32_t pendingMark = 0;
    for (char ch : bytes) {
        const auto byte = static_cast<unsigned char>(ch);
        if (AppendControl(out, byte))
            continue;
        char32_t c = byte < 0x80 ? char32_t(byte) : kLatinUpper[static_cast<std::size_t>(byte - 0xA0)];
        if (byte >= 0x80 && c == 0)
            c = kReplacement;
        if (c >= 0x0300 && c <= 0x036F) {
            pendingMark = c; // applies to the next letter
            continue;
        }
        AppendUtf8(out, c);
        if (pendingMark) {
            AppendUtf8(out, pendingMark);
            pendingMark = 0;
        }
    }
    return out;
}

// iconv descriptors are costly to open; a grid fill decodes thousands of names.
struct IconvCloser {
    void operator()(void* cd) const { iconv_close(static_cast<iconv_t>(cd)); }
};

iconv_t Converter(const std::string& to, const std::string& from)
{
    thread_local std::map<std::string, std::unique_ptr<void, IconvCloser>> cache;
    const std::string key = to + "<" + from;
    auto found = cache.find(key);
    if (found == cache.end()) {
        iconv_t cd = iconv_open(to.c_str(), from.c_str());
        if (cd == reinterpret_cast<iconv_t>(-1))
            return cd;
        found = cache.emplace(key, std::unique_ptr<void, IconvCloser>(cd)).first;
    }
    iconv(static_cast<iconv_t>(found->second.get()), nullptr, nullptr, nullptr, nullptr);
    return static_cast<iconv_t>(found->second.get());
}

// The system converter passes code points above U+10FFFF and encoded surrogates through as
// if they were text, so UTF-8 is checked here: each byte that does not belong to a
// well-formed sequence becomes one replacement character. NULs are dropped.
std::string DecodeUtf8(std::string_view bytes)
{
    std::string out;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead >= 0xC2 && lead <= 0xDF ? 2
                                   : lead >= 0xE0 && lead <= 0xEF                 ? 3
                                   : lead >= 0xF0 && lead <= 0xF4                 ? 4
                                                                                  : 0;
        bool wellFormed = length > 0 && i + length <= bytes.size();
        char32_t c = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; wellFormed && k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            wellFormed = (next & 0xC0) == 0x80;
            c = (c << 6) | (next & 0x3F);
        }
        const char32_t smallest = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
        wellFormed = wellFormed && (length == 1 || c >= smallest) && c <= 0x10FFFF &&
                     !(c >= 0xD800 && c <= 0xDFFF);
        if (!wellFormed) {
            AppendUtf8(out, kReplacement);
            ++i;
            continue;
        }
        if (c != 0)
            out.append(bytes.substr(i, length));
        i += length;
    }
    return out;
}

std::string DecodeWith(const std::string& charset, std::string_view bytes, bool dropControls)
{
    std::string input;
    for (char ch : bytes) {
        const auto byte = static_cast<unsigned char>(ch);
        if (dropControls && (byte < 0x20 || (byte >= 0x80 && byte <= 0x9F))) {
            if (byte == 0x8A)
                input += ' ';
            continue;
        }
        input += ch;
    }
    iconv_t cd = Converter("UTF-8", charset);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return DecodeLatin(bytes);

    const std::size_t codeUnit = charset == "UCS-2BE" ? 2 : 1;
    std::string out;
    char* in = input.data();
    std::size_t inLeft = input.size();
    char buffer[256];
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t r = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        if (r == static_cast<std::size_t>(-1)) {
            if (errno == E2BIG)
                continue;
            // An invalid or cut-off sequence: show one replacement and go on after it, by a
            // whole code unit where the table has two-byte units, so the rest stays aligned.
            AppendUtf8(out, kReplacement);
            const std::size_t skip = std::min(inLeft, codeUnit);
            in += skip;
            inLeft -= skip;
        }
    }
    // Drop NULs that a two-byte table may produce and any controls it maps to.
    std::string clean;
    for (char ch : out)
        if (ch != '\0')
            clean += ch;
    return clean;
}

std::string Iso8859(int part) { return "ISO-8859-" + std::to_string(part); }

// Broken UTF-8 and control characters give nothing: neither belongs in a name.
std::optional<std::u32string> CodePoints(std::string_view utf8)
{
    std::u32string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        int extra = -1;
        if (lead < 0x80)
            extra = 0;
        else if (lead >= 0xC2 && lead < 0xE0)
            extra = 1;
        else if (lead >= 0xE0 && lead < 0xF0)
            extra = 2;
        else if (lead >= 0xF0 && lead < 0xF5)
            extra = 3;
        if (extra < 0 || i + static_cast<std::size_t>(extra) >= utf8.size())
            return std::nullopt;
        char32_t c = extra == 0 ? lead : lead & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]);
            if ((next & 0xC0) != 0x80)
                return std::nullopt;
            c = (c << 6) | (next & 0x3F);
        }
        if (c < 0x20 || c == 0x7F || (c >= 0x80 && c <= 0x9F))
            return std::nullopt;
        out += c;
        i += static_cast<std::size_t>(extra) + 1;
    }
    return out;
}

bool IsCombining(char32_t c) { return c >= 0x0300 && c <= 0x036F; }

std::optional<char> LatinByte(char32_t c)
{
    if (c < 0x80)
        return static_cast<char>(c);
    if (c == 0x03A9)
        c = 0x2126; // decomposing turns the ohm sign into omega
    for (std::size_t k = 0; k < kLatinUpper.size(); ++k)
        if (kLatinUpper[k] == c)
            return static_cast<char>(0xA0 + k);
    return std::nullopt;
}

std::optional<std::string> EncodeLatin(const std::u32string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsCombining(text[i]))
            return std::nullopt; // a mark without a letter, or a second mark
        const auto letter = LatinByte(text[i]);
        if (!letter)
            return std::nullopt;
        // The table puts the mark before its letter.
        if (i + 1 < text.size() && IsCombining(text[i + 1])) {
            const auto mark = LatinByte(text[++i]);
            if (!mark)
                return std::nullopt;
            out += *mark;
        }
        out += *letter;
    }
    return out;
}

std::optional<std::string> EncodeWith(const std::string& charset, std::string_view utf8)
{
    iconv_t cd = Converter(charset, "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    std::string input(utf8);
    std::string out;
    char* in = input.data();
    std::size_t inLeft = input.size();
    char buffer[256];
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t r = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        if (r == static_cast<std::size_t>(-1) && errno != E2BIG)
            return std::nullopt;
    }
    // A NUL would end the stored name early.
    if (out.find('\0') != std::string::npos)
        return std::nullopt;
    return out;
}

} // namespace

std::string DecodeDvbText(std::string_view bytes)
{
    if (bytes.empty())
        return {};
    const auto selector = static_cast<unsigned char>(bytes[0]);
    if (selector >= 0x20)
        return DecodeLatin(bytes);
    std::string_view rest = bytes.substr(1);
    switch (selector) {
    case 0x01: case 0x02: case 0x03: case 0x04: case 0x05:
    case 0x06: case 0x07: case 0x09: case 0x0A: case 0x0B:
        return DecodeWith(Iso8859(selector + 4), rest, true);
    case 0x10: {
        if (rest.size() < 2)
            return {};
        const int part = static_cast<unsigned char>(rest[1]);
        rest = rest.substr(2);
        if (part >= 1 && part <= 15 && part != 12)
            return DecodeWith(Iso8859(part), rest, true);
        return DecodeLatin(rest);
    }
    case 0x11:
        return DecodeWith("UCS-2BE", rest, false);
    case 0x12:
        return DecodeWith("EUC-KR", rest, false);
    case 0x13:
        return DecodeWith("GB2312", rest, false);
    case 0x14:
        return DecodeWith("BIG5", rest, false);
    case 0x15:
        return DecodeUtf8(rest);
    default:
        // Reserved selectors: the text is shown with the default table.
        return DecodeLatin(rest);
    }
}

std::optional<std::string> EncodeDvbText(std::string_view utf8, std::uint8_t selector)
{
    const auto text = CodePoints(utf8);
    if (!text)
        return std::nullopt;
    switch (selector) {
    case 0x01: case 0x02: case 0x03: case 0x04: case 0x05:
    case 0x06: case 0x07: case 0x09: case 0x0A: case 0x0B:
        return EncodeWith(Iso8859(selector + 4), utf8);
    case 0x11:
        return EncodeWith("UCS-2BE", utf8);
    case 0x12:
        return EncodeWith("EUC-KR", utf8);
    case 0x13:
        return EncodeWith("GB2312", utf8);
    case 0x14:
        return EncodeWith("BIG5", utf8);
    case 0x15:
        return std::string(utf8);
    default:
        // The default table, and the selectors whose text is shown with it.
        return EncodeLatin(*text);
    }
}
