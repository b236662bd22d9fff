#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace fuzz {

// Lays the fuzz input over a real image as patches, so that small inputs reach the counts,
// records and lists deep inside a megabyte: each patch is a 3-byte little-endian offset
// (taken modulo the image size), a length byte, then that many bytes (cut at the image's
// end and at the input's end).
void ApplyPatches(std::span<std::uint8_t> image, const std::uint8_t* data, std::size_t size);

} // namespace fuzz
