#include "chdb/ChannelOperations.h"

#include <gtest/gtest.h>

using Names = std::vector<std::string>;

namespace {

// SAT / All over TV channels "c0".."c7" at table positions 0, 2, .., 14 with radio channels
// "r0".."r7" between them; keys 100 + table index. Channels c2 and c5 are locked.
struct ViewFixture {
    DatabaseState state;
    ChannelView view;

    ViewFixture()
    {
        for (int i = 0; i < 16; ++i) {
            ChannelInfo c;
            c.setSatelliteId(1);
            c.setType(i % 2 ? ChannelInfo::kRadio : ChannelInfo::kSdtv);
            c.setName((i % 2 ? "r" : "c") + std::to_string(i / 2));
            c.setKey(static_cast<std::uint16_t>(100 + i));
            c.setLock(i == 4 || i == 10);
            state.db.setChannel(i, c);
        }
        state.db.setChannelCount(16);
        state.satList = {{"Sat", 1, 0}, {"Sat", 1, 1}};
        state.list = 0;
        Rebuild();
    }
    void Rebuild() { view = BuildChannelView(state, static_cast<int>(Category::Sat), 0); }
    Names Rows() const
    {
        Names names;
        for (const ChannelInfo& c : view.records)
            names.push_back(c.name());
        return names;
    }
    Names Table() const
    {
        Names names;
        for (int i = 0; i < state.db.channelCount(); ++i)
            names.push_back(state.db.channel(i).name());
        return names;
    }
};

} // namespace

TEST(MoveViewRows, BlocksCloseUpAndTheTableFollows)
{
    struct Case {
        std::vector<int> selected;
        MoveDirection direction;
        Names rows; // empty: nothing moves
        int blockFirst, blockLast, focus;
    };
    const auto up = MoveDirection::Up, down = MoveDirection::Down;
    const std::vector<Case> cases = {
        // Rows 3 and 5 (1-based) up: they become 2 and 3, rows 2 and 4 follow.
        {{2, 4}, up, {"c0", "c2", "c4", "c1", "c3", "c5", "c6", "c7"}, 1, 2, 1},
        {{4, 2}, down, {"c0", "c1", "c3", "c5", "c2", "c4", "c6", "c7"}, 4, 5, 5},
        {{1, 2, 3}, up, {"c1", "c2", "c3", "c0", "c4", "c5", "c6", "c7"}, 0, 2, 0},
        {{7}, up, {"c0", "c1", "c2", "c3", "c4", "c5", "c7", "c6"}, 6, 6, 6},
        {{0}, up, {}, 0, 0, 0},
        {{7}, down, {}, 0, 0, 0},
        {{0, 7}, down, {}, 0, 0, 0},
        {{}, up, {}, 0, 0, 0},
        {{-1, 8}, up, {}, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.selected));
        ViewFixture f;
        const Names tableBefore = f.Table();
        const auto move = MoveViewRows(f.state, f.view, c.selected, c.direction);
        ASSERT_EQ(move.has_value(), !c.rows.empty());
        EXPECT_EQ(f.state.modified, move.has_value());
        if (!move) {
            EXPECT_EQ(f.Table(), tableBefore);
            continue;
        }
        EXPECT_EQ(f.Rows(), c.rows);
        EXPECT_EQ(std::tie(move->blockFirst, move->blockLast, move->focus),
                  std::tie(c.blockFirst, c.blockLast, c.focus));
        // The records changed places among the TV positions; the radio ones stayed.
        const Names table = f.Table();
        for (int i = 0; i < 16; ++i)
            EXPECT_EQ(table[std::size_t(i)], i % 2 ? tableBefore[std::size_t(i)] : c.rows[std::size_t(i / 2)]);
        const ChannelView rebuilt = BuildChannelView(f.state, static_cast<int>(Category::Sat), 0);
        EXPECT_EQ(rebuilt.records, f.view.records);
    }
}

TEST(MoveViewRows, UserListsStillNameTheSameChannels)
{
    ViewFixture f;
    // TV entries name c1, c4, c2 (twice); the radio part holds the same numbers for radios.
    const std::vector<std::int32_t> tv = {2, 8, 4, 4}, radio = {3, 2, 8};
    f.state.db.setUserListEntries(0, ListKind::Tv, tv);
    f.state.db.setUserListEntries(0, ListKind::Radio, radio);
    f.state.db.setUserListEntries(9, ListKind::Tv, {14});
    auto keys = [&](int list) {
        std::vector<std::uint16_t> k;
        for (std::int32_t index : f.state.db.userListEntries(list, ListKind::Tv))
            k.push_back(f.state.db.channel(index).key());
        return k;
    };
    const auto keys0 = keys(0), keys9 = keys(9);
    ASSERT_TRUE(MoveViewRows(f.state, f.view, std::vector{2, 4}, MoveDirection::Up));
    ASSERT_TRUE(MoveViewRows(f.state, f.view, std::vector{1, 2}, MoveDirection::Down));
    EXPECT_EQ(keys(0), keys0);
    EXPECT_EQ(keys(9), keys9);
    EXPECT_EQ(f.state.db.userListEntries(0, ListKind::Radio), radio);
}

TEST(MoveViewRows, RowsOnOneRecordMoveNothing)
{
    ViewFixture f;
    f.view.tableIndices[1] = f.view.tableIndices[2]; // as a user list may name a channel twice
    const Names before = f.Table();
    EXPECT_FALSE(MoveViewRows(f.state, f.view, std::vector{2}, MoveDirection::Up));
    EXPECT_EQ(f.Table(), before);
    EXPECT_FALSE(f.state.modified);
}

TEST(ToggleViewLocks, ThePinIsAskedOnceAtTheFirstLockedChannel)
{
    struct Case {
        std::vector<int> rows;
        bool pinRight;
        std::vector<int> locksAfter; // rows 0..7
        int asked;
    };
    const std::vector<Case> cases = {
        {{2, 3}, true, {0, 0, 0, 1, 0, 1, 0, 0}, 1},    // one locked, one unlocked
        {{3, 2, 5}, true, {0, 0, 0, 1, 0, 0, 0, 0}, 1}, // two locked channels, one question
        {{2, 3, 5}, false, {0, 0, 1, 1, 0, 1, 0, 0}, 1},
        {{0, 1}, false, {1, 1, 1, 0, 0, 1, 0, 0}, 0},
        {{}, false, {0, 0, 1, 0, 0, 1, 0, 0}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.rows));
        ViewFixture f;
        int asked = 0;
        ToggleViewLocks(f.state, f.view, c.rows, [&] { return ++asked, c.pinRight; });
        EXPECT_EQ(asked, c.asked);
        std::vector<int> locks;
        for (int r = 0; r < f.view.size(); ++r) {
            locks.push_back(f.state.db.channel(f.view.tableIndices[std::size_t(r)]).lock());
            EXPECT_EQ(f.view.records[std::size_t(r)].lock(), locks.back());
        }
        EXPECT_EQ(locks, c.locksAfter);
        EXPECT_FALSE(f.state.modified);
    }
}

TEST(DeleteViewRows, DeletesTheRowsRecordsAndSetsTheFlag)
{
    ViewFixture f;
    EXPECT_EQ(DeleteViewRows(f.state, f.view, std::vector{-1, 8}), 0);
    EXPECT_FALSE(f.state.modified);
    EXPECT_EQ(DeleteViewRows(f.state, f.view, std::vector{1, 6}), 2);
    EXPECT_TRUE(f.state.modified);
    f.Rebuild();
    EXPECT_EQ(f.Rows(), (Names{"c0", "c2", "c3", "c4", "c5", "c7"}));
    EXPECT_EQ(f.state.db.channelCount(), 14);
}
