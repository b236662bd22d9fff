#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <netinet/in.h>
#include <optional>

// An IPv4 ICMP socket for one echo exchange. A raw socket needs CAP_NET_RAW; an ordinary user
// gets the unprivileged ICMP datagram socket instead where net.ipv4.ping_group_range allows
// it. The two differ in what a receive delivers: a raw socket the whole IPv4 datagram, a
// datagram socket only the ICMP message (the time-to-live then comes from ancillary data).
class IcmpSocket final {
public:
    enum class Kind { Raw, Datagram };
    enum class Mode { Auto, RawOnly, DatagramOnly };
    enum class Wait { Readable, TimedOut, Failed };

    struct Received {
        long size = -1;         // bytes received, -1 on an error
        in_addr from{};         // sender
        std::optional<int> ttl; // from ancillary data (datagram sockets only)
    };

    // Auto tries the raw socket first, then the datagram one.
    static std::optional<IcmpSocket> Open(Mode mode = Mode::Auto);

    ~IcmpSocket();
    IcmpSocket(IcmpSocket&& other) noexcept;
    IcmpSocket& operator=(IcmpSocket&& other) noexcept;
    IcmpSocket(const IcmpSocket&) = delete;
    IcmpSocket& operator=(const IcmpSocket&) = delete;

    Kind kind() const { return kind_; }
    // Whether received data starts with the 20-byte IPv4 header.
    bool deliversIpHeader() const { return kind_ == Kind::Raw; }

    // A datagram socket writes its own port into the echo identifier; binding to the
    // identifier the message carries keeps the bytes on the wire as built. False when that
    // identifier is taken by another socket (the kernel then picks one).
    bool BindIdentifier(const std::uint8_t identifierBytes[2]);
    long SendTo(const void* data, std::size_t size, in_addr target);
    Wait WaitReadable(std::chrono::milliseconds timeout);
    Received Receive(void* buffer, std::size_t size);

private:
    IcmpSocket(int fd, Kind kind) : fd_(fd), kind_(kind) {}
    int fd_ = -1;
    Kind kind_ = Kind::Raw;
};
