#include "chdb/BackupFile.h"
#include "cli/CliCommands.h"
#include "tests/cli/CliRunner.h"

#include "tests/support/RecordingMessages.h"
#include "tests/support/TempDir.h"
#include "util/Version.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fstream>
#include <sstream>

namespace {

ChannelDatabase SampleDatabase()
{
    ChannelDatabase db;
    SatInfo sat;
    sat.setId(0xc0);
    sat.setName("Astra 19.2E");
    sat.setPosition(192);
    sat.setPositioner(255);
    db.setSatellite(0, sat);
    db.setSatelliteCount(1);
    TpInfo tp;
    tp.setId(7);
    tp.setSatelliteId(0xc0);
    tp.setFrequency(11836);
    db.setTransponder(0, tp);
    db.setTransponderCount(1);
    ChannelInfo tv;
    tv.setSatelliteId(0xc0);
    tv.setTransponderId(7);
    tv.setType(2);
    tv.setCasMask(0x800);
    tv.setKey(2001);
    tv.setName("\x05T\xDCRK, \"1\"");
    ChannelInfo radio = tv;
    radio.setType(1);
    radio.setName("Radio");
    db.setChannel(0, tv);
    db.setChannel(1, radio);
    db.setChannelCount(2);
    db.setUserListEntries(0, ListKind::Tv, {0});
    db.setUserListEntries(0, ListKind::Radio, {1});
    db.setUserListName(1, "Favs");
    db.setPin(42);
    return db;
}

} // namespace

TEST(CliDump, JsonHasTheDocumentedKeysAndStoredValues)
{
    TempDir dir;
    ASSERT_TRUE(SampleDatabase().SaveToFolder(dir.path()));
    const CliRun run = Cli({"dump", dir.path().string(), "--format", "json"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto j = nlohmann::json::parse(run.out);
    EXPECT_EQ(j["pin"], "0042");
    EXPECT_EQ(j["satellites"][0]["id"], 0xc0);
    EXPECT_EQ(j["satellites"][0]["name"], "Astra 19.2E");
    EXPECT_EQ(j["satellites"][0]["positioner"], 255);
    EXPECT_EQ(j["transponders"][0]["frequency"], 11836);
    ASSERT_EQ(j["channels"].size(), 2u);
    EXPECT_EQ(j["channels"][0]["name"], "T\xC3\x9CRK, \"1\"");
    EXPECT_EQ(j["channels"][0]["name_hex"].get<std::string>().substr(0, 6), "0554dc"); // selector, T, \xDC
    EXPECT_EQ(j["channels"][0]["cas_mask"], 0x800);
    EXPECT_EQ(j["channels"][0]["radio"], false);
    EXPECT_EQ(j["channels"][1]["radio"], true);
    ASSERT_EQ(j["user_lists"].size(), 10u);
    EXPECT_EQ(j["user_lists"][0]["number"], 1);
    EXPECT_EQ(j["user_lists"][0]["name"], "Favs");
    EXPECT_TRUE(j["user_lists"][1]["name"].is_null());
    EXPECT_EQ(j["user_lists"][0]["tv"], nlohmann::json::array({0}));
    EXPECT_EQ(j["user_lists"][0]["radio"], nlohmann::json::array({1}));
}

TEST(CliDump, CsvQuotesNamesAndTextSummarises)
{
    TempDir dir;
    RecordingMessages messages;
    ASSERT_TRUE(ExportBackup(SampleDatabase(), dir / "s.ech", messages));
    const CliRun csv = Cli({"dump", (dir / "s.ech").string(), "--format=csv"});
    ASSERT_EQ(csv.status, 0);
    std::istringstream lines(csv.out);
    std::string header, first;
    std::getline(lines, header);
    std::getline(lines, first);
    EXPECT_EQ(header.rfind("index,satellite_id,", 0), 0u);
    EXPECT_NE(first.find(",\"T\xC3\x9CRK, \"\"1\"\"\","), std::string::npos) << first;

    const CliRun text = Cli({"dump", (dir / "s.ech").string()});
    EXPECT_EQ(text.status, 0);
    EXPECT_NE(text.out.find("2 (1 TV, 1 radio, 1 HD, 2 scrambled, 0 locked)"), std::string::npos)
        << text.out;
}

TEST(CliPack, PackAndUnpackAreByteExact)
{
    TempDir dir;
    const ChannelDatabase db = SampleDatabase();
    ASSERT_TRUE(db.SaveToFolder(dir / ""));
    ASSERT_EQ(Cli({"pack", dir.path().string(), (dir / "b.ech").string()}).status, 0);
    EXPECT_EQ(std::filesystem::file_size(dir / "b.ech"), kBackupFileSize);
    ASSERT_EQ(Cli({"unpack", (dir / "b.ech").string(), (dir / "out").string()}).status, 0);
    for (const char* name : {"chdata.dat", "chidx.dat", "menudata.dat"})
        EXPECT_EQ(ReadFile(dir / "out" / name), ReadFile(dir / name)) << name;
}

TEST(CliPack, FailuresPrintTheMessageAndExitOne)
{
    TempDir dir;
    std::ofstream(dir / "bad.ech") << "short";
    CliRun run = Cli({"unpack", (dir / "bad.ech").string(), (dir / "out").string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Version not matching!\n");
    EXPECT_FALSE(std::filesystem::exists(dir / "out"));

    run = Cli({"dump", (dir / "empty-folder").string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Version not matching!\n"); // not a folder and not a backup

    std::filesystem::create_directory(dir / "folder");
    run = Cli({"pack", (dir / "folder").string(), (dir / "x.ech").string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "File read error!\n");

    EXPECT_EQ(Cli({"dump"}).status, 2);
    EXPECT_EQ(Cli({"frobnicate"}).status, 2);
    EXPECT_EQ(Cli({"--help"}).status, 0);
    run = Cli({"--version"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, std::string("channeltool-cli ") + kProgramVersion + "\n");
}
