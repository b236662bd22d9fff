// Disks, mount, listings, commands and file transfers, read with the program's own parsers.
#include "filebrowser/StbDiskUsage.h"
#include "filebrowser/StbDisks.h"
#include "filebrowser/StbFreeSpace.h"
#include "filebrowser/StbListing.h"
#include "tests/stbsim/TestBox.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <thread>

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

namespace {

// A listing as the program reads it: "NAME/" for a folder, "NAME SIZE" for a file.
std::optional<Names> List(const TestBox& box, const std::string& path)
{
    const auto rows = ParseStbListing(
        box.AskUntil("SIG_GET_DISK_FILE_INFO|/mnt/link_to_pc" + path, "SIG_DISK_FILE_INFO_END")
            .text);
    if (!rows)
        return std::nullopt;
    Names names;
    for (const FileEntry& row : *rows)
        names.push_back(row.name + (row.isFolder() ? "/" : " " + std::to_string(row.size)));
    return names;
}

} // namespace

// Sizes follow from the geometry: 247 heads x 62 sectors x 512 bytes make 7,840,768 bytes a
// unit, the default 255 x 63 x 512 make 8,225,280. A disk without partitions is a volume.
TEST(StorageService, TheDiskReportNamesEachVolumeWithItsSizeOrNoneWithoutDisks)
{
    TestBox box(20, DemoSize::Tiny, [](StbSimulator::Options& o) {
        WriteWholeFile(o.stateDir / "disks.conf",
                       "disk /dev/sdc 1500 247 62\n"
                       "disk /dev/sdd 1022 247 62\npart /dev/sdd1 1 1022 83 boot\n"
                       "disk /dev/sde 20\npart /dev/sde1 1 10\npart /dev/sde2 11 20\n");
    });
    EXPECT_EQ(ParseDiskInfo(box.AskUntil("SIG_GET_DISK_INFO", "SIG_DISK_INFO_END").text),
              (std::vector<StbDisk>{{"/dev/sdc", "Disk 1", 11761152000},
                                    {"/dev/sdd1", "Disk 2", 8013264896},
                                    {"/dev/sde1", "Disk 3-1", 82252800},
                                    {"/dev/sde2", "Disk 3-2", 82252800}}));
    EXPECT_TRUE(box.Mount("/dev/sdc"));
    EXPECT_FALSE(box.Mount("/dev/sdd")); // has a partition
    TestBox none(21, DemoSize::Tiny,
                 [](StbSimulator::Options& o) { WriteWholeFile(o.stateDir / "disks.conf", "\n"); });
    BoxClient client(none.address());
    EXPECT_EQ(client.Ask("SIG_GET_DISK_INFO"), "SIG_DISK_INFO_END");
    EXPECT_EQ(client.Ask("SIG_MOUNT_START|/dev/sda1"), "SIG_MOUNT_ERROR");
    EXPECT_EQ(client.Ask("SIG_COMMAND_START|df /dev/sda1"), "SIG_COMMAND_ERROR");
}

// Mounting another partition replaces the first, as the program's disk change expects.
TEST(StorageService, MountMapsTheMountPointToThePartitionAndListsItUntilReleased)
{
    TestBox box(22);
    BoxClient client(box.address());
    EXPECT_EQ(client.Ask("SIG_GET_DISK_FILE_INFO|/mnt/link_to_pc/"), "SIG_DISK_FILE_INFO_ERROR");
    ASSERT_TRUE(box.Mount("/dev/sdb1"));
    EXPECT_EQ(List(box, "/"), (Names{"Backup/", "Documents/"}));
    ASSERT_TRUE(box.Mount("/dev/sda1"));
    const std::string raw =
        box.AskUntil("SIG_GET_DISK_FILE_INFO|/mnt/link_to_pc/", "SIG_DISK_FILE_INFO_END").text;
    EXPECT_NE(raw.find("\nlrwxrwxrwx "), std::string::npos); // the demo link, which is dropped
    EXPECT_EQ(ParseStbListing(raw).value_or(std::vector<FileEntry>{}).size(), 7u);
    EXPECT_EQ(List(box, ""), (Names{"Empty folder/", "Movies/", "Music/", "Odd names/", "Photos/",
                                    "Recordings/", "readme.txt 53"}));
    EXPECT_EQ(List(box, "/Music/Caf\xC3\xA9 del Mar"),
              (Names{"01 Intro.mp3 40000", "02 Ocean.mp3 52000"}));
    for (const char* bad : {"readme.txt", "missing", "latest.ts", "../"})
        EXPECT_EQ(client.Ask(std::string("SIG_GET_DISK_FILE_INFO|/mnt/link_to_pc/") + bad),
                  "SIG_DISK_FILE_INFO_ERROR");
    // The demo's file over 4 GiB takes no room on the host.
    ASSERT_TRUE(box.Mount("/dev/sdb2"));
    struct stat st {};
    ASSERT_EQ(
        ::stat((box.dir() / "state/disks/sdb2/Timeshift/Timeshift 2024-03-01.ts").c_str(), &st), 0);
    EXPECT_LT(st.st_blocks, 2048);
    EXPECT_EQ(client.Ask("SIG_MOUNT_END"), "SIG_MOUNT_SUCCESS");
    EXPECT_EQ(client.Ask("SIG_GET_DISK_FILE_INFO|/mnt/link_to_pc/"), "SIG_DISK_FILE_INFO_ERROR");
}

TEST(StorageService, DfDuMkdirAndRmAnswerAsTheirShellCommands)
{
    TestBox box(24);
    ASSERT_TRUE(box.Mount());
    BoxClient client(box.address());
    const auto df = [&](const std::string& device) {
        const auto reply = box.AskUntil("SIG_COMMAND_START|df " + device, "SIG_COMMAND_SUCCESS");
        return ParseFreeSpace(reply.text, device).value_or(-1);
    };
    const std::int64_t before = df("/dev/sda1");
    WriteWholeFile(box.sda1() / "big.bin", std::string(100 * 1024, 'x'));
    EXPECT_EQ(df("/dev/sda1"), before - 100 * 1024);
    EXPECT_GT(df("/dev/sdb2"), 0); // not mounted, reported too

    fs::create_directories(box.sda1() / "Movies/Short clips/Outtakes/deep er");
    const auto du = [&](const std::string& line) {
        return box.AskUntil("SIG_COMMAND_START|du " + line, "SIG_COMMAND_SUCCESS").text;
    };
    const auto tree = ParseDiskUsage(du("\"/mnt/link_to_pc/Movies\""), "/mnt/link_to_pc/Movies");
    EXPECT_TRUE(tree && tree->refused.empty());
    EXPECT_EQ(tree->folders,
              (Names{"", "Short clips", "Short clips/Outtakes", "Short clips/Outtakes/deep er"}));
    // The folder itself is printed as given, trailing slash included.
    EXPECT_NE(du("/mnt/link_to_pc/Movies/").find("Movies/\nSIG_COMMAND_SUCCESS"),
              std::string::npos);

    WriteWholeFile(box.sda1() / "Old folder/file.ts", "data");
    // Refused: an unknown device, du of a missing folder, a file or a missing parent in the way
    // of mkdir, a folder for rm -f, the partition itself, a missing file without -f, shell
    // syntax, unknown options and verbs, operands too few or too many.
    for (const char* line :
         {"df /dev/sdq1", "df /dev/sda1 /dev/sdb1", "du /mnt/link_to_pc/missing",
          "du /mnt/link_to_pc/a /mnt/link_to_pc/b\"\"", "mkdir \"/mnt/link_to_pc/readme.txt\"",
          "mkdir \"/mnt/link_to_pc/no/such/parent\"", "rm -f \"/mnt/link_to_pc/Old folder\"",
          "rm -rf \"/mnt/link_to_pc/\"", "rm -rf /mnt/link_to_pc",
          "rm \"/mnt/link_to_pc/missing.ts\"", "mkdir \"/mnt/link_to_pc/$(reboot)\"",
          "rm -x \"/mnt/link_to_pc/Music\"", "mkdir -p \"/mnt/link_to_pc/x\"",
          "rm -rf \"/mnt/link_to_pc/Music\" x", "mkdir", "reboot", ""})
        EXPECT_EQ(client.Ask("SIG_COMMAND_START|" + std::string(line)), "SIG_COMMAND_ERROR")
            << line;
    // Done, also when there is nothing left to do; shell characters arrive escaped and are
    // taken literally.
    for (const char* line :
         {"mkdir \"/mnt/link_to_pc/New folder\"", "mkdir \"/mnt/link_to_pc/New folder\"",
          R"(mkdir "/mnt/link_to_pc/a \"b\" \$c \`d\` \\e")",
          "rm -f \"/mnt/link_to_pc/Old folder/file.ts\"",
          "rm -f \"/mnt/link_to_pc/Old folder/file.ts\"", "rm -rf \"/mnt/link_to_pc/Movies\"",
          "rm -rf \"/mnt/link_to_pc/Movies\"", "rm -rf \"/mnt/link_to_pc/readme.txt\""})
        EXPECT_EQ(client.Ask("SIG_COMMAND_START|" + std::string(line)), "SIG_COMMAND_SUCCESS")
            << line;
    for (const char* folder : {"New folder", "a \"b\" $c `d` \\e", "Old folder"})
        EXPECT_TRUE(fs::is_directory(box.sda1() / folder)) << folder;
    EXPECT_FALSE(fs::exists(box.sda1() / "Old folder/file.ts") ||
                 fs::exists(box.sda1() / "Movies") || fs::exists(box.sda1() / "readme.txt"));
    EXPECT_TRUE(fs::exists(box.sda1() / "Music"));
}

// Three folders of 250 bytes and one of 125 to 164 walk the end of the du text across a
// 1023-byte receive boundary; from 135 to 152 an unpadded marker would straddle it.
TEST(StorageService, DuOfALongTreeKeepsItsMarkerWithinOneReceive)
{
    TestBox box(26);
    ASSERT_TRUE(box.Mount());
    for (char c : {'a', 'b', 'c'})
        fs::create_directories(box.sda1() / "Tree" / std::string(250, c));
    int padded = 0;
    for (std::size_t length = 125; length < 165; ++length) {
        const fs::path folder = box.sda1() / "Tree" / std::string(length, 'v');
        fs::create_directories(folder);
        const auto reply =
            box.AskUntil("SIG_COMMAND_START|du /mnt/link_to_pc/Tree", "SIG_COMMAND_SUCCESS");
        fs::remove(folder);
        ASSERT_TRUE(reply.complete) << length;
        padded += reply.text.find("\t ") != std::string::npos; // blanks after the last tab
        const auto tree = ParseDiskUsage(reply.text, "/mnt/link_to_pc/Tree");
        EXPECT_TRUE(tree && tree->folders.size() == 5u && tree->refused.empty()) << length;
    }
    EXPECT_GT(padded, 0);
}

// The box never follows a link, not even one that stays on the partition.
TEST(StorageService, NoRequestReachesOutsideThePartition)
{
    TestBox box(28);
    const fs::path outside = box.dir() / "outside";
    WriteWholeFile(outside / "secret.txt", "secret");
    fs::create_directory_symlink(outside, box.sda1() / "escape");
    fs::create_symlink(outside / "secret.txt", box.sda1() / "secret.txt");
    fs::create_directory_symlink("Music", box.sda1() / "inside");
    ASSERT_TRUE(box.Mount());
    BoxClient client(box.address());
    for (const char* path : {"/mnt/link_to_pc/escape/secret.txt", "/mnt/link_to_pc/secret.txt",
                             "/mnt/link_to_pc/inside/Playlist.m3u",
                             "/mnt/link_to_pc/Music/../../outside/secret.txt"}) {
        EXPECT_EQ(client.Ask(std::string("SIG_GET_FILE_INFO|") + path), "0") << path;
        BoxClient get(box.address());
        EXPECT_TRUE(get.Send(std::string("SIG_GET_FILE_START|") + path) && get.WaitClosed())
            << path;
    }
    const std::pair<const char*, const char*> steps[] = {
        {"SIG_GET_DISK_FILE_INFO|/mnt/link_to_pc/escape", "SIG_DISK_FILE_INFO_ERROR"},
        {"SIG_GET_DISK_FILE_INFO|/mnt/link_to_pc/inside/", "SIG_DISK_FILE_INFO_ERROR"},
        {"SIG_COMMAND_START|mkdir \"/mnt/link_to_pc/escape/new\"", "SIG_COMMAND_ERROR"},
        {"SIG_COMMAND_START|rm -rf \"/mnt/link_to_pc/escape/secret.txt\"", "SIG_COMMAND_ERROR"},
        {"SIG_SET_FILE_START|/mnt/link_to_pc/escape/new.bin|4", "SIG_SET_FILE_ERROR"},
        {"SIG_SET_FILE_START|/mnt/link_to_pc/secret.txt|4", "SIG_SET_FILE_ERROR"},
        // Removing the links removes the links only.
        {"SIG_COMMAND_START|rm -rf \"/mnt/link_to_pc/escape\"", "SIG_COMMAND_SUCCESS"},
        {"SIG_COMMAND_START|rm -f \"/mnt/link_to_pc/secret.txt\"", "SIG_COMMAND_SUCCESS"}};
    for (const auto& [request, reply] : steps)
        EXPECT_EQ(client.Ask(request), reply) << request;
    EXPECT_EQ(ReadWholeFile(outside / "secret.txt"), "secret");
    EXPECT_FALSE(fs::exists(fs::symlink_status(box.sda1() / "escape")) ||
                 fs::exists(fs::symlink_status(box.sda1() / "secret.txt")));
}

// Whole files both ways are TransferTest's. What is not a file has size 0 and is not sent;
// uploads broken off leave no file behind, and the file they would replace as it was.
TEST(FileTransfer, FilesGoWholeOrNotAtAll)
{
    TestBox box(30);
    BoxClient client(box.address());
    ASSERT_TRUE(box.Mount());
    for (const char* none : {"/mnt/link_to_pc/missing.ts", "/mnt/link_to_pc/Movies", "nonsense"})
        EXPECT_EQ(client.Ask(std::string("SIG_GET_FILE_INFO|") + none), "0") << none;
    // An empty file is answered twice, in separate receives.
    EXPECT_EQ(client.Ask("SIG_SET_FILE_START|/mnt/link_to_pc/empty.bin|0"), "SIG_SET_FILE_OK");
    EXPECT_EQ(client.Receive(), "SIG_SET_FILE_OK");
    EXPECT_TRUE(fs::is_regular_file(box.sda1() / "empty.bin"));
    const std::string readme = ReadWholeFile(box.sda1() / "readme.txt");
    {
        BoxClient half(box.address()), other(box.address());
        ASSERT_EQ(half.Ask("SIG_SET_FILE_START|/mnt/link_to_pc/half.bin|100000"),
                  "SIG_SET_FILE_OK");
        half.Send(std::string(40000, 'h'), 1023);
        ASSERT_EQ(other.Ask("SIG_SET_FILE_START|/mnt/link_to_pc/readme.txt|100"),
                  "SIG_SET_FILE_OK");
        other.Send(std::string(50, 'x'));
    }
    // The box notices the closed connections; wait until it has tidied up.
    const fs::path temp = box.dir() / "state/tmp";
    for (int i = 0; i < 1000 && !fs::is_empty(temp); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_TRUE(fs::is_empty(temp));
    EXPECT_FALSE(fs::exists(box.sda1() / "half.bin"));
    EXPECT_EQ(ReadWholeFile(box.sda1() / "readme.txt"), readme);
    // A file that is not there: the box closes rather than send bytes it does not have.
    ASSERT_TRUE(client.Send("SIG_GET_FILE_START|/mnt/link_to_pc/missing.ts"));
    EXPECT_TRUE(client.WaitClosed());
}

TEST(FileTransfer, UploadsThatCannotBeStoredAreRefusedBeforeAnyData)
{
    // A small disk: 4 units of 2 x 8 x 512 bytes, 32 KiB.
    TestBox box(34, DemoSize::Tiny, [](StbSimulator::Options& o) {
        WriteWholeFile(o.stateDir / "disks.conf", "disk /dev/sdc 4 2 8\n");
        WriteWholeFile(o.stateDir / "disks/sdc/old.bin", std::string(10 * 1024, 'o'));
        fs::create_directories(o.stateDir / "disks/sdc/dir");
    });
    BoxClient client(box.address());
    const std::string start = "SIG_SET_FILE_START|/mnt/link_to_pc/";
    EXPECT_EQ(client.Ask(start + "x.bin|10"), "SIG_SET_FILE_ERROR"); // not mounted
    ASSERT_EQ(client.Ask("SIG_MOUNT_START|/dev/sdc"), "SIG_MOUNT_SUCCESS");
    // 22 KiB are free, and the file replaced counts as free room.
    for (const char* bad :
         {"x.bin|23553", "old.bin|33000", "x.bin|", "x.bin|-1", "x.bin|1e3", "x.bin", "|5",
          "no/x.bin|5", "../x.bin|5", "dir|5", "x.bin|99999999999999999999999"})
        EXPECT_EQ(client.Ask(start + bad), "SIG_SET_FILE_ERROR") << bad;
    ASSERT_EQ(client.Ask(start + "old.bin|32768"), "SIG_SET_FILE_OK");
    client.Send(std::string(32768, 'n'), 1023);
    EXPECT_EQ(client.Receive(), "SIG_SET_FILE_OK");
    EXPECT_EQ(client.Ask(start + "more.bin|1"), "SIG_SET_FILE_ERROR");
}
