#include "util/Decimal.h"
#include "util/FormatSize.h"
#include "util/ParseHex.h"
#include "util/SplitFields.h"

#include <gtest/gtest.h>

#include <cmath>

using Fields = std::vector<std::string>;

TEST(FormatSize, UnitBoundariesAndRounding)
{
    const struct { double bytes; int precision; const char* text; } cases[] = {
        {1023, 0, "1023 Byte"}, {0, 1, "0.0 Byte"}, {1024, 0, "1 KB"}, {1536, 1, "1.5 KB"},
        {1048575, 1, "1024.0 KB"}, // quotient below 1024 keeps KB
        {8013264896.0, 0, "7 GB"}, {2048.0 * std::pow(1024.0, 4), 0, "2048 TB"},
        {3.4 * 1024 * 1024, 2, "3 MB"}, // any precision but 1 means none
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatSize(c.bytes, c.precision), c.text) << c.bytes;
}

// Lower-case digits from the right up to the first other character; overlong input keeps its
// last eight digits instead of overflowing. The 16-bit form is checked through the channel report.
TEST(ParseHex, LowerCaseDigitsFromTheRight)
{
    const std::pair<const char*, std::uint32_t> cases[] = {
        {"0x1f", 31},       {"1f", 31},         {"1F", 0},          {"0x", 0},
        {"", 0},            {"ax10", 16},       {"0x20000000", 536870912}, {"ffffffff", 0xffffffff},
        {"1 ", 0},          {"123456789abcdef0123", 0xcdef0123},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(ParseHex(text), value) << text;
}

TEST(SplitFields, KeepsEmptyFieldsAndTheRest)
{
    EXPECT_EQ(SplitFields("a|b|c", "|"), (Fields{"a", "b", "c"}));
    EXPECT_EQ(SplitFields("|a||", "|"), (Fields{"", "a", "", ""}));
    EXPECT_EQ(SplitFields("plain", "|"), (Fields{"plain"}));
    EXPECT_EQ(SplitFields("", ":"), (Fields{""}));
    EXPECT_EQ(SplitFields("x--y--", "--"), (Fields{"x", "y", ""}));
}

TEST(ParseDecimal, ReadsLikeAtoiWithoutOverflow)
{
    const std::pair<const char*, int> cases[] = {
        {"700256", 700256}, {"  42abc", 42}, {"-7", -7}, {"abc", 0}, {"", 0},
        {"99999999999999999999999", 2147483647}, {"-99999999999999999999999", -2147483647 - 1},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(ParseDecimal(text), value) << text;
    EXPECT_EQ(ParseDecimal64("8013264896"), 8013264896LL);
}
