#include "chdb/ChannelCompaction.h"

#include "util/ByteOrder.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

using Entries = std::vector<std::int32_t>;

namespace {

// Channels 0..n-1 with key 100 + i; odd indices in `radio` are radio.
ChannelDatabase MakeDatabase(int n, const std::vector<int>& radio)
{
    ChannelDatabase db;
    for (int i = 0; i < n; ++i) {
        ChannelInfo c;
        c.setSatelliteId(1);
        c.setKey(static_cast<std::uint16_t>(100 + i));
        c.setType(std::find(radio.begin(), radio.end(), i) != radio.end() ? 1 : 0);
        c.setName("ch" + std::to_string(i));
        db.setChannel(i, c);
    }
    db.setChannelCount(n);
    return db;
}

std::vector<std::uint16_t> Keys(const ChannelDatabase& db)
{
    std::vector<std::uint16_t> keys;
    for (int i = 0; i < db.channelCount(); ++i)
        keys.push_back(db.channel(i).key());
    return keys;
}

} // namespace

TEST(CompactChannels, ListsKeepPointingAtTheSameChannels)
{
    ChannelDatabase db = MakeDatabase(8, {2, 5});
    db.setUserListEntries(0, ListKind::Tv, {7, 0, 3, 6});
    db.setUserListEntries(0, ListKind::Radio, {5, 2});
    db.setUserListEntries(9, ListKind::Tv, {3});

    EXPECT_EQ(CompactChannels(db, {3, 2, 3}), 2); // a duplicate counts once

    EXPECT_EQ(Keys(db), (std::vector<std::uint16_t>{100, 101, 104, 105, 106, 107}));
    EXPECT_EQ(db.userListEntries(0, ListKind::Tv), (Entries{5, 0, 4})); // 7->5, 0, (3 gone), 6->4
    EXPECT_EQ(db.userListEntries(0, ListKind::Radio), (Entries{3}));    // 5->3, (2 gone)
    EXPECT_EQ(db.userListSize(9, ListKind::Tv), 0);
    // The slots after the new count are left as they were.
    EXPECT_EQ(db.channel(7).key(), 107);
}

TEST(CompactChannels, DeletingTheLastChannelEmptiesEveryList)
{
    ChannelDatabase db = MakeDatabase(1, {});
    db.setUserListEntries(4, ListKind::Tv, {0, 0});
    EXPECT_EQ(CompactChannels(db, {0}), 1);
    EXPECT_EQ(db.channelCount(), 0);
    EXPECT_EQ(db.userListSize(4, ListKind::Tv), 0);
}

TEST(CompactChannels, BrokenEntriesAndIndicesAreSkippedNotFollowed)
{
    ChannelDatabase db = MakeDatabase(4, {1});
    // Indices outside the table and a TV entry that names a radio channel.
    db.setUserListEntries(2, ListKind::Tv, {-7, 0, 9999, 123456, 1, 3});
    EXPECT_EQ(CompactChannels(db, {-1, 4, 100000}), 0);
    EXPECT_EQ(db.userListEntries(2, ListKind::Tv), (Entries{-7, 0, 9999, 123456, 1, 3})); // no edit, no change
    EXPECT_EQ(CompactChannels(db, {2}), 1);
    EXPECT_EQ(db.userListEntries(2, ListKind::Tv), (Entries{0, 2}));
}

TEST(CompactChannels, HostileCountsAreClampedToTheTable)
{
    ChannelDatabase db = MakeDatabase(3, {});
    le::SetI32(db.image(ChannelDatabase::kChIdx), 40064, 99999); // list 0 TV count
    le::SetI32(db.image(ChannelDatabase::kChData), 60312, 12000); // channel count
    EXPECT_EQ(CompactChannels(db, {0}), 1);
    EXPECT_EQ(db.channelCount(), 9998);
    EXPECT_LE(db.userListSize(0, ListKind::Tv), 6000);
}

// The result written the slow, obvious way: the kept records in order, and each list entry
// mapped through its channel's key unless a deleted channel of the list's kind had that key.
ChannelDatabase ReferenceCompaction(ChannelDatabase db, const std::set<int>& doomed)
{
    const ChannelDatabase before = db;
    const int count = before.channelCount();
    std::vector<ChannelInfo> kept;
    std::set<std::pair<bool, std::uint16_t>> gone;
    for (int i = 0; i < count; ++i) {
        const ChannelInfo c = before.channel(i);
        doomed.count(i) ? (void)gone.insert({c.isRadio(), c.key()}) : kept.push_back(c);
    }
    for (std::size_t i = 0; i < kept.size(); ++i)
        db.setChannel(static_cast<int>(i), kept[i]);
    db.setChannelCount(static_cast<int>(kept.size()));
    for (int list = 0; list < ChannelDatabase::kUserListCount; ++list) {
        for (ListKind kind : {ListKind::Tv, ListKind::Radio}) {
            const bool radio = kind == ListKind::Radio;
            Entries entries;
            for (std::int32_t e : before.userListEntries(list, kind)) {
                if (e < 0 || e >= count || gone.count({radio, before.channel(e).key()}))
                    continue;
                const auto same = [&](const ChannelInfo& c) {
                    return c.key() == before.channel(e).key() && c.isRadio() == radio;
                };
                const auto found = std::find_if(kept.begin(), kept.end(), same);
                if (found != kept.end())
                    entries.push_back(static_cast<std::int32_t>(found - kept.begin()));
            }
            db.setUserListEntries(list, kind, entries);
        }
    }
    return db;
}

// Few distinct keys, so that keys repeat within and across the kinds, and broken entries.
TEST(CompactChannels, MatchesTheReferenceOnRandomTables)
{
    std::mt19937 random(7);
    const auto upTo = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n + 1)); };
    for (int round = 0; round < 300; ++round) {
        const int n = 1 + upTo(39);
        ChannelDatabase db;
        for (int i = 0; i < n; ++i) {
            ChannelInfo c;
            c.setKey(static_cast<std::uint16_t>(upTo(7)));
            c.setType(static_cast<std::uint8_t>(upTo(2)));
            c.setName("ch" + std::to_string(i));
            db.setChannel(i, c);
        }
        db.setChannelCount(n);
        for (int list = 0; list < ChannelDatabase::kUserListCount; ++list) {
            for (ListKind kind : {ListKind::Tv, ListKind::Radio}) {
                Entries entries(static_cast<std::size_t>(upTo(12)));
                for (auto& e : entries)
                    e = upTo(n + 3) - 2;
                db.setUserListEntries(list, kind, entries);
            }
        }
        std::set<int> doomed = {upTo(n - 1)};
        std::vector<int> indices(doomed.begin(), doomed.end());
        for (int k = upTo(n); k > 0; --k) {
            indices.push_back(upTo(n + 1) - 1);
            if (indices.back() >= 0 && indices.back() < n)
                doomed.insert(indices.back());
        }
        const ChannelDatabase expected = ReferenceCompaction(db, doomed);
        ASSERT_EQ(CompactChannels(db, indices), static_cast<int>(doomed.size()));
        ASSERT_TRUE(db == expected) << "round " << round;
    }
}

TEST(RemapUserListsAfterMove, RewritesOnlyTheMovedIndicesOfTheKind)
{
    ChannelDatabase db = MakeDatabase(6, {});
    db.setUserListEntries(1, ListKind::Tv, {1, 2, 3, 4});
    db.setUserListEntries(1, ListKind::Radio, {2, 3});
    // Rows 2 and 4 moved up past 1 and 3: 2->1, 4->2, 1->3, 3->4.
    RemapUserListsAfterMove(db, ListKind::Tv, {{2, 1}, {4, 2}, {1, 3}, {3, 4}});
    EXPECT_EQ(db.userListEntries(1, ListKind::Tv), (Entries{3, 1, 4, 2})); // each changed once
    EXPECT_EQ(db.userListEntries(1, ListKind::Radio), (Entries{2, 3}));
}
