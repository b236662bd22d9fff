#include "chdb/UserListEdits.h"

#include "tests/chdb/Tables.h"
#include "tests/support/RecordingMessages.h"

#include <gtest/gtest.h>

#include <numeric>

using Indices = std::vector<int>;
using Entries = std::vector<std::int32_t>;

// The name order itself is the view's (ChannelView's random comparison covers its ties).
TEST(UserListFilters, EntriesAndRows)
{
    const std::vector<SatListEntry> sats = {{"Astra", 1, 0}, {"Radio Sat", 3, 1}, {"Hotbird", 2, 0}};
    EXPECT_EQ(UserListFilters(sats, ListKind::Tv),
              (std::vector<std::string>{"A-Z", "FTA/CAS", "SD/HD", "All", "Astra", "Hotbird"}));
    EXPECT_EQ(UserListFilters(sats, ListKind::Radio), (std::vector<std::string>{"A-Z", "FTA/CAS", "All", "Radio Sat"}));
    EXPECT_EQ(DefaultUserListFilter(ListKind::Radio), 2);

    const ChannelDatabase db = WithChannels({{"zdf", 2, 1, 0x10}, {"3sat", 0, 2}, {"Radio", 1, 3},
                                             {"\x05" "Arte", 0, 1, 0x80}, {"ARD", 2, 2}, {"", 4, 1},
                                             {"b radio", 1, 3, 0x10}, {"ZDF", 0, 2}});
    const std::vector<std::tuple<ListKind, int, Indices>> cases = {
        {ListKind::Tv, 3, {0, 1, 3, 4, 5, 7}}, // All
        {ListKind::Tv, 5, {1, 4, 7}},          // Hotbird
        {ListKind::Tv, 1, {1, 4, 5, 7, 0, 3}}, // FTA, then CAS
        {ListKind::Tv, 2, {1, 3, 7, 0, 4}},    // SD, then HD; type 4 is neither
        {ListKind::Tv, 0, {4, 7, 0, 5, 3, 1}}, // letters by name (ties: the box's order), then the rest
        {ListKind::Tv, 6, {}},
        {ListKind::Radio, 3, {2, 6}},
        {ListKind::Radio, 0, {6, 2}},
    };
    for (const auto& [kind, filter, rows] : cases)
        EXPECT_EQ(UserListFilterRows(db, sats, kind, filter), rows) << filter;
}

TEST(UserListEdits, AddSkipsHeldChannelsAndStopsAtTheLimit)
{
    const std::vector<std::tuple<ListKind, int, Indices, int, std::vector<std::string>>> cases = {
        // kind, entries 0..held-1 already in the list, added indices, how many were added
        {ListKind::Tv, 3, {1, 2}, 0, {}},
        {ListKind::Tv, 3, {5, 1, 7}, 2, {}},
        {ListKind::Tv, 5999, {6000, 6001, 6002}, 1, {"Max. 6000 TV channels!"}},
        {ListKind::Radio, 3999, {0, 5000}, 0, {"Max. 3999 Radio channels!"}},
    };
    for (const auto& [kind, held, add, added, texts] : cases) {
        ChannelDatabase db;
        Entries entries(static_cast<std::size_t>(held));
        std::iota(entries.begin(), entries.end(), 0);
        db.setUserListEntries(4, kind, entries);
        RecordingMessages messages;
        const UserListAddition addition = AddToUserList(db, 4, kind, add, messages);
        EXPECT_EQ(std::pair(addition.first, addition.added), std::pair(held, added));
        EXPECT_EQ(db.userListSize(4, kind), held + added);
        EXPECT_EQ(messages.texts(), texts);
    }
}

TEST(UserListEdits, RemoveAndMoveKeepTheOrderOfTheRest)
{
    const Entries start = {10, 11, 12, 13, 14, 15};
    ChannelDatabase db;
    db.setUserListEntries(2, ListKind::Radio, start);
    EXPECT_EQ(RemoveFromUserList(db, 2, ListKind::Radio, std::vector{4, 1, 9}), 2);
    EXPECT_EQ(db.userListEntries(2, ListKind::Radio), (Entries{10, 12, 13, 15}));

    const std::vector<std::tuple<Indices, MoveDirection, Entries>> cases = {
        {{2, 4}, MoveDirection::Up, {10, 12, 14, 11, 13, 15}}, // rows 1..4 hold 2, 4, 1, 3
        {{1, 2}, MoveDirection::Down, {10, 13, 11, 12, 14, 15}},
        {{0}, MoveDirection::Up, start},
        {{5}, MoveDirection::Down, start},
    };
    for (const auto& [selected, direction, after] : cases) {
        db.setUserListEntries(0, ListKind::Tv, start);
        EXPECT_EQ(MoveUserListEntries(db, 0, ListKind::Tv, selected, direction).has_value(), after != start);
        EXPECT_EQ(db.userListEntries(0, ListKind::Tv), after);
    }
}

TEST(UserListEdits, RenameComparesWithEveryDisplayNameExactly)
{
    ChannelDatabase db;
    db.setUserListName(2, "Sport");
    const std::vector<std::tuple<int, std::string, RenameOutcome>> cases = {
        {2, "User 1", RenameOutcome::NameExists}, // list 1 is unnamed
        {2, "Sport", RenameOutcome::NameExists},
        {1, "Sport", RenameOutcome::Unchanged},
        {2, "user 1", RenameOutcome::Renamed},
        {4, "News", RenameOutcome::Renamed},
    };
    for (const auto& [list, name, outcome] : cases)
        EXPECT_EQ(RenameUserList(db, list, name), outcome) << name;
    EXPECT_EQ(db.userListDisplayName(3) + db.userListDisplayName(5), "user 1News"); // numbers count from 1
}
