#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <span>

// The 45-byte ICMP echo request the box is pinged with: type 8, code 0, checksum, identifier,
// sequence number, a zero byte, the send time in milliseconds and the filler bytes 32..63.
// Multi-byte fields are little-endian.
inline constexpr std::size_t kEchoRequestSize = 45;
inline constexpr std::size_t kEchoTimeOffset = 9;
using EchoRequest = std::array<std::uint8_t, kEchoRequestSize>;

EchoRequest BuildEchoRequest(std::uint16_t identifier, std::uint16_t sequence,
                             std::uint32_t sendTime);

// The Internet checksum: 16-bit little-endian words (an odd last byte as the low byte),
// carries folded twice, one's complement.
std::uint16_t InternetChecksum(std::span<const std::uint8_t> bytes);

// Identifier and sequence number advance together, so one counter serves both; each call
// hands out a value no other call gets (until the 16 bits wrap).
class EchoCounter final {
public:
    struct Ids {
        std::uint16_t identifier;
        std::uint16_t sequence;
    };
    Ids Next();

private:
    std::atomic<std::uint32_t> next_{1};
};

// The one counter of the process.
EchoCounter& ProcessEchoCounter();

// The millisecond tick count the send time is taken from (monotonic, wraps at 32 bits).
std::uint32_t TickCountMs();
