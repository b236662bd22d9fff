#include "chdb/ChannelCompaction.h"

#include "tests/chdb/Tables.h"
#include "util/ByteOrder.h"

#include <gtest/gtest.h>

using Entries = std::vector<std::int32_t>;

TEST(CompactChannels, BrokenEntriesIndicesAndCountsAreSkippedNotFollowed)
{
    ChannelDatabase db = WithChannels({{"a"}, {"b", ChannelInfo::kRadio}, {"c"}, {"d"}});
    // Indices outside the table and a TV entry that names a radio channel.
    db.setUserListEntries(2, ListKind::Tv, {-7, 0, 9999, 123456, 1, 3});
    EXPECT_EQ(CompactChannels(db, {-1, 4, 100000}), 0);
    EXPECT_EQ(db.userListEntries(2, ListKind::Tv), (Entries{-7, 0, 9999, 123456, 1, 3})); // no edit, no change
    EXPECT_EQ(CompactChannels(db, {2, 2}), 1); // a duplicate counts once
    EXPECT_EQ(db.userListEntries(2, ListKind::Tv), (Entries{0, 2}));

    le::SetI32(db.image(ChannelDatabase::kChIdx), 40064, 99999);  // list 0 TV count
    le::SetI32(db.image(ChannelDatabase::kChData), 60312, 12000); // channel count
    EXPECT_EQ(CompactChannels(db, {0}), 1);
    EXPECT_EQ(db.channelCount(), 9998);
    EXPECT_LE(db.userListSize(0, ListKind::Tv), 6000);
}

// Keys repeat within and across the kinds. An entry follows its channel's key to the first
// kept record of its list's kind with that key, and leaves when a deleted channel of that kind
// had the key; the record after the table (an entry equal to the count) is not followed either.
TEST(CompactChannels, ListsFollowTheKeysOfTheirKind)
{
    const std::uint16_t keys[] = {5, 5, 7, 7, 9, 9, 5, 11, 0};
    ChannelDatabase db = WithChannels({{}, {"", ChannelInfo::kRadio}, {}, {}, {}, {"", ChannelInfo::kRadio}, {}, {}, {}});
    for (int i = 0; i < 9; ++i)
        EditChannel(db, i, [&](ChannelInfo& c) { c.setKey(keys[i]); });
    db.setUserListEntries(0, ListKind::Tv, {3, 6, 2, 4, -1, 9, 7});
    db.setUserListEntries(9, ListKind::Radio, {5, 1});
    EXPECT_EQ(CompactChannels(db, {4, 3, 3, 42, 1}), 3);
    EXPECT_EQ(Keys(db), (std::vector{5, 7, 9, 5, 11, 0}));
    EXPECT_EQ(db.channel(7).key(), 11); // the slots after the new count stay as they were
    EXPECT_EQ(db.userListEntries(0, ListKind::Tv), (Entries{0, 4})); // a deleted radio's key keeps TV entries
    EXPECT_EQ(db.userListEntries(9, ListKind::Radio), (Entries{2}));
}
