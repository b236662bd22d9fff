#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

class SocketCancel;

// A blocking IPv4 TCP client socket. Requests and replies are short and answered one at a
// time, so Nagle's algorithm is off: a request must not wait for the acknowledgement of the
// previous reply. Sends never raise SIGPIPE; a peer that went away shows up as a failed send.
class TcpClientSocket final {
public:
    TcpClientSocket() = default;
    ~TcpClientSocket();
    TcpClientSocket(TcpClientSocket&& other) noexcept;
    TcpClientSocket& operator=(TcpClientSocket&& other) noexcept;
    TcpClientSocket(const TcpClientSocket&) = delete;
    TcpClientSocket& operator=(const TcpClientSocket&) = delete;

    // Connects to the dotted address (the forms inet_aton accepts) and port, waiting at most
    // `timeout` so that a silent address cannot hang the caller. `ioTimeout` bounds every later
    // receive and send. False when the address is malformed or the connection failed; the
    // socket then stays usable in the sense that sends fail and receives report an error.
    // With `cancel` the socket registers there until it closes, so that another thread can
    // end the connect or any later call at once; a cancelled one fails the connect.
    bool Connect(const std::string& address, std::uint16_t port, std::chrono::milliseconds timeout,
                 std::chrono::milliseconds ioTimeout, SocketCancel* cancel = nullptr);

    // One send call: the number of bytes the system took (a short count is possible), or -1.
    long Send(const void* data, std::size_t size);
    // Sends the whole buffer in as many calls as needed; false when a call fails.
    bool SendAll(const void* data, std::size_t size);
    // One receive of at most `size` bytes: the count, 0 when the peer closed, -1 on an error
    // or when the receive time-out passed.
    long Receive(void* buffer, std::size_t size);

    void Close();
    bool isOpen() const { return fd_ >= 0; }
    int nativeHandle() const { return fd_; }

private:
    bool Cancelled() const;

    int fd_ = -1;
    SocketCancel* cancel_ = nullptr;
};
