#include "chdb/ChannelReport.h"
#include "chdb/ListBuilds.h"

#include "tests/chdb/Tables.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>

using Sats = std::vector<SatListEntry>;
using Cas = std::vector<CasEntry>;

TEST(ChannelReport, SectionsAreReadUpToAMarkerLineOfItsOwn)
{
    const std::string longName(5000, 'N');
    const struct {
        std::string text;
        bool valid;
        Sats satellites;
        Cas cas;
    } cases[] = {
        {"preamble line\nSIG_SAT_LIST_START|3\nAstra 19.2E:0x00c0:0\nHot Bird 13E:00c1:0\nAstra 19.2E:c0:1\n"
         "SIG_CAS_LIST_START|2\nIrdeto:0x10\nNagravision:800\nSIG_CHN_END\nIgnored:0x1\n",
         true, {{"Astra 19.2E", 0xc0, 0}, {"Hot Bird 13E", 0xc1, 0}, {"Astra 19.2E", 0xc0, 1}},
         {{"Irdeto", 0x10}, {"Nagravision", 0x800}}},
        // Counts bound each section, unknown headers close it; the last line needs no line feed.
        {"Early:0x1:0\nSIG_SAT_LIST_START|2\nA:1:0\nB:2:0\nC:3:0\nSIG_OTHER|5\nD:4:0\n"
         "SIG_CAS_LIST_START|-4\nX:0x1\nSIG_CHN_END",
         true, {{"A", 1, 0}, {"B", 2, 0}}, {}},
        // Hex digits are lower case only, read from the right.
        {"SIG_SAT_LIST_START|2\nUp:00C0:0\nLong:123c0:1\nSIG_CAS_LIST_START|1\nBad:0x1G\nSIG_CHN_END\n",
         true, {{"Up", 0, 0}, {"Long", 0x23c0, 1}}, {{"Bad", 0}}},
        // Hostile lines stay inside their fields: the 5000-byte line is read in 1022-byte
        // pieces, its last piece carries the fields; names are cut to their field.
        {"SIG_SAT_LIST_START|4\nno fields\n\n" + longName + ":0x1:0\nSat:with:colons:0x2:1\n"
         "SIG_CAS_LIST_START|1\n" + std::string(40, 'C') + ":0x4\nSIG_CHN_END\n",
         true, {{std::string(25, 'N'), 1, 0}, {"Sat:with:colons", 2, 1}}, {{std::string(15, 'C'), 4}}},
        {"SIG_SAT_LIST_START|0\nxSIG_CHN_END\n", false, {}, {}},
        {"SIG_CHN_END \n", false, {}, {}},
        {"SIG_CHN_END\r\n", false, {}, {}}, // lines end at a line feed alone
        {"", false, {}, {}},
        {"\n\nSIG_CHN_END\n", true, {}, {}},
        // 1022 bytes, then the marker as a piece of its own line.
        {std::string(1022, 'x') + "SIG_CHN_END\n", true, {}, {}},
        {std::string(1021, 'x') + "SIG_CHN_END\n", false, {}, {}},
        // Exactly 1022 bytes and a line feed: the line feed comes as an empty piece.
        {std::string(1022, 'x') + "\nSIG_CHN_END\n", true, {}, {}},
        {std::string("SIG_CHN_END\0junk\n", 17), true, {}, {}}, // a NUL ends the line
    };
    for (const auto& c : cases) {
        const ChannelReport r = ParseChannelReport(c.text);
        EXPECT_EQ(std::tie(r.valid, r.satellites, r.cas), std::tie(c.valid, c.satellites, c.cas)) << c.text.substr(0, 60);
    }
}

TEST(ChannelReport, ReadsTheReportFile)
{
    TempDir dir;
    std::ofstream(dir / "ChannelData.dat") << "SIG_SAT_LIST_START|1\nS:0x7:0\nSIG_CHN_END\n";
    EXPECT_EQ(ParseChannelReportFile(dir / "ChannelData.dat").satellites, (Sats{{"S", 7, 0}}));
    EXPECT_FALSE(ParseChannelReportFile(dir / "missing.dat").valid);
}

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
