// The program's link against the simulated box, over real loopback sockets.
#include "chdb/ChannelView.h"
#include "chdb/ListBuilds.h"
#include "cli/CliCommands.h"
#include "stblink/DatabaseTransfer.h"
#include "tests/stbsim/TestBox.h"
#include "tests/support/RecordingMessages.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <sstream>

namespace {

class BoxRoundTrip : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("CHANNELTOOL_REGISTRY", (dir_ / "registry").c_str(), 1);
        setenv("CHANNELTOOL_HISTORY", (dir_ / "history").c_str(), 1);
        std::filesystem::create_directory(work());
    }
    void TearDown() override
    {
        unsetenv("CHANNELTOOL_REGISTRY");
        unsetenv("CHANNELTOOL_HISTORY");
    }

    std::filesystem::path work() const { return dir_ / "work"; }
    AskAddress Address(const std::string& address)
    {
        return [address](const std::string&) { return std::optional<std::string>(address); };
    }

    TempDir dir_;
    RecordingMessages messages_;
};

} // namespace

TEST_F(BoxRoundTrip, DownloadThenUploadGivesTheBoxIdenticalFiles)
{
    TestBox box(110, DemoSize::Full);
    const ChannelDatabase served = box->Database();

    DatabaseState state;
    ASSERT_EQ(DownloadDatabase(state, work(), messages_, Address("127.0.0.110")).status,
              DownloadStatus::Success)
        << messages_.last();
    // (What else a download sets is DatabaseDownloadTest's.)
    EXPECT_TRUE(state.db == served);
    EXPECT_EQ(state.satList, BuildSatelliteList(served)); // the report read across many receives
    EXPECT_FALSE(state.casList.empty());
    EXPECT_TRUE(std::filesystem::is_empty(work())); // the four files were removed

    // Every satellite of the report leads to channels in the view.
    for (int g = 1; g < static_cast<int>(GroupRows(state, Category::Sat).size()); ++g)
        EXPECT_FALSE(BuildChannelView(state, static_cast<int>(Category::Sat), g).empty()) << g;

    // The box forgets its table, so only the upload can bring it back.
    ASSERT_TRUE(box->SetDatabase(ChannelDatabase{}));
    state.modified = true;
    ASSERT_EQ(UpdateDatabase(state, work(), messages_, Address("unused")), UpdateStatus::Success)
        << messages_.last();
    EXPECT_EQ(messages_.texts(), (std::vector<std::string>{"Update STB?", "Update STB"}));
    EXPECT_FALSE(state.modified);
    EXPECT_TRUE(box->Database() == served);
}

TEST_F(BoxRoundTrip, CliBackupAndRestore)
{
    TestBox box(113);
    const ChannelDatabase served = box->Database();
    const std::string backup = (dir_ / "box.ech").string();
    std::ostringstream out, err;
    ASSERT_EQ(RunCli({"download", "127.0.0.113", backup}, out, err), 0) << err.str();

    ChannelDatabase other = served;
    other.setChannelCount(0);
    ASSERT_TRUE(box->SetDatabase(other));
    ASSERT_EQ(RunCli({"upload", backup, "127.0.0.113"}, out, err), 0) << err.str();
    EXPECT_TRUE(box->Database() == served);
    // Both transfers kept what the box held, the newest first; --no-history keeps nothing.
    ASSERT_EQ(RunCli({"download", "--no-history", "127.0.0.113", (dir_ / "y.ech").string()}, out, err), 0);
    std::ostringstream kept;
    ASSERT_EQ(RunCli({"backups", "127.0.0.113"}, kept, err), 0);
    const std::regex lines("127\\.0\\.0\\.113\t[-0-9]{10} [0-9:]{8}\tuploaded\t[0-9]+\t.*\\.ech\n"
                           "127\\.0\\.0\\.113\t[-0-9]{10} [0-9:]{8}\tdownloaded\t[0-9]+\t.*\\.ech\n");
    EXPECT_TRUE(std::regex_match(kept.str(), lines)) << kept.str();
}
