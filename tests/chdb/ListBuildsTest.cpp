#include "chdb/ListBuilds.h"

#include "tests/chdb/Tables.h"

#include <gtest/gtest.h>

using Sats = std::vector<SatListEntry>;

namespace {

ChannelDatabase WithSatellites(const std::vector<Ch>& channels)
{
    ChannelDatabase db = WithChannels(channels);
    const char* names[] = {"One", "Two", "Three"};
    for (int s = 0; s < 3; ++s) {
        SatInfo sat;
        sat.setId(static_cast<std::uint16_t>(s + 1));
        sat.setName(names[s]);
        db.setSatellite(s, sat);
    }
    db.setSatelliteCount(3);
    return db;
}

} // namespace

// Satellites in order of their first channel, all TV ones before the radio ones; types 2 and
// 0 are TV, 1 and 3 radio; a channel on a satellite the table lacks adds none.
TEST(BuildSatelliteList, TvPassThenRadioPassInOrderOfFirstAppearance)
{
    EXPECT_EQ(BuildSatelliteList(WithSatellites({{"", 1, 2}, {"", 0, 3}, {"", 2, 2}, {"", 0, 9}, {"", 0, 3}, {"", 3, 1}})),
              (Sats{{"Three", 3, 0}, {"Two", 2, 0}, {"Two", 2, 1}, {"One", 1, 1}}));
    EXPECT_EQ(BuildSatelliteList(WithSatellites({{"", 0, 2}, {"", 2, 2}})), (Sats{{"Two", 2, 0}}));
    EXPECT_TRUE(BuildSatelliteList(ChannelDatabase{}).empty());
}

TEST(RefreshSatelliteNames, EntriesTakeTheirSatellitesNames)
{
    Sats list{{"Old", 1, 0}, {"Old", 1, 1}, {"Two", 2, 0}, {"Gone", 7, 0}};
    RefreshSatelliteNames(list, WithSatellites({})); // a satellite the table lacks keeps its name
    EXPECT_EQ(list, (Sats{{"One", 1, 0}, {"One", 1, 1}, {"Two", 2, 0}, {"Gone", 7, 0}}));
}

TEST(BuildBuiltInCasList, ThirtySystemsWithOneBitEach)
{
    const auto cas = BuildBuiltInCasList();
    ASSERT_EQ(cas.size(), 30u);
    for (std::size_t k = 0; k < cas.size(); ++k)
        EXPECT_EQ(cas[k].mask, 1u << k) << cas[k].name;
    EXPECT_EQ(cas[0].name + cas[14].name + cas[29].name, "othersAccessgateRusCrypt");
}
