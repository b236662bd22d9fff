#include "util/AtomicFile.h"

#include "tests/support/FileContents.h"
#include "tests/support/TempDir.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <fstream>

namespace fs = std::filesystem;

namespace {

const std::string kNew = "new contents";

AtomicWriteResult WriteNew(const fs::path& path, const SyncFunction& sync = {})
{
    return WriteFileAtomically(path, kNew.data(), kNew.size(), sync);
}

std::vector<fs::path> Names(const fs::path& folder)
{
    std::vector<fs::path> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

// The data is on the disk before the rename, and the rename before the call returns.
TEST(AtomicFile, FlushesTheDataBeforeTheRenameAndTheFolderAfterIt)
{
    TempDir dir;
    std::ofstream(dir / "f") << "old";
    std::vector<std::string> calls;
    const SyncFunction record = [&](int fd) {
        struct stat info {};
        fstat(fd, &info);
        calls.push_back((S_ISDIR(info.st_mode) ? "folder" : "file of " + std::to_string(info.st_size)) +
                        ", target " + ReadWholeFile(dir / "f"));
        return 0;
    };
    ASSERT_EQ(WriteNew(dir / "f", record), AtomicWriteResult::Ok);
    EXPECT_EQ(calls, (std::vector<std::string>{"file of 12, target old", "folder, target " + kNew}));

    // A flush that fails leaves the old file and no temporary one.
    std::ofstream(dir / "f") << "old";
    EXPECT_EQ(WriteNew(dir / "f", [](int) { return -1; }), AtomicWriteResult::WriteFailed);
    EXPECT_EQ(ReadWholeFile(dir / "f"), "old");
    EXPECT_EQ(Names(dir.path()), std::vector<fs::path>{"f"});
}

TEST(AtomicFile, KeepsThePermissionBitsAndWritesThroughALink)
{
    TempDir dir;
    std::ofstream(dir / "f") << "old";
    fs::permissions(dir / "f", fs::perms::owner_read | fs::perms::group_read);
    fs::create_symlink("f", dir / "link");
    ASSERT_EQ(WriteNew(dir / "link"), AtomicWriteResult::Ok);
    EXPECT_TRUE(fs::is_symlink(dir / "link") && ReadWholeFile(dir / "f") == kNew);
    EXPECT_EQ(fs::status(dir / "f").permissions(), fs::perms::owner_read | fs::perms::group_read);
    EXPECT_EQ(Names(dir.path()), (std::vector<fs::path>{"f", "link"}));
}

TEST(AtomicFile, ATargetThatIsNoRegularFileIsLeftAlone)
{
    TempDir dir;
    fs::create_directory(dir / "folder");
    ASSERT_EQ(mkfifo((dir / "fifo").c_str(), 0600), 0);
    fs::create_directory_symlink("folder", dir / "to-folder");
    fs::create_symlink("nothing", dir / "dangling");
    const std::vector<fs::path> before = Names(dir.path());
    for (const char* name : {"folder", "fifo", "to-folder", "dangling"})
        EXPECT_EQ(WriteNew(dir / name), AtomicWriteResult::OpenFailed) << name;
    EXPECT_EQ(Names(dir.path()), before);
    EXPECT_TRUE(fs::is_empty(dir / "folder") && fs::is_fifo(dir / "fifo"));
}
