#include "net/EchoRequest.h"

#include <gtest/gtest.h>

#include <set>
#include <thread>

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
    for (int expected : {1, 2}) {
        const EchoCounter::Ids ids = counter.Next();
        EXPECT_EQ(ids.identifier, expected);
        EXPECT_EQ(ids.sequence, expected);
    }

    constexpr int kThreads = 8, kEach = 2000;
    std::vector<std::vector<std::uint16_t>> taken(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&, t] {
            for (int i = 0; i < kEach; ++i)
                taken[t].push_back(counter.Next().identifier);
        });
    for (auto& thread : threads)
        thread.join();
    std::set<std::uint16_t> all;
    for (const auto& list : taken)
        all.insert(list.begin(), list.end());
    EXPECT_EQ(all.size(), static_cast<std::size_t>(kThreads * kEach));
}
