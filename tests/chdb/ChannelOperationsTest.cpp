#include "chdb/ChannelOperations.h"

#include "tests/chdb/Tables.h"

#include <gtest/gtest.h>

using Names = std::vector<std::string>;

namespace {

// SAT / All over TV channels "c0".."c7" at table positions 0, 2, .., 14 with radios between
// them; keys 100 + table index; c2 and c5 locked.
struct ViewFixture {
    DatabaseState state;
    ChannelView view;

    ViewFixture()
    {
        std::vector<Ch> channels;
        for (int i = 0; i < 16; ++i)
            channels.push_back({(i % 2 ? "r" : "c") + std::to_string(i / 2), static_cast<std::uint8_t>(i % 2)});
        state.db = WithChannels(channels);
        for (int i : {4, 10})
            EditChannel(state.db, i, [](ChannelInfo& c) { c.setLock(1); });
        state.list = 0;
        view = BuildChannelView(state, static_cast<int>(Category::Sat), 0);
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
    const auto up = MoveDirection::Up, down = MoveDirection::Down;
    using Block = std::tuple<int, int, int>;
    const std::vector<std::tuple<std::vector<int>, MoveDirection, std::string, Block>> cases = {
        // selected rows, direction, the view's names by their digit (empty: nothing moves), the
        // moved block's first and last rows and the focus afterwards
        {{2, 4}, up, "02413567", {1, 2, 1}}, // rows 3 and 5 become 2 and 3; 2 and 4 follow
        {{4, 2}, down, "01352467", {4, 5, 5}},
        {{7}, up, "01234576", {6, 6, 6}},
        {{0}, up, "", {}},
        {{7}, down, "", {}},
        {{}, up, "", {}},
    };
    for (const auto& [selected, direction, rows, block] : cases) {
        SCOPED_TRACE(rows);
        ViewFixture f;
        Names expected = f.Table();
        const auto move = MoveViewRows(f.state, f.view, selected, direction);
        ASSERT_EQ(move.has_value(), !rows.empty());
        EXPECT_EQ(f.state.modified, move.has_value()); // nothing moved: the flag stays
        for (std::size_t r = 0; r < rows.size(); ++r)
            expected[2 * r] = std::string("c") + rows[r]; // the radio slots keep theirs
        EXPECT_EQ(f.Table(), expected);
        EXPECT_EQ(BuildChannelView(f.state, 0, 0).records, f.view.records);
        if (move) {
            EXPECT_EQ(Block(move->blockFirst, move->blockLast, move->focus), block);
        }
    }
}

// Each moved entry is rewritten once (never along a chain of moves), in the lists of its kind.
TEST(MoveViewRows, UserListsStillNameTheSameChannelsAndBrokenViewsMoveNothing)
{
    ViewFixture f;
    const std::vector<std::int32_t> radio = {3, 2, 8}; // the other kind's part is left alone
    f.state.db.setUserListEntries(0, ListKind::Tv, {2, 8, 4, 4});
    f.state.db.setUserListEntries(0, ListKind::Radio, radio);
    auto keys = [&] {
        std::vector<std::uint16_t> k;
        for (std::int32_t index : f.state.db.userListEntries(0, ListKind::Tv))
            k.push_back(f.state.db.channel(index).key());
        return k;
    };
    const auto before = keys();
    ASSERT_TRUE(MoveViewRows(f.state, f.view, std::vector{2, 4}, MoveDirection::Up));
    ASSERT_TRUE(MoveViewRows(f.state, f.view, std::vector{1, 2}, MoveDirection::Down));
    EXPECT_EQ(keys(), before);
    EXPECT_EQ(f.state.db.userListEntries(0, ListKind::Radio), radio);

    // Two rows on one record (as a user list may hold) would lose a channel.
    ViewFixture twice;
    twice.view.tableIndices[1] = twice.view.tableIndices[2];
    EXPECT_FALSE(MoveViewRows(twice.state, twice.view, std::vector{2}, MoveDirection::Up));
    EXPECT_EQ(twice.Table(), ViewFixture().Table());
}

TEST(ToggleViewLocks, ThePinIsAskedOnceAtTheFirstLockedChannel)
{
    const std::vector<std::tuple<std::vector<int>, bool, std::string, int>> cases = {
        // rows, the PIN's answer, the locks of rows 0..7 afterwards, how often it was asked
        {{2, 3}, true, "00010100", 1}, // one locked, one unlocked
        {{2, 3, 5}, false, "00110100", 1},
        {{3, 2, 5}, true, "00010000", 1},
        {{0, 1}, false, "11100100", 0},
    };
    for (const auto& [rows, pinRight, locks, asked] : cases) {
        SCOPED_TRACE(locks);
        ViewFixture f;
        int askedNow = 0;
        ToggleViewLocks(f.state, f.view, rows, [&] { return ++askedNow, pinRight; });
        EXPECT_EQ(askedNow, asked);
        std::string table, shown;
        for (int r = 0; r < f.view.size(); ++r) {
            table += char('0' + f.state.db.channel(f.view.tableIndices[std::size_t(r)]).lock());
            shown += char('0' + f.view.records[std::size_t(r)].lock());
        }
        EXPECT_EQ(table + " " + shown, locks + " " + locks);
        EXPECT_FALSE(f.state.modified);
    }
}

TEST(DeleteViewRows, DeletesTheRowsRecordsAndSetsTheFlag)
{
    ViewFixture f;
    EXPECT_EQ(DeleteViewRows(f.state, f.view, std::vector{-1, 8}), 0);
    EXPECT_FALSE(f.state.modified);
    EXPECT_EQ(DeleteViewRows(f.state, f.view, std::vector{1, 6}), 2);
    EXPECT_EQ(std::pair(f.state.modified, f.state.db.channelCount()), std::pair(true, 14));
    EXPECT_EQ(f.state.db.channel(3).name(), "c2"); // c1 went from before it
}
