#pragma once

#include <cstdint>
#include <string_view>

// Reads lower-case hexadecimal as the box writes it: from the right end leftwards, stopping at
// an 'x' (so "0x" prefixes pass); any other non-digit makes the whole value 0.
std::uint32_t ParseHex(std::string_view text);
std::uint16_t ParseHex16(std::string_view text);
