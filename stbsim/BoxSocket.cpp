#include "stbsim/BoxSocket.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <thread>
#include <vector>

namespace {

// The program reads every reply through 1023-byte receives.
constexpr std::size_t kReaderChunk = 1023;
// Text replies go out in writes that are whole multiples of the reader's chunk.
constexpr std::size_t kTextWrite = 7 * kReaderChunk;
constexpr std::size_t kBulkWrite = 64 * 1024;

} // namespace

std::size_t MarkerPadding(std::size_t bodySize, std::size_t markerSize)
{
    if (markerSize == 0 || markerSize > kReaderChunk)
        return 0;
    const std::size_t offset = bodySize % kReaderChunk;
    return offset + markerSize > kReaderChunk ? kReaderChunk - offset : 0;
}

BoxSocket::BoxSocket(int fd, std::chrono::milliseconds idleTimeout,
                     const std::atomic<bool>& stopping)
    : fd_(fd), idleTimeout_(idleTimeout), stopping_(stopping)
{
}

long BoxSocket::Receive(std::span<char> buffer)
{
    pollfd p{fd_, POLLIN, 0};
    for (;;) {
        const int ready = ::poll(&p, 1, static_cast<int>(idleTimeout_.count()));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0 || stopping_)
            return -1;
        const ssize_t n = ::recv(fd_, buffer.data(), buffer.size(), 0);
        if (n < 0 && errno == EINTR)
            continue;
        return static_cast<long>(n);
    }
}

bool BoxSocket::ReceiveExact(std::uint64_t size,
                             const std::function<bool(std::span<const char>)>& sink)
{
    std::vector<char> buffer(kBulkWrite);
    while (size > 0) {
        const std::size_t want =
            size < buffer.size() ? static_cast<std::size_t>(size) : buffer.size();
        const long n = Receive(std::span<char>(buffer.data(), want));
        if (n <= 0)
            return false;
        if (!sink(std::span<const char>(buffer.data(), static_cast<std::size_t>(n))))
            return false;
        size -= static_cast<std::uint64_t>(n);
    }
    return true;
}

bool BoxSocket::Send(std::string_view bytes)
{
    while (!bytes.empty()) {
        const std::size_t piece = bytes.size() < kBulkWrite ? bytes.size() : kBulkWrite;
        const ssize_t n = ::send(fd_, bytes.data(), piece, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0 || stopping_)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// The program looks for an end marker in each 1023-byte receive by itself, so a marker cut
// by a receive boundary is never seen and the program waits forever. The reader's receives
// stay on a 1023-byte grid counted from the start of the reply as long as every write that
// reaches it is a whole multiple of 1023 bytes: a receive that finds less than 1023 bytes
// waiting has caught up with the writes, which end on the grid. So the text goes out in
// writes of 7 x 1023 bytes, the rest with the marker in the last write, and the marker is
// moved off any grid line by harmless padding before it (blank lines, or blanks inside the
// last line where a blank line would mean something). A short reply is one write anyway.
bool BoxSocket::SendWithMarker(std::string body, std::string_view marker, bool padWithBlanks)
{
    const std::size_t pad = MarkerPadding(body.size(), marker.size());
    if (pad > 0) {
        // The last line starts after the line feed that precedes the body's final one.
        const std::size_t feed =
            body.size() < 2 ? std::string::npos : body.rfind('\n', body.size() - 2);
        const std::size_t tab = body.find('\t', feed == std::string::npos ? 0 : feed);
        if (padWithBlanks && tab != std::string::npos)
            body.insert(tab + 1, pad, ' ');
        else
            body.append(pad, '\n');
    }
    body += marker;
    std::string_view rest = body;
    while (rest.size() > kTextWrite) {
        if (!Send(rest.substr(0, kTextWrite)))
            return false;
        rest.remove_prefix(kTextWrite);
    }
    return Send(rest);
}

void BoxSocket::WaitForClose()
{
    char sink[4096];
    while (!stopping_) {
        pollfd p{fd_, POLLIN, 0};
        const int ready = ::poll(&p, 1, 100);
        if (ready < 0 && errno != EINTR)
            return;
        if (ready > 0 && ::recv(fd_, sink, sizeof sink, 0) <= 0)
            return;
    }
}

void BoxSocket::Pause(std::chrono::milliseconds time)
{
    const auto until = std::chrono::steady_clock::now() + time;
    while (!stopping_ && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

void BoxSocket::Close()
{
    ::shutdown(fd_, SHUT_RDWR);
}
