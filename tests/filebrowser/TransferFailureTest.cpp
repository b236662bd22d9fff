// Every failure of the transfer, expansion and deletion workers against scripted boxes, the
// state each leaves, the progress arithmetic, and the PC side's expansion and deletion.
#include "filebrowser/PcDeletion.h"
#include "filebrowser/PcFolderExpansion.h"
#include "filebrowser/StbDeletionWorker.h"
#include "filebrowser/StbFolderExpansion.h"
#include "filebrowser/StbStorage.h"
#include "stbsim/Fault.h"
#include "tests/filebrowser/TransferFixtures.h"
#include "tests/support/ScriptedBox.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

constexpr auto kOk = WorkerResult::Success;
constexpr auto kFailed = WorkerResult::Failed;

// A box's script and what the worker does with it. Steps: "M" expects the mount of /dev/sda1
// and confirms it, ">text" expects a request, "<text" replies in one write, "#N" expects N raw
// bytes, "~text" sends text over and over until the client closes, "x" closes; after the last step the box reads on without answering. "PC" in a message
// stands for the PC folder of the run.
struct Case {
    Texts script;
    Texts messages;
    WorkerResult result;
    TransferItem item = FileItem("x.bin");
    std::string after = "hello"; // x.bin on the PC afterwards
};
using Run = std::function<WorkerResult(const Case&, WorkerWatch&, const fs::path& pc)>;

// Plays each case on a box at `address` while `run` works against it, from a PC folder that
// holds x.bin and a|b ("hello" each) and nothing else afterwards. A box that stops answering is
// given up after a short wait, the others get a generous one.
void Check(const std::string& address, std::initializer_list<Case> cases, const Run& run)
{
    for (const Case& c : cases) {
        ScriptedBox box(address);
        for (const std::string& step : c.script) {
            const std::string text = step.substr(1);
            if (step == "M")
                box.Expect("SIG_MOUNT_START|/dev/sda1").Reply("SIG_MOUNT_SUCCESS");
            else if (step[0] == '>')
                box.Expect(text);
            else if (step[0] == '<')
                box.Reply(text);
            else if (step[0] == '#')
                box.ExpectBytes(std::stoul(text));
            else if (step[0] == '~')
                box.Flood(text, std::size_t{1} << 30);
            else
                box.Close();
        }
        box.Start();
        TempDir pc;
        for (const char* name : {"x.bin", "a|b"})
            WriteWholeFile(pc / name, "hello");
        WorkerWatch watch;
        watch.link = Reachable(c.script.back()[0] == '>' ? 300ms : 10s);
        watch.overwriteAnswers = {OverwriteMode::Ask};
        EXPECT_EQ(run(c, watch, pc.path()), c.result) << c.script.back();
        box.Finish();
        EXPECT_TRUE(box.errors().empty()) << box.errors().front();
        // A reply without end is read up to its bound (and what the socket buffers hold).
        EXPECT_LT(box.flooded(), std::size_t(kMaxStbReplyBytes) + (16u << 20));
        Texts messages = c.messages;
        for (std::string& text : messages)
            if (const std::size_t at = text.find("PC"); at != std::string::npos)
                text.replace(at, 2, pc.path().string());
        EXPECT_EQ(watch.messages.texts(), messages) << c.script.back();
        EXPECT_EQ(ReadTree(pc.path()), (Tree{{"a|b", "hello"}, {"x.bin", c.after}}))
            << c.script.back();
    }
}

} // namespace

TEST(TransferFailures, DownloadFailuresLeaveTheOldFileAsItWas)
{
    const std::string mount = ">SIG_MOUNT_START|/dev/sda1";
    const std::string info = ">SIG_GET_FILE_INFO|/mnt/link_to_pc/d/x.bin";
    const std::string get = ">SIG_GET_FILE_START|/mnt/link_to_pc/d/x.bin";
    const TransferItem x = FileItem("x.bin");
    Check("127.0.0.190",
          {
              // clang-format off
              {{mount, "<SIG_MOUNT_ERROR"}, {"USB memory connect error!"}, kFailed},
              {{mount, "x"}, {"Server disconnected!"}, kFailed},
              {{mount}, {"Recv error!"}, kFailed},
              {{"M", info, "x"}, {"Data error!"}, kFailed},
              {{"M", info, "<0"}, {"File not exist!\n\nx.bin"}, kOk},
              {{"M", info, "<-1"}, {"File not exist!\n\nx.bin"}, kOk},
              {{"M", info, "<" + kGarbage}, {"File not exist!\n\nx.bin"}, kOk},
              // Sizes no file has are asked for but not trusted: the old file stays.
              {{"M", info, "<2147483648", get, "<abcde", "x"}, {"Server disconnected!"}, kFailed},
              {{"M", info, "<4294967296", get, "<abcde", "x"}, {"Server disconnected!"}, kFailed},
              {{"M", info, "<9223372036854775808", get, "<abcde", "x"}, {"Server disconnected!"}, kFailed},
              {{"M", info, "<5", get, "<abc", "x"}, {"Server disconnected!"}, kFailed},
              {{"M", info, "<5", get, "<abcdefgh"}, {"Data error!\n\nPC/x.bin"}, kOk, x, "abcde"},
              {{"M", info, "<5", get, "<ab", "<cde"}, {}, kOk, x, "abcde"},
              {{"M"}, {"File write error!\n\nPC/no/x.bin"}, kOk, FileItem("no/x.bin")},
              {{"M"}, {"File not exist!\n\na|b"}, kOk, FileItem("a|b")},
              // A link in the PC folder that a box's folder name happens to match is not followed.
              {{"M"}, {"File write error!\n\nPC/f/g/x.bin"}, kOk, FileItem("f/g/x.bin")},
              // clang-format on
          },
          [](const Case& c, WorkerWatch& watch, const fs::path& pc) {
              TempDir outside;
              fs::create_directory_symlink(outside.path(), pc / "f");
              std::vector<TransferItem> items = {c.item};
              if (c.item.path.starts_with("f/"))
                  items.insert(items.begin(), FolderItem("f/g"));
              const WorkerResult result = watch.Transfer(true, "127.0.0.190", pc, "/d", items);
              EXPECT_TRUE(fs::is_empty(outside.path()));
              fs::remove(pc / "f");
              return result;
          });
}

TEST(TransferFailures, UploadFailuresEndOrSkipAsEachStepSays)
{
    const std::string info = ">SIG_GET_FILE_INFO|/mnt/link_to_pc/d/x.bin";
    const std::string start = ">SIG_SET_FILE_START|/mnt/link_to_pc/d/x.bin|", start5 = start + "5";
    const std::string mkdir = ">SIG_COMMAND_START|mkdir \"/mnt/link_to_pc/d/f \\$\\\"\"";
    const std::string rm = ">SIG_COMMAND_START|rm -f \"/mnt/link_to_pc/d/x.bin\"";
    const std::string ok = "<SIG_SET_FILE_OK", refused = "<SIG_SET_FILE_ERROR";
    const TransferItem folder = FolderItem("f $\"");
    Check("127.0.0.191",
          {
              // clang-format off
              {{"M", mkdir, "<SIG_COMMAND_ERROR"}, {"Error!"}, kFailed, folder},
              {{"M", mkdir, "x"}, {"Data error!"}, kFailed, folder},
              {{"M", info, "x"}, {"Data error!"}, kFailed},
              {{"M", info, "<7", rm, "<SIG_COMMAND_ERROR"}, {"File overwrite error!"}, kOk},
              {{"M", info, "<7", rm, "x"}, {"Data error!"}, kFailed},
              {{"M", info, "<0", start5, "x"}, {"Data error!"}, kFailed},
              {{"M", info, "<0", start5, refused}, {"Send error!"}, kOk},
              {{"M", info, "<0", start5, ok, "#5", refused}, {"Send error!\n\nPC/x.bin"}, kFailed},
              {{"M", info, "<0", start5, ok, "#5", "x"}, {"Data error!"}, kFailed},
              {{"M", info, "<0", start5, ok, "#5", ok}, {}, kOk},
              // The source changed since it was listed: never a byte more than announced.
              {{"M", info, "<0", start + "9", ok, "#5"}, {"Send error!\n\nPC/x.bin"}, kFailed,
               FileItem("x.bin", 9)},
              {{"M", info, "<0", start + "3", ok, "#3"}, {"Send error!\n\nPC/x.bin"}, kFailed,
               FileItem("x.bin", 3)},
              {{"M", ">SIG_GET_FILE_INFO|/mnt/link_to_pc/d/gone.bin", "<0"},
               {"File open error!\n\nPC/gone.bin"}, kOk, FileItem("gone.bin")},
              {{"M", ">SIG_GET_FILE_INFO|/mnt/link_to_pc/d/big.ts", "<0",
                ">SIG_SET_FILE_START|/mnt/link_to_pc/d/big.ts|4831838209", refused},
               {"Send error!"}, kOk, FileItem("big.ts", 4831838209)},
              {{"M"}, {"Send error!\n\na|b"}, kOk, FileItem("a|b")},
              // clang-format on
          },
          [](const Case& c, WorkerWatch& watch, const fs::path& pc) {
              WriteWholeFile(pc / "big.ts", ""); // sparse
              fs::resize_file(pc / "big.ts", 4831838209);
              const WorkerResult result = watch.Transfer(false, "127.0.0.191", pc, "/d", {c.item});
              fs::remove(pc / "big.ts");
              return result;
          });
}

TEST(TransferFailures, DeletionGoesOnPastRefusalsAndEndsWhenTheLinkBreaks)
{
    const std::string file = ">SIG_COMMAND_START|rm -rf \"/mnt/link_to_pc/d/x.bin\"";
    const std::string folder = ">SIG_COMMAND_START|rm -rf \"/mnt/link_to_pc/d/f \\`\\$\\\\\\\"\"";
    Check("127.0.0.192",
          {
              // clang-format off
              {{file, "<SIG_COMMAND_ERROR", folder, "<SIG_COMMAND_SUCCESS"},
               {"File delete failed!\n\n/mnt/link_to_pc/d/x.bin"}, kOk},
              {{file, "<SIG_COMMAND_SUCCESS", folder, "<SIG_COMMAND_SUCCESS\n"},
               {"Directory delete failed!\n\n/mnt/link_to_pc/d/f `$\\\""}, kOk},
              {{file, "x"}, {"Server disconnected!"}, kFailed},
              {{file}, {"Recv error!"}, kFailed},
              // clang-format on
          },
          [](const Case&, WorkerWatch& watch, const fs::path&) {
              return StbDeletionWorker("127.0.0.192", "/d", {File("x.bin", 5), Dir("f `$\\\"")},
                                       watch.messages, watch.cancel, watch.link)
                  .Run();
          });
}

TEST(TransferFailures, BoxExpansionFailsOnBrokenRepliesAndRefusesWhatLeadsOut)
{
    const std::string du = ">SIG_COMMAND_START|du \"/mnt/link_to_pc/d/f\"";
    const std::string list = ">SIG_GET_DISK_FILE_INFO|/mnt/link_to_pc/d/f";
    const std::string tree = "<4\t/mnt/link_to_pc/d/f\nSIG_COMMAND_SUCCESS";
    const std::string refused = "File not exist!\n\n";
    Check("127.0.0.193",
          {
              // clang-format off
              {{du, "x"}, {"Server disconnected!"}, kFailed},
              {{du}, {"Recv error!"}, kFailed},
              {{du, "<SIG_COMMAND_ERROR"}, {"Data error!"}, kFailed},
              {{du, "<4\t/mnt/link_to_pc/d/f xSIG_COMMAND_SUCCESS"}, {"Data error!"}, kFailed},
              {{du, tree, list, "<SIG_DISK_FILE_INFO_ERROR"}, {"USB memory info error!"}, kFailed},
              {{du, tree, list, "<total 0\nxSIG_DISK_FILE_INFO_END"}, {"Data error!"}, kFailed},
              {{du, "~4\t/mnt/link_to_pc/d/f/g\n"}, {"Data error!"}, kFailed},
              {{du, tree, list, "~-rw-r--r-- 1 u g 9223372036854775808 Mar 1 10:00 big\n"},
               {"Data error!"}, kFailed},
              // Paths that climb out, a sibling that only shares the prefix, another tree; names
              // that are not names. What is left is the folder and its plain files.
              {{du, "<4\t/mnt/link_to_pc/d/f/../../../etc\n4\t/mnt/link_to_pc/d/fx\n4\t/etc\n"
                    "4 /mnt/link_to_pc/d/f/./g\n4\t/mnt/link_to_pc/d/f\nSIG_COMMAND_SUCCESS",
                list, "<" + std::string(kHostileListing) + "SIG_DISK_FILE_INFO_END"},
               {refused + "/mnt/link_to_pc/d/f/../../../etc", refused + "/mnt/link_to_pc/d/fx",
                refused + "/etc", refused + "/mnt/link_to_pc/d/f/./g", refused + "/etc/passwd"},
               kOk},
              // clang-format on
          },
          [](const Case&, WorkerWatch& watch, const fs::path&) {
              StbFolderExpansion expansion("127.0.0.193", "/d", {"f"}, watch.messages, watch.cancel,
                                           watch.link);
              const WorkerResult result = expansion.Run();
              if (result == kOk) {
                  EXPECT_EQ(expansion.result().items,
                            (std::vector<TransferItem>{FolderItem("f"), FileItem("f/new", 10),
                                                       FileItem("f/0|..|0", 5),
                                                       FileItem("f/plain.txt", 42)}));
              }
              return result;
          });
}

// Unreachable, or reachable with nothing listening: every worker stops at its first request.
TEST(TransferFailures, EveryWorkerSaysConnectionFailedWithoutABox)
{
    for (const bool reachable : {false, true}) {
        WorkerWatch watch;
        watch.link.isReachable = [reachable](const std::string&) { return reachable; };
        TempDir pc;
        const std::string address = "127.0.0.194";
        for (const bool download : {true, false})
            EXPECT_EQ(watch.Transfer(download, address, pc.path(), "/", {FileItem("x.bin")}),
                      kFailed);
        const Rows rows = {Dir("f")};
        EXPECT_EQ(
            StbFolderExpansion(address, "/", {"f"}, watch.messages, watch.cancel, watch.link).Run(),
            kFailed);
        EXPECT_EQ(
            StbDeletionWorker(address, "/", rows, watch.messages, watch.cancel, watch.link).Run(),
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
    EXPECT_EQ(out.calls,
              (Texts{"(1/3) big (5.0 GB)", "file 20", "total 20", "file 100", "total 100",
                     "(2/3) skipped (100.0 Byte)", "(3/3) empty (0.0 Byte)", "file 100"}));

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
              (std::vector<TransferItem>{FolderItem("f"), FileItem("f/a.txt", 2), FolderItem("f/b"),
                                         FolderItem("f/z"), FileItem("f/z/deep.txt", 3)}));
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
