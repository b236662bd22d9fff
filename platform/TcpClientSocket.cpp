#include "platform/TcpClientSocket.h"

#include "platform/SocketCancel.h"

#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <utility>

namespace {

timeval ToTimeval(std::chrono::milliseconds ms)
{
    if (ms.count() <= 0)
        return {0, 0}; // no time-out
    timeval tv{};
    tv.tv_sec = static_cast<time_t>(ms.count() / 1000);
    tv.tv_usec = static_cast<suseconds_t>((ms.count() % 1000) * 1000);
    return tv;
}

bool SetBlocking(int fd, bool blocking)
{
    const int flags = fcntl(fd, F_GETFL);
    if (flags < 0)
        return false;
    return fcntl(fd, F_SETFL, blocking ? (flags & ~O_NONBLOCK) : (flags | O_NONBLOCK)) == 0;
}

// Waits for a non-blocking connect to finish; its result comes from SO_ERROR.
bool FinishConnect(int fd, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd p{fd, POLLOUT, 0};
        const int ready = poll(&p, 1, left.count() > 0 ? static_cast<int>(left.count()) : 0);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return false;
        int error = 0;
        socklen_t length = sizeof error;
        return getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0;
    }
}

} // namespace

TcpClientSocket::~TcpClientSocket()
{
    Close();
}

TcpClientSocket::TcpClientSocket(TcpClientSocket&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), cancel_(std::exchange(other.cancel_, nullptr))
{
}

TcpClientSocket& TcpClientSocket::operator=(TcpClientSocket&& other) noexcept
{
    if (this != &other) {
        Close();
        fd_ = std::exchange(other.fd_, -1);
        cancel_ = std::exchange(other.cancel_, nullptr);
    }
    return *this;
}

bool TcpClientSocket::Connect(const std::string& address, std::uint16_t port,
                              std::chrono::milliseconds timeout,
                              std::chrono::milliseconds ioTimeout, SocketCancel* cancel)
{
    Close();
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    if (cancel && !cancel->Register(fd)) {
        close(fd);
        return false;
    }
    fd_ = fd;
    cancel_ = cancel;
    const int on = 1;
    setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    const timeval tv = ToTimeval(ioTimeout);
    setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
    setsockopt(fd_, SOL_SOCKET, SO_SNDTIMEO, &tv, sizeof tv);

    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_port = htons(port);
    if (inet_aton(address.c_str(), &target.sin_addr) == 0)
        return false;
    if (!SetBlocking(fd_, false))
        return false;
    bool connected = connect(fd_, reinterpret_cast<const sockaddr*>(&target), sizeof target) == 0;
    // A cancel before connect() began left nothing for its shutdown to stop; one after it
    // wakes the wait below.
    if (!connected && errno == EINPROGRESS && !Cancelled())
        connected = FinishConnect(fd_, timeout);
    return SetBlocking(fd_, true) && connected && !Cancelled();
}

bool TcpClientSocket::Cancelled() const
{
    return cancel_ && cancel_->cancelled();
}

long TcpClientSocket::Send(const void* data, std::size_t size)
{
    if (fd_ < 0)
        return -1;
    ssize_t sent;
    do
        sent = send(fd_, data, size, MSG_NOSIGNAL);
    while (sent < 0 && errno == EINTR);
    return static_cast<long>(sent);
}

bool TcpClientSocket::SendAll(const void* data, std::size_t size)
{
    const auto* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const long sent = Send(bytes, size);
        if (sent <= 0)
            return false;
        bytes += sent;
        size -= static_cast<std::size_t>(sent);
    }
    return true;
}

long TcpClientSocket::Receive(void* buffer, std::size_t size)
{
    if (fd_ < 0)
        return -1;
    ssize_t got;
    do
        got = recv(fd_, buffer, size, 0);
    while (got < 0 && errno == EINTR);
    return static_cast<long>(got);
}

void TcpClientSocket::Close()
{
    if (fd_ < 0)
        return;
    if (cancel_)
        cancel_->Unregister(fd_);
    cancel_ = nullptr;
    close(std::exchange(fd_, -1));
}
