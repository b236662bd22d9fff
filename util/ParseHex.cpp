#include "util/ParseHex.h"

namespace {

int DigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace

std::uint32_t ParseHex(std::string_view text)
{
    std::uint32_t sum = 0;
    unsigned shift = 0;
    for (auto it = text.rbegin(); it != text.rend(); ++it) {
        if (*it == 'x')
            break;
        const int digit = DigitValue(*it);
        if (digit < 0)
            return 0;
        // Digits beyond the eighth would shift out of 32 bits; they carry no value here.
        if (shift < 32)
            sum += static_cast<std::uint32_t>(digit) << shift;
        shift += 4;
    }
    return sum;
}

std::uint16_t ParseHex16(std::string_view text)
{
    return static_cast<std::uint16_t>(ParseHex(text) & 0xFFFFu);
}
