#include "chdb/BackupFile.h"
#include "history/BackupHistory.h"
#include "tests/chdb/Tables.h"
#include "tests/cli/CliRunner.h"

#include "tests/support/RecordingMessages.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>

namespace {

// Channels are known by their names only (no satellite records).
class CliHistoryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("TZ", "UTC", 1);
        tzset();
        setenv("CHANNELTOOL_HISTORY", (dir / "history").c_str(), 1);
    }

    TempDir dir;
    RecordingMessages messages;
};

} // namespace

TEST_F(CliHistoryTest, BackupsListsNewestFirstAsTextOrJson)
{
    EXPECT_EQ(Cli({"backups"}).out, "");
    std::time_t now = 1700049600; // 2023-11-15 12:00:00 UTC
    const BackupHistory history(dir / "history", [&now] { return now; });
    history.Save(WithChannels({{"a"}}), "10.0.0.1", BackupKind::Downloaded, messages);
    now += 5;
    history.Save(WithChannels({{"a"}, {"b"}}), "10.0.0.2", BackupKind::Uploaded, messages);

    const std::string box1 = (dir / "history/10.0.0.1/20231115-120000-downloaded.ech").string();
    const std::string box2 = (dir / "history/10.0.0.2/20231115-120005-uploaded.ech").string();
    EXPECT_EQ(Cli({"backups"}).out, "10.0.0.2\t2023-11-15 12:00:05\tuploaded\t2\t" + box2 + "\n" +
                           "10.0.0.1\t2023-11-15 12:00:00\tdownloaded\t1\t" + box1 + "\n");
    const CliRun one = Cli({"backups", "10.0.0.1", "--format", "json"});
    ASSERT_EQ(one.status, 0) << one.err;
    EXPECT_EQ(nlohmann::json::parse(one.out),
              nlohmann::json::parse(R"([{"address": "10.0.0.1", "time": "2023-11-15 12:00:00",
                                         "kind": "downloaded", "channels": 1, "path": ")" + box1 + "\"}]"));
    EXPECT_EQ(Cli({"backups", "../x"}).status + Cli({"backups", "--format", "csv"}).status, 4);
}

// How the order is matched is ReferenceOrder's; here the files and the summary.
TEST_F(CliHistoryTest, ReorderWritesABackupFileOrAFolderAndPrintsTheSummary)
{
    const ChannelDatabase like = WithChannels({{"c"}, {"a"}, {"b"}, {"gone"}});
    ASSERT_TRUE(WithChannels({{"b"}, {"x"}, {"a"}, {"c"}}).SaveToFolder(dir.path()));
    ASSERT_TRUE(ExportBackup(like, dir / "like.ech", messages));

    const std::string summary = "Order applied!\n\nMatched : 3\nMoved : 4\nNot found : 1\n";
    const auto reorder = [&](const char* to) {
        return Cli({"reorder", dir.path().string(), (dir / "like.ech").string(), (dir / to).string()});
    };
    EXPECT_EQ(reorder("out.ECH").out, summary);
    const auto written = ReadBackup(dir / "out.ECH", messages);
    ASSERT_TRUE(written);
    EXPECT_EQ(Keys(*written), (std::vector{103, 102, 100, 101})); // c, a, b, x

    EXPECT_EQ(reorder("out").out, summary);
    ChannelDatabase folder;
    ASSERT_TRUE(folder.ReadBackFromFolder(dir / "out"));
    EXPECT_TRUE(folder == *written);

    const CliRun missing = Cli({"reorder", dir.path().string(), (dir / "none.ech").string(), (dir / "x.ech").string()});
    EXPECT_EQ(missing.result() + missing.out, "1 Version not matching!\n");
    EXPECT_FALSE(std::filesystem::exists(dir / "x.ech"));
}
