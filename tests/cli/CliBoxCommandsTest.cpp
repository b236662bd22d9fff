#include "chdb/BackupFile.h"
#include "history/BackupHistory.h"
#include "platform/IcmpSocket.h"

#include "tests/cli/CliRunner.h"
#include "tests/support/NetNamespace.h"
#include "tests/support/RecordingMessages.h"
#include "tests/support/ScriptedBox.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>

namespace {

constexpr const char* kHandshake = "SIG_BACKUP_DATA_CHECK|0xdeadc0ff:0xdeadc011:13:9999";
const std::string kReport = "SIG_SAT_LIST_START|1\nAstra:0x00c0:0\nSIG_CHN_END\n";

// The three files by keyword, with distinct contents.
const std::vector<std::pair<std::string, std::string>> kFiles = [] {
    std::vector<std::pair<std::string, std::string>> files = {{"CHDATA", std::string(700256, 0)},
                                                              {"CHINDEX", std::string(440104, 0)},
                                                              {"MENUDATA", std::string(512, 0)}};
    for (auto& [name, bytes] : files)
        for (std::size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<char>((i * 13 + name.size()) ^ (i >> 8));
    return files;
}();

// The box commands use the real reachability check, on loopback.
class CliBoxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!IcmpSocket::Open())
            GTEST_SKIP() << "no ICMP socket can be opened here";
        setenv("CHANNELTOOL_REGISTRY", (work / "registry").c_str(), 1);
        setenv("CHANNELTOOL_HISTORY", (work / "history").c_str(), 1);
    }

    // The backups kept of a box, oldest first, by kind.
    std::vector<std::string> Kept(const std::string& address)
    {
        std::vector<std::string> kinds;
        for (const KeptBackup& b : BackupHistory(work / "history").List(address))
            kinds.insert(kinds.begin(), BackupKindName(b.kind));
        return kinds;
    }

    TempDir work;
    RecordingMessages messages;
};

} // namespace

TEST_F(CliBoxTest, DownloadedFolderUploadsBackByteForByte)
{
    ScriptedBox source("127.0.0.100");
    source.Expect(kHandshake).Reply("SIG_BACKUP_DATA_OK");
    for (const auto& [name, bytes] : kFiles) {
        source.Expect("SIG_INFO_" + name).Reply(std::to_string(bytes.size()));
        source.Expect("SIG_GET_" + name).Send(bytes);
    }
    source.Expect("SIG_CHN_START").Send(kReport);
    source.Start();
    const CliRun download = Cli({"download", "127.0.0.100", (work / "db").string()});
    source.Finish();
    ASSERT_EQ(download.status, 0) << download.err;
    EXPECT_EQ(ReadFile(work / "db" / "ChannelData.dat"), kReport);
    EXPECT_EQ(Kept("127.0.0.100"), std::vector<std::string>{"downloaded"});

    ScriptedBox target("127.0.0.101");
    target.Expect(kHandshake).Reply("SIG_BACKUP_DATA_OK");
    std::string expected = kHandshake;
    for (const auto& [name, bytes] : kFiles) {
        const std::string request = "SIG_SET_" + name + "|" + std::to_string(bytes.size());
        target.Expect(request).Reply("SIG_UPDATE_OK").ExpectBytes(bytes.size());
        target.Reply("SIG_UPDATE_OK");
        expected += request + bytes;
    }
    target.Expect("SIG_UPDATE_CHANNEL").Reply("SIG_UPDATE_OK");
    target.Start();
    const CliRun upload = Cli({"upload", (work / "db").string(), "127.0.0.101"});
    target.Finish();
    EXPECT_EQ(upload.status, 0) << upload.err;
    EXPECT_EQ(upload.out, "Update STB\n");
    EXPECT_TRUE(target.received() == expected + "SIG_UPDATE_CHANNEL");
    EXPECT_EQ(Kept("127.0.0.101"), std::vector<std::string>{"uploaded"});
    const auto kept = ReadBackup(BackupHistory(work / "history").List("127.0.0.101")[0].path, messages);
    ChannelDatabase sent;
    ASSERT_TRUE(sent.LoadFromFolder(work / "db"));
    EXPECT_TRUE(kept && *kept == sent);
}

// --no-history keeps nothing; a history that cannot be written is said once and the transfer
// still succeeds.
TEST_F(CliBoxTest, HistoryCanBeOffAndNeverFailsATransfer)
{
    ChannelDatabase db;
    ASSERT_TRUE(db.SaveToFolder(work.path()));
    std::ofstream(work / "history") << "a file where the folder should be";
    for (bool off : {true, false}) {
        ScriptedBox target("127.0.0.231");
        target.Expect(kHandshake).Reply("SIG_BACKUP_DATA_OK");
        for (const auto& [name, bytes] : kFiles) {
            target.Expect("SIG_SET_" + name + "|" + std::to_string(bytes.size()))
                .Reply("SIG_UPDATE_OK")
                .ExpectBytes(bytes.size());
            target.Reply("SIG_UPDATE_OK");
        }
        target.Expect("SIG_UPDATE_CHANNEL").Reply("SIG_UPDATE_OK");
        target.Start();
        std::vector<std::string> args = {"upload", work.path().string(), "127.0.0.231"};
        if (off)
            args.insert(args.begin() + 1, "--no-history");
        const CliRun upload = Cli(args);
        target.Finish();
        EXPECT_EQ(upload.status, 0) << upload.err;
        EXPECT_EQ(upload.out, "Update STB\n");
        if (off) {
            EXPECT_EQ(upload.err, "");
        } else {
            const std::string prefix = "File write error!: " + (work / "history/127.0.0.231/").string();
            EXPECT_TRUE(upload.err.starts_with(prefix) && upload.err.ends_with("-uploaded.ech\n") &&
                        std::count(upload.err.begin(), upload.err.end(), '\n') == 1)
                << upload.err;
        }
    }
}

TEST_F(CliBoxTest, FailuresPrintTheMessageOnStderrAndExitOne)
{
    ScriptedBox box("127.0.0.103");
    box.Expect(kHandshake).Reply("SIG_BACKUP_DATA_FAIL");
    box.Start();
    const CliRun run = Cli({"download", "127.0.0.103", (work / "box.ech").string()});
    box.Finish();
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Version not matching!\n");
    EXPECT_FALSE(std::filesystem::exists(work / "box.ech"));

    // On loopback a raw socket sees the request itself arrive too, from 127.0.0.1: any
    // datagram counts as the answer.
    const CliRun ping = Cli({"ping", "127.0.0.104"});
    EXPECT_EQ(ping.status, 0) << ping.err;
    EXPECT_TRUE(std::regex_match(
        ping.out, std::regex(" 127\\.0\\.0\\.[0-9]+: bytes=32 time=[0-9]+ms TTL=[0-9]+\n")))
        << ping.out;
    CliRun silent{};
    if (!RunInNewNetNamespace([&] { silent = Cli({"ping", "127.0.0.104"}); }, false))
        GTEST_SKIP() << "needs a network namespace of its own (root)";
    EXPECT_EQ(silent.status, 1);
    EXPECT_EQ(silent.out, "Request Timed Out\n");
    EXPECT_EQ(silent.err, "Connection failed!\n");
}
