#include "chdb/ChannelView.h"

#include <gtest/gtest.h>

#include <random>

using Rows = std::vector<std::string>;
using Indices = std::vector<int>;

namespace {

struct Sample {
    std::uint16_t satellite;
    std::uint8_t type;
    std::uint32_t cas;
    std::string name;
};

DatabaseState MakeState(const std::vector<Sample>& channels, int list = 0)
{
    DatabaseState state;
    for (std::size_t i = 0; i < channels.size(); ++i) {
        ChannelInfo c;
        c.setSatelliteId(channels[i].satellite);
        c.setType(channels[i].type);
        c.setCasMask(channels[i].cas);
        c.setName(channels[i].name);
        c.setKey(static_cast<std::uint16_t>(2000 + i));
        state.db.setChannel(static_cast<int>(i), c);
    }
    state.db.setChannelCount(static_cast<int>(channels.size()));
    state.satList = {{"Astra", 1, 0}, {"Hotbird", 2, 0}, {"Astra", 1, 1}};
    state.casList = {{"Irdeto", 0x10}, {"Conax", 0x80}};
    state.list = list;
    return state;
}

Indices Shown(const DatabaseState& state, Category category, int group)
{
    return BuildChannelView(state, static_cast<int>(category), group).tableIndices;
}

} // namespace

TEST(ChannelView, CategoryAndGroupRows)
{
    EXPECT_EQ(CategoryRows(ListKind::Tv), (Rows{"SAT", "User", "A-Z", "FTA/CAS", "SD/HD"}));
    EXPECT_EQ(CategoryRows(ListKind::Radio), (Rows{"SAT", "User", "A-Z", "FTA/CAS"}));
    DatabaseState state = MakeState({});
    EXPECT_EQ(GroupRows(state, Category::Sat), (Rows{"All", "Astra", "Hotbird"}));
    state.list = 1;
    EXPECT_EQ(GroupRows(state, Category::Sat), (Rows{"All", "Astra"}));
    state.db.setUserListName(2, "Sport");
    const Rows user = GroupRows(state, Category::User);
    ASSERT_EQ(user.size(), 10u);
    EXPECT_EQ(user[0], "User 1");
    EXPECT_EQ(user[1], "Sport");
    const Rows letters = GroupRows(state, Category::AToZ);
    ASSERT_EQ(letters.size(), 27u);
    EXPECT_EQ(letters[0], "A (a)");
    EXPECT_EQ(letters[25], "Z (z)");
    EXPECT_EQ(letters[26], "others");
    EXPECT_EQ(GroupRows(state, Category::FtaCas), (Rows{"FTA", "Irdeto", "Conax"}));
    EXPECT_EQ(GroupRows(state, Category::SdHd), (Rows{"SD", "HD"}));
}

TEST(ChannelView, FiltersByListKindAndGroup)
{
    const DatabaseState tv = MakeState({{1, 0, 0, "One"},
                                        {2, 2, 0x10, "Two HD"},
                                        {1, 1, 0, "Radio"},
                                        {2, 0, 0x90, "Three"},
                                        {1, 2, 0x80, "Four HD"}});
    EXPECT_EQ(Shown(tv, Category::Sat, 0), (Indices{0, 1, 3, 4}));
    EXPECT_EQ(Shown(tv, Category::Sat, 1), (Indices{0, 4}));
    EXPECT_EQ(Shown(tv, Category::Sat, 2), (Indices{1, 3}));
    EXPECT_EQ(Shown(tv, Category::FtaCas, 0), (Indices{0}));
    EXPECT_EQ(Shown(tv, Category::FtaCas, 1), (Indices{1, 3}));
    EXPECT_EQ(Shown(tv, Category::FtaCas, 2), (Indices{3, 4}));
    EXPECT_EQ(Shown(tv, Category::SdHd, 0), (Indices{0, 3}));
    EXPECT_EQ(Shown(tv, Category::SdHd, 1), (Indices{1, 4}));

    DatabaseState radio = tv;
    radio.list = 1;
    EXPECT_EQ(Shown(radio, Category::Sat, 0), (Indices{2}));
    EXPECT_EQ(Shown(radio, Category::Sat, 1), (Indices{2})); // the first radio satellite entry
    EXPECT_TRUE(Shown(radio, Category::SdHd, 0).empty());    // no such category for radio
    EXPECT_TRUE(Shown(radio, Category::Sat, 2).empty());     // only one radio satellite
    EXPECT_TRUE(Shown(tv, Category::Sat, -1).empty());
    DatabaseState none = tv;
    none.list = DatabaseState::kNoData;
    EXPECT_TRUE(Shown(none, Category::Sat, 0).empty());
}

TEST(ChannelView, UserListsTakeEveryValidEntryInListOrder)
{
    DatabaseState state = MakeState({{1, 0, 0, "A"}, {1, 1, 0, "B"}, {1, 0, 0, "C"}});
    state.db.setUserListEntries(3, ListKind::Tv, {2, 1, 0, 99, -1, 2});
    EXPECT_EQ(Shown(state, Category::User, 3), (Indices{2, 1, 0, 2}));
    EXPECT_TRUE(Shown(state, Category::User, 4).empty());
}

TEST(ChannelView, AToZGroupsByFirstStoredByte)
{
    const DatabaseState state = MakeState({{1, 0, 0, "alpha"},
                                           {1, 0, 0, "Beta"},
                                           {1, 0, 0, "\x05"
                                                     "Arte"},
                                           {1, 0, 0, "3sat"},
                                           {1, 0, 0, ""},
                                           {1, 0, 0, "Anixe"}});
    EXPECT_EQ(Shown(state, Category::AToZ, 0), (Indices{0, 5}));
    EXPECT_EQ(Shown(state, Category::AToZ, 1), (Indices{1}));
    // A selector byte or a digit is "others"; an empty name is in no group.
    EXPECT_EQ(Shown(state, Category::AToZ, 26), (Indices{2, 3}));
}

TEST(ChannelView, NameSortKeepsTheSelectionSortOrderOfEqualNames)
{
    // Lower-cased names b, a, a, b: a stable sort would give 1 2 0 3.
    const DatabaseState state = MakeState({{1, 0, 0, "b"}, {1, 0, 0, "A"}, {1, 0, 0, "a"}, {1, 0, 0, "B"}});
    ChannelView view = BuildChannelView(state, static_cast<int>(Category::Sat), 0);
    SortViewByName(view);
    EXPECT_EQ(view.tableIndices, (Indices{1, 2, 3, 0}));
    EXPECT_EQ(view.records[0].name(), "A");

    // Bytes compare unsigned; a prefix sorts first.
    const DatabaseState mixed = MakeState({{1, 0, 0, "\xE9t\xE9"}, {1, 0, 0, "zz"}, {1, 0, 0, "z"}});
    view = BuildChannelView(mixed, static_cast<int>(Category::Sat), 0);
    SortViewByName(view);
    EXPECT_EQ(view.tableIndices, (Indices{2, 1, 0}));
}

TEST(ChannelView, FastNameSortMatchesThePlainSelectionSort)
{
    std::mt19937 random(5);
    for (int round = 0; round < 50; ++round) {
        std::vector<Sample> channels;
        const int n = 1 + static_cast<int>(random() % 300);
        for (int i = 0; i < n; ++i) {
            std::string name;
            const int length = static_cast<int>(random() % 3);
            for (int k = 0; k < length; ++k)
                name += "aAbB\xE9"[random() % 5]; // few distinct names: many ties
            channels.push_back({1, 0, 0, name});
        }
        const DatabaseState state = MakeState(channels);
        ChannelView fast = BuildChannelView(state, static_cast<int>(Category::Sat), 0);
        ChannelView plain = fast;
        SortViewByName(fast);

        // The plain quadratic algorithm on the same keys.
        auto key = [](const ChannelInfo& c) {
            std::string k = c.name();
            for (char& ch : k)
                if (ch >= 'A' && ch <= 'Z')
                    ch = static_cast<char>(ch + 32);
            return k;
        };
        auto& idx = plain.tableIndices;
        for (std::size_t d = 0; d + 1 < idx.size(); ++d) {
            const std::size_t last = idx.size() - 1 - d;
            std::size_t greatest = 0;
            for (std::size_t i = 1; i <= last; ++i)
                if (key(plain.records[i]) > key(plain.records[greatest]))
                    greatest = i;
            std::swap(plain.records[greatest], plain.records[last]);
            std::swap(idx[greatest], idx[last]);
        }
        ASSERT_EQ(fast.tableIndices, plain.tableIndices) << "round " << round;
    }
}
