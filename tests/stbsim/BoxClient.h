#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The program's side of a connection, for tests: requests in one send, replies read in
// receives of at most 1023 bytes, as the program reads them. Every receive gives up after a
// few seconds, so a box that misbehaves fails a test instead of hanging it.
class BoxClient {
public:
    explicit BoxClient(const std::string& address, std::uint16_t port = 7777);
    ~BoxClient();
    BoxClient(const BoxClient&) = delete;
    BoxClient& operator=(const BoxClient&) = delete;

    bool connected() const { return fd_ >= 0; }
    bool Send(std::string_view bytes);
    // Sends `bytes` in 1023-byte pieces, as the program sends file contents.
    bool SendBlock(std::string_view bytes);
    // One receive: empty when the box closed the connection or nothing came in time.
    std::string Receive(std::size_t limit = 1023);
    // Sends a request and returns the first receive of its reply.
    std::string Ask(std::string_view request);

    // Receives until a chunk, looked at by itself, contains `marker` (the program's rule).
    struct Text {
        std::string text;
        bool complete = false; // the marker was seen within one chunk
        int chunks = 0;
    };
    Text ReceiveUntil(std::string_view marker);
    // Receives exactly `size` bytes, or fewer when the connection ends first.
    std::string ReceiveBytes(std::size_t size);
    // True when the box closes the connection (a receive returns 0) within the time-out.
    bool WaitClosed();
    // True when nothing arrives (and the connection stays open) for `ms` milliseconds.
    bool Silent(int ms);
    void Close();

private:
    int fd_ = -1;
};

// Addresses for tests that start a box: each test takes its own 127.0.0.N.
std::string TestAddress(int n);
