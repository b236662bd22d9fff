#include "chdb/ReferenceOrder.h"

#include "tests/chdb/Tables.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// A channel on one of three transponders that both lists know under ids of their own (a new
// search numbers them anew): 0 and 1 differ only in polarisation, 2 only in the satellite's
// position. Transponder -1 lies on a satellite the table does not have.
struct Row {
    std::string name;
    int tp = 0, sid = 0;
    bool radio = false;
};

// Keys 100 + the position in the list as built.
ChannelDatabase Build(const std::vector<Row>& rows, std::uint16_t idBase)
{
    const auto id = [idBase](int n) { return static_cast<std::uint16_t>(idBase + n); };
    const int satOfTp[3] = {1, 1, 2};
    std::vector<Ch> channels;
    for (const Row& r : rows)
        channels.push_back({r.name, r.radio ? ChannelInfo::kRadio : ChannelInfo::kSdtv,
                            r.tp < 0 ? std::uint16_t{999} : id(satOfTp[r.tp]), 0, id(10 + r.tp),
                            static_cast<std::uint16_t>(r.sid)});
    ChannelDatabase db = WithChannels(channels);
    for (int s = 0; s < 2; ++s) {
        SatInfo sat;
        sat.setId(id(s + 1));
        sat.setPosition(s == 0 ? 192 : 130);
        db.setSatellite(s, sat);
    }
    db.setSatelliteCount(2);
    for (int t = 0; t < 3; ++t) {
        TpInfo tp;
        tp.setId(id(10 + t));
        tp.setSatelliteId(id(satOfTp[t]));
        tp.setFrequency(11000);
        tp.setPolarization(t == 1 ? 0 : 1);
        db.setTransponder(t, tp);
    }
    db.setTransponderCount(3);
    return db;
}

// The table's channels by the position they had when built.
std::vector<int> Order(const ChannelDatabase& db)
{
    std::vector<int> order = Keys(db);
    std::ranges::for_each(order, [](int& k) { k -= 100; });
    return order;
}

struct Case {
    const char* what;
    std::vector<Row> table;
    std::vector<Row> reference;
    std::vector<int> order; // the table's channels afterwards, by their position before
    ReorderSummary summary;
};

const Row A{"Alpha", 0, 1}, B{"Beta", 0, 2}, C{"Gamma", 1, 1}, D{"Delta", 2, 1};
const Row R1{"Radio 1", 0, 50, true}, R2{"Radio 2", 2, 51, true};

const Case kCases[] = {
    {"identical lists", {A, B, C, R1}, {A, B, C, R1}, {0, 1, 2, 3}, {4, 0, 0}},
    {"the reference reversed", {A, B, C, D}, {D, C, B, A}, {3, 2, 1, 0}, {4, 4, 0}},
    // B renamed (same tuning), X new, D gone from the box.
    {"rescan: new, missing and renamed", {A, {"Beta HD", 0, 2}, {"X", 2, 7}, C}, {C, A, B, D}, {3, 0, 1, 2}, {3, 4, 1}},
    // Same polarisation or position alone is not the same channel.
    {"tuning parts all count", {{"Q", 1, 1}, {"Q2", 2, 1}}, {A}, {0, 1}, {0, 0, 2}},
    {"a service that moved is found by its unique name", {{"News", 2, 9}, A}, {A, {"News", 0, 5}}, {1, 0}, {2, 2, 0}},
    {"no satellite record: by name", {B, {"Lost", -1, 3}}, {{"Lost", -1, 4}, B}, {1, 0}, {2, 2, 0}},
    {"duplicates in the table pair in order", {A, A, B}, {B, A}, {2, 0, 1}, {2, 3, 1}},
    {"duplicates in the reference pair in order", {B, A}, {A, B, A}, {1, 0}, {2, 2, 0}},
    {"an ambiguous name matches nothing", {{"Same", 2, 8}, {"Same", 2, 9}}, {{"Same", 1, 1}}, {0, 1}, {0, 0, 2}},
    {"TV and radio sort together", {R2, D, R1, A}, {A, R1, D, R2}, {3, 2, 1, 0}, {4, 4, 0}},
    // The same service id and name as TV and as radio are two channels.
    {"the kind counts", {{"Both", 0, 5, true}, {"Both", 0, 5}}, {{"Both", 0, 5}}, {1, 0}, {1, 2, 1}},
    {"an empty reference keeps the order", {A, B}, {}, {0, 1}, {0, 0, 2}},
};

TEST(ReferenceOrder, OrdersLikeTheReference)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        ChannelDatabase db = Build(c.table, 0);
        EXPECT_EQ(ApplyReferenceOrder(db, Build(c.reference, 300)), c.summary);
        EXPECT_EQ(Order(db), c.order);
    }
}

// The lists come from the reference, pointing at the matched channels; entries for channels
// the table lacks, out of range or of the other kind are dropped, and nothing else changes.
TEST(ReferenceOrder, UserListsAndNamesComeFromTheReference)
{
    ChannelDatabase db = Build({A, R1, B, {"New", 2, 7}, C}, 0);
    db.setUserListEntries(0, ListKind::Tv, {0, 2});
    db.setUserListEntries(5, ListKind::Tv, {4});
    db.setUserListName(6, "Mine");
    db.setPin(4321);
    ChannelDatabase reference = Build({C, D, R1, A}, 300);
    reference.setUserListEntries(0, ListKind::Tv, {3, 1, 0, 2, 77, -1, 3});
    reference.setUserListEntries(0, ListKind::Radio, {2, 0});
    reference.setUserListName(1, "Sport");
    reference.setUserListName(10, "Music");
    EXPECT_EQ(ApplyReferenceOrder(db, reference), (ReorderSummary{3, 4, 2}));
    EXPECT_EQ(Order(db), (std::vector<int>{4, 1, 0, 2, 3})); // C, R1, A, then B and New
    EXPECT_EQ(db.userListEntries(0, ListKind::Tv), (std::vector<std::int32_t>{2, 0, 2}));
    EXPECT_EQ(db.userListEntries(0, ListKind::Radio), (std::vector<std::int32_t>{1}));
    EXPECT_EQ(std::tuple(db.userListSize(5, ListKind::Tv), db.userListName(1), db.userListName(10),
                         db.isUserListNamed(6), int{db.pin()}),
              std::tuple(0, "Sport", "Music", false, 4321)); // the rest of the settings stay
}

} // namespace
