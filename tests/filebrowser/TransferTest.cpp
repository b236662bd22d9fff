// The transfer and deletion workers against the simulated box.
#include "filebrowser/PcFolder.h"
#include "filebrowser/PcFolderExpansion.h"
#include "filebrowser/StbFolderExpansion.h"
#include "filebrowser/StbStorage.h"
#include "tests/filebrowser/TransferFixtures.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

std::vector<TransferItem> Sorted(std::vector<TransferItem> items)
{
    std::sort(items.begin(), items.end(), [](auto& a, auto& b) { return a.path < b.path; });
    return items;
}

} // namespace

// Up with the PC expansion, down with the box's: every character a shell or the "|"-joined
// requests read specially, empty files and folders, nested folders.
TEST(Transfer, EveryNameMakesTheRoundTrip)
{
    TestBox box(186, DemoSize::Tiny);
    TempDir pc;
    const std::string top = "Odd \"$`\\ dir";
    Tree tree = {{top, "/"},
                 {top + "/empty dir", "/"},
                 {top + "/sub 'x' $y", "/"},
                 {top + "/sub 'x' $y/deep.bin", "deep"},
                 {top + "/empty.txt", ""}};
    for (const char* name :
         {"a b.txt", "it's.txt", "\"q\".txt", "$HOME $(x).txt", "back`tick`.txt", "back\\slash.txt",
          "semi;amp&<gt>.txt", "glob*?[x].txt", "#hash ~tilde !bang.txt", "-dash.txt",
          "\xC3\x9C" "ber \xE2\x98\x83.txt"})
        tree[top + "/" + name] = name;
    // Several buffers' worth, and not a multiple of the 1023-byte block.
    for (int i = 0; i < 20000; ++i)
        tree["plain.bin"] += std::to_string(i);
    for (const auto& [path, bytes] : tree)
        bytes == "/" ? (void)fs::create_directories(pc / "src" / path)
                     : WriteWholeFile(pc / "src" / path, bytes);
    WriteWholeFile(pc / "src" / top / "pipe|name.txt", "never sent");

    WorkerWatch up;
    TransferSelection selection = SplitSelection(ReadPcFolder((pc / "src").string()));
    PcFolderExpansion pcScan((pc / "src").string(), selection.folders, up.messages, up.cancel);
    ASSERT_EQ(pcScan.Run(), WorkerResult::Success);
    selection.files.Append(pcScan.result());
    EXPECT_EQ(selection.files.fileCount, 15);
    EXPECT_EQ(up.Transfer(false, box.address(), pc / "src", "/Empty folder", selection.files.items),
              WorkerResult::Success);
    EXPECT_EQ(up.messages.texts(), Texts{"Send error!\n\npipe|name.txt"});
    EXPECT_EQ(up.progress.calls.front(), "(1/15) plain.bin (86.8 KB)");
    EXPECT_EQ(up.progress.calls.back(), "total 100");
    EXPECT_EQ(ReadTree(box.sda1() / "Empty folder"), tree);

    WorkerWatch down;
    StbStorage storage(box.address(), down.messages, Reachable());
    selection = SplitSelection(storage.ListFolder("/Empty folder").value());
    StbFolderExpansion boxScan(box.address(), "/Empty folder", selection.folders, down.messages,
                               down.cancel, Reachable());
    ASSERT_EQ(boxScan.Run(), WorkerResult::Success);
    // The same items; du puts sibling folders in the reverse order.
    std::vector<TransferItem> sent = pcScan.result().items;
    std::erase_if(sent, [](const TransferItem& item) { return item.name() == "pipe|name.txt"; });
    EXPECT_EQ(Sorted(boxScan.result().items), Sorted(sent));
    selection.files.Append(boxScan.result());
    fs::create_directory(pc / "dst");
    EXPECT_EQ(
        down.Transfer(true, box.address(), pc / "dst", "/Empty folder", selection.files.items),
        WorkerResult::Success);
    // The box answers "0" for an empty file, which reads as no file.
    EXPECT_EQ(down.messages.texts(), Texts{"File not exist!\n\nempty.txt"});
    tree.erase(top + "/empty.txt");
    EXPECT_EQ(ReadTree(pc / "dst"), tree);
}

// Sparse on both sides, so only the bytes on the wire are real. (The upload's announcement of
// such a size is checked against a scripted box.)
TEST(Transfer, FilesBeyondFourGiBAreCopiedCountedAndShownWhole)
{
    TestBox box(187, DemoSize::Tiny);
    constexpr std::int64_t kSize = (std::int64_t{1} << 32) + 4097;
    WriteWholeFile(box.sda1() / "big.ts", "head");
    fs::resize_file(box.sda1() / "big.ts", kSize);
    std::fstream(box.sda1() / "big.ts", std::ios::in | std::ios::out | std::ios::binary)
            .seekp(kSize - 4)
        << "tail";

    TempDir pc;
    WorkerWatch watch;
    EXPECT_EQ(watch.Transfer(true, box.address(), pc.path(), "/", {FileItem("big.ts", kSize)}),
              WorkerResult::Success);
    EXPECT_TRUE(watch.messages.texts().empty()) << watch.messages.last();
    ASSERT_EQ(fs::file_size(pc / "big.ts"), static_cast<std::uintmax_t>(kSize));
    std::ifstream copy(pc / "big.ts", std::ios::binary);
    std::string head(4, '\0'), tail(4, '\0');
    copy.read(head.data(), 4);
    copy.seekg(kSize - 4).read(tail.data(), 4);
    EXPECT_EQ(head + tail, "headtail");
    EXPECT_EQ(watch.progress.calls.front(), "(1/1) big.ts (4.0 GB)");
    EXPECT_EQ(watch.progress.calls.size(), 201u); // every whole percentage of both bars, once
    EXPECT_EQ(watch.progress.calls.back(), "total 100");
}

// "No" lets the first file finish, "Yes" stops the second one: no part of it is left, the old
// file stays as it was, the third never starts.
TEST(Transfer, CancelNoGoesOnCancelYesStopsCleanly)
{
    TestBox box(189, DemoSize::Tiny);
    for (const bool download : {true, false}) {
        TempDir pc;
        const fs::path source = download ? box.sda1() / "cx" : pc.path();
        fs::create_directories(box.sda1() / "cx");
        for (const char* name : {"a", "b", "c"})
            WriteWholeFile(source / name, std::string(5000, *name));
        if (download)
            WriteWholeFile(pc / "b", "old");
        WorkerWatch watch;
        watch.progress.onFileStarted = [&](int) { watch.cancel = true; };
        watch.messages.QueueAnswer(MessageService::Answer::No);
        watch.messages.QueueAnswer(MessageService::Answer::Yes);
        watch.overwriteAnswers = {OverwriteMode::Ask};
        EXPECT_EQ(watch.Transfer(download, box.address(), pc.path(), "/cx",
                                 {FileItem("a", 5000), FileItem("b", 5000), FileItem("c", 5000)}),
                  WorkerResult::Cancelled);
        EXPECT_EQ(watch.messages.texts(), (Texts{"Cancel?", "Cancel?"}));
        if (download)
            EXPECT_EQ(ReadTree(pc.path()), (Tree{{"a", std::string(5000, 'a')}, {"b", "old"}}));
        else
            EXPECT_FALSE(fs::exists(box.sda1() / "cx/c"));
        fs::remove_all(box.sda1() / "cx");
    }
}
