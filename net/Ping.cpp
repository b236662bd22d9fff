#include "net/Ping.h"

#include "net/EchoRequest.h"
#include "util/ByteOrder.h"

#include <arpa/inet.h>
#include <netdb.h>

#include <array>
#include <cstdio>

namespace {

constexpr std::size_t kReceiveSize = 321;
constexpr std::size_t kIpHeaderSize = 20;
constexpr std::size_t kIpTtlOffset = 8;
constexpr int kReportedBytes = 32;

} // namespace

std::optional<in_addr> ResolveHost(const std::string& host)
{
    in_addr address{};
    if (inet_aton(host.c_str(), &address) != 0)
        return address;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    addrinfo* found = nullptr;
    if (host.empty() || getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || !found)
        return std::nullopt;
    address = reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr;
    freeaddrinfo(found);
    return address;
}

void CPing::Ping(const std::string& address)
{
    reply_ = 0;
    std::optional<IcmpSocket> socket = IcmpSocket::Open(options_.socketMode);
    if (!socket)
        return;
    const std::optional<in_addr> target = options_.resolve(address);
    if (!target) {
        result_ = "Host not found: " + address;
        return;
    }

    const EchoCounter::Ids ids = ProcessEchoCounter().Next();
    const EchoRequest request = BuildEchoRequest(ids.identifier, ids.sequence, TickCountMs());
    socket->BindIdentifier(&request[4]);
    // A failed send is no reason to stop: the wait below decides.
    socket->SendTo(request.data(), request.size(), *target);

    switch (socket->WaitReadable(options_.wait)) {
    case IcmpSocket::Wait::Failed:
        return;
    case IcmpSocket::Wait::TimedOut:
        result_ = "Request Timed Out";
        return;
    case IcmpSocket::Wait::Readable:
        break;
    }

    // Zero-filled, so that a short or failed receive reads zeros rather than stale bytes.
    std::array<std::uint8_t, kReceiveSize> answer{};
    const IcmpSocket::Received got = socket->Receive(answer.data(), answer.size());
    const std::size_t icmpOffset = socket->deliversIpHeader() ? kIpHeaderSize : 0;
    const int ttl = socket->deliversIpHeader() ? answer[kIpTtlOffset] : got.ttl.value_or(0);
    const std::uint32_t echoed = le::U32(answer, icmpOffset + kEchoTimeOffset);
    // The tick count wraps; the difference of two ticks is what elapsed.
    const auto elapsed = static_cast<std::int32_t>(TickCountMs() - echoed);

    char from[INET_ADDRSTRLEN] = "";
    inet_ntop(AF_INET, &got.from, from, sizeof from);
    char text[96];
    std::snprintf(text, sizeof text, " %s: bytes=%d time=%ldms TTL=%d", from, kReportedBytes,
                  static_cast<long>(elapsed), ttl & 0xFF);
    result_ = text;
    reply_ = 1;
}

bool IsReachable(const std::string& address)
{
    CPing ping;
    ping.Ping(address);
    return ping.reply() == 1;
}
