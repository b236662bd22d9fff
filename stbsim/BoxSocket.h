#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <string_view>

// One accepted connection, as the box's side of it sees it. Receives give up after the idle
// time-out; everything ends promptly when the server stops (it shuts the socket down).
class BoxSocket {
public:
    BoxSocket(int fd, std::chrono::milliseconds idleTimeout, const std::atomic<bool>& stopping);
    BoxSocket(const BoxSocket&) = delete;
    BoxSocket& operator=(const BoxSocket&) = delete;

    // One receive of at most buffer.size() bytes: > 0 bytes, 0 when the peer closed, < 0 on
    // an error or time-out.
    long Receive(std::span<char> buffer);
    // Exactly `size` bytes, handed on in pieces as they arrive; false when the connection
    // breaks, times out or `sink` refuses a piece.
    bool ReceiveExact(std::uint64_t size, const std::function<bool(std::span<const char>)>& sink);

    // All bytes, as few writes as the socket allows.
    bool Send(std::string_view bytes);
    // A text reply that ends in a marker the reader looks for in each receive by itself. The
    // marker must not be cut by a receive boundary; see the comment in the source.
    bool SendWithMarker(std::string body, std::string_view marker, bool padWithBlanks);

    // Waits until the peer closes the connection or the server stops.
    void WaitForClose();
    // Sleeps, but not past the server's stop.
    void Pause(std::chrono::milliseconds time);
    void Close();

private:
    int fd_;
    std::chrono::milliseconds idleTimeout_;
    const std::atomic<bool>& stopping_;
};

// Where a marker of `markerSize` bytes has to be moved (by inserting bytes before it) so
// that no 1023-byte receive boundary falls inside it, given `bodySize` bytes before it.
std::size_t MarkerPadding(std::size_t bodySize, std::size_t markerSize);
