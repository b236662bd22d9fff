#include "util/Decimal.h"
#include "util/FormatSize.h"
#include "util/ParseHex.h"
#include "util/SplitFields.h"

#include <gtest/gtest.h>

#include <cmath>

using Fields = std::vector<std::string>;

TEST(FormatSize, UnitBoundariesAndRounding)
{
    EXPECT_EQ(FormatSize(1023, 0), "1023 Byte");
    EXPECT_EQ(FormatSize(0, 1), "0.0 Byte");
    EXPECT_EQ(FormatSize(1024, 0), "1 KB");
    EXPECT_EQ(FormatSize(1536, 1), "1.5 KB");
    EXPECT_EQ(FormatSize(1048575, 1), "1024.0 KB"); // quotient below 1024 keeps KB
    EXPECT_EQ(FormatSize(8013264896.0, 0), "7 GB");
    EXPECT_EQ(FormatSize(2048.0 * std::pow(1024.0, 4), 0), "2048 TB");
    EXPECT_EQ(FormatSize(3.4 * 1024 * 1024, 2), "3 MB"); // any precision but 1 means none
}

TEST(ParseHex, LowerCaseDigitsFromTheRight)
{
    EXPECT_EQ(ParseHex("0x1f"), 31u);
    EXPECT_EQ(ParseHex("1f"), 31u);
    EXPECT_EQ(ParseHex("1F"), 0u);
    EXPECT_EQ(ParseHex("0x"), 0u);
    EXPECT_EQ(ParseHex(""), 0u);
    EXPECT_EQ(ParseHex("ax10"), 16u);
    EXPECT_EQ(ParseHex("0x20000000"), 536870912u);
    EXPECT_EQ(ParseHex("ffffffff"), 0xffffffffu);
    EXPECT_EQ(ParseHex("1 "), 0u);
    EXPECT_EQ(ParseHex16("12345"), 0x2345u);
    EXPECT_EQ(ParseHex16("0x00c0"), 0x00c0u);
    EXPECT_EQ(ParseHex16("00C0"), 0u);
}

TEST(ParseHex, OverlongInputNeitherOverflowsNorCrashes)
{
    EXPECT_EQ(ParseHex("123456789abcdef0123"), 0xcdef0123u);
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
    EXPECT_EQ(ParseDecimal("700256"), 700256);
    EXPECT_EQ(ParseDecimal("  42abc"), 42);
    EXPECT_EQ(ParseDecimal("-7"), -7);
    EXPECT_EQ(ParseDecimal("abc"), 0);
    EXPECT_EQ(ParseDecimal(""), 0);
    EXPECT_EQ(ParseDecimal("99999999999999999999999"), 2147483647);
    EXPECT_EQ(ParseDecimal("-99999999999999999999999"), -2147483647 - 1);
    EXPECT_EQ(ParseDecimal64("8013264896"), 8013264896LL);
}
