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

} // namespace

TEST(UserListFilters, EntriesAndRows)
{
    const std::vector<SatListEntry> sats = {{"Astra", 1, 0}, {"Radio Sat", 3, 1}, {"Hotbird", 2, 0}};
    EXPECT_EQ(UserListFilters(sats, ListKind::Tv),
              (std::vector<std::string>{"A-Z", "FTA/CAS", "SD/HD", "All", "Astra", "Hotbird"}));
    EXPECT_EQ(UserListFilters(sats, ListKind::Radio), (std::vector<std::string>{"A-Z", "FTA/CAS", "All", "Radio Sat"}));
    EXPECT_EQ(DefaultUserListFilter(ListKind::Radio), 2);

    const ChannelDatabase db = MakeDatabase({{1, 2, 0x10, "zdf"},
                                             {2, 0, 0, "3sat"},
                                             {3, 1, 0, "Radio"},
                                             {1, 0, 0x80, "\x05"
                                                          "Arte"},
                                             {2, 2, 0, "ARD"},
                                             {1, 4, 0, ""},
                                             {3, 1, 0x10, "b radio"}});
    const std::vector<std::tuple<ListKind, int, Indices>> cases = {
        {ListKind::Tv, 3, {0, 1, 3, 4, 5}}, // All
        {ListKind::Tv, 5, {1, 4}},          // Hotbird
        {ListKind::Tv, 1, {1, 4, 5, 0, 3}}, // FTA, then CAS
        {ListKind::Tv, 2, {1, 3, 0, 4}},    // SD, then HD; type 4 is neither
        {ListKind::Tv, 0, {4, 0, 5, 3, 1}}, // letters by name, then the rest by name
        {ListKind::Tv, 6, {}},
        {ListKind::Radio, 3, {2, 6}},
        {ListKind::Radio, 0, {6, 2}},
    };
    for (const auto& [kind, filter, rows] : cases)
        EXPECT_EQ(UserListFilterRows(db, sats, kind, filter), rows) << filter;
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
                ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
            return k;
        };
        Indices groups[2];
        for (int i = 0; i < n; ++i)
            groups[std::isalpha(static_cast<unsigned char>(db.channel(i).name().c_str()[0])) ? 0 : 1].push_back(i);
        Indices expected;
        for (Indices& g : groups) {
            for (std::size_t last = g.size(); last-- > 1;) {
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
        {ListKind::Tv, 3, {5, 1, 7}, 2, {}},
        {ListKind::Tv, 5999, {6000, 6001, 6002}, 1, {"Max. 6000 TV channels!"}},
        {ListKind::Radio, 3999, {0, 5000}, 0, {"Max. 3999 Radio channels!"}},
    };
    for (const Case& c : cases) {
        ChannelDatabase db;
        Entries entries(static_cast<std::size_t>(c.held));
        std::iota(entries.begin(), entries.end(), 0);
        db.setUserListEntries(4, c.kind, entries);
        RecordingMessages messages;
        const UserListAddition addition = AddToUserList(db, 4, c.kind, c.add, messages);
        EXPECT_EQ(std::pair(addition.first, addition.added), std::pair(c.held, c.added));
        EXPECT_EQ(db.userListSize(4, c.kind), c.held + c.added);
        EXPECT_EQ(messages.texts(), c.messages);
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
    EXPECT_EQ(db.userListDisplayName(3), "user 1");
    // List 5: its flag is set and the name ends in NUL.
    const auto menu = db.image(ChannelDatabase::kMenuData);
    EXPECT_EQ(menu[192 + 5], 1);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&menu[203 + 16 * 4]), 5), std::string("News\0", 5));
}
