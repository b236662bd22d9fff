#include "history/BackupHistory.h"

#include "chdb/BackupFile.h"
#include "tests/support/RecordingMessages.h"
#include "tests/support/TempDir.h"
#include "util/Settings.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace fs = std::filesystem;

namespace {

constexpr std::time_t kNoon = 1700049600; // 2023-11-15 12:00:00 UTC

ChannelDatabase WithChannels(int count)
{
    ChannelDatabase db;
    db.setChannelCount(count);
    db.setPin(static_cast<std::uint16_t>(count));
    return db;
}

std::vector<std::string> FileNames(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
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
    void TearDown() override { unsetenv("CHANNELTOOL_REGISTRY"); }

    std::optional<fs::path> Save(const ChannelDatabase& db, const std::string& address,
                                 BackupKind kind = BackupKind::Downloaded)
    {
        return history.Save(db, address, kind, messages);
    }

    TempDir dir;
    std::time_t now = kNoon;
    BackupHistory history{dir / "backups", [this] { return now; }};
    RecordingMessages messages;
};

TEST_F(BackupHistoryTest, SavesNamedByTimeAndKindAndListsNewestFirst)
{
    const ChannelDatabase first = WithChannels(12);
    ASSERT_TRUE(Save(first, "127.0.0.1"));
    ASSERT_TRUE(Save(WithChannels(13), "127.0.0.1", BackupKind::Uploaded));
    ASSERT_TRUE(Save(WithChannels(14), "127.1")); // the same box, written another way
    now += 61;
    ASSERT_TRUE(Save(WithChannels(15), "127.0.0.1", BackupKind::Uploaded));
    EXPECT_TRUE(messages.texts().empty());

    const fs::path box = dir / "backups" / "127.0.0.1";
    EXPECT_EQ(FileNames(dir / "backups"), std::vector<std::string>{"127.0.0.1"});
    EXPECT_EQ(FileNames(box), (std::vector<std::string>{
                                  "20231115-120000-downloaded-3.ech",
                                  "20231115-120000-downloaded.ech",
                                  "20231115-120000-uploaded-2.ech",
                                  "20231115-120101-uploaded.ech",
                              }));
    const auto restored = ReadBackup(box / "20231115-120000-downloaded.ech", messages);
    ASSERT_TRUE(restored);
    EXPECT_TRUE(*restored == first);

    const std::vector<KeptBackup> kept = history.List("127.0.0.1");
    ASSERT_EQ(kept.size(), 4u);
    std::vector<int> channels;
    for (const KeptBackup& b : kept)
        channels.push_back(b.channels);
    EXPECT_EQ(channels, (std::vector<int>{15, 14, 13, 12}));
    EXPECT_EQ(kept[0].address, "127.0.0.1");
    EXPECT_EQ(kept[0].date, "2023-11-15");
    EXPECT_EQ(kept[0].time, "12:01:01");
    EXPECT_EQ(kept[0].kind, BackupKind::Uploaded);
    EXPECT_EQ(kept[1].kind, BackupKind::Downloaded);
    EXPECT_EQ(kept[3].path, box / "20231115-120000-downloaded.ech");
}

TEST_F(BackupHistoryTest, KeepsTheNewestThirtyAndNothingElseIsTouched)
{
    const fs::path box = dir / "backups" / "10.0.0.7";
    fs::create_directories(box);
    for (const char* foreign : {"notes.txt", "20000101-000000-downloaded.ech.bak",
                                "20000101-000000-sideloaded.ech", "20000101-000000-uploaded-1.ech"})
        std::ofstream(box / foreign) << "mine";
    fs::create_directory(box / "20000101-000000-uploaded.ech");

    for (int i = 0; i < kBackupsKeptPerBox + 2; ++i, now += 3600)
        ASSERT_TRUE(Save(WithChannels(i), "10.0.0.7"));
    const std::vector<KeptBackup> kept = history.List("10.0.0.7");
    ASSERT_EQ(kept.size(), std::size_t{kBackupsKeptPerBox});
    EXPECT_EQ(kept.front().channels, kBackupsKeptPerBox + 1);
    EXPECT_EQ(kept.back().channels, 2); // the two oldest went
    EXPECT_EQ(FileNames(box).size(), std::size_t{kBackupsKeptPerBox} + 5);

    // A file with a backup's name that is not an intact backup is not offered.
    std::ofstream(box / "20991231-235959-downloaded.ech") << "short";
    EXPECT_EQ(history.List("10.0.0.7").size(), std::size_t{kBackupsKeptPerBox});
}

TEST_F(BackupHistoryTest, AnAddressNeverLeavesTheFolder)
{
    const std::pair<const char*, const char*> kNames[] = {
        {"192.168.1.20", "192.168.1.20"}, {"10.1", "10.0.0.1"}, {"0x7f.0.0.1", "127.0.0.1"},
        {"", nullptr}, {"..", nullptr}, {"../../etc", nullptr}, {"1.2.3.4/../x", nullptr},
        {"256.1.1.1", nullptr}, {"box.local", nullptr},
    };
    for (const auto& [address, folder] : kNames) {
        const std::optional<std::string> name = BoxFolderName(address);
        EXPECT_EQ(name.value_or("(none)"), folder ? folder : "(none)") << address;
    }

    EXPECT_FALSE(Save(WithChannels(1), "../escape"));
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"File write error!\n\n../escape"});
    EXPECT_FALSE(fs::exists(dir / "backups"));
    EXPECT_FALSE(fs::exists(dir / "escape"));
    EXPECT_TRUE(history.List("../escape").empty());
}

TEST_F(BackupHistoryTest, AFolderThatCannotBeWrittenSaysSoOnce)
{
    std::ofstream(dir / "backups") << "a file where the folder should be";
    EXPECT_FALSE(Save(WithChannels(1), "127.0.0.1"));
    EXPECT_EQ(messages.texts(),
              std::vector<std::string>{"File write error!\n\n" +
                                       (dir / "backups/127.0.0.1/20231115-120000-downloaded.ech")
                                           .string()});
    EXPECT_FALSE(history.HasAny());
}

TEST_F(BackupHistoryTest, AllBoxesAndWhatARestoreOffers)
{
    EXPECT_FALSE(history.HasAny());
    EXPECT_TRUE(BackupsToOffer(history, "").empty());
    Save(WithChannels(1), "10.0.0.1");
    now += 10;
    Save(WithChannels(2), "10.0.0.2");
    Save(WithChannels(3), "10.0.0.1", BackupKind::Uploaded);
    fs::create_directory(dir / "backups" / "not-a-box");
    std::ofstream(dir / "backups" / "not-a-box" / "20231115-130000-downloaded.ech") << "x";
    EXPECT_TRUE(history.HasAny());

    std::vector<std::string> all;
    for (const KeptBackup& b : history.ListAll())
        all.push_back(b.address + " " + b.time + " " + std::to_string(b.channels));
    EXPECT_EQ(all, (std::vector<std::string>{"10.0.0.1 12:00:10 3", "10.0.0.2 12:00:10 2",
                                             "10.0.0.1 12:00:00 1"}));

    // The current box first, else the last one connected to, else every box.
    EXPECT_EQ(BackupsToOffer(history, "10.0.0.2").size(), 1u);
    EXPECT_EQ(BackupsToOffer(history, "").size(), 3u);
    WriteLastConnectIp("10.0.0.1");
    EXPECT_EQ(BackupsToOffer(history, "").size(), 2u);
    EXPECT_EQ(BackupsToOffer(history, "10.0.0.9").size(), 2u);
}

TEST(BackupHistoryFolder, EnvironmentChoosesTheFolder)
{
    const char* kept = std::getenv("CHANNELTOOL_HISTORY");
    const std::string saved = kept ? kept : "";
    setenv("HOME", "/home/u", 1);
    setenv("XDG_DATA_HOME", "relative/ignored", 1);
    unsetenv("CHANNELTOOL_HISTORY");
    EXPECT_EQ(DefaultHistoryFolder(), fs::path("/home/u/.local/share/channeltool/backups"));
    setenv("XDG_DATA_HOME", "/data", 1);
    EXPECT_EQ(DefaultHistoryFolder(), fs::path("/data/channeltool/backups"));
    setenv("CHANNELTOOL_HISTORY", "/tmp/h", 1);
    EXPECT_EQ(DefaultHistoryFolder(), fs::path("/tmp/h"));
    if (kept)
        setenv("CHANNELTOOL_HISTORY", saved.c_str(), 1);
}

} // namespace
