// The program against a box that lies: sizes out of every range, replies without end, binary
// garbage and names that lead out of the folder. Each exchange shows its message, writes only
// into its own folder, and stops reading at its bound.
#include "filebrowser/DownloadWorker.h"
#include "filebrowser/FolderSummary.h"
#include "filebrowser/StbFolderExpansion.h"
#include "filebrowser/StbStorage.h"
#include "stblink/DatabaseTransfer.h"
#include "tests/support/RecordingMessages.h"
#include "tests/filebrowser/TransferFixtures.h"
#include "tests/support/ScriptedBox.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>

using namespace std::chrono_literals;
namespace fs = std::filesystem;

namespace {

constexpr std::size_t kFloodLimit = 1024u * 1024 * 1024;
// Bytes a client may still take after its bound: what sits in the socket buffers.
constexpr std::size_t kBufferSlack = 16u * 1024 * 1024;
const std::string kGarbage("\x00\xFF\x1B[2J\r\x7F\xC3(\xF4\x90\x80\x80|..|/\x00\n", 22);

LinkOptions Options()
{
    LinkOptions options;
    options.isReachable = [](const std::string&) { return true; };
    options.receiveTimeout = 2000ms;
    return options;
}

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

    // The download against a box that answers the handshake and then plays `script`.
    DownloadResult Download(const std::string& address, ScriptedBox& box, DatabaseState& state,
                            RecordingMessages& messages)
    {
        box.Start();
        const DownloadResult result = DownloadDatabase(
            state, work(), messages,
            [&](const std::string&) { return std::optional<std::string>(address); }, Options());
        box.Finish();
        return result;
    }

    TempDir top_;
    fs::path previous_;
};

ScriptedBox& Handshake(ScriptedBox& box)
{
    return box.Expect("SIG_BACKUP_DATA_CHECK|0xdeadc0ff:0xdeadc011:13:9999")
        .Reply("SIG_BACKUP_DATA_OK");
}

// The three files as the box announces and sends them; `menuSize` may lie.
ScriptedBox& Files(ScriptedBox& box, const std::string& menuSize, std::size_t menuBytes)
{
    return box.Expect("SIG_INFO_CHDATA").Reply("700256")
        .Expect("SIG_GET_CHDATA").Reply(std::string(ChannelDatabase::kChDataSize, '\0'))
        .Expect("SIG_INFO_CHINDEX").Reply("440104")
        .Expect("SIG_GET_CHINDEX").Reply(std::string(ChannelDatabase::kChIdxSize, '\0'))
        .Expect("SIG_INFO_MENUDATA").Reply(menuSize)
        .Expect("SIG_GET_MENUDATA").Reply(std::string(menuBytes, '\x07'));
}

} // namespace

TEST_F(HostileBox, DownloadRefusesEverySizeOutOfRangeBeforeAskingForData)
{
    const struct {
        std::string size;
        std::string message;
    } cases[] = {
        {"0", "Channel data do not exist!"},
        {"-1", "Channel data do not exist!"},
        {kGarbage, "Channel data do not exist!"},
        {"700257", "Data error!"},
        {"2147483648", "Data error!"},
        {"4294967296", "Data error!"},
        {"9223372036854775808", "Data error!"},
        {"18446744073709551616", "Data error!"},
    };
    for (const auto& c : cases) {
        ScriptedBox box("127.0.0.216");
        Handshake(box).Expect("SIG_INFO_CHDATA").Reply(c.size).Stall();
        DatabaseState state;
        RecordingMessages messages;
        EXPECT_EQ(Download("127.0.0.216", box, state, messages).status,
                  DownloadStatus::FailedDataKept);
        EXPECT_EQ(messages.texts(), std::vector<std::string>{c.message}) << c.size;
        EXPECT_EQ(box.received().find("SIG_GET_CHDATA"), std::string::npos) << c.size;
        EXPECT_TRUE(fs::is_empty(work())) << c.size;
        ExpectOnlyOwnFiles(c.size);
    }
}

TEST_F(HostileBox, DownloadTakesSizesUpToTheFileAndRefusesShortBlocks)
{
    const struct {
        std::string size;
        std::size_t sent;
        std::string message; // empty: the download succeeds
    } cases[] = {
        {"512", 512, ""},
        {"511", 511, ""}, // a short file: the rest stays zero
        {"1", 1, ""},
        {"512", 100, "Data error!"}, // the box closes before the announced size
    };
    for (const auto& c : cases) {
        ScriptedBox box("127.0.0.217");
        Files(Handshake(box), c.size, c.sent);
        if (c.message.empty())
            box.Expect("SIG_CHN_START").Reply("SIG_SAT_LIST_START|0\nSIG_CHN_END\n");
        box.Close();
        DatabaseState state;
        RecordingMessages messages;
        const DownloadResult result = Download("127.0.0.217", box, state, messages);
        if (c.message.empty()) {
            EXPECT_EQ(result.status, DownloadStatus::Success) << c.size << messages.last();
            EXPECT_EQ(state.db.image(ChannelDatabase::kMenuData)[c.sent - 1], 7);
            EXPECT_EQ(state.db.image(ChannelDatabase::kMenuData)[511], c.sent == 512 ? 7 : 0);
        } else {
            EXPECT_EQ(messages.texts(), std::vector<std::string>{c.message}) << c.size;
        }
        ExpectOnlyOwnFiles(c.size + "/" + std::to_string(c.sent));
    }
}

TEST_F(HostileBox, ReportWithoutEndStopsAtItsBound)
{
    const struct {
        std::function<void(ScriptedBox&)> report;
        DownloadStatus status;
        std::string message;
    } cases[] = {
        {[](ScriptedBox& b) { b.Flood("SIG_SAT_LIST_START|9\nSat:1:0\n", kFloodLimit); },
         DownloadStatus::FailedDataKept, "Data error!"},
        {[](ScriptedBox& b) { b.Reply("SIG_SAT_LIST_START|1\nSat:1:0\n").Close(); },
         DownloadStatus::FailedDataKept, "Server disconnected!"},
        {[](ScriptedBox& b) { b.Reply("SIG_SAT_LIST_START|1\n" + kGarbage + "SIG_CHN_END"); },
         DownloadStatus::FailedNoData, "Data error!"}, // no end line: nothing is shown
        {[](ScriptedBox& b) {
             b.Reply("SIG_SAT_LIST_START|2\n../../etc/passwd:1:0\n" + kGarbage +
                     ":ffffffffff:1\nSIG_CHN_END\n");
         },
         DownloadStatus::Success, ""},
    };
    for (const auto& c : cases) {
        ScriptedBox box("127.0.0.218");
        Files(Handshake(box), "512", 512).Expect("SIG_CHN_START");
        c.report(box);
        DatabaseState state;
        RecordingMessages messages;
        EXPECT_EQ(Download("127.0.0.218", box, state, messages).status, c.status) << c.message;
        EXPECT_EQ(messages.texts().size(), c.message.empty() ? 0u : 1u);
        EXPECT_EQ(messages.last(), c.message);
        EXPECT_LT(box.flooded(), std::size_t(kMaxReportBytes) + kBufferSlack);
        for (const SatListEntry& entry : state.satList)
            EXPECT_LT(entry.name.size(), SatListEntry::kNameSize);
        ExpectOnlyOwnFiles(c.message);
    }
}

// Listing, disk report and free space: each reply endless, cut off, garbage, or lying.
TEST_F(HostileBox, StorageRepliesWithoutEndOrSenseShowTheirMessage)
{
    enum Exchange { List, Disks, Free };
    const std::string list = "SIG_GET_DISK_FILE_INFO|/mnt/link_to_pc/";
    const std::string disks = "SIG_GET_DISK_INFO";
    const std::string df = "SIG_COMMAND_START|df /dev/sda1";
    const std::string line = "-rw-r--r-- 1 u g 5 Mar 1 10:00 x\n";
    const std::string disk = "Disk /dev/sda: 1 MB, 1000 bytes\n";
    const std::string freeLine = "/dev/sda1 1 1 1 1% /\n";
    const struct {
        Exchange exchange;
        std::string request;
        std::string pattern; // flooded without end when `reply` is empty
        std::string reply;   // else sent, then the box closes
        std::string message;
    } cases[] = {
        {List, list, line, "", "Data error!"},
        {Disks, disks, disk, "", "Data error!"},
        {Free, df, freeLine, "", "Data error!"},
        {List, list, "", line + kGarbage, "Server disconnected!"},
        {Disks, disks, "", kGarbage, "Server disconnected!"},
        {Free, df, "", kGarbage, "Server disconnected!"},
        {Disks, disks, "", kGarbage + "SIG_DISK_INFO_END", "Data error!"},
        {Disks, disks, "", kGarbage + "\nSIG_DISK_INFO_END", "No usb memory connected!"},
        {List, list, "", kGarbage + "SIG_DISK_FILE_INFO_END", "Data error!"},
        {Free, df, "", kGarbage + "SIG_COMMAND_SUCCESS", "Data error!"},
    };
    for (const auto& c : cases) {
        ScriptedBox box("127.0.0.219");
        box.Expect(c.request);
        if (c.reply.empty())
            box.Flood(c.pattern, kFloodLimit);
        else
            box.Reply(c.reply).Close();
        box.Start();
        RecordingMessages messages;
        StbStorage storage("127.0.0.219", messages, Options());
        const bool ok = c.exchange == List    ? storage.ListFolder("/").has_value()
                        : c.exchange == Disks ? storage.QueryDisks().has_value()
                                              : storage.QueryFreeSpace("/dev/sda1").has_value();
        box.Finish();
        EXPECT_FALSE(ok) << c.request << " " << c.message;
        EXPECT_EQ(messages.texts(), std::vector<std::string>{c.message}) << c.request;
        EXPECT_LT(box.flooded(), std::size_t(kMaxStbReplyBytes) + kBufferSlack) << c.request;
        ExpectOnlyOwnFiles(c.request);
    }
}

TEST_F(HostileBox, StorageSizesAndNamesStayInRange)
{
    ScriptedBox box("127.0.0.220");
    box.Expect("SIG_GET_DISK_FILE_INFO|/mnt/link_to_pc/")
        .Reply("total 1\n"
               "-rw-r--r-- 1 u g 0 Mar 1 10:00 zero\n"
               "-rw-r--r-- 1 u g -1 Mar 1 10:00 minus\n"
               "-rw-r--r-- 1 u g 2147483648 Mar 1 10:00 two31\n"
               "-rw-r--r-- 1 u g 4294967296 Mar 1 10:00 two32\n"
               "-rw-r--r-- 1 u g 9223372036854775808 Mar 1 10:00 two63\n"
               "-rw-r--r-- 1 u g 1 Mar 1 10:00 ../escape\n"
               "-rw-r--r-- 1 u g 1 Mar 1 10:00 /etc/passwd\n"
               "drwxr-xr-x 1 u g 1 Mar 1 10:00 ..\n"
               "drwxr-xr-x 1 u g 1 Mar 1 10:00 .\n"
               "drwxr-xr-x 1 u g 1 Mar 1 10:00 a/../..\n" +
               kGarbage + "\nSIG_DISK_FILE_INFO_END")
        .Expect("SIG_COMMAND_START|df /dev/sda1")
        .Reply("/dev/sda1 1 1 9223372036854775808 1% /\nSIG_COMMAND_SUCCESS")
        .Expect("SIG_GET_DISK_INFO")
        .Reply("Disk /dev/sda: 1 MB, 9223372036854775808 bytes\n"
               "Units = cylinders of 16065 * 512 = 9223372036854775807 bytes\n"
               "/dev/sda1 * 1 4294967296 1+ c W95\n/dev/sda2 4 1 1 c W95\nSIG_DISK_INFO_END");
    box.Start();
    RecordingMessages messages;
    std::optional<StbConnection> connection = StbConnection::Open("127.0.0.220", Options());
    ASSERT_TRUE(connection);
    const auto rows = RequestListing(*connection, "/mnt/link_to_pc/", messages);
    const auto freeBytes = RequestFreeSpace(*connection, "/dev/sda1", messages);
    const auto found = RequestDiskInfo(*connection, messages);
    connection->Close();
    box.Finish();

    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    ASSERT_TRUE(rows);
    std::vector<std::pair<std::string, std::int64_t>> named;
    for (const FileEntry& row : *rows)
        named.emplace_back(row.name, row.size);
    EXPECT_EQ(named, (std::vector<std::pair<std::string, std::int64_t>>{
                         {"zero", 0}, {"minus", 0}, {"two31", 2147483648},
                         {"two32", 4294967296}, {"two63", kMax}}));
    EXPECT_EQ(Summarize(*rows).totalBytes, kMax);
    EXPECT_EQ(freeBytes, kMax);
    ASSERT_TRUE(found);
    ASSERT_EQ(found->size(), 2u);
    EXPECT_EQ((*found)[0].size, kMax);
    EXPECT_EQ((*found)[1].size, 0); // a range that runs backwards
    EXPECT_TRUE(messages.texts().empty()) << messages.last();
    ExpectOnlyOwnFiles("storage");
}

// The folder expansion's du and listing, endless or cut off.
TEST_F(HostileBox, ExpansionStopsAtTheReplyBound)
{
    const std::string du = "SIG_COMMAND_START|du \"/mnt/link_to_pc/d/f\"";
    const std::string list = "SIG_GET_DISK_FILE_INFO|/mnt/link_to_pc/d/f";
    const struct {
        std::function<void(ScriptedBox&)> script;
        std::string message;
    } cases[] = {
        {[&](ScriptedBox& b) { b.Expect(du).Flood("4\t/mnt/link_to_pc/d/f/g\n", kFloodLimit); },
         "Data error!"},
        {[&](ScriptedBox& b) { b.Expect(du).Reply("4\t/mnt/link_to_pc/d/f\n" + kGarbage).Close(); },
         "Server disconnected!"},
        {[&](ScriptedBox& b) {
             b.Expect(du).Reply("4\t/mnt/link_to_pc/d/f\nSIG_COMMAND_SUCCESS").Expect(list).Flood(
                 "-rw-r--r-- 1 u g 9223372036854775808 Mar 1 10:00 big\n", kFloodLimit);
         },
         "Data error!"},
    };
    for (const auto& c : cases) {
        ScriptedBox box("127.0.0.221");
        c.script(box);
        box.Start();
        RecordingMessages messages;
        std::atomic<bool> cancel{false};
        StbFolderExpansion expansion("127.0.0.221", "/d", {"f"}, messages, cancel, Options());
        EXPECT_EQ(expansion.Run(), WorkerResult::Failed) << c.message;
        box.Finish();
        EXPECT_EQ(messages.texts(), std::vector<std::string>{c.message});
        EXPECT_LT(box.flooded(), std::size_t(kMaxStbReplyBytes) + kBufferSlack);
    }
}

// A file whose size the box gives as anything: nothing is asked for below 1, and a file that
// does not bring its announced bytes leaves the old one as it was and no part file.
TEST_F(HostileBox, DownloadWorkerTakesNoSizeOnTrust)
{
    const struct {
        std::string size;
        std::function<void(ScriptedBox&)> data;
        std::vector<std::string> messages; // "PC" stands for the PC folder
        WorkerResult result;
    } cases[] = {
        {"0", nullptr, {"File not exist!\n\nx.bin"}, WorkerResult::Success},
        {"-1", nullptr, {"File not exist!\n\nx.bin"}, WorkerResult::Success},
        {kGarbage, nullptr, {"File not exist!\n\nx.bin"}, WorkerResult::Success},
        {"6", [](ScriptedBox& b) { b.Reply("abcde").Close(); }, {"Server disconnected!"},
         WorkerResult::Failed},
        {"4", [](ScriptedBox& b) { b.Reply("abcde"); }, {"Data error!\n\nPC/x.bin"},
         WorkerResult::Success},
        {"2147483648", [](ScriptedBox& b) { b.Reply("abcde").Close(); }, {"Server disconnected!"},
         WorkerResult::Failed},
        {"4294967296", [](ScriptedBox& b) { b.Flood("data", 8u << 20).Close(); },
         {"Server disconnected!"}, WorkerResult::Failed},
        {"9223372036854775808", [](ScriptedBox& b) { b.Flood("data", 8u << 20).Close(); },
         {"Server disconnected!"}, WorkerResult::Failed},
    };
    const fs::path pc = top_ / "cwd";
    for (const auto& c : cases) {
        std::ofstream(pc / "x.bin") << "old";
        ScriptedBox box("127.0.0.222");
        box.Expect("SIG_MOUNT_START|/dev/sda1").Reply("SIG_MOUNT_SUCCESS")
            .Expect("SIG_GET_FILE_INFO|/mnt/link_to_pc/d/x.bin").Reply(c.size);
        if (c.data) {
            box.Expect("SIG_GET_FILE_START|/mnt/link_to_pc/d/x.bin");
            c.data(box);
        }
        box.Start();
        TransferJob job{"127.0.0.222", "/dev/sda1", pc.string(), "/d", {}};
        job.list.AddFile("x.bin", 5);
        WorkerWatch watch;
        watch.link = Options();
        watch.overwriteAnswers = {OverwriteMode::Ask};
        EXPECT_EQ(DownloadWorker(job, watch.Hooks()).Run(), c.result) << c.size;
        box.Finish();
        std::vector<std::string> expected = c.messages;
        for (std::string& text : expected)
            if (const std::size_t at = text.find("PC"); at != std::string::npos)
                text.replace(at, 2, pc.string());
        EXPECT_EQ(watch.messages.texts(), expected) << c.size;
        const auto tree = ReadTree(pc);
        EXPECT_EQ(tree.size(), 1u) << c.size; // no part file is left behind
        EXPECT_EQ(tree.begin()->second, c.size == "4" ? "abcd" : "old") << c.size;
        fs::remove(pc / "x.bin");
        ExpectOnlyOwnFiles(c.size);
    }
}
