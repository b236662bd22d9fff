#include "chdb/DvbText.h"

#include <gtest/gtest.h>

#include <optional>

// Typed text goes into the names table and reads back the same.
TEST(EncodeDvbText, WritesTypedTextInTheNamesTableAndReadsItBack)
{
    const struct {
        const char* utf8;
        std::uint8_t selector;
        std::optional<std::string> bytes;
    } cases[] = {
        {"ZDF HD", 0, "ZDF HD"},
        {"Cafe\xCC\x81", 0, "Caf\xC2" "e"}, // the mark goes before its letter
        {"\xE2\x82\xAC 5", 0, "\xA4 5"},    // euro
        {"\xCC\x81", 0, std::nullopt},      // a mark alone
        {"\xD0\x9F", 0, std::nullopt},      // Cyrillic is not in the default table
        {"T\xC3\x9CRK", 0x05, "T\xDCRK"},   // ISO 8859-9
        {"\xD0\x9F\xD0\xB5", 0x01, "\xBF\xD5"},
        {"\xD0\x9F", 0x05, std::nullopt},
        {"\xC3\xA9t\xC3\xA9", 0x15, "\xC3\xA9t\xC3\xA9"},
        {"a\tb", 0x15, std::nullopt}, // no control characters
        {"\xC3", 0x15, std::nullopt}, // broken UTF-8
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EncodeDvbText(c.utf8, c.selector), c.bytes) << c.utf8;
        const std::string selector = c.selector ? std::string(1, char(c.selector)) : "";
        EXPECT_EQ(c.bytes ? DecodeDvbText(selector + *c.bytes) : c.utf8, c.utf8);
    }
}

// What typed text never produces: emphasis codes, the other tables, broken bytes.
TEST(DecodeDvbText, SelectorsAndBrokenBytes)
{
    const std::string r = "\xEF\xBF\xBD";
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"A\x86" "B\x87" "C", "ABC"}, // emphasis codes are not shown
        {std::string("\x10\x00\x02\xA3", 4), "\xC5\x81"},          // ISO 8859-2
        {std::string("\x11\x00\x41\x04\x10", 5), "A\xD0\x90"},     // UCS-2
        {"\x15\xFF" "ok", r + "ok"},
        {std::string("\x11\x00", 2), r}, // half a character
        {"\x10\x00", ""},
    };
    for (const auto& [bytes, utf8] : cases)
        EXPECT_EQ(DecodeDvbText(bytes), utf8) << bytes;
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
