#include "platform/IcmpSocket.h"

#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <utility>

std::optional<IcmpSocket> IcmpSocket::Open(Mode mode)
{
    if (mode != Mode::DatagramOnly) {
        const int fd = socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_ICMP);
        if (fd >= 0)
            return IcmpSocket(fd, Kind::Raw);
    }
    if (mode != Mode::RawOnly) {
        const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_ICMP);
        if (fd >= 0) {
            const int on = 1;
            setsockopt(fd, IPPROTO_IP, IP_RECVTTL, &on, sizeof on);
            return IcmpSocket(fd, Kind::Datagram);
        }
    }
    return std::nullopt;
}

IcmpSocket::~IcmpSocket()
{
    if (fd_ >= 0)
        close(fd_);
}

IcmpSocket::IcmpSocket(IcmpSocket&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), kind_(other.kind_)
{
}

IcmpSocket& IcmpSocket::operator=(IcmpSocket&& other) noexcept
{
    if (this != &other) {
        if (fd_ >= 0)
            close(fd_);
        fd_ = std::exchange(other.fd_, -1);
        kind_ = other.kind_;
    }
    return *this;
}

bool IcmpSocket::BindIdentifier(const std::uint8_t identifierBytes[2])
{
    if (kind_ != Kind::Datagram)
        return true;
    sockaddr_in local{};
    local.sin_family = AF_INET;
    // The port is stored into the identifier field as it lies in memory.
    std::memcpy(&local.sin_port, identifierBytes, 2);
    return bind(fd_, reinterpret_cast<const sockaddr*>(&local), sizeof local) == 0;
}

long IcmpSocket::SendTo(const void* data, std::size_t size, in_addr target)
{
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr = target;
    return static_cast<long>(
        sendto(fd_, data, size, 0, reinterpret_cast<const sockaddr*>(&to), sizeof to));
}

IcmpSocket::Wait IcmpSocket::WaitReadable(std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd p{fd_, POLLIN, 0};
        const int ready = poll(&p, 1, left.count() > 0 ? static_cast<int>(left.count()) : 0);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0)
            return Wait::Failed;
        return ready == 0 ? Wait::TimedOut : Wait::Readable;
    }
}

IcmpSocket::Received IcmpSocket::Receive(void* buffer, std::size_t size)
{
    Received result;
    sockaddr_in from{};
    iovec io{buffer, size};
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(int))];
    msghdr message{};
    message.msg_name = &from;
    message.msg_namelen = sizeof from;
    message.msg_iov = &io;
    message.msg_iovlen = 1;
    message.msg_control = control;
    message.msg_controllen = sizeof control;
    result.size = static_cast<long>(recvmsg(fd_, &message, 0));
    result.from = from.sin_addr;
    if (result.size < 0)
        return result;
    for (cmsghdr* c = CMSG_FIRSTHDR(&message); c; c = CMSG_NXTHDR(&message, c)) {
        if (c->cmsg_level == IPPROTO_IP && c->cmsg_type == IP_TTL) {
            int ttl = 0;
            std::memcpy(&ttl, CMSG_DATA(c), sizeof ttl);
            result.ttl = ttl;
        }
    }
    return result;
}
