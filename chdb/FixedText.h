#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// Text fields of fixed size, NUL-terminated within the field. A field without a NUL (a
// broken or hostile file) is read up to its end, never beyond.
std::string ReadFixedText(std::span<const std::uint8_t> field);
// Writes at most size - 1 bytes and fills the rest of the field with NUL.
void WriteFixedText(std::span<std::uint8_t> field, std::string_view text);
