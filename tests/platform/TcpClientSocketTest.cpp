#include "platform/TcpClientSocket.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

// A listening socket on 127.0.0.N:7777 that never accepts.
struct Listener {
    int fd;
    Listener(const char* address, int backlog)
    {
        fd = socket(AF_INET, SOCK_STREAM, 0);
        const int on = 1;
        setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        sockaddr_in local{};
        local.sin_family = AF_INET;
        local.sin_port = htons(7777);
        inet_pton(AF_INET, address, &local.sin_addr);
        EXPECT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof local), 0);
        EXPECT_EQ(listen(fd, backlog), 0);
    }
    ~Listener() { close(fd); }
};

template <class F> std::chrono::milliseconds Timed(F f)
{
    const auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 start);
}

} // namespace

TEST(TcpClientSocket, ConnectsWithNoDelayAndTimesOutASilentPeer)
{
    Listener box("127.0.0.60", 4);
    TcpClientSocket socket;
    ASSERT_TRUE(socket.Connect("127.0.0.60", 7777, 2s, 200ms));
    int noDelay = 0;
    socklen_t length = sizeof noDelay;
    getsockopt(socket.nativeHandle(), IPPROTO_TCP, TCP_NODELAY, &noDelay, &length);
    EXPECT_NE(noDelay, 0);

    char buffer[16];
    long received = 0;
    const auto waited = Timed([&] { received = socket.Receive(buffer, sizeof buffer); });
    EXPECT_LT(received, 0);
    EXPECT_GE(waited, 150ms);
    EXPECT_LT(waited, 3s);
}

TEST(TcpClientSocket, RefusedOrMalformedAddressFailsTheFirstSend)
{
    for (const char* address : {"127.0.0.61", "not-an-address"}) {
        TcpClientSocket socket;
        EXPECT_FALSE(socket.Connect(address, 7777, 2s, 2s)) << address;
        EXPECT_LT(socket.Send("SIG_X", 5), 0) << address;
    }
}

TEST(TcpClientSocket, ConnectToAPeerThatNeverCompletesTheHandshakeIsBounded)
{
    // With the accept queue full, the kernel drops further SYNs: the connect hangs.
    Listener box("127.0.0.62", 0);
    TcpClientSocket first, second;
    first.Connect("127.0.0.62", 7777, 300ms, 2s);
    second.Connect("127.0.0.62", 7777, 300ms, 2s);
    TcpClientSocket late;
    bool connected = true;
    const auto waited = Timed([&] { connected = late.Connect("127.0.0.62", 7777, 300ms, 2s); });
    if (connected)
        GTEST_SKIP() << "the kernel accepted beyond the backlog";
    EXPECT_LT(waited, 2s);
}

TEST(TcpClientSocket, SendToAClosedPeerFailsWithoutSigpipe)
{
    Listener box("127.0.0.63", 4);
    TcpClientSocket socket;
    ASSERT_TRUE(socket.Connect("127.0.0.63", 7777, 2s, 2s));
    const int peer = accept(box.fd, nullptr, nullptr);
    ASSERT_GE(peer, 0);
    close(peer);
    // The first send may still be taken; the reset makes the next ones fail. A SIGPIPE would
    // end this test program.
    long sent = 0;
    for (int i = 0; i < 20 && sent >= 0; ++i) {
        sent = socket.Send("0123456789", 10);
        usleep(10000);
    }
    EXPECT_LT(sent, 0);
}
