#include "net/Ping.h"
#include "net/EchoRequest.h"

#include "tests/support/NetNamespace.h"
#include "util/ByteOrder.h"

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <thread>

using namespace std::chrono_literals;

namespace {

#define RUN_IN_NAMESPACE(loopbackUp, groups, body)                                                 \
    if (!RunInNewNetNamespace([&] { body; }, loopbackUp, groups))                                  \
    GTEST_SKIP() << "needs a network namespace of its own (root)"

// The next echo request seen on a raw capture socket, without its IP header.
std::vector<std::uint8_t> CapturedRequest(int capture)
{
    std::uint8_t buffer[512];
    for (int i = 0; i < 10; ++i) {
        pollfd p{capture, POLLIN, 0};
        if (poll(&p, 1, 1000) <= 0)
            break;
        const ssize_t got = recv(capture, buffer, sizeof buffer, 0);
        if (got > 20 && buffer[20] == 8)
            return {buffer + 20, buffer + got};
    }
    return {};
}

} // namespace

TEST(EchoRequest, HasTheFieldsFillerAndChecksumInLittleEndian)
{
    const EchoRequest packet = BuildEchoRequest(0x0201, 0x0403, 0x08070605);
    std::vector<std::uint8_t> expected = {8, 0, 0xe2, 0xfa, 1, 2, 3, 4, 0, 5, 6, 7, 8};
    for (int b = 32; b < 64; ++b)
        expected.push_back(static_cast<std::uint8_t>(b));
    EXPECT_EQ(std::vector<std::uint8_t>(packet.begin(), packet.end()), expected);
    // A packet with its checksum in place sums to all ones; an odd last byte is a low byte.
    EXPECT_EQ(InternetChecksum(packet), 0);
    EXPECT_EQ(InternetChecksum(std::vector<std::uint8_t>{0xff, 0xff, 0xff, 0xff, 0x02}), 0xfffd);
}

TEST(EchoCounter, StartsAtOneAndGivesConcurrentCallersDistinctValues)
{
    EchoCounter counter;
    const EchoCounter::Ids first = counter.Next();
    EXPECT_EQ(std::pair(int{first.identifier}, int{first.sequence}), std::pair(1, 1));
    std::vector<std::uint16_t> taken[8];
    std::vector<std::thread> threads;
    for (auto& mine : taken)
        threads.emplace_back([&] {
            for (int i = 0; i < 2000; ++i)
                mine.push_back(counter.Next().identifier);
        });
    std::set<std::uint16_t> all = {first.identifier};
    for (std::size_t t = 0; t < threads.size(); ++t) {
        threads[t].join();
        all.insert(taken[t].begin(), taken[t].end());
    }
    EXPECT_EQ(all.size(), 8u * 2000 + 1);
}

// The datagram socket is what an ordinary user gets; its reply has no IP header, so the TTL
// must come from ancillary data, and the kernel must keep the identifier we built.
TEST(Ping, RawAndDatagramSocketsSendTheBuiltPacketAndReadTheAnswer)
{
    RUN_IN_NAMESPACE(true, "0 2147483647", {
        const int capture = socket(AF_INET, SOCK_RAW, IPPROTO_ICMP);
        ASSERT_GE(capture, 0);
        std::vector<std::uint16_t> identifiers;
        for (auto mode : {IcmpSocket::Mode::RawOnly, IcmpSocket::Mode::DatagramOnly}) {
            CPing ping({.socketMode = mode});
            ping.Ping("127.0.0.1");
            EXPECT_EQ(ping.reply(), 1);
            EXPECT_TRUE(std::regex_match(
                ping.resultText(), std::regex(" 127\\.0\\.0\\.1: bytes=32 time=[0-9]+ms TTL=64")))
                << ping.resultText();
            const std::vector<std::uint8_t> wire = CapturedRequest(capture);
            ASSERT_EQ(wire.size(), kEchoRequestSize);
            const std::uint16_t id = le::U16(wire, 4);
            const EchoRequest built = BuildEchoRequest(id, id, le::U32(wire, kEchoTimeOffset));
            EXPECT_EQ(wire, std::vector<std::uint8_t>(built.begin(), built.end()));
            identifiers.push_back(id);
        }
        EXPECT_EQ(identifiers[1], identifiers[0] + 1);
        close(capture);
    });
}

// Loopback down: nothing answers. A new namespace lets no group open unprivileged ICMP
// sockets, as for an ordinary user outside net.ipv4.ping_group_range.
TEST(Ping, SilenceTimesOutAfterOneSecondAnUnknownHostOrNoIcmpSocketFails)
{
    RUN_IN_NAMESPACE(false, {}, {
        CPing silent({.socketMode = IcmpSocket::Mode::RawOnly});
        const auto start = std::chrono::steady_clock::now();
        silent.Ping("127.0.0.1");
        const auto waited = std::chrono::steady_clock::now() - start;
        EXPECT_EQ(silent.resultText(), "Request Timed Out");
        EXPECT_GE(waited, 900ms);
        EXPECT_LT(waited, 10s); // a generous bound: a loaded machine may be slow to wake us

        CPing unknown({.socketMode = IcmpSocket::Mode::RawOnly,
                       .resolve = [](const std::string&) { return std::optional<in_addr>(); }});
        unknown.Ping("box.invalid");
        EXPECT_EQ(unknown.resultText(), "Host not found: box.invalid");
        CPing unprivileged({.socketMode = IcmpSocket::Mode::DatagramOnly});
        unprivileged.Ping("127.0.0.1");
        EXPECT_EQ(unprivileged.resultText(), "");
        EXPECT_EQ(silent.reply() + unknown.reply() + unprivileged.reply(), 0);
    });
}
