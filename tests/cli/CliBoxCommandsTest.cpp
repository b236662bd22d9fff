#include "chdb/BackupFile.h"
#include "cli/CliCommands.h"
#include "platform/IcmpSocket.h"

#include "tests/support/NetNamespace.h"
#include "tests/support/RecordingMessages.h"
#include "tests/support/ScriptedBox.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

namespace {

constexpr const char* kHandshake = "SIG_BACKUP_DATA_CHECK|0xdeadc0ff:0xdeadc011:13:9999";
const std::string kReport = "SIG_SAT_LIST_START|1\nAstra:0x00c0:0\nSIG_CHN_END\n";

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

CliRun Cli(const std::vector<std::string>& args)
{
    std::ostringstream out, err;
    const int status = RunCli(args, out, err);
    return {status, out.str(), err.str()};
}

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Image(std::size_t size, unsigned seed)
{
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 13 + seed) ^ (i >> 8));
    return bytes;
}

const std::vector<std::pair<std::string, std::string>>& Files()
{
    static const std::vector<std::pair<std::string, std::string>> files = {
        {"CHDATA", Image(700256, 1)}, {"CHINDEX", Image(440104, 2)}, {"MENUDATA", Image(512, 3)}};
    return files;
}

// The box commands use the real reachability check, on loopback.
class CliBoxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!IcmpSocket::Open())
            GTEST_SKIP() << "no ICMP socket can be opened here";
        setenv("CHANNELTOOL_REGISTRY", (home / "registry").c_str(), 1);
    }
    void TearDown() override { unsetenv("CHANNELTOOL_REGISTRY"); }

    void ServeDownload(ScriptedBox& box)
    {
        box.Expect(kHandshake).Reply("SIG_BACKUP_DATA_OK");
        for (const auto& [name, bytes] : Files())
            box.Expect("SIG_INFO_" + name)
                .Reply(std::to_string(bytes.size()))
                .Expect("SIG_GET_" + name)
                .Send(bytes);
        box.Expect("SIG_CHN_START").Send(kReport);
        box.Start();
    }

    TempDir home;
    TempDir work;
};

} // namespace

TEST_F(CliBoxTest, DownloadedFolderUploadsBackByteForByte)
{
    ScriptedBox source("127.0.0.100");
    ServeDownload(source);
    const CliRun download = Cli({"download", "127.0.0.100", (work / "db").string()});
    source.Finish();
    ASSERT_EQ(download.status, 0) << download.err;
    EXPECT_EQ(ReadFile(work / "db" / "chdata.dat"), Files()[0].second);
    EXPECT_EQ(ReadFile(work / "db" / "ChannelData.dat"), kReport);

    ScriptedBox target("127.0.0.101");
    target.Expect(kHandshake).Reply("SIG_BACKUP_DATA_OK");
    std::string expected = kHandshake;
    for (const auto& [name, bytes] : Files()) {
        const std::string request = "SIG_SET_" + name + "|" + std::to_string(bytes.size());
        target.Expect(request)
            .Reply("SIG_UPDATE_OK")
            .ExpectBytes(bytes.size())
            .Reply("SIG_UPDATE_OK");
        expected += request + bytes;
    }
    target.Expect("SIG_UPDATE_CHANNEL").Reply("SIG_UPDATE_OK");
    target.Start();
    const CliRun upload = Cli({"upload", (work / "db").string(), "127.0.0.101"});
    target.Finish();
    EXPECT_EQ(upload.status, 0) << upload.err;
    EXPECT_EQ(upload.out, "Update STB\n");
    EXPECT_EQ(upload.err, "");
    EXPECT_TRUE(target.received() == expected + "SIG_UPDATE_CHANNEL");
}

TEST_F(CliBoxTest, DownloadToABackupFile)
{
    ScriptedBox box("127.0.0.102");
    ServeDownload(box);
    const CliRun run = Cli({"download", "127.0.0.102", (work / "box.ech").string()});
    box.Finish();
    ASSERT_EQ(run.status, 0) << run.err;
    RecordingMessages messages;
    const auto db = ReadBackup(work / "box.ech", messages);
    ASSERT_TRUE(db);
    const auto menu = db->image(ChannelDatabase::kMenuData);
    EXPECT_EQ(std::string(menu.begin(), menu.end()), Files()[2].second);
}

TEST_F(CliBoxTest, FailureIsTheMessageOnStderrAndExitOne)
{
    ScriptedBox box("127.0.0.103");
    box.Expect(kHandshake).Reply("SIG_BACKUP_DATA_FAIL");
    box.Start();
    const CliRun run = Cli({"download", "127.0.0.103", (work / "db").string()});
    box.Finish();
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Version not matching!\n");
    EXPECT_FALSE(std::filesystem::exists(work / "db"));
}

TEST_F(CliBoxTest, PingPrintsTheResultText)
{
    // On loopback a raw socket also sees the request itself arrive, from 127.0.0.1; any
    // datagram counts as the answer.
    const CliRun run = Cli({"ping", "127.0.0.104"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(std::regex_match(
        run.out, std::regex(" 127\\.0\\.0\\.[0-9]+: bytes=32 time=[0-9]+ms TTL=[0-9]+\n")))
        << run.out;

    CliRun silent{};
    if (!RunInNewNetNamespace([&] { silent = Cli({"ping", "127.0.0.104"}); }, false))
        GTEST_SKIP() << "needs a network namespace of its own (root)";
    EXPECT_EQ(silent.status, 1);
    EXPECT_EQ(silent.out, "Request Timed Out\n");
    EXPECT_EQ(silent.err, "Connection failed!\n");
}
