// The PC side's folder scan, navigation on both sides and the summaries.
#include "filebrowser/BrowserNavigation.h"
#include "filebrowser/FolderSummary.h"
#include "filebrowser/PcFolder.h"
#include "tests/filebrowser/TransferFixtures.h"
#include "tests/stbsim/TestBox.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

TEST(PcFolder, ListsPlainFoldersThenPlainFilesInNameOrderWithRealSizes)
{
    TempDir dir;
    for (const char* folder : {"b folder", "a folder", ".hidden folder", "read-only folder"})
        fs::create_directories(dir / folder);
    for (const char* file : {"0|..|0", ".hidden.txt", "read-only.txt", "big.bin"})
        WriteWholeFile(dir / file, "");
    WriteWholeFile(dir / "file.txt", "12345");
    fs::permissions(dir / "read-only.txt", fs::perms::owner_read);
    fs::permissions(dir / "read-only folder", fs::perms::owner_read | fs::perms::owner_exec);
    fs::create_symlink("file.txt", dir / "link.txt");
    fs::create_directory_symlink("a folder", dir / "link folder");
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0644), 0);
    // Sparse: 5 GiB that take no room.
    constexpr std::int64_t kBig = std::int64_t{5} << 30;
    fs::resize_file(dir / "big.bin", kBig);

    const Rows rows = ReadPcFolder(dir.path());
    EXPECT_EQ(rows, (Rows{FileEntry::Parent(), Dir("a folder"), Dir("b folder"), File("0|..|0", 0),
                          File("big.bin", kBig), File("file.txt", 5)}));
    EXPECT_EQ(FormatFolderSummary(Summarize(rows)), "2 Folder, 3 Files, 5.0 GB");
    fs::permissions(dir / "read-only folder", fs::perms::owner_all);

    EXPECT_NE(ReadPcFolder("/").front(), FileEntry::Parent());
    EXPECT_TRUE(ReadPcFolder((dir / "missing").string()).empty());
    EXPECT_EQ(FormatFolderSummary(Summarize({})), "0 Folder, 0 Files, 0.0 Byte");
    EXPECT_GT(PcFreeBytes(dir.path()), 0);
    EXPECT_EQ(PcFreeBytes((dir / "missing").string()), 0);
    EXPECT_EQ(FormatFreeSpace(3 << 20), "Free Space : 3.0 MB");
}

TEST(BrowserNavigation, OnlyFoldersNavigateOneStepDownOrUp)
{
    const struct {
        bool pc;
        const char* path;
        FileEntry row;
        std::optional<std::string> next;
    } cases[] = {
        {true, "/home/user", Dir("docs"), "/home/user/docs"},
        {true, "/", Dir("home"), "/home"},
        {true, "/home/user", FileEntry::Parent(), "/home"},
        {true, "/home", FileEntry::Parent(), "/"},
        {true, "/home", Dir("0|..|0"), "/home/0|..|0"},
        {true, "/home", File("docs", 5), std::nullopt},
        {true, "/home", Dir("a/b"), std::nullopt},
        {true, "/home", Dir("."), std::nullopt},
        {false, "/", Dir("Movies"), "/Movies"},
        {false, "/Movies", Dir("Short clips"), "/Movies/Short clips"},
        {false, "/Movies", FileEntry::Parent(), "/"},
        {false, "/", Dir("../escape"), std::nullopt},
        {false, "/", File("readme.txt", 53), std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.pc ? PcFolderAfterOpen(c.path, c.row) : StbFolderAfterOpen(c.path, c.row),
                  c.next)
            << c.path << " + " << c.row.name;
}
