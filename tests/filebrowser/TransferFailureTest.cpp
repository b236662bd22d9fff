// Every failure of the transfer, expansion and deletion workers against scripted boxes, the
// state each leaves, the progress arithmetic, and the PC side's expansion and deletion.
#include "filebrowser/DownloadWorker.h"
#include "filebrowser/PcDeletion.h"
#include "filebrowser/PcFolderExpansion.h"
#include "filebrowser/StbDeletionWorker.h"
#include "filebrowser/StbFolderExpansion.h"
#include "filebrowser/UploadWorker.h"
#include "stbsim/Fault.h"
#include "tests/filebrowser/EntryPrinting.h"
#include "tests/filebrowser/TransferFixtures.h"
#include "tests/stbsim/TestBox.h"
#include "tests/support/ScriptedBox.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Tree = std::map<std::string, std::string>;
using Texts = std::vector<std::string>;

namespace {

constexpr auto kOk = WorkerResult::Success;
constexpr auto kFailed = WorkerResult::Failed;
const std::string kMount = ">SIG_MOUNT_START|/dev/sda1";
const std::string kMounted = "<SIG_MOUNT_SUCCESS";

// Plays a script: ">text" expects a request, "<text" replies in one write, "#N" expects N raw
// bytes, "x" closes; after the last step the box reads on without answering.
void Play(ScriptedBox& box, const Texts& steps)
{
    for (const std::string& step : steps) {
        const std::string text = step.substr(1);
        switch (step[0]) {
        case '>': box.Expect(text); break;
        case '<': box.Reply(text); break;
        case '#': box.ExpectBytes(std::stoul(text)); break;
        default: box.Close(); break;
        }
    }
    box.Start();
}

// A box that stops answering is given up after a short wait; the others get a generous one.
LinkOptions LinkFor(const Texts& script)
{
    return Reachable(script.back()[0] == '>' ? 300ms : 10s);
}

// "PC" in an expected message stands for the PC folder of the run.
Texts InFolder(Texts texts, const fs::path& pc)
{
    for (std::string& text : texts)
        if (const std::size_t at = text.find("PC"); at != std::string::npos)
            text.replace(at, 2, pc.string());
    return texts;
}

TransferJob Job(const fs::path& pc, std::vector<TransferItem> items,
              std::string address = "127.0.0.190")
{
    TransferJob job{std::move(address), "/dev/sda1", pc.string(), "/d", {}};
    for (const TransferItem& item : items)
        item.isFolder() ? job.list.AddFolder(item.path) : job.list.AddFile(item.path, item.size);
    return job;
}

TransferItem F(const char* path, std::int64_t size = 5)
{
    return {FileEntry::Kind::File, path, size};
}

} // namespace

TEST(TransferFailures, DownloadFailuresLeaveTheOldFileAsItWas)
{
    const std::string info = ">SIG_GET_FILE_INFO|/mnt/link_to_pc/d/x.bin";
    const std::string get = ">SIG_GET_FILE_START|/mnt/link_to_pc/d/x.bin";
    const struct {
        Texts script;
        Texts messages;
        WorkerResult result;
        std::string after; // x.bin on the PC
        const char* item = "x.bin";
    } cases[] = {
        {{kMount, "<SIG_MOUNT_ERROR"}, {"USB memory connect error!"}, kFailed, "old"},
        {{kMount, "x"}, {"Server disconnected!"}, kFailed, "old"},
        {{kMount}, {"Recv error!"}, kFailed, "old"},
        {{kMount, kMounted, info, "x"}, {"Data error!"}, kFailed, "old"},
        {{kMount, kMounted, info, "<0"}, {"File not exist!\n\nx.bin"}, kOk, "old"},
        {{kMount, kMounted, info, "<5", get, "<abc", "x"}, {"Server disconnected!"}, kFailed, "old"},
        {{kMount, kMounted, info, "<5", get, "<abcdefgh"}, {"Data error!\n\nPC/x.bin"}, kOk, "abcde"},
        {{kMount, kMounted, info, "<5", get, "<ab", "<cde"}, {}, kOk, "abcde"},
        {{kMount, kMounted}, {"File write error!\n\nPC/no/x.bin"}, kOk, "old", "no/x.bin"},
        {{kMount, kMounted}, {"File not exist!\n\na|b"}, kOk, "old", "a|b"},
    };
    for (const auto& c : cases) {
        TempDir pc;
        WriteWholeFile(pc / "x.bin", "old");
        ScriptedBox box("127.0.0.190");
        Play(box, c.script);
        WorkerWatch watch;
        watch.link = LinkFor(c.script);
        watch.overwriteAnswers = {OverwriteMode::Ask};
        EXPECT_EQ(DownloadWorker(Job(pc.path(), {F(c.item)}), watch.Hooks()).Run(), c.result)
            << c.script.back();
        box.Finish();
        EXPECT_EQ(watch.messages.texts(), InFolder(c.messages, pc.path())) << c.script.back();
        EXPECT_EQ(ReadTree(pc.path()), (Tree{{"x.bin", c.after}})) << c.script.back();
        EXPECT_TRUE(box.errors().empty()) << box.errors().front();
    }
}

// A link in the PC folder that a box's folder name happens to match is not followed.
TEST(TransferFailures, DownloadsNeverGoThroughALink)
{
    TempDir pc, outside;
    fs::create_directory_symlink(outside.path(), pc / "f");
    ScriptedBox box("127.0.0.202");
    Play(box, {kMount, kMounted});
    WorkerWatch watch;
    EXPECT_EQ(DownloadWorker(Job(pc.path(), {{FileEntry::Kind::Folder, "f/g", 0}, F("f/g/x.bin")},
                                 "127.0.0.202"),
                             watch.Hooks())
                  .Run(),
              kOk);
    box.Finish();
    EXPECT_EQ(watch.messages.texts(), InFolder({"File write error!\n\nPC/f/g/x.bin"}, pc.path()));
    EXPECT_TRUE(fs::is_empty(outside.path()));
}

TEST(TransferFailures, UploadFailuresEndOrSkipAsEachStepSays)
{
    const std::string info = ">SIG_GET_FILE_INFO|/mnt/link_to_pc/d/x.bin";
    const std::string start = ">SIG_SET_FILE_START|/mnt/link_to_pc/d/x.bin|5";
    const std::string mkdir = ">SIG_COMMAND_START|mkdir \"/mnt/link_to_pc/d/f \\$\\\"\"";
    const TransferItem folder{FileEntry::Kind::Folder, "f $\"", 0};
    const struct {
        std::vector<TransferItem> items;
        Texts script;
        Texts messages;
        WorkerResult result;
    } cases[] = {
        {{folder}, {kMount, kMounted, mkdir, "<SIG_COMMAND_ERROR"}, {"Error!"}, kFailed},
        {{folder}, {kMount, kMounted, mkdir, "x"}, {"Data error!"}, kFailed},
        {{F("x.bin")}, {kMount, kMounted, info, "x"}, {"Data error!"}, kFailed},
        {{F("x.bin")},
         {kMount, kMounted, info, "<7", ">SIG_COMMAND_START|rm -f \"/mnt/link_to_pc/d/x.bin\"",
          "<SIG_COMMAND_ERROR"},
         {"File overwrite error!"}, kOk},
        {{F("x.bin")},
         {kMount, kMounted, info, "<7", ">SIG_COMMAND_START|rm -f \"/mnt/link_to_pc/d/x.bin\"", "x"},
         {"Data error!"}, kFailed},
        {{F("x.bin")}, {kMount, kMounted, info, "<0", start, "x"}, {"Data error!"}, kFailed},
        {{F("gone.bin")}, {kMount, kMounted, ">SIG_GET_FILE_INFO|/mnt/link_to_pc/d/gone.bin", "<0"},
         {"File open error!\n\nPC/gone.bin"}, kOk},
        {{F("x.bin")}, {kMount, kMounted, info, "<0", start, "<SIG_SET_FILE_ERROR"}, {"Send error!"}, kOk},
        {{F("x.bin")}, {kMount, kMounted, info, "<0", start, "<SIG_SET_FILE_OK", "#5", "<SIG_SET_FILE_ERROR"},
         {"Send error!\n\nPC/x.bin"}, kFailed},
        {{F("x.bin")}, {kMount, kMounted, info, "<0", start, "<SIG_SET_FILE_OK", "#5", "x"},
         {"Data error!"}, kFailed},
        {{F("x.bin")}, {kMount, kMounted, info, "<0", start, "<SIG_SET_FILE_OK", "#5", "<SIG_SET_FILE_OK"},
         {}, kOk},
        // The source changed since it was listed: never a byte more than announced.
        {{F("x.bin", 9)}, {kMount, kMounted, info, "<0", ">SIG_SET_FILE_START|/mnt/link_to_pc/d/x.bin|9",
          "<SIG_SET_FILE_OK", "#5"}, {"Send error!\n\nPC/x.bin"}, kFailed},
        {{F("x.bin", 3)}, {kMount, kMounted, info, "<0", ">SIG_SET_FILE_START|/mnt/link_to_pc/d/x.bin|3",
          "<SIG_SET_FILE_OK", "#3"}, {"Send error!\n\nPC/x.bin"}, kFailed},
        {{F("big.ts", 4831838209)},
         {kMount, kMounted, ">SIG_GET_FILE_INFO|/mnt/link_to_pc/d/big.ts", "<0",
          ">SIG_SET_FILE_START|/mnt/link_to_pc/d/big.ts|4831838209", "<SIG_SET_FILE_ERROR"},
         {"Send error!"}, kOk},
        {{F("a|b")}, {kMount, kMounted}, {"Send error!\n\na|b"}, kOk},
    };
    for (const auto& c : cases) {
        TempDir pc;
        WriteWholeFile(pc / "x.bin", "hello");
        WriteWholeFile(pc / "a|b", "hello");
        WriteWholeFile(pc / "big.ts", "");
        fs::resize_file(pc / "big.ts", 4831838209);
        ScriptedBox box("127.0.0.191");
        Play(box, c.script);
        WorkerWatch watch;
        watch.link = LinkFor(c.script);
        watch.overwriteAnswers = {OverwriteMode::Ask};
        TransferJob job = Job(pc.path(), c.items);
        job.address = "127.0.0.191";
        EXPECT_EQ(UploadWorker(std::move(job), watch.Hooks()).Run(), c.result) << c.script.back();
        box.Finish();
        EXPECT_EQ(watch.messages.texts(), InFolder(c.messages, pc.path())) << c.script.back();
        EXPECT_TRUE(box.errors().empty()) << box.errors().front();
    }
}

TEST(TransferFailures, DeletionGoesOnPastRefusalsAndEndsWhenTheLinkBreaks)
{
    const std::string file = ">SIG_COMMAND_START|rm -rf \"/mnt/link_to_pc/d/x.bin\"";
    const std::string folder = ">SIG_COMMAND_START|rm -rf \"/mnt/link_to_pc/d/f \\`\\$\\\\\\\"\"";
    const struct {
        Texts script;
        Texts messages;
        WorkerResult result;
    } cases[] = {
        {{file, "<SIG_COMMAND_ERROR", folder, "<SIG_COMMAND_SUCCESS"},
         {"File delete failed!\n\n/mnt/link_to_pc/d/x.bin"}, kOk},
        {{file, "<SIG_COMMAND_SUCCESS", folder, "<SIG_COMMAND_SUCCESS\n"},
         {"Directory delete failed!\n\n/mnt/link_to_pc/d/f `$\\\""}, kOk},
        {{file, "x"}, {"Server disconnected!"}, kFailed},
        {{file}, {"Recv error!"}, kFailed},
    };
    for (const auto& c : cases) {
        ScriptedBox box("127.0.0.192");
        Play(box, c.script);
        WorkerWatch watch;
        StbDeletionWorker worker("127.0.0.192", "/d", {File("x.bin", 5), Dir("f `$\\\"")},
                                 watch.messages, watch.cancel, LinkFor(c.script));
        EXPECT_EQ(worker.Run(), c.result) << c.script.back();
        box.Finish();
        EXPECT_EQ(watch.messages.texts(), c.messages) << c.script.back();
        EXPECT_TRUE(box.errors().empty()) << box.errors().front();
    }
}

TEST(TransferFailures, BoxExpansionFailsOnBrokenRepliesAndRefusesWhatLeadsOut)
{
    const std::string du = ">SIG_COMMAND_START|du \"/mnt/link_to_pc/d/f\"";
    const std::string list = ">SIG_GET_DISK_FILE_INFO|/mnt/link_to_pc/d/f";
    const std::string tree = "<4\t/mnt/link_to_pc/d/f\nSIG_COMMAND_SUCCESS";
    const struct {
        Texts script;
        Texts messages;
        WorkerResult result;
    } cases[] = {
        {{du, "x"}, {"Server disconnected!"}, kFailed},
        {{du}, {"Recv error!"}, kFailed},
        {{du, "<SIG_COMMAND_ERROR"}, {"Data error!"}, kFailed},
        {{du, "<4\t/mnt/link_to_pc/d/f xSIG_COMMAND_SUCCESS"}, {"Data error!"}, kFailed},
        {{du, tree, list, "<SIG_DISK_FILE_INFO_ERROR"}, {"USB memory info error!"}, kFailed},
        {{du, tree, list, "<total 0\nxSIG_DISK_FILE_INFO_END"}, {"Data error!"}, kFailed},
        // Paths that climb out, a sibling that only shares the prefix, another tree; names
        // that are not names. What is left is the folder and its plain files.
        {{du,
          "<4\t/mnt/link_to_pc/d/f/../../../etc\n4\t/mnt/link_to_pc/d/fx\n4\t/etc\n"
          "4 /mnt/link_to_pc/d/f/./g\n4\t/mnt/link_to_pc/d/f\nSIG_COMMAND_SUCCESS",
          list, "<" + std::string(kHostileListing) + "SIG_DISK_FILE_INFO_END"},
         {"File not exist!\n\n/mnt/link_to_pc/d/f/../../../etc", "File not exist!\n\n/mnt/link_to_pc/d/fx",
          "File not exist!\n\n/etc", "File not exist!\n\n/mnt/link_to_pc/d/f/./g",
          "File not exist!\n\n/etc/passwd"},
         kOk},
    };
    for (const auto& c : cases) {
        ScriptedBox box("127.0.0.193");
        Play(box, c.script);
        WorkerWatch watch;
        StbFolderExpansion expansion("127.0.0.193", "/d", {"f"}, watch.messages, watch.cancel,
                                     LinkFor(c.script));
        EXPECT_EQ(expansion.Run(), c.result) << c.script.back();
        box.Finish();
        EXPECT_EQ(watch.messages.texts(), c.messages) << c.script.back();
        if (c.result == kOk) {
            EXPECT_EQ(expansion.result().items,
                      (std::vector<TransferItem>{{FileEntry::Kind::Folder, "f", 0}, F("f/new", 10),
                                                 F("f/0|..|0", 5), F("f/plain.txt", 42)}));
        }
    }
}

// Unreachable, or reachable with nothing listening: every worker stops at its first request.
TEST(TransferFailures, EveryWorkerSaysConnectionFailedWithoutABox)
{
    for (const bool reachable : {false, true}) {
        WorkerWatch watch;
        watch.link.isReachable = [reachable](const std::string&) { return reachable; };
        TempDir pc;
        TransferJob job = Job(pc.path(), {F("x.bin")});
        job.address = "127.0.0.194";
        EXPECT_EQ(DownloadWorker(job, watch.Hooks()).Run(), kFailed);
        EXPECT_EQ(UploadWorker(job, watch.Hooks()).Run(), kFailed);
        EXPECT_EQ(StbFolderExpansion(job.address, "/", {"f"}, watch.messages, watch.cancel, watch.link)
                      .Run(),
                  kFailed);
        EXPECT_EQ(StbDeletionWorker(job.address, "/", {Dir("f")}, watch.messages, watch.cancel,
                                    watch.link)
                      .Run(),
                  kFailed);
        EXPECT_EQ(watch.messages.texts(), Texts(4, "Connection failed!"));
    }
}

// What the browser checks before a transfer starts: the parent row is no selection, the
// total may equal the free bytes but not exceed them.
TEST(TransferStart, SelectFileAndDiskFull)
{
    RecordingMessages messages;
    const TransferSelection parentOnly = SplitSelection({FileEntry::Parent()});
    EXPECT_TRUE(parentOnly.folders.empty());
    EXPECT_FALSE(CheckTransferStart(parentOnly.files, 100, messages));
    const TransferSelection some = SplitSelection({Dir("f"), File("a", 60), File("b", 40)});
    EXPECT_EQ(some.folders, Texts{"f"});
    EXPECT_EQ(some.files.totalBytes, 100);
    EXPECT_TRUE(CheckTransferStart(some.files, 100, messages));
    EXPECT_FALSE(CheckTransferStart(some.files, 99, messages));
    EXPECT_EQ(messages.texts(), (Texts{"Select file!", "Disk full!"}));
}

TEST(TransferProgress, WholeGrowingPercentagesThatNeverDivideByZero)
{
    RecordingProgress out;
    constexpr std::int64_t kGiB = std::int64_t{1} << 30;
    ProgressTracker run(out, 5 * kGiB + 100, 3);
    run.StartFile("big", 5 * kGiB);
    run.AddBytes(kGiB / 100);  // 0.2 % of the file: nothing grew
    run.AddBytes(kGiB);        // 20 % of the file and of the total
    run.AddBytes(kGiB / 1000); // still 20 %
    run.AddBytes(4 * kGiB);    // beyond the file's size (a box that sends more): 100 at most
    run.FileDone(5 * kGiB);
    run.StartFile("skipped", 100); // skipped: counts with its listed size
    run.FileSkipped();
    run.StartFile("empty", 0);
    run.FileDone(0);
    run.Complete();
    EXPECT_EQ(out.calls, (Texts{"(1/3) big (5.0 GB)", "file 20", "total 20", "file 100",
                                "total 100", "(2/3) skipped (100.0 Byte)", "(3/3) empty (0.0 Byte)",
                                "file 100"}));

    RecordingProgress empty;
    ProgressTracker nothing(empty, 0, 1);
    nothing.StartFile("e", 0);
    nothing.FileDone(0);
    nothing.Complete();
    EXPECT_EQ(empty.calls, (Texts{"(1/1) e (0.0 Byte)", "file 100", "total 100"}));
}

// Only what the PC listing shows, parents first; links are never followed.
TEST(PcSide, ExpansionWalksPlainFoldersAndDeletionNeverLeavesTheTree)
{
    TempDir pc;
    WriteWholeFile(pc / "outside/keep.txt", "keep");
    WriteWholeFile(pc / "f/a.txt", "aa");
    WriteWholeFile(pc / "f/z/deep.txt", "ddd");
    WriteWholeFile(pc / "f/b/.hidden/x", "x");
    WriteWholeFile(pc / "f/.hidden.txt", "x");
    fs::create_directory_symlink(pc / "outside", pc / "f/b/out");
    fs::create_symlink(pc / "outside/keep.txt", pc / "f/keep.txt");
    WorkerWatch watch;
    PcFolderExpansion expansion(pc.path().string(), {"f"}, watch.messages, watch.cancel);
    ASSERT_EQ(expansion.Run(), kOk);
    EXPECT_EQ(expansion.result().items,
              (std::vector<TransferItem>{{FileEntry::Kind::Folder, "f", 0}, F("f/a.txt", 2),
                                         {FileEntry::Kind::Folder, "f/b", 0},
                                         {FileEntry::Kind::Folder, "f/z", 0}, F("f/z/deep.txt", 3)}));
    EXPECT_EQ(expansion.result().totalBytes, 5);
    watch.cancel = true;
    EXPECT_EQ(expansion.Run(), WorkerResult::Cancelled);

    // One message per row that could not go: here rows that are gone already.
    EXPECT_EQ(DeletePcEntries(pc.path().string(),
                              {FileEntry::Parent(), Dir("f"), File("gone.txt", 1), Dir("gone")},
                              watch.messages),
              2);
    EXPECT_EQ(ReadTree(pc.path()), (Tree{{"outside", "/"}, {"outside/keep.txt", "keep"}}));
    EXPECT_EQ(watch.messages.texts(),
              (Texts{"Cancel?", "File delete failed!\n\n" + (pc / "gone.txt").string(),
                     "Directory delete failed!\n\n" + (pc / "gone").string()}));
}
