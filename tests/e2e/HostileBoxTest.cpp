// The database download against a box that lies: sizes out of every range, replies without
// end, binary garbage and names that lead out of the folder. Each download shows its message,
// writes only into its own folder, and stops reading at its bound.
#include "stblink/DatabaseTransfer.h"
#include "tests/filebrowser/TransferFixtures.h"
#include "tests/support/ScriptedBox.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <map>

using namespace std::chrono_literals;
namespace fs = std::filesystem;

namespace {

using Script = std::function<void(ScriptedBox&)>;

// The program runs in a folder of its own: the current folder stays empty and only the
// private folder ("work") gets files, each within its bound.
class HostileBox : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(work());
        fs::create_directories(top_ / "cwd");
        previous_ = fs::current_path();
        fs::current_path(top_ / "cwd");
        setenv("CHANNELTOOL_REGISTRY", (top_ / "registry").c_str(), 1);
    }
    void TearDown() override
    {
        fs::current_path(previous_);
        unsetenv("CHANNELTOOL_REGISTRY");
    }

    fs::path work() const { return top_ / "work"; }

    void ExpectOnlyOwnFiles(const std::string& which) const
    {
        const std::map<std::string, std::uintmax_t> bounds = {
            {"chdata.dat", ChannelDatabase::kChDataSize},
            {"chidx.dat", ChannelDatabase::kChIdxSize},
            {"menudata.dat", ChannelDatabase::kMenuDataSize},
            {kReportFileName, kMaxReportBytes}};
        for (const auto& entry : fs::directory_iterator(top_.path())) {
            const std::string name = entry.path().filename();
            EXPECT_TRUE(name == "work" || name == "cwd" || name == "registry") << which << ": " << name;
        }
        EXPECT_TRUE(fs::is_empty(top_ / "cwd")) << which;
        for (const auto& entry : fs::directory_iterator(work())) {
            const auto bound = bounds.find(entry.path().filename());
            ASSERT_NE(bound, bounds.end()) << which << ": " << entry.path();
            EXPECT_LE(entry.file_size(), bound->second) << which << ": " << entry.path();
        }
    }

    TempDir top_;
    fs::path previous_;
};

Script Size(const std::string& size)
{
    return [size](ScriptedBox& b) { b.Expect("SIG_INFO_CHDATA").Reply(size); };
}

// The three files as the box announces and sends them, `menuSize` perhaps a lie; then the
// report.
Script Files(const std::string& menuSize, std::size_t menuBytes, const Script& report)
{
    return [=](ScriptedBox& b) {
        b.Expect("SIG_INFO_CHDATA").Reply("700256")
            .Expect("SIG_GET_CHDATA").Reply(std::string(ChannelDatabase::kChDataSize, '\0'))
            .Expect("SIG_INFO_CHINDEX").Reply("440104")
            .Expect("SIG_GET_CHINDEX").Reply(std::string(ChannelDatabase::kChIdxSize, '\0'))
            .Expect("SIG_INFO_MENUDATA").Reply(menuSize)
            .Expect("SIG_GET_MENUDATA").Reply(std::string(menuBytes, '\x07'));
        report(b.Expect("SIG_CHN_START"));
    };
}

Script Answer(const std::string& text, bool close = false)
{
    return [=](ScriptedBox& b) { close ? b.Reply(text).Close() : b.Reply(text); };
}

Script Report(const std::string& text, bool close = false)
{
    return Files("512", 512, Answer(text, close));
}

} // namespace

TEST_F(HostileBox, EveryLieEndsInItsMessageWithinTheBounds)
{
    using S = DownloadStatus;
    const std::string empty = "SIG_SAT_LIST_START|0\nSIG_CHN_END\n";
    const struct {
        Script script;
        S status;
        std::string message;     // none when the download succeeds
        std::string lastRequest; // the client asks for nothing after the lie
        std::size_t menuBytes = 0; // of the box's menudata, kept after a success
    } cases[] = {
        // clang-format off
        {Size(kGarbage), S::FailedDataKept, "Channel data do not exist!", "SIG_INFO_CHDATA"},
        {Size("-1"), S::FailedDataKept, "Channel data do not exist!", "SIG_INFO_CHDATA"},
        {Size("2147483648"), S::FailedDataKept, "Data error!", "SIG_INFO_CHDATA"},
        {Size("4294967296"), S::FailedDataKept, "Data error!", "SIG_INFO_CHDATA"},
        {Size("9223372036854775808"), S::FailedDataKept, "Data error!", "SIG_INFO_CHDATA"},
        {Size("18446744073709551616"), S::FailedDataKept, "Data error!", "SIG_INFO_CHDATA"},
        // A short file is taken, the rest stays zero. (Files cut short: DatabaseDownloadTest.)
        {Report(empty, true), S::Success, "", "SIG_CHN_START", 512},
        {Files("511", 511, Answer(empty, true)), S::Success, "", "SIG_CHN_START", 511},
        {Files("1", 1, Answer(empty, true)), S::Success, "", "SIG_CHN_START", 1},
        {Files("512", 512, [](ScriptedBox& b) { b.Flood("SIG_SAT_LIST_START|9\nSat:1:0\n", 1u << 30); }),
         S::FailedDataKept, "Data error!", "SIG_CHN_START"},
        // No end line: nothing is shown.
        {Report("SIG_SAT_LIST_START|1\n" + kGarbage + "SIG_CHN_END"), S::FailedNoData, "Data error!",
         "SIG_CHN_START"},
        {Report("SIG_SAT_LIST_START|2\n../../etc/passwd:1:0\n" + kGarbage + ":ffffffffff:1\nSIG_CHN_END\n"),
         S::Success, "", "SIG_CHN_START", 512},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        ScriptedBox box("127.0.0.216");
        box.Expect(kHandshake).Reply("SIG_BACKUP_DATA_OK");
        c.script(box);
        box.Start();
        DatabaseState state;
        RecordingMessages messages;
        EXPECT_EQ(DownloadDatabase(state, work(), messages,
                                   [](const std::string&) { return std::optional<std::string>("127.0.0.216"); },
                                   Reachable(2000ms))
                      .status,
                  c.status);
        box.Finish();
        EXPECT_EQ(messages.texts(), c.message.empty() ? Texts{} : Texts{c.message});
        const std::string received = box.received();
        EXPECT_EQ(received.substr(received.rfind("SIG_")), c.lastRequest);
        if (c.lastRequest == "SIG_INFO_CHDATA") {
            EXPECT_TRUE(fs::is_empty(work()));
        }
        // What sits in the socket buffers may still come after the bound.
        EXPECT_LT(box.flooded(), std::size_t(kMaxReportBytes) + (16u << 20));
        if (c.status == S::Success) {
            const auto menu = state.db.image(ChannelDatabase::kMenuData);
            EXPECT_EQ(std::count(menu.begin(), menu.end(), 7), std::ptrdiff_t(c.menuBytes));
        }
        for (const SatListEntry& entry : state.satList)
            EXPECT_LT(entry.name.size(), SatListEntry::kNameSize);
        ExpectOnlyOwnFiles(c.message);
    }
}
