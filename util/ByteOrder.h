#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

// Little-endian fields at fixed offsets. Offsets are checked by the span's bounds in debug
// builds of the caller; every caller passes constants that fit its record.
namespace le {

inline std::uint8_t U8(std::span<const std::uint8_t> b, std::size_t off) { return b[off]; }

inline std::uint16_t U16(std::span<const std::uint8_t> b, std::size_t off)
{
    return static_cast<std::uint16_t>(b[off] | (b[off + 1] << 8));
}

inline std::uint32_t U32(std::span<const std::uint8_t> b, std::size_t off)
{
    return static_cast<std::uint32_t>(b[off]) | (static_cast<std::uint32_t>(b[off + 1]) << 8) |
           (static_cast<std::uint32_t>(b[off + 2]) << 16) |
           (static_cast<std::uint32_t>(b[off + 3]) << 24);
}

inline std::int32_t I32(std::span<const std::uint8_t> b, std::size_t off)
{
    return static_cast<std::int32_t>(U32(b, off));
}

inline void SetU8(std::span<std::uint8_t> b, std::size_t off, std::uint8_t v) { b[off] = v; }

inline void SetU16(std::span<std::uint8_t> b, std::size_t off, std::uint16_t v)
{
    b[off] = static_cast<std::uint8_t>(v);
    b[off + 1] = static_cast<std::uint8_t>(v >> 8);
}

inline void SetU32(std::span<std::uint8_t> b, std::size_t off, std::uint32_t v)
{
    b[off] = static_cast<std::uint8_t>(v);
    b[off + 1] = static_cast<std::uint8_t>(v >> 8);
    b[off + 2] = static_cast<std::uint8_t>(v >> 16);
    b[off + 3] = static_cast<std::uint8_t>(v >> 24);
}

inline void SetI32(std::span<std::uint8_t> b, std::size_t off, std::int32_t v)
{
    SetU32(b, off, static_cast<std::uint32_t>(v));
}

} // namespace le
