#include "platform/IcmpSocket.h"

#include "tests/cli/CliRunner.h"
#include "tests/support/NetNamespace.h"
#include "tests/support/ScriptedBox.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

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

    TempDir work;
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
