// The parts of the box that need no connection: paths, command lines, fault rules, disks.conf,
// the demo database and its channel report.
#include "stbsim/BoxPath.h"
#include "stbsim/BoxSocket.h"
#include "stbsim/ChannelReportText.h"
#include "stbsim/CommandLine.h"
#include "stbsim/DiskLayout.h"
#include "stbsim/ShellWords.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

using Words = std::vector<std::string>;
using namespace std::string_literals;

TEST(BoxPath, TakesPathsBelowTheMountPointApartAndRefusesAnyWayOut)
{
    const std::pair<const char*, Words> cases[] = {
        {"/mnt/link_to_pc", {}},
        {"/mnt/link_to_pc/Movies/Short clips", {"Movies", "Short clips"}},
        {"/mnt/link_to_pc//a/./b/", {"a", "b"}},
        {"/mnt/link_to_pc/Caf\xC3\xA9 ...x", {"Caf\xC3\xA9 ...x"}}};
    for (const auto& [text, names] : cases)
        EXPECT_EQ(BoxPath::Parse(text)->names, names) << text;
    for (const std::string& text :
         {"/mnt/link_to_pc/.."s, "/mnt/link_to_pc/a/../../etc"s, "/mnt/link_to_pc/../x"s,
          "/etc/passwd"s, ""s, "mnt/link_to_pc"s, "/mnt/link_to_pcX"s, "/mnt/link_to_pc\\.."s,
          "/mnt/link_to_pc/a\nb"s, "/mnt/link_to_pc/a\x7f"s, "/mnt/link_to_pc/a\0b"s,
          "/mnt/link_to_pc/" + std::string(256, 'x')})
        EXPECT_FALSE(BoxPath::Parse(text)) << text;
}

TEST(ShellWords, SplitsAtBlanksAndReadsQuotesAndEscapesLikeAShell)
{
    const std::pair<const char*, Words> cases[] = {
        {"  rm\t-rf   \"/mnt/link_to_pc/My Folder\"  ", {"rm", "-rf", "/mnt/link_to_pc/My Folder"}},
        {"mkdir 'a \"b\" $c' a\\ b \"\"", {"mkdir", "a \"b\" $c", "a b", ""}},
        {"mkdir x\"y z\"'w' a\\\nb", {"mkdir", "xy zw", "ab"}},
        {"", {}},
        // Characters that are special only at the start of a word stay literal elsewhere.
        {"mkdir a#b~c", {"mkdir", "a#b~c"}},
        // Inside double quotes a backslash escapes only " \ $ ` and a line feed, and stays
        // before any other character.
        {R"(mkdir "a\"b\\c\$d\`e")", {"mkdir", "a\"b\\c$d`e"}},
        {"mkdir \"a\\\nb\" \"a\nb\"", {"mkdir", "ab", "a\nb"}},
        {R"(mkdir "a\nb\'c")", {"mkdir", "a\\nb\\'c"}}};
    for (const auto& [line, words] : cases)
        EXPECT_EQ(SplitShellWords(line), words) << line;
    for (const char* line :
         {"mkdir \"$(reboot)\"", "mkdir \"`reboot`\"", "mkdir $HOME", "mkdir `x`",
          "rm -rf x; reboot", "rm -rf x | cat", "rm x && y", "df > out", "df < in", "mkdir (x)",
          "rm *", "rm ?", "rm [ab]", "mkdir ~/x", "# comment", "df\nreboot", "mkdir \"open",
          "mkdir 'open", "mkdir x\\"})
        EXPECT_FALSE(SplitShellWords(line)) << line;
}

TEST(Fault, RulesNameAKeyAndAModeThatReadsBackAsWritten)
{
    for (const char* rule :
         {"SIG_GET_CHDATA=close", "SIG_COMMAND_START:df=once:reply:a=b:c",
          "K=reply:", "SIG_SET_CHDATA=once:after:short:12", "K=split", "K=stall", "K=hostile"}) {
        const auto parsed = ParseFaultRule(rule);
        ASSERT_TRUE(parsed) << rule;
        EXPECT_EQ(parsed->key + "=" + parsed->fault.Describe(), rule);
    }
    for (const char* bad : {"K", "=close", "K=", "K=explode", "K=short:", "K=short:-1",
                            "K=short:1x", "K=after:once:close"})
        EXPECT_FALSE(ParseFaultRule(bad)) << bad;
}

// However long the text before it, a padded marker never straddles a 1023-byte boundary.
TEST(Fault, MarkerPaddingKeepsEveryMarkerInsideOneReceive)
{
    for (std::size_t marker : {12u, 17u, 19u, 22u})
        for (std::size_t body = 0; body < 5000; ++body) {
            const std::size_t pad = MarkerPadding(body, marker);
            EXPECT_EQ((body + pad) / 1023, (body + pad + marker - 1) / 1023)
                << body << " " << marker;
            EXPECT_LT(pad, marker);
        }
}

TEST(CommandLine, ReadsEveryOptionAndRefusesUnknownOnes)
{
    const CommandLine line = ParseCommandLine(
        {"--state", "/tmp/x", "--address", "127.0.0.9", "--port", "0", "--seed", "42", "--size",
         "tiny", "--quiet", "--fault", "SIG_CHN_START=stall", "--fault", "SIG_GET_CHDATA=short:5"});
    ASSERT_TRUE(line.error.empty()) << line.error;
    const StbSimulator::Options& o = line.options;
    EXPECT_EQ(std::tuple(o.stateDir.string(), o.address, o.port, o.seed, o.size, o.log),
              std::tuple("/tmp/x"s, "127.0.0.9"s, 0, 42u, DemoSize::Tiny, nullptr));
    ASSERT_EQ(line.faults.size(), 2u);
    EXPECT_EQ(line.faults[1].fault.withheld, 5u);
    EXPECT_TRUE(ParseCommandLine({"--help"}).help);
    EXPECT_TRUE(ParseCommandLine({"--version"}).version);
    for (const char* bad :
         {"--port 70000", "--port", "--size big", "--fault X", "--verbose", "--seed -1"})
        EXPECT_FALSE(ParseCommandLine(*SplitShellWords(bad)).error.empty()) << bad;
}

// Reports of disk layouts are read through the box in StorageServiceTest.
TEST(DiskLayout, ConfigRoundTripsAndRefusesBrokenLines)
{
    std::string error;
    const auto read = ParseDiskConfig(FormatDiskConfig(DemoDiskLayout()), error);
    ASSERT_TRUE(read) << error; // boot marks included
    EXPECT_EQ(FormatDiskConfig(*read), FormatDiskConfig(DemoDiskLayout()));
    EXPECT_TRUE(ParseDiskConfig("# no disks at all\n\n", error)->disks.empty());
    for (const char* text :
         {"part /dev/sda1 1 2\n", "disk /dev/sda 10\npart /dev/sda1 5 11\n",
          "disk /dev/sda 10\npart /dev/sda1 6 5\n", "disk /dev/../etc 10\n",
          "disk /dev/sda 10\ndisk /dev/sda 10\n", "disk /dev/sda 0\n", "disk /dev/sda 10 256 63\n",
          "disk /dev/sda 10\npart /dev/sda1 1 2 zz\n", "volume /dev/sda\n", "disk /dev/sda x\n"})
        EXPECT_TRUE(!ParseDiskConfig(text, error = "") && !error.empty()) << text;
}

TEST(DemoDatabase, IsTheSameForTheSameSeedAndTheFullOneFillsEveryTable)
{
    const ChannelDatabase seven = GenerateDemoDatabase(7, DemoSize::Small);
    EXPECT_TRUE(seven == GenerateDemoDatabase(7, DemoSize::Small));
    EXPECT_FALSE(seven == GenerateDemoDatabase(8, DemoSize::Small));
    EXPECT_FALSE(ParseDemoSize("huge"));
    EXPECT_GE(GenerateDemoDatabase(1, *ParseDemoSize("large")).channelCount(), 3000);
    const ChannelDatabase full = GenerateDemoDatabase(3, *ParseDemoSize("full"));
    EXPECT_EQ(std::tuple(full.satelliteCount(), full.transponderCount(), full.channelCount()),
              std::tuple(150, 1500, 9999));
}

// Every record points at records that exist, keys are unique and user lists hold indices of
// channels of their own kind: what the editors rely on.
TEST(DemoDatabase, RecordsAreConsistentAndCoverEveryKindOfChannel)
{
    const ChannelDatabase db = GenerateDemoDatabase(5, DemoSize::Full);
    std::map<std::uint16_t, int> tpPerSat;
    for (int i = 0; i < db.satelliteCount(); ++i)
        EXPECT_TRUE(db.satellite(i).id() != 0 && !db.satellite(i).name().empty() &&
                    tpPerSat.emplace(db.satellite(i).id(), 0).second);
    std::set<std::pair<std::uint16_t, std::uint16_t>> tps;
    for (int i = 0; i < db.transponderCount(); ++i) {
        const TpInfo tp = db.transponder(i);
        EXPECT_TRUE(tpPerSat.count(tp.satelliteId()) &&
                    tps.insert({tp.satelliteId(), tp.id()}).second);
        ++tpPerSat[tp.satelliteId()];
    }
    for (int i = 0; i < db.satelliteCount(); ++i)
        EXPECT_EQ(db.satellite(i).transponderCount(), tpPerSat[db.satellite(i).id()]);
    std::set<std::uint16_t> keys;
    int seen = 0; // a bit for each kind of channel that occurs
    for (int i = 0; i < db.channelCount(); ++i) {
        const ChannelInfo ch = db.channel(i);
        const std::string name = ch.visibleName();
        EXPECT_TRUE(tps.count({ch.satelliteId(), ch.transponderId()}) &&
                    keys.insert(ch.key()).second && !name.empty())
            << i;
        // Radio, HD, scrambled, locked, with a selector byte, without one, non-ASCII letters.
        seen |= ch.isRadio() | ch.isHd() << 1 | (ch.casMask() != 0) << 2 | (ch.lock() == 1) << 3 |
                (ch.selector() != 0) << 4 | (ch.selector() == 0) << 5 |
                std::any_of(name.begin(), name.end(), [](char c) { return c & 0x80; }) << 6;
    }
    EXPECT_EQ(seen, 0x7f);
    int named = 0;
    for (int list = 0; list < ChannelDatabase::kUserListCount; ++list) {
        named += db.isUserListNamed(list + 1);
        for (ListKind kind : {ListKind::Tv, ListKind::Radio})
            for (std::int32_t index : db.userListEntries(list, kind))
                EXPECT_TRUE(index >= 0 && index < db.channelCount() &&
                            db.channel(index).isRadio() == (kind == ListKind::Radio))
                    << index;
    }
    EXPECT_TRUE(named > 0 && named < ChannelDatabase::kUserListCount) << named;
    EXPECT_TRUE(db.userListSize(0, ListKind::Tv) > 0 && db.pinText().size() == 4u);
}

// The full report of a demo database is read by the program in DatabaseServiceTest.
TEST(ChannelReportText, ListsTvSatellitesThenRadioOnesAndTheCasSystemsInUse)
{
    ChannelDatabase db;
    SatInfo sat;
    for (auto [i, id, name] :
         {std::tuple(0, 0xc0, "Astra 19.2E"), std::tuple(1, 0x1ab, "Hot|bird")}) {
        sat.setId(static_cast<std::uint16_t>(id));
        sat.setName(name);
        db.setSatellite(i, sat);
    }
    db.setSatelliteCount(2);
    auto channel = [&](int i, std::uint16_t satId, std::uint8_t type, std::uint32_t cas) {
        ChannelInfo ch;
        ch.setSatelliteId(satId);
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
