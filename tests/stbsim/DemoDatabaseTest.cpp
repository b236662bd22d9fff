#include "stbsim/DemoDatabase.h"
#include "stbsim/ChannelReportText.h"

#include "chdb/ChannelReport.h"
#include "chdb/ListBuilds.h"

#include <gtest/gtest.h>

#include <set>

TEST(DemoDatabase, IsTheSameForTheSameSeedAndDiffersForAnother)
{
    EXPECT_TRUE(GenerateDemoDatabase(7, DemoSize::Small) ==
                GenerateDemoDatabase(7, DemoSize::Small));
    EXPECT_FALSE(GenerateDemoDatabase(7, DemoSize::Small) ==
                 GenerateDemoDatabase(8, DemoSize::Small));
    EXPECT_EQ(ParseDemoSize("full"), DemoSize::Full);
    EXPECT_EQ(ParseDemoSize(DemoSizeName(DemoSize::Tiny)), DemoSize::Tiny);
    EXPECT_FALSE(ParseDemoSize("huge"));
}

TEST(DemoDatabase, SizesRunFromTinyToFullCapacity)
{
    int last = 0;
    for (DemoSize size : {DemoSize::Tiny, DemoSize::Small, DemoSize::Large}) {
        const ChannelDatabase db = GenerateDemoDatabase(1, size);
        EXPECT_GT(db.channelCount(), last);
        last = db.channelCount();
    }
    EXPECT_GE(GenerateDemoDatabase(1, DemoSize::Large).channelCount(), 3000);
    const ChannelDatabase full = GenerateDemoDatabase(3, DemoSize::Full);
    EXPECT_EQ(full.satelliteCount(), 150);
    EXPECT_EQ(full.transponderCount(), 1500);
    EXPECT_EQ(full.channelCount(), 9999);
}

// Every record points at records that exist, keys are unique and user lists hold indices of
// channels of their own kind: what the editors rely on.
TEST(DemoDatabase, RecordsAreConsistentAndCoverEveryKindOfChannel)
{
    const ChannelDatabase db = GenerateDemoDatabase(5, DemoSize::Full);
    std::set<std::uint16_t> satIds;
    std::map<std::uint16_t, int> tpPerSat;
    for (int i = 0; i < db.satelliteCount(); ++i) {
        EXPECT_NE(db.satellite(i).id(), 0);
        EXPECT_TRUE(satIds.insert(db.satellite(i).id()).second);
        EXPECT_FALSE(db.satellite(i).name().empty());
    }
    std::set<std::pair<std::uint16_t, std::uint16_t>> tps;
    for (int i = 0; i < db.transponderCount(); ++i) {
        const TpInfo tp = db.transponder(i);
        EXPECT_TRUE(satIds.count(tp.satelliteId()));
        EXPECT_TRUE(tps.insert({tp.satelliteId(), tp.id()}).second);
        ++tpPerSat[tp.satelliteId()];
    }
    for (int i = 0; i < db.satelliteCount(); ++i)
        EXPECT_EQ(db.satellite(i).transponderCount(), tpPerSat[db.satellite(i).id()]);

    std::set<std::uint16_t> keys;
    int radio = 0, hd = 0, scrambled = 0, locked = 0, selector = 0, foreign = 0;
    for (int i = 0; i < db.channelCount(); ++i) {
        const ChannelInfo ch = db.channel(i);
        EXPECT_TRUE(tps.count({ch.satelliteId(), ch.transponderId()})) << i;
        EXPECT_TRUE(keys.insert(ch.key()).second);
        EXPECT_FALSE(ch.visibleName().empty());
        radio += ch.isRadio();
        hd += ch.isHd();
        scrambled += ch.casMask() != 0;
        locked += ch.lock() == 1;
        selector += ch.selector() != 0;
        const std::string name = ch.visibleName();
        foreign += std::any_of(name.begin(), name.end(),
                               [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    }
    EXPECT_GT(radio, 0);
    EXPECT_GT(hd, 0);
    EXPECT_GT(scrambled, 0);
    EXPECT_GT(locked, 0);
    EXPECT_GT(selector, 0);
    EXPECT_GT(foreign, 0);
    EXPECT_LT(selector, db.channelCount()); // and names without a selector too

    int named = 0, unnamed = 0;
    for (int list = 0; list < ChannelDatabase::kUserListCount; ++list) {
        (db.isUserListNamed(list + 1) ? named : unnamed)++;
        for (ListKind kind : {ListKind::Tv, ListKind::Radio})
            for (std::int32_t index : db.userListEntries(list, kind)) {
                ASSERT_GE(index, 0);
                ASSERT_LT(index, db.channelCount());
                EXPECT_EQ(db.channel(index).isRadio(), kind == ListKind::Radio);
            }
    }
    EXPECT_GT(named, 0);
    EXPECT_GT(unnamed, 0);
    EXPECT_GT(db.userListSize(0, ListKind::Tv), 0);
    EXPECT_EQ(db.pinText().size(), 4u);
}

TEST(ChannelReportText, ListsTvSatellitesThenRadioOnesAndTheCasSystemsInUse)
{
    ChannelDatabase db;
    SatInfo astra, hotbird, bad;
    astra.setId(0xc0);
    astra.setName("Astra 19.2E");
    hotbird.setId(0x1ab);
    hotbird.setName("Hot|bird");
    db.setSatellite(0, astra);
    db.setSatellite(1, hotbird);
    db.setSatelliteCount(2);
    auto channel = [&](int i, std::uint16_t sat, std::uint8_t type, std::uint32_t cas) {
        ChannelInfo ch;
        ch.setSatelliteId(sat);
        ch.setType(type);
        ch.setCasMask(cas);
        db.setChannel(i, ch);
    };
    channel(0, 0x1ab, ChannelInfo::kRadio, 0);
    channel(1, 0xc0, ChannelInfo::kHdtv, 0x10);
    channel(2, 0x1ab, ChannelInfo::kSdtv, 0x800 | 0x10);
    channel(3, 0x777, ChannelInfo::kSdtv, 0x80000000); // unknown satellite and CAS bit
    db.setChannelCount(4);

    EXPECT_EQ(BuildChannelReport(db), "SIG_SAT_LIST_START|3\n"
                                      "Astra 19.2E:c0:0\n"
                                      "Hot bird:1ab:0\n"
                                      "Hot bird:1ab:1\n"
                                      "SIG_CAS_LIST_START|2\n"
                                      "Irdeto:0x10\n"
                                      "Nagravision:0x800\n"
                                      "SIG_CHN_END\n");
}

TEST(ChannelReportText, TheProgramParsesTheReportOfAFullDatabase)
{
    const ChannelDatabase db = GenerateDemoDatabase(11, DemoSize::Full);
    const ChannelReport report = ParseChannelReport(BuildChannelReport(db));
    ASSERT_TRUE(report.valid);
    EXPECT_EQ(report.satellites, BuildSatelliteList(db));
    std::uint32_t used = 0;
    for (int i = 0; i < db.channelCount(); ++i)
        used |= db.channel(i).casMask();
    ASSERT_FALSE(report.cas.empty());
    for (const CasEntry& entry : report.cas)
        EXPECT_NE(entry.mask & used, 0u) << entry.name;
}
