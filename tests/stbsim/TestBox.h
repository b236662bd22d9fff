#pragma once

#include "stbsim/StbSimulator.h"
#include "tests/support/FileContents.h"
#include "tests/support/TempDir.h"

#include <arpa/inet.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <unistd.h>

#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>

inline constexpr const char* kHandshake = "SIG_BACKUP_DATA_CHECK|0xdeadc0ff:0xdeadc011:13:9999";

// The program's side of a connection, for tests: replies read in receives of at most 1023
// bytes, as the program reads them. Every receive gives up after a few seconds, so a box that
// misbehaves fails a test instead of hanging it.
class BoxClient {
public:
    explicit BoxClient(const std::string& address, std::uint16_t port = 7777)
        : fd_(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0))
    {
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_port = htons(port);
        if (::inet_pton(AF_INET, address.c_str(), &to.sin_addr) != 1 ||
            ::connect(fd_, reinterpret_cast<sockaddr*>(&to), sizeof to) != 0)
            Close();
        const int on = 1;
        ::setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    }
    ~BoxClient() { Close(); }
    BoxClient(const BoxClient&) = delete;

    bool connected() const { return fd_ >= 0; }
    void Close() { ::close(std::exchange(fd_, -1)); }
    // Sends in writes of at most `piece` bytes (the program sends file contents in 1023).
    bool Send(std::string_view bytes, std::size_t piece = std::string_view::npos)
    {
        for (ssize_t n = 0; fd_ >= 0 && !bytes.empty(); bytes.remove_prefix(n))
            if ((n = ::send(fd_, bytes.data(), std::min(piece, bytes.size()), MSG_NOSIGNAL)) <= 0)
                return false;
        return fd_ >= 0;
    }
    // One receive: empty when the box closed the connection or nothing came in time.
    std::string Receive(std::size_t limit = 1023)
    {
        std::string buffer(limit, '\0');
        const ssize_t n = fd_ < 0 || Silent(5000) ? 0 : ::recv(fd_, buffer.data(), limit, 0);
        buffer.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
        return buffer;
    }
    // Sends a request and returns the first receive of its reply.
    std::string Ask(std::string_view request) { return Send(request) ? Receive() : ""; }
    // Sends a request and receives until a chunk, looked at by itself, contains `marker` (the
    // program's rule); `complete` tells whether one did.
    struct Text {
        std::string text;
        bool complete = false;
    };
    Text AskUntil(std::string_view request, std::string_view marker)
    {
        Text out;
        Send(request);
        for (std::string chunk; !out.complete && !(chunk = Receive()).empty();) {
            out.text += chunk;
            out.complete = chunk.find(marker) != std::string::npos;
        }
        return out;
    }
    // Receives exactly `size` bytes, or fewer when the connection ends or falls silent first.
    std::string ReceiveBytes(std::size_t size)
    {
        std::string out;
        for (std::string chunk = "-"; out.size() < size && !chunk.empty(); out += chunk)
            chunk = Receive(std::min<std::size_t>(1023, size - out.size()));
        return out;
    }
    // True when the box closes the connection within the time-out: at the end of the stream
    // the socket stays readable.
    bool WaitClosed()
    {
        ReceiveBytes(std::string::npos);
        return fd_ >= 0 && !Silent(0);
    }
    // True when nothing arrives, and the connection stays open, for `ms` milliseconds.
    bool Silent(int ms)
    {
        pollfd p{fd_, POLLIN, 0};
        return fd_ >= 0 && ::poll(&p, 1, ms) == 0;
    }

private:
    int fd_;
};

// A simulated box on its own 127.0.0.N with a fresh state directory, started and quiet.
// `prepare` may fill the state directory before the box opens it.
class TestBox {
public:
    explicit TestBox(int n, DemoSize size = DemoSize::Small,
                     const std::function<void(StbSimulator::Options&)>& prepare = {})
        : address_("127.0.0." + std::to_string(n))
    {
        StbSimulator::Options options{.stateDir = dir_ / "state",
                                      .address = address_,
                                      .log = nullptr,
                                      .size = size,
                                      .splitPause = std::chrono::milliseconds(500)};
        if (prepare)
            prepare(options);
        sim_ = std::make_unique<StbSimulator>(options);
        sim_->Start();
    }
    StbSimulator* operator->() { return sim_.get(); }
    const std::string& address() const { return address_; }
    const TempDir& dir() const { return dir_; }
    // The folder of /dev/sda1 in the demo state.
    std::filesystem::path sda1() const { return dir_ / "state/disks/sda1"; }
    // Mounts a device on a connection of its own.
    bool Mount(const std::string& device = "/dev/sda1")
    {
        return BoxClient(address_).Ask("SIG_MOUNT_START|" + device) == "SIG_MOUNT_SUCCESS";
    }
    // A request and its reply up to `marker`, on a connection of its own.
    BoxClient::Text AskUntil(const std::string& request, const char* marker) const
    {
        return BoxClient(address_).AskUntil(request, marker);
    }

private:
    TempDir dir_;
    std::string address_;
    std::unique_ptr<StbSimulator> sim_;
};
