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
    // The result and what the caller's buffer holds afterwards.
    std::pair<long, std::string> Read(RegRoot root, const std::string& key, const std::string& name)
    {
        std::string text = "unchanged";
        const long result = RegReadString(root, key, name, text);
        return {result, text};
    }
    long Write(RegRoot root, const std::string& key, const std::string& name, const std::string& value)
    {
        return RegWriteString(root, key, name, RegType::String, value);
    }

    TempDir dir_;
};
using Result = std::pair<long, std::string>;

} // namespace

// Keys and names compare without case; a value that is missing, under another root or too
// long for the caller's buffer leaves the buffer alone.
TEST_F(RegistryTest, ValuesSurviveWithTheirExactTextOrLeaveTheBufferAlone)
{
    const std::string vlc = "SOFTWARE\\VideoLAN\\VLC", odd = "/opt/vlc dir\twith\ttabs\n%";
    EXPECT_EQ(Write(RegRoot::LocalMachine, SettingsKey(), "LastConnectIP", "192.0.2.7") +
                  Write(RegRoot::LocalMachine, vlc, "InstallDir", odd), kRegSuccess);
    EXPECT_EQ(Read(RegRoot::LocalMachine, "software\\PELON-I", "lastconnectip"), Result(kRegSuccess, "192.0.2.7"));
    EXPECT_EQ(Read(RegRoot::LocalMachine, vlc, "InstallDir"), Result(kRegSuccess, odd));
    Write(RegRoot::CurrentUser, SettingsKey(), "GridRowCount", "20");
    EXPECT_EQ(Read(RegRoot::LocalMachine, SettingsKey(), "GridRowCount"), Result(kRegFileNotFound, "unchanged"));
    Write(RegRoot::LocalMachine, SettingsKey(), "LastConnectIP", std::string(1024, 'a'));
    EXPECT_EQ(Read(RegRoot::LocalMachine, SettingsKey(), "LastConnectIP"), Result(kRegMoreData, "unchanged"));
}

TEST_F(RegistryTest, CorruptStoreReadsAsEmptyAndIsReplacedWhole)
{
    for (const std::string& junk :
         {std::string("garbage"), std::string("channeltool registry 1\nno tabs here\n"),
          std::string("channeltool registry 1\nk\tn\tbad%Z1\n"), std::string("\0\0\0", 3)}) {
        WriteRaw(junk);
        EXPECT_EQ(Read(RegRoot::LocalMachine, SettingsKey(), "GridRowCount").first, kRegFileNotFound);
        EXPECT_EQ(ReadGridRowCount(), 10);
    }
    WriteGridRowCount(25);
    EXPECT_EQ(ReadGridRowCount(), 25);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(store().parent_path()), {}), 1); // no temporary file
}

TEST_F(RegistryTest, UnwritableLocationReportsAnError)
{
    WriteRaw("");
    setenv("CHANNELTOOL_REGISTRY", (store() / "cannot-be-below-a-file").c_str(), 1);
    EXPECT_NE(Write(RegRoot::LocalMachine, SettingsKey(), "LastConnectIP", "1.2.3.4"), kRegSuccess);
    WriteLastConnectIp("1.2.3.4"); // failure is ignored
    EXPECT_EQ(ReadLastConnectIp(), "");
}

TEST(GridRowCount, OutsideTenToThirtyFallsBackToTen)
{
    const std::pair<const char*, int> cases[] = {{"9", 10}, {"31", 10}, {"abc", 10}, {"", 10},
                                                 {"25", 25}, {"30", 30}, {"10", 10}};
    for (const auto& [text, rows] : cases)
        EXPECT_EQ(GridRowCountFromText(text), rows) << text;
}
