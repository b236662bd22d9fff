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
