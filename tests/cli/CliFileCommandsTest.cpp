#include "chdb/BackupFile.h"
#include "cli/CliCommands.h"
#include "tests/chdb/Tables.h"
#include "tests/cli/CliRunner.h"

#include "tests/support/RecordingMessages.h"
#include "tests/support/TempDir.h"
#include "util/Version.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using nlohmann::json;

namespace {

// A TV channel with a selector byte and quotes in its name and a radio channel on one
// satellite with one transponder; user list 1 named and holding both.
ChannelDatabase SampleDatabase()
{
    ChannelDatabase db = WithChannels({{"\x05T\xDCRK, \"1\"", 2, 0xc0, 0x800}, {"Radio", 1, 0xc0, 0x800}});
    SatInfo sat;
    sat.setId(0xc0);
    sat.setName("Astra 19.2E");
    sat.setPosition(192);
    sat.setPositioner(255);
    db.setSatellite(0, sat);
    db.setSatelliteCount(1);
    TpInfo tp;
    tp.setSatelliteId(0xc0);
    tp.setFrequency(11836);
    db.setTransponder(0, tp);
    db.setTransponderCount(1);
    db.setUserListEntries(0, ListKind::Tv, {0});
    db.setUserListEntries(0, ListKind::Radio, {1});
    db.setUserListName(1, "Favs");
    db.setPin(42);
    return db;
}

} // namespace

TEST(CliDump, JsonCsvAndTextShowTheStoredValues)
{
    TempDir dir;
    ASSERT_TRUE(SampleDatabase().SaveToFolder(dir.path()));
    const CliRun run = Cli({"dump", dir.path().string(), "--format", "json"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto j = json::parse(run.out);
    EXPECT_EQ(j["pin"], "0042");
    EXPECT_EQ(j["satellites"][0], json::parse(R"({"index": 0, "id": 192, "name": "Astra 19.2E", "position": 192,
        "lnb_type": 0, "lnb_low": 0, "lnb_high": 0, "tone_22k": 0, "diseqc": 0, "diseqc11_port": 0,
        "lnb_power": 0, "transponder_count": 0, "positioner": 255})"));
    EXPECT_EQ(j["transponders"][0], json::parse(R"({"index": 0, "id": 0, "satellite_id": 192, "frequency": 11836,
        "symbol_rate": 0, "fec": 0, "polarization": 0, "pilot": 0})"));
    ASSERT_EQ(j["channels"].size(), 2u);
    EXPECT_EQ(j["channels"][0], json::parse(R"({"index": 0, "satellite_id": 192, "transponder_id": 0,
        "service_id": 0, "pmt_pid": 0, "video_pid": 0, "audio_pid": 0, "pcr_pid": 0, "cas_mask": 2048, "type": 2,
        "lock": 0, "key": 100, "radio": false, "name": "T\u00dcRK, \"1\"", "name_hex": "0554dc524b2c20223122"})"));
    EXPECT_EQ(j["channels"][1]["radio"], true);
    ASSERT_EQ(j["user_lists"].size(), 10u);
    EXPECT_EQ(j["user_lists"][0], json::parse(R"({"number": 1, "name": "Favs", "tv": [0], "radio": [1]})"));
    EXPECT_EQ(j["user_lists"][1], json::parse(R"({"number": 2, "name": null, "tv": [], "radio": []})"));

    RecordingMessages messages;
    ASSERT_TRUE(ExportBackup(SampleDatabase(), dir / "s.ech", messages));
    const CliRun csv = Cli({"dump", (dir / "s.ech").string(), "--format=csv"});
    ASSERT_EQ(csv.status, 0);
    EXPECT_EQ(csv.out.substr(0, csv.out.find("\r\n1,")),
              "index,satellite_id,transponder_id,service_id,pmt_pid,video_pid,audio_pid,pcr_pid,cas_mask,type,lock,"
              "key,radio,name,name_hex\r\n0,192,0,0,0,0,0,0,2048,2,0,100,false,\"T\xC3\x9CRK, \"\"1\"\"\","
              "0554dc524b2c20223122");
    const CliRun text = Cli({"dump", (dir / "s.ech").string()});
    EXPECT_EQ(text.status, 0);
    EXPECT_NE(text.out.find("2 (1 TV, 1 radio, 1 HD, 2 scrambled, 0 locked)"), std::string::npos) << text.out;
}

TEST(CliPack, PackAndUnpackAreByteExactAndFailuresPrintTheMessage)
{
    TempDir dir;
    ASSERT_TRUE(SampleDatabase().SaveToFolder(dir / ""));
    ASSERT_EQ(Cli({"pack", dir.path().string(), (dir / "b.ech").string()}).status, 0);
    EXPECT_EQ(std::filesystem::file_size(dir / "b.ech"), kBackupFileSize);
    ASSERT_EQ(Cli({"unpack", (dir / "b.ech").string(), (dir / "out").string()}).status, 0);
    for (const char* name : {"chdata.dat", "chidx.dat", "menudata.dat"})
        EXPECT_EQ(ReadBytes(dir / "out" / name), ReadBytes(dir / name)) << name;

    std::ofstream(dir / "bad.ech") << "short";
    std::filesystem::create_directory(dir / "folder");
    const std::vector<std::pair<std::vector<std::string>, std::string>> failures = {
        {{"unpack", (dir / "bad.ech").string(), (dir / "bad").string()}, "Version not matching!\n"},
        {{"dump", (dir / "empty-folder").string()}, "Version not matching!\n"}, // no folder, no backup
        {{"pack", (dir / "folder").string(), (dir / "x.ech").string()}, "File read error!\n"},
    };
    for (const auto& [args, message] : failures)
        EXPECT_EQ(Cli(args).result(), "1 " + message);
    EXPECT_FALSE(std::filesystem::exists(dir / "bad") || std::filesystem::exists(dir / "x.ech"));
    EXPECT_EQ((std::vector{Cli({"dump"}).status, Cli({"frobnicate"}).status, Cli({"--help"}).status}),
              (std::vector{2, 2, 0}));
    const CliRun version = Cli({"--version"});
    EXPECT_EQ(version.result() + version.out, std::string("0 channeltool-cli ") + kProgramVersion + "\n");
}
