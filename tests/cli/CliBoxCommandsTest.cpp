#include "chdb/ChannelReport.h"

#include "tests/cli/CliBoxFixture.h"
#include "tests/support/NetNamespace.h"

#include <regex>

// The exact requests and replies are the link's (stblink); here the folder, the output and
// the exit status around them.
TEST_F(CliBoxTest, ADownloadedFolderUploadsBackAndFailuresExitOne)
{
    TestBox box(100);
    const ChannelDatabase served = box->Database();
    const CliRun download = Cli({"download", box.address(), (work / "db").string()});
    ASSERT_EQ(download.status, 0) << download.err;
    ChannelDatabase db;
    ASSERT_TRUE(db.ReadBackFromFolder(work / "db"));
    EXPECT_TRUE(db == served);
    EXPECT_TRUE(ParseChannelReportFile(work / "db" / "ChannelData.dat").valid);

    ASSERT_TRUE(box->SetDatabase(ChannelDatabase{}));
    const CliRun upload = Cli({"upload", (work / "db").string(), box.address()});
    EXPECT_EQ(upload.result() + upload.out, "0 Update STB\n");
    EXPECT_TRUE(box->Database() == served);

    box->SetFault("SIG_BACKUP_DATA_CHECK", Fault::Reply("SIG_BACKUP_DATA_FAIL"));
    EXPECT_EQ(Cli({"download", box.address(), (work / "box.ech").string()}).result(), "1 Version not matching!\n");
    EXPECT_FALSE(std::filesystem::exists(work / "box.ech"));
}

// On loopback a raw socket sees the request itself arrive too, from 127.0.0.1: any datagram
// counts as the answer.
TEST_F(CliBoxTest, PingPrintsTheAnswerOrTimesOutAndFails)
{
    const CliRun ping = Cli({"ping", "127.0.0.104"});
    EXPECT_EQ(ping.status, 0) << ping.err;
    EXPECT_TRUE(std::regex_match(ping.out, std::regex(" 127\\.0\\.0\\.[0-9]+: bytes=32 time=[0-9]+ms TTL=[0-9]+\n")))
        << ping.out;
    CliRun silent{};
    if (!RunInNewNetNamespace([&] { silent = Cli({"ping", "127.0.0.104"}); }, false))
        GTEST_SKIP() << "needs a network namespace of its own (root)";
    EXPECT_EQ(silent.result() + silent.out, "1 Connection failed!\nRequest Timed Out\n");
}
