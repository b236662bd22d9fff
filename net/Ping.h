#pragma once

#include "platform/IcmpSocket.h"

#include <chrono>
#include <functional>
#include <netinet/in.h>
#include <optional>
#include <string>

// Host-name lookup: a dotted address resolves to itself; nothing when the name is unknown.
using HostResolver = std::function<std::optional<in_addr>(const std::string& host)>;
std::optional<in_addr> ResolveHost(const std::string& host);

struct PingOptions {
    IcmpSocket::Mode socketMode = IcmpSocket::Mode::Auto;
    HostResolver resolve = ResolveHost;
    std::chrono::milliseconds wait{1000};
};

// One echo request and the wait for an answer. Any ICMP datagram that arrives within the
// wait counts as the answer, whatever it holds: the box is reachable, which is all the
// callers need to know before they connect.
class CPing final {
public:
    CPing() = default;
    explicit CPing(PingOptions options) : options_(std::move(options)) {}

    // Sets the reply flag and the result text: " ADDRESS: bytes=32 time=Nms TTL=N",
    // "Request Timed Out", "Host not found: HOST", or nothing when no ICMP socket could be
    // opened or waiting failed.
    void Ping(const std::string& address);

    const std::string& resultText() const { return result_; }
    int reply() const { return reply_; }

private:
    PingOptions options_;
    std::string result_;
    int reply_ = 0;
};

// True when the address answers one echo request within a second. Shows nothing; callers
// report "Connection failed!".
bool IsReachable(const std::string& address);
