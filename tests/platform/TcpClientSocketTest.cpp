#include "platform/TcpClientSocket.h"

#include "platform/SocketCancel.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <thread>

using namespace std::chrono_literals;

namespace {

// A listening socket on 127.0.0.N:7777 that accepts only when asked.
struct Listener {
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    Listener(const char* address, int backlog)
    {
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

} // namespace

// With the accept queue full, the kernel drops further SYNs, as a black hole would: a connect
// ends at its time-out (not after the kernel's minutes of retries) or at once when cancelled,
// and a cancelled token refuses later connects. (A receive ended by a cancel is tested with the
// main window against a stalled box.)
TEST(TcpClientSocket, ConnectToAPeerThatNeverAnswersIsBoundedAndCancellable)
{
    Listener box("127.0.0.120", 0);
    TcpClientSocket first, second, bounded;
    first.Connect("127.0.0.120", 7777, 300ms, 2s);
    second.Connect("127.0.0.120", 7777, 300ms, 2s);
    const auto start = std::chrono::steady_clock::now();
    if (bounded.Connect("127.0.0.120", 7777, 300ms, 2s))
        GTEST_SKIP() << "the kernel accepted beyond the backlog";
    EXPECT_LT(std::chrono::steady_clock::now() - start, 10s); // generous for a busy machine
    EXPECT_LT(bounded.Send("SIG_X", 5), 0);

    SocketCancel cancel; // outlives the sockets registered with it
    TcpClientSocket late;
    std::chrono::steady_clock::time_point cancelledAt;
    std::thread canceller([&] {
        std::this_thread::sleep_for(200ms);
        cancelledAt = std::chrono::steady_clock::now();
        cancel.Cancel();
    });
    EXPECT_FALSE(late.Connect("127.0.0.120", 7777, 20s, 20s, &cancel));
    const auto end = std::chrono::steady_clock::now();
    canceller.join();
    EXPECT_LT(end - cancelledAt, 3s);
    TcpClientSocket again;
    EXPECT_FALSE(again.Connect("127.0.0.120", 7777, 2s, 2s, &cancel) || again.isOpen());
}

TEST(TcpClientSocket, NoDelayIsOnAndSendingToAClosedPeerRaisesNoSigpipe)
{
    Listener box("127.0.0.63", 4);
    TcpClientSocket socket;
    ASSERT_TRUE(socket.Connect("127.0.0.63", 7777, 2s, 2s));
    int noDelay = 0;
    socklen_t length = sizeof noDelay;
    EXPECT_TRUE(getsockopt(socket.nativeHandle(), IPPROTO_TCP, TCP_NODELAY, &noDelay, &length) == 0 && noDelay);
    close(accept(box.fd, nullptr, nullptr));
    // The first send may still be taken; the reset makes the next fail. A SIGPIPE would end
    // this test program.
    long sent = 0;
    for (int i = 0; i < 200 && sent >= 0; ++i) {
        sent = socket.Send("0123456789", 10);
        usleep(10000);
    }
    EXPECT_LT(sent, 0);
}
