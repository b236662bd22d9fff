#include "chdb/ChannelView.h"

#include "tests/chdb/Tables.h"

#include <gtest/gtest.h>

using Rows = std::vector<std::string>;
using Indices = std::vector<int>;

namespace {

DatabaseState MakeState(const std::vector<Ch>& channels)
{
    DatabaseState state;
    state.db = WithChannels(channels);
    state.satList = {{"Astra", 1, 0}, {"Hotbird", 2, 0}, {"Hotbird", 2, 1}};
    state.casList = {{"Irdeto", 0x10}, {"Conax", 0x80}};
    state.list = 0;
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
    EXPECT_EQ(GroupRows(state, Category::Sat), (Rows{"All", "Hotbird"}));
    state.db.setUserListName(2, "Sport");
    const Rows user = GroupRows(state, Category::User), letters = GroupRows(state, Category::AToZ);
    ASSERT_EQ(std::tuple(user.size(), letters.size()), std::tuple(10u, 27u));
    EXPECT_EQ((Rows{user[0], user[1], user[9], letters[0], letters[25], letters[26]}),
              (Rows{"User 1", "Sport", "User 10", "A (a)", "Z (z)", "others"}));
    EXPECT_EQ(GroupRows(state, Category::FtaCas), (Rows{"FTA", "Irdeto", "Conax"}));
    EXPECT_EQ(GroupRows(state, Category::SdHd), (Rows{"SD", "HD"}));
}

// A user list takes every valid entry in its order; A-Z groups by the first stored byte, so a
// selector byte or a digit is "others" and an empty name is in no group, and sorts by name.
// Type 4 is TV, but neither SD nor HD.
TEST(ChannelView, FiltersByListKindAndGroup)
{
    DatabaseState state = MakeState({{"One", 0, 1}, {"two HD", 2, 2, 0x10}, {"Radio", 1, 2}, {"3sat", 0, 2, 0x90},
                                     {"Four HD", 2, 1, 0x80}, {"\x05Three", 0, 1}, {"", 4, 1}});
    state.db.setUserListEntries(3, ListKind::Tv, {4, 2, 0, 99, -1, 4});
    const std::vector<std::tuple<int, Category, int, Indices>> cases = {
        {0, Category::Sat, 0, {0, 1, 3, 4, 5, 6}}, {0, Category::Sat, 1, {0, 4, 5, 6}},
        {0, Category::Sat, 2, {1, 3}},             {0, Category::FtaCas, 0, {0, 5, 6}},
        {0, Category::FtaCas, 1, {1, 3}},          {0, Category::FtaCas, 2, {3, 4}},
        {0, Category::SdHd, 0, {0, 3, 5}},         {0, Category::SdHd, 1, {1, 4}},
        {0, Category::User, 3, {4, 2, 0, 4}},      {0, Category::User, 4, {}},
        {0, Category::AToZ, 14, {0}},              {0, Category::AToZ, 19, {1}},
        {0, Category::AToZ, 26, {5, 3}},           {0, Category::Sat, -1, {}},
        {1, Category::Sat, 0, {2}},
        {1, Category::Sat, 1, {2}},                // the first radio satellite entry
        {1, Category::SdHd, 0, {}},                // no such category for radio
        {1, Category::Sat, 2, {}},                 // only one radio satellite
        {DatabaseState::kNoData, Category::Sat, 0, {}},
    };
    for (const auto& [list, category, group, rows] : cases) {
        state.list = list;
        EXPECT_EQ(Shown(state, category, group), rows) << list << " " << int(category) << " " << group;
    }
}

// Few distinct names make many ties: equal names end in the order the box's selection sort
// leaves them (a stable sort would differ), bytes compare unsigned and a prefix sorts first.
TEST(ChannelView, NameSortMatchesThePlainSelectionSort)
{
    std::mt19937 random(5);
    for (int round = 0; round < 50; ++round) {
        std::vector<Ch> channels(1 + random() % 300);
        for (Ch& c : channels)
            for (int k = static_cast<int>(random() % 3); k > 0; --k)
                c.name += "aAbB\xE9"[random() % 5];
        const DatabaseState state = MakeState(channels);
        ChannelView fast = BuildChannelView(state, static_cast<int>(Category::Sat), 0);
        ChannelView plain = fast;
        SortViewByName(fast);

        // The plain quadratic algorithm on the same keys.
        auto key = [](const ChannelInfo& c) {
            std::string k = c.name();
            for (char& ch : k)
                ch = ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch + 32) : ch;
            return k;
        };
        for (std::size_t last = plain.records.size(); last-- > 1;) {
            std::size_t greatest = 0;
            for (std::size_t i = 1; i <= last; ++i)
                if (key(plain.records[i]) > key(plain.records[greatest]))
                    greatest = i;
            std::swap(plain.records[greatest], plain.records[last]);
            std::swap(plain.tableIndices[greatest], plain.tableIndices[last]);
        }
        ASSERT_EQ(fast.tableIndices, plain.tableIndices) << "round " << round;
        ASSERT_EQ(fast.records, plain.records) << "round " << round;
    }
}
