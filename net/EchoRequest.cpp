#include "net/EchoRequest.h"

#include "util/ByteOrder.h"

#include <time.h>

namespace {

constexpr std::size_t kChecksumOffset = 2;
constexpr std::size_t kFillerOffset = 13;
constexpr std::uint8_t kFirstFiller = 32;

} // namespace

EchoRequest BuildEchoRequest(std::uint16_t identifier, std::uint16_t sequence,
                             std::uint32_t sendTime)
{
    EchoRequest packet{};
    packet[0] = 8;
    packet[1] = 0;
    le::SetU16(packet, 4, identifier);
    le::SetU16(packet, 6, sequence);
    packet[8] = 0;
    le::SetU32(packet, kEchoTimeOffset, sendTime);
    for (std::size_t i = kFillerOffset; i < kEchoRequestSize; ++i)
        packet[i] = static_cast<std::uint8_t>(kFirstFiller + (i - kFillerOffset));
    le::SetU16(packet, kChecksumOffset, InternetChecksum(packet));
    return packet;
}

std::uint16_t InternetChecksum(std::span<const std::uint8_t> bytes)
{
    std::uint32_t sum = 0;
    std::size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2)
        sum += le::U16(bytes, i);
    if (i < bytes.size())
        sum += bytes[i];
    sum = (sum & 0xFFFF) + (sum >> 16);
    sum = (sum & 0xFFFF) + (sum >> 16);
    return static_cast<std::uint16_t>(~sum);
}

EchoCounter::Ids EchoCounter::Next()
{
    const auto value = static_cast<std::uint16_t>(next_.fetch_add(1, std::memory_order_relaxed));
    return {value, value};
}

EchoCounter& ProcessEchoCounter()
{
    static EchoCounter counter;
    return counter;
}

std::uint32_t TickCountMs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(now.tv_sec) * 1000u +
                                      static_cast<std::uint64_t>(now.tv_nsec) / 1000000u);
}
