#include "chdb/ListBuilds.h"

#include <gtest/gtest.h>

using Sats = std::vector<SatListEntry>;

namespace {

void AddSatellite(ChannelDatabase& db, std::uint16_t id, const std::string& name)
{
    SatInfo sat;
    sat.setId(id);
    sat.setName(name);
    const int n = db.satelliteCount();
    db.setSatellite(n, sat);
    db.setSatelliteCount(n + 1);
}

void AddChannel(ChannelDatabase& db, std::uint16_t satelliteId, std::uint8_t type)
{
    ChannelInfo c;
    c.setSatelliteId(satelliteId);
    c.setType(type);
    const int n = db.channelCount();
    db.setChannel(n, c);
    db.setChannelCount(n + 1);
}

} // namespace

TEST(BuildSatelliteList, TvPassThenRadioPassInOrderOfFirstAppearance)
{
    ChannelDatabase db;
    AddSatellite(db, 1, "One");
    AddSatellite(db, 2, "Two");
    AddSatellite(db, 3, "Three");
    AddChannel(db, 2, 1);
    AddChannel(db, 3, 0);
    AddChannel(db, 2, 2);
    AddChannel(db, 9, 0); // satellite not in the table
    AddChannel(db, 3, 0);
    AddChannel(db, 1, 3);
    EXPECT_EQ(BuildSatelliteList(db), (Sats{{"Three", 3, 0}, {"Two", 2, 0}, {"Two", 2, 1}, {"One", 1, 1}}));
}

TEST(BuildSatelliteList, OneSatelliteWithOneOrBothKinds)
{
    ChannelDatabase db;
    AddSatellite(db, 5, "Only");
    AddChannel(db, 5, 0);
    AddChannel(db, 5, 2);
    EXPECT_EQ(BuildSatelliteList(db), (Sats{{"Only", 5, 0}}));
    AddChannel(db, 5, 1);
    EXPECT_EQ(BuildSatelliteList(db), (Sats{{"Only", 5, 0}, {"Only", 5, 1}}));
    EXPECT_TRUE(BuildSatelliteList(ChannelDatabase{}).empty());
}

TEST(RefreshSatelliteNames, EntriesTakeTheirSatellitesNames)
{
    ChannelDatabase db;
    AddSatellite(db, 1, "Renamed");
    AddSatellite(db, 2, "Two");
    Sats list{{"Old", 1, 0}, {"Old", 1, 1}, {"Two", 2, 0}, {"Gone", 7, 0}};
    RefreshSatelliteNames(list, db);
    EXPECT_EQ(list, (Sats{{"Renamed", 1, 0}, {"Renamed", 1, 1}, {"Two", 2, 0}, {"Gone", 7, 0}}));
}

TEST(BuildBuiltInCasList, ThirtySystemsWithOneBitEach)
{
    const auto cas = BuildBuiltInCasList();
    ASSERT_EQ(cas.size(), 30u);
    for (std::size_t k = 0; k < cas.size(); ++k)
        EXPECT_EQ(cas[k].mask, 1u << k) << cas[k].name;
    EXPECT_EQ(cas[0].name, "others");
    EXPECT_EQ(cas[13].name, "BISS");
    EXPECT_EQ(cas[14].name, "Accessgate");
    EXPECT_EQ(cas[19].name, "Neotion SHL");
    EXPECT_EQ(cas[29].name, "RusCrypt");
}
