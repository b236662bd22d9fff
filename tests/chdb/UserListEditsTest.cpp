#include "chdb/UserListEdits.h"

#include "tests/support/RecordingMessages.h"

#include <gtest/gtest.h>

#include <numeric>
#include <random>

using Indices = std::vector<int>;
using Entries = std::vector<std::int32_t>;

namespace {

struct Sample {
    std::uint16_t satellite;
    std::uint8_t type;
    std::uint32_t cas;
    std::string name;
};

ChannelDatabase MakeDatabase(const std::vector<Sample>& channels)
{
    ChannelDatabase db;
    for (std::size_t i = 0; i < channels.size(); ++i) {
        ChannelInfo c;
        c.setSatelliteId(channels[i].satellite);
        c.setType(channels[i].type);
        c.setCasMask(channels[i].cas);
        c.setName(channels[i].name);
        db.setChannel(static_cast<int>(i), c);
    }
    db.setChannelCount(static_cast<int>(channels.size()));
    return db;
}

const std::vector<SatListEntry> kSatellites = {{"Astra", 1, 0}, {"Radio Sat", 3, 1}, {"Hotbird", 2, 0}};

} // namespace

TEST(UserListFilters, EntriesAndRows)
{
    EXPECT_EQ(UserListFilters(kSatellites, ListKind::Tv),
              (std::vector<std::string>{"A-Z", "FTA/CAS", "SD/HD", "All", "Astra", "Hotbird"}));
    EXPECT_EQ(UserListFilters(kSatellites, ListKind::Radio),
              (std::vector<std::string>{"A-Z", "FTA/CAS", "All", "Radio Sat"}));
    EXPECT_EQ(DefaultUserListFilter(ListKind::Tv), 3);
    EXPECT_EQ(DefaultUserListFilter(ListKind::Radio), 2);

    const ChannelDatabase db = MakeDatabase({{1, 2, 0x10, "zdf"},
                                             {2, 0, 0, "3sat"},
                                             {3, 1, 0, "Radio"},
                                             {1, 0, 0x80, "\x05"
                                                          "Arte"},
                                             {2, 2, 0, "ARD"},
                                             {1, 4, 0, ""},
                                             {3, 1, 0x10, "b radio"}});
    struct Case {
        ListKind kind;
        int filter;
        Indices rows;
    };
    const std::vector<Case> cases = {
        {ListKind::Tv, 3, {0, 1, 3, 4, 5}},  // All
        {ListKind::Tv, 4, {0, 3, 5}},        // Astra
        {ListKind::Tv, 5, {1, 4}},           // Hotbird
        {ListKind::Tv, 1, {1, 4, 5, 0, 3}},  // FTA, then CAS
        {ListKind::Tv, 2, {1, 3, 0, 4}},     // SD, then HD; type 4 is neither
        {ListKind::Tv, 0, {4, 0, 5, 3, 1}},  // letters by name, then the rest by name
        {ListKind::Tv, 6, {}},
        {ListKind::Tv, -1, {}},
        {ListKind::Radio, 2, {2, 6}},
        {ListKind::Radio, 3, {2, 6}},
        {ListKind::Radio, 0, {6, 2}},
        {ListKind::Radio, 1, {2, 6}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.filter);
        EXPECT_EQ(UserListFilterRows(db, kSatellites, c.kind, c.filter), c.rows);
    }
}

TEST(UserListFilters, AToZMatchesThePlainTwoGroupSelectionSort)
{
    std::mt19937 random(11);
    for (int round = 0; round < 40; ++round) {
        std::vector<Sample> channels;
        const int n = 1 + static_cast<int>(random() % 200);
        for (int i = 0; i < n; ++i) {
            std::string name;
            for (int k = static_cast<int>(random() % 3); k > 0; --k)
                name += "aAbB1\x05"[random() % 6]; // few distinct names: many ties
            channels.push_back({1, 0, 0, name});
        }
        const ChannelDatabase db = MakeDatabase(channels);

        // The plain algorithm: two groups in table order, each selection-sorted on lower case.
        auto key = [&](int i) {
            std::string k = db.channel(i).name();
            for (char& ch : k)
                ch = static_cast<char>(ch >= 'A' && ch <= 'Z' ? ch + 32 : ch);
            return k;
        };
        Indices groups[2];
        for (int i = 0; i < n; ++i) {
            const char first = db.channel(i).name().c_str()[0];
            groups[std::isalpha(static_cast<unsigned char>(first)) ? 0 : 1].push_back(i);
        }
        Indices expected;
        for (Indices& g : groups) {
            for (std::size_t d = 0; d + 1 < g.size(); ++d) {
                const std::size_t last = g.size() - 1 - d;
                std::size_t greatest = 0;
                for (std::size_t i = 1; i <= last; ++i)
                    if (key(g[i]) > key(g[greatest]))
                        greatest = i;
                std::swap(g[greatest], g[last]);
            }
            expected.insert(expected.end(), g.begin(), g.end());
        }
        ASSERT_EQ(UserListFilterRows(db, {}, ListKind::Tv, 0), expected) << "round " << round;
    }
}

TEST(UserListEdits, AddSkipsHeldChannelsAndStopsAtTheLimit)
{
    struct Case {
        ListKind kind;
        int held; // entries 0..held-1 already in the list
        Indices add;
        int added;
        std::vector<std::string> messages;
    };
    const std::vector<Case> cases = {
        {ListKind::Tv, 3, {1, 2}, 0, {}},
        {ListKind::Tv, 3, {5, 1, 7, 5}, 3, {}}, // a repeated pick is not checked against itself
        {ListKind::Tv, 5999, {6000, 6001, 6002}, 1, {"Max. 6000 TV channels!"}},
        {ListKind::Radio, 3999, {0, 5000}, 0, {"Max. 3999 Radio channels!"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.held);
        ChannelDatabase db;
        Entries entries(static_cast<std::size_t>(c.held));
        std::iota(entries.begin(), entries.end(), 0);
        db.setUserListEntries(4, c.kind, entries);
        RecordingMessages messages;
        const UserListAddition addition = AddToUserList(db, 4, c.kind, c.add, messages);
        EXPECT_EQ(addition.added, c.added);
        EXPECT_EQ(addition.first, c.held);
        EXPECT_EQ(db.userListSize(4, c.kind), c.held + c.added);
        EXPECT_EQ(messages.texts(), c.messages);
    }
}

TEST(UserListEdits, RemoveAndMoveKeepTheOrderOfTheRest)
{
    ChannelDatabase db;
    db.setUserListEntries(2, ListKind::Radio, {10, 11, 12, 13, 14, 15});
    EXPECT_EQ(RemoveFromUserList(db, 2, ListKind::Radio, std::vector{4, 1, 9}), 2);
    EXPECT_EQ(db.userListEntries(2, ListKind::Radio), (Entries{10, 12, 13, 15}));
    EXPECT_EQ(RemoveFromUserList(db, 2, ListKind::Tv, std::vector{0}), 0);

    struct Case {
        Indices selected;
        MoveDirection direction;
        Entries after; // empty: nothing moves
    };
    const std::vector<Case> cases = {
        {{2, 4}, MoveDirection::Up, {10, 12, 14, 11, 13, 15}}, // rows 1..4 now hold 2, 4, 1, 3
        {{1, 2}, MoveDirection::Down, {10, 13, 11, 12, 14, 15}},
        {{0}, MoveDirection::Up, {}},
        {{5}, MoveDirection::Down, {}},
    };
    const Entries start = {10, 11, 12, 13, 14, 15};
    for (const Case& c : cases) {
        db.setUserListEntries(0, ListKind::Tv, start);
        const auto move = MoveUserListEntries(db, 0, ListKind::Tv, c.selected, c.direction);
        EXPECT_EQ(move.has_value(), !c.after.empty());
        EXPECT_EQ(db.userListEntries(0, ListKind::Tv), c.after.empty() ? start : c.after);
    }
}

TEST(UserListEdits, RenameComparesWithEveryDisplayNameExactly)
{
    ChannelDatabase db;
    db.setUserListName(2, "Sport");
    struct Case {
        int list;
        std::string name;
        RenameOutcome outcome;
    };
    const std::vector<Case> cases = {
        {2, "User 1", RenameOutcome::NameExists}, // list 1 is unnamed
        {2, "Sport", RenameOutcome::NameExists},
        {1, "Sport", RenameOutcome::Unchanged},
        {0, "User 1", RenameOutcome::Unchanged},
        {2, "", RenameOutcome::Unchanged},
        {2, "user 1", RenameOutcome::Renamed},
        {4, "News", RenameOutcome::Renamed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(RenameUserList(db, c.list, c.name), c.outcome);
    }
    EXPECT_EQ(db.userListDisplayName(3), "user 1");
    // List 5: its flag is set and the name ends in NUL.
    const auto menu = db.image(ChannelDatabase::kMenuData);
    EXPECT_EQ(menu[192 + 5], 1);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&menu[203 + 16 * 4])), "News");
    EXPECT_EQ(menu[203 + 16 * 4 + 4], 0);
}
