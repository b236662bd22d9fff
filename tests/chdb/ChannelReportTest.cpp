#include "chdb/ChannelReport.h"

#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>

using Sats = std::vector<SatListEntry>;
using Cas = std::vector<CasEntry>;

TEST(ChannelReport, ParsesBothSectionsUpToTheMarker)
{
    const ChannelReport r = ParseChannelReport("preamble line\n"
                                               "SIG_SAT_LIST_START|3\n"
                                               "Astra 19.2E:0x00c0:0\n"
                                               "Hot Bird 13E:00c1:0\n"
                                               "Astra 19.2E:c0:1\n"
                                               "SIG_CAS_LIST_START|2\n"
                                               "Irdeto:0x10\n"
                                               "Nagravision:800\n"
                                               "SIG_CHN_END\n"
                                               "Ignored:0x1\n");
    EXPECT_TRUE(r.valid);
    EXPECT_EQ(r.satellites, (Sats{{"Astra 19.2E", 0xc0, 0}, {"Hot Bird 13E", 0xc1, 0}, {"Astra 19.2E", 0xc0, 1}}));
    EXPECT_EQ(r.cas, (Cas{{"Irdeto", 0x10}, {"Nagravision", 0x800}}));
}

TEST(ChannelReport, CountsBoundEachSectionAndUnknownHeadersCloseIt)
{
    const ChannelReport r = ParseChannelReport("Early:0x1:0\n"
                                               "SIG_SAT_LIST_START|2\n"
                                               "A:1:0\nB:2:0\nC:3:0\n"
                                               "SIG_OTHER|5\n"
                                               "D:4:0\n"
                                               "SIG_CAS_LIST_START|-4\n"
                                               "X:0x1\n"
                                               "SIG_CHN_END");
    EXPECT_TRUE(r.valid); // the last line needs no line feed
    EXPECT_EQ(r.satellites, (Sats{{"A", 1, 0}, {"B", 2, 0}}));
    EXPECT_TRUE(r.cas.empty());
}

TEST(ChannelReport, HexFieldsAreLowerCaseOnly)
{
    const ChannelReport r = ParseChannelReport("SIG_SAT_LIST_START|2\nUp:00C0:0\nLong:123c0:1\n"
                                               "SIG_CAS_LIST_START|1\nBad:0x1G\nSIG_CHN_END\n");
    EXPECT_EQ(r.satellites, (Sats{{"Up", 0, 0}, {"Long", 0x23c0, 1}}));
    EXPECT_EQ(r.cas, (Cas{{"Bad", 0}}));
}

TEST(ChannelReport, MarkerMustBeTheWholeLine)
{
    EXPECT_FALSE(ParseChannelReport("SIG_SAT_LIST_START|0\nxSIG_CHN_END\n").valid);
    EXPECT_FALSE(ParseChannelReport("SIG_CHN_END \n").valid);
    // Lines end at a line feed alone: a carriage return stays part of the line.
    EXPECT_FALSE(ParseChannelReport("SIG_CHN_END\r\n").valid);
    EXPECT_FALSE(ParseChannelReport("").valid);
    EXPECT_TRUE(ParseChannelReport("\n\nSIG_CHN_END\n").valid);
}

TEST(ChannelReport, HostileLinesStayInsideTheirFields)
{
    const std::string longName(5000, 'N');
    const ChannelReport r = ParseChannelReport("SIG_SAT_LIST_START|4\n"
                                               "no fields\n"
                                               "\n" +
                                               longName + ":0x1:0\n" +
                                               "Sat:with:colons:0x2:1\n"
                                               "SIG_CAS_LIST_START|1\n" +
                                               std::string(40, 'C') + ":0x4\n" +
                                               "SIG_CHN_END\n");
    EXPECT_TRUE(r.valid);
    // The 5000-byte line is read in 1022-byte pieces; its last piece carries the fields.
    ASSERT_EQ(r.satellites.size(), 2u);
    EXPECT_EQ(r.satellites[0].name, std::string(25, 'N'));
    EXPECT_EQ(r.satellites[0].satelliteId, 1);
    EXPECT_EQ(r.satellites[1], (SatListEntry{"Sat:with:colons", 2, 1}));
    ASSERT_EQ(r.cas.size(), 1u);
    EXPECT_EQ(r.cas[0].name, std::string(15, 'C'));
}

TEST(ChannelReport, LongLinesAreReadInPiecesOfALineBuffer)
{
    // 1022 bytes then the marker as a piece of its own line.
    EXPECT_TRUE(ParseChannelReport(std::string(1022, 'x') + "SIG_CHN_END\n").valid);
    EXPECT_FALSE(ParseChannelReport(std::string(1021, 'x') + "SIG_CHN_END\n").valid);
    // Exactly 1022 bytes and a line feed: the line feed comes as an empty piece.
    EXPECT_TRUE(ParseChannelReport(std::string(1022, 'x') + "\nSIG_CHN_END\n").valid);
    // A NUL ends the line as it would end a C string.
    EXPECT_TRUE(ParseChannelReport(std::string("SIG_CHN_END\0junk\n", 17)).valid);
}

TEST(ChannelReport, ReadsTheReportFile)
{
    TempDir dir;
    std::ofstream(dir / "ChannelData.dat") << "SIG_SAT_LIST_START|1\nS:0x7:0\nSIG_CHN_END\n";
    const ChannelReport r = ParseChannelReportFile(dir / "ChannelData.dat");
    EXPECT_TRUE(r.valid);
    EXPECT_EQ(r.satellites, (Sats{{"S", 7, 0}}));
    EXPECT_FALSE(ParseChannelReportFile(dir / "missing.dat").valid);
}
