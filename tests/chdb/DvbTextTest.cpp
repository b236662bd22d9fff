#include "chdb/DvbText.h"

#include <gtest/gtest.h>

TEST(DecodeDvbText, DefaultTableIsLatinWithDiacriticsBeforeTheLetter)
{
    EXPECT_EQ(DecodeDvbText("ZDF HD"), "ZDF HD");
    EXPECT_EQ(DecodeDvbText("Caf\xC2"
                            "e"),
              "Cafe\xCC\x81"); // e + combining acute
    EXPECT_EQ(DecodeDvbText("\xA4 5"), "\xE2\x82\xAC 5");
    EXPECT_EQ(DecodeDvbText("A\x86"
                            "B\x87"
                            "C"),
              "ABC"); // emphasis codes are not shown
    EXPECT_EQ(DecodeDvbText(""), "");
}

TEST(DecodeDvbText, SelectorPicksTheTable)
{
    EXPECT_EQ(DecodeDvbText("\x05T\xDCRK"), "T\xC3\x9CRK");            // ISO 8859-9
    EXPECT_EQ(DecodeDvbText("\x01\xBF\xD5\xE0\xD2\xEB\xD9"), "\xD0\x9F\xD0\xB5\xD1\x80\xD0\xB2\xD1\x8B\xD0\xB9"); // 8859-5
    EXPECT_EQ(DecodeDvbText(std::string("\x10\x00\x02\xA3", 4)), "\xC5\x81"); // 8859-2
    EXPECT_EQ(DecodeDvbText("\x15\xC3\xA9t\xC3\xA9"), "\xC3\xA9t\xC3\xA9");   // UTF-8
    EXPECT_EQ(DecodeDvbText(std::string("\x11\x00\x41\x04\x10", 5)), "A\xD0\x90"); // UCS-2
}

TEST(DecodeDvbText, BrokenBytesBecomeReplacementCharacters)
{
    EXPECT_EQ(DecodeDvbText("\x15\xFF"
                            "ok"),
              "\xEF\xBF\xBD"
              "ok");
    EXPECT_EQ(DecodeDvbText(std::string("\x11\x00", 2)), "\xEF\xBF\xBD"); // half a character
    EXPECT_EQ(DecodeDvbText("\x10\x00"), "");
}

// The system converter let these through as text: the output was no longer UTF-8.
TEST(DecodeDvbText, Utf8BeyondUnicodeOrSurrogatesIsReplaced)
{
    const std::string r = "\xEF\xBF\xBD";
    EXPECT_EQ(DecodeDvbText("\x15\xF4\x90\x80\x80!"), r + r + r + r + "!"); // U+110000
    EXPECT_EQ(DecodeDvbText("\x15\xED\xA0\x80"), r + r + r);                 // U+D800
    EXPECT_EQ(DecodeDvbText("\x15\xC0\xAF\xF0\x9F\x98\x80"), r + r + "\xF0\x9F\x98\x80");
}

TEST(DecodeDvbText, Ucs2LoneSurrogateDoesNotShiftTheRest)
{
    EXPECT_EQ(DecodeDvbText(std::string("\x11\xD8\x00\x00\x41\x00\x42", 7)), "\xEF\xBF\xBD" "AB");
}
