#include "history/BackupHistory.h"

#include "chdb/BackupFile.h"
#include "tests/support/RecordingMessages.h"
#include "tests/support/TempDir.h"
#include "util/Settings.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

namespace {

Lines Describe(const std::vector<KeptBackup>& kept)
{
    Lines lines;
    for (const KeptBackup& b : kept)
        lines.push_back(b.address + " " + b.date + " " + b.time + " " + BackupKindName(b.kind) + " " +
                        std::to_string(b.channels) + " " + b.path.filename().string());
    return lines;
}

// Local time is UTC here so that the names are known; the clock is the test's.
class BackupHistoryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("TZ", "UTC", 1);
        tzset();
        setenv("CHANNELTOOL_REGISTRY", (dir / "registry").c_str(), 1);
    }

    std::optional<fs::path> Save(int channels, const std::string& address, BackupKind kind = BackupKind::Downloaded)
    {
        ChannelDatabase db;
        db.setChannelCount(channels);
        return history.Save(db, address, kind, messages);
    }

    TempDir dir;
    std::time_t now = 1700049600; // 2023-11-15 12:00:00 UTC
    BackupHistory history{dir / "backups", [this] { return now; }};
    RecordingMessages messages;
};

// A folder that is no box's is not looked into; the restore offers the current box's backups,
// else those of the last box connected to, else every box's.
TEST_F(BackupHistoryTest, SavesNamedByTimeAndKindListsNewestFirstAndOffersTheRightBox)
{
    EXPECT_FALSE(history.HasAny() || !BackupsToOffer(history, "").empty());
    ASSERT_TRUE(Save(12, "127.0.0.1"));
    ASSERT_TRUE(Save(13, "127.0.0.1", BackupKind::Uploaded));
    ASSERT_TRUE(Save(14, "127.1")); // the same box, written another way
    now += 61;
    ASSERT_TRUE(Save(15, "10.0.0.2", BackupKind::Uploaded));
    fs::create_directory(dir / "backups" / "not-a-box");
    std::ofstream(dir / "backups" / "not-a-box" / "20231115-130000-downloaded.ech") << "x";
    EXPECT_TRUE(messages.texts().empty());
    EXPECT_EQ(ReadBackup(dir / "backups/127.0.0.1/20231115-120000-downloaded.ech", messages)->channelCount(), 12);
    const Lines box = {"127.0.0.1 2023-11-15 12:00:00 downloaded 14 20231115-120000-downloaded-3.ech",
                       "127.0.0.1 2023-11-15 12:00:00 uploaded 13 20231115-120000-uploaded-2.ech",
                       "127.0.0.1 2023-11-15 12:00:00 downloaded 12 20231115-120000-downloaded.ech"};
    EXPECT_EQ(Describe(history.List("127.0.0.1")), box);
    Lines all = box;
    all.insert(all.begin(), "10.0.0.2 2023-11-15 12:01:01 uploaded 15 20231115-120101-uploaded.ech");
    EXPECT_EQ(Describe(history.ListAll()), all);

    const std::size_t current = BackupsToOffer(history, "10.0.0.2").size(), any = BackupsToOffer(history, "").size();
    WriteLastConnectIp("127.0.0.1");
    EXPECT_EQ(std::tuple(current, any, BackupsToOffer(history, "10.0.0.9").size()), std::tuple(1u, 4u, 3u));
}

TEST_F(BackupHistoryTest, KeepsTheNewestThirtyAndNothingElseIsTouched)
{
    const fs::path box = dir / "backups" / "10.0.0.7";
    fs::create_directories(box / "20000101-000000-uploaded.ech"); // a folder
    for (const char* foreign : {"notes.txt", "20000101-000000-downloaded.ech.bak",
                                "20000101-000000-sideloaded.ech", "20000101-000000-uploaded-1.ech"})
        std::ofstream(box / foreign) << "mine";

    for (int i = 0; i < kBackupsKeptPerBox + 2; ++i, now += 3600)
        ASSERT_TRUE(Save(i, "10.0.0.7"));
    const std::vector<KeptBackup> kept = history.List("10.0.0.7");
    ASSERT_EQ(kept.size(), std::size_t{kBackupsKeptPerBox});
    EXPECT_EQ(std::pair(kept.front().channels, kept.back().channels), std::pair(kBackupsKeptPerBox + 1, 2)); // the two oldest went
    EXPECT_EQ(std::distance(fs::directory_iterator(box), {}), kBackupsKeptPerBox + 5);

    // A file with a backup's name that is not an intact backup is not offered.
    std::ofstream(box / "20991231-235959-downloaded.ech") << "short";
    EXPECT_EQ(history.List("10.0.0.7").size(), std::size_t{kBackupsKeptPerBox});
}

TEST_F(BackupHistoryTest, AnAddressNeverLeavesTheFolderAndFailuresAreSaidOnce)
{
    const std::pair<const char*, const char*> kNames[] = {
        {"10.1", "10.0.0.1"},   {"0x7f.0.0.1", "127.0.0.1"}, {"", "-"},
        {"../../etc", "-"}, {"1.2.3.4/../x", "-"},   {"256.1.1.1", "-"},
    };
    for (const auto& [address, folder] : kNames)
        EXPECT_EQ(BoxFolderName(address).value_or("-"), folder) << address;

    EXPECT_FALSE(Save(1, "../escape"));
    EXPECT_FALSE(fs::exists(dir / "backups") || fs::exists(dir / "escape"));
    std::ofstream(dir / "backups") << "a file where the folder should be";
    EXPECT_FALSE(Save(1, "127.0.0.1"));
    EXPECT_EQ(messages.texts(),
              (Lines{"File write error!\n\n../escape",
                     "File write error!\n\n" + (dir / "backups/127.0.0.1/20231115-120000-downloaded.ech").string()}));
    EXPECT_FALSE(history.HasAny());
}

TEST(BackupHistoryFolder, EnvironmentChoosesTheFolder)
{
    setenv("HOME", "/home/u", 1);
    setenv("XDG_DATA_HOME", "relative/ignored", 1);
    unsetenv("CHANNELTOOL_HISTORY");
    EXPECT_EQ(DefaultHistoryFolder(), fs::path("/home/u/.local/share/channeltool/backups"));
    setenv("XDG_DATA_HOME", "/data", 1);
    EXPECT_EQ(DefaultHistoryFolder(), fs::path("/data/channeltool/backups"));
    setenv("CHANNELTOOL_HISTORY", "/tmp/h", 1);
    EXPECT_EQ(DefaultHistoryFolder(), fs::path("/tmp/h"));
}

} // namespace
