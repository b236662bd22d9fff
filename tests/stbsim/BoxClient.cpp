#include "tests/stbsim/BoxClient.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>

namespace {
constexpr int kTimeoutMs = 5000;
}

std::string TestAddress(int n)
{
    return "127.0.0." + std::to_string(n);
}

BoxClient::BoxClient(const std::string& address, std::uint16_t port)
{
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    if (::inet_pton(AF_INET, address.c_str(), &to.sin_addr) != 1)
        return;
    fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd_ < 0)
        return;
    if (::connect(fd_, reinterpret_cast<sockaddr*>(&to), sizeof to) != 0) {
        ::close(fd_);
        fd_ = -1;
        return;
    }
    const int on = 1;
    ::setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

BoxClient::~BoxClient()
{
    Close();
}

void BoxClient::Close()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

bool BoxClient::Send(std::string_view bytes)
{
    while (fd_ >= 0 && !bytes.empty()) {
        const ssize_t n = ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return fd_ >= 0;
}

bool BoxClient::SendBlock(std::string_view bytes)
{
    while (!bytes.empty()) {
        const std::size_t piece = std::min<std::size_t>(bytes.size(), 1023);
        if (!Send(bytes.substr(0, piece)))
            return false;
        bytes.remove_prefix(piece);
    }
    return true;
}

std::string BoxClient::Receive(std::size_t limit)
{
    if (fd_ < 0)
        return {};
    pollfd p{fd_, POLLIN, 0};
    if (::poll(&p, 1, kTimeoutMs) <= 0)
        return {};
    std::string buffer(limit, '\0');
    const ssize_t n = ::recv(fd_, buffer.data(), buffer.size(), 0);
    buffer.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return buffer;
}

std::string BoxClient::Ask(std::string_view request)
{
    if (!Send(request))
        return {};
    return Receive();
}

BoxClient::Text BoxClient::ReceiveUntil(std::string_view marker)
{
    Text out;
    for (;;) {
        const std::string chunk = Receive();
        if (chunk.empty())
            return out;
        ++out.chunks;
        out.text += chunk;
        if (chunk.find(marker) != std::string::npos) {
            out.complete = true;
            return out;
        }
    }
}

std::string BoxClient::ReceiveBytes(std::size_t size)
{
    std::string out;
    while (out.size() < size) {
        const std::string chunk = Receive(std::min<std::size_t>(1023, size - out.size()));
        if (chunk.empty())
            break;
        out += chunk;
    }
    return out;
}

bool BoxClient::WaitClosed()
{
    for (;;) {
        pollfd p{fd_, POLLIN, 0};
        if (fd_ < 0 || ::poll(&p, 1, kTimeoutMs) <= 0)
            return false;
        char sink[4096];
        const ssize_t n = ::recv(fd_, sink, sizeof sink, 0);
        if (n <= 0)
            return true;
    }
}

bool BoxClient::Silent(int ms)
{
    pollfd p{fd_, POLLIN, 0};
    return fd_ >= 0 && ::poll(&p, 1, ms) == 0;
}
