#include "tests/support/ScriptedBox.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <stdexcept>

namespace {

// Bounds for everything the box waits for, so that a broken test ends instead of hanging.
constexpr std::chrono::milliseconds kRequestQuiet{2000};
constexpr std::chrono::seconds kStallLimit{20};

bool WaitReadable(int fd, std::chrono::milliseconds timeout)
{
    pollfd p{fd, POLLIN, 0};
    return poll(&p, 1, static_cast<int>(timeout.count())) > 0;
}

} // namespace

ScriptedBox::ScriptedBox(const std::string& address)
{
    listenFd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const int on = 1;
    setsockopt(listenFd_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(7777);
    if (inet_pton(AF_INET, address.c_str(), &local.sin_addr) != 1 ||
        bind(listenFd_, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0 ||
        listen(listenFd_, 4) != 0)
        throw std::runtime_error("ScriptedBox cannot listen on " + address);
}

ScriptedBox::~ScriptedBox()
{
    Finish();
    close(listenFd_);
}

void ScriptedBox::Finish()
{
    clientDone_ = true;
    if (thread_.joinable())
        thread_.join();
}

void ScriptedBox::Serve()
{
    int fd = -1;
    // A client that connected before Finish() is in the backlog by then, so one last look
    // after clientDone_ is enough.
    while (fd < 0) {
        const bool last = clientDone_;
        if (WaitReadable(listenFd_, std::chrono::milliseconds(20)))
            fd = accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0 && last)
            return;
    }
    accepted_ = true;
    if (RunScript(fd)) {
        // Everything after the script, up to the client's close, belongs to the stream too.
        const auto limit = std::chrono::steady_clock::now() + kStallLimit;
        char buffer[4096];
        while (std::chrono::steady_clock::now() < limit) {
            if (!WaitReadable(fd, std::chrono::milliseconds(50)))
                continue;
            const ssize_t got = recv(fd, buffer, sizeof buffer, 0);
            if (got <= 0)
                break;
            Record(buffer, static_cast<std::size_t>(got));
        }
    }
    close(fd);
}

bool ScriptedBox::RunScript(int fd)
{
    for (const Step& step : script_) {
        switch (step.kind) {
        case Step::Expect:
        case Step::ExpectBytes: {
            const bool text = step.kind == Step::Expect;
            const std::string got = ReadUpTo(fd, text ? step.text.size() : step.count);
            if (text ? got != step.text : got.size() != step.count) {
                std::lock_guard lock(mutex_);
                errors_.push_back(text ? "expected \"" + step.text + "\", got \"" + got + "\""
                                       : "expected " + std::to_string(step.count) + " bytes, got " +
                                             std::to_string(got.size()));
                return false;
            }
            break;
        }
        case Step::Reply:
            if (send(fd, step.text.data(), step.text.size(), MSG_NOSIGNAL) !=
                static_cast<ssize_t>(step.text.size()))
                return false;
            break;
        case Step::Pause:
            std::this_thread::sleep_for(step.duration);
            break;
        case Step::Flood:
            if (!FloodUntilClosed(fd, step))
                return false;
            break;
        case Step::Close:
            // A FIN, not a reset: unread data at close() would make the client see an error
            // instead of the end of the connection.
            shutdown(fd, SHUT_WR);
            return true;
        }
    }
    return true;
}

bool ScriptedBox::FloodUntilClosed(int fd, const Step& step)
{
    std::string block;
    while (block.size() < 64 * 1024)
        block += step.text;
    // A client that neither reads nor closes ends the flood too, as a failed send.
    const timeval limit{static_cast<time_t>(kStallLimit.count()), 0};
    setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
    while (flooded_ < step.count) {
        const ssize_t n = send(fd, block.data(), std::min(block.size(), step.count - flooded_),
                               MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        flooded_ += static_cast<std::size_t>(n);
    }
    return true;
}

std::string ScriptedBox::ReadUpTo(int fd, std::size_t count)
{
    std::string got(count, '\0');
    std::size_t size = 0;
    while (size < count && WaitReadable(fd, kRequestQuiet)) {
        const ssize_t n = recv(fd, got.data() + size, count - size, 0);
        if (n <= 0)
            break;
        size += static_cast<std::size_t>(n);
    }
    got.resize(size);
    Record(got.data(), size);
    return got;
}

void ScriptedBox::Record(const char* bytes, std::size_t size)
{
    std::lock_guard lock(mutex_);
    received_.append(bytes, size);
}
