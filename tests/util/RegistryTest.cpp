#include "util/Registry.h"
#include "util/Settings.h"

#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace {

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override { setenv("CHANNELTOOL_REGISTRY", store().c_str(), 1); }
    void TearDown() override { unsetenv("CHANNELTOOL_REGISTRY"); }
    std::filesystem::path store() const { return dir_ / "sub" / "registry"; }
    void WriteRaw(const std::string& bytes)
    {
        std::filesystem::create_directories(store().parent_path());
        std::ofstream(store(), std::ios::binary) << bytes;
    }

    TempDir dir_;
};

} // namespace

TEST_F(RegistryTest, ValuesSurviveAndKeepTheirExactText)
{
    EXPECT_EQ(RegWriteString(RegRoot::LocalMachine, SettingsKey(), "LastConnectIP", RegType::String,
                             "192.0.2.7"),
              kRegSuccess);
    EXPECT_EQ(RegWriteString(RegRoot::LocalMachine, "SOFTWARE\\VideoLAN\\VLC", "InstallDir",
                             RegType::String, "/opt/vlc dir\twith\ttabs\n%"),
              kRegSuccess);
    std::string text = "unchanged";
    EXPECT_EQ(RegReadString(RegRoot::LocalMachine, "software\\PELON-I", "lastconnectip", text),
              kRegSuccess);
    EXPECT_EQ(text, "192.0.2.7");
    EXPECT_EQ(RegReadString(RegRoot::LocalMachine, "SOFTWARE\\VideoLAN\\VLC", "InstallDir", text),
              kRegSuccess);
    EXPECT_EQ(text, "/opt/vlc dir\twith\ttabs\n%");
}

TEST_F(RegistryTest, MissingValueLeavesTheBufferAlone)
{
    std::string text = "unchanged";
    EXPECT_EQ(RegReadString(RegRoot::LocalMachine, SettingsKey(), "GridRowCount", text),
              kRegFileNotFound);
    EXPECT_EQ(text, "unchanged");
    RegWriteString(RegRoot::CurrentUser, SettingsKey(), "GridRowCount", RegType::String, "20");
    EXPECT_EQ(RegReadString(RegRoot::LocalMachine, SettingsKey(), "GridRowCount", text),
              kRegFileNotFound);
}

TEST_F(RegistryTest, CorruptStoreReadsAsEmptyAndIsReplacedWhole)
{
    for (const std::string& junk :
         {std::string("garbage"), std::string("channeltool registry 1\nno tabs here\n"),
          std::string("channeltool registry 1\nk\tn\tbad%Z1\n"), std::string("\0\0\0", 3)}) {
        WriteRaw(junk);
        std::string text = "unchanged";
        EXPECT_EQ(RegReadString(RegRoot::LocalMachine, SettingsKey(), "GridRowCount", text),
                  kRegFileNotFound);
        EXPECT_EQ(ReadGridRowCount(), 10);
    }
    WriteGridRowCount(25);
    EXPECT_EQ(ReadGridRowCount(), 25);
    EXPECT_FALSE(std::filesystem::exists(store().string() + ".tmp"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(store().parent_path()),
                            std::filesystem::directory_iterator()),
              1); // no temporary file left behind
}

TEST_F(RegistryTest, UnwritableLocationReportsAnError)
{
    WriteRaw("");
    setenv("CHANNELTOOL_REGISTRY", (store() / "cannot-be-below-a-file").c_str(), 1);
    EXPECT_NE(RegWriteString(RegRoot::LocalMachine, SettingsKey(), "LastConnectIP",
                             RegType::String, "1.2.3.4"),
              kRegSuccess);
    WriteLastConnectIp("1.2.3.4"); // failure is ignored
    EXPECT_EQ(ReadLastConnectIp(), "");
}

TEST_F(RegistryTest, GridRowCountFallsBackToTen)
{
    EXPECT_EQ(ReadGridRowCount(), 10);
    for (const char* bad : {"9", "31", "abc", ""})
        EXPECT_EQ(GridRowCountFromText(bad), 10) << bad;
    EXPECT_EQ(GridRowCountFromText("25"), 25);
    EXPECT_EQ(GridRowCountFromText("30"), 30);
    EXPECT_EQ(GridRowCountFromText("10"), 10);
}

TEST_F(RegistryTest, OverlongValueIsRefusedOnRead)
{
    RegWriteString(RegRoot::LocalMachine, SettingsKey(), "LastConnectIP", RegType::String,
                   std::string(1024, 'a'));
    std::string text = "unchanged";
    EXPECT_EQ(RegReadString(RegRoot::LocalMachine, SettingsKey(), "LastConnectIP", text),
              kRegMoreData);
    EXPECT_EQ(text, "unchanged");
}
