#include "stbsim/DiskLayout.h"
#include "tests/stbsim/BoxClient.h"
#include "tests/stbsim/ProgramParsers.h"
#include "tests/stbsim/TestBox.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace fs = std::filesystem;

namespace {

ListingReading List(const std::string& address, const std::string& path, std::string* raw = nullptr,
                    BoxClient::Text* text = nullptr)
{
    BoxClient client(address);
    client.Send("SIG_GET_DISK_FILE_INFO|" + path);
    const BoxClient::Text reply = client.ReceiveUntil("SIG_DISK_FILE_INFO_END");
    if (raw)
        *raw = reply.text;
    if (text)
        *text = reply;
    return ReadListing(reply.text);
}

std::string Command(BoxClient& client, const std::string& line)
{
    return client.Ask("SIG_COMMAND_START|" + line);
}

std::vector<std::string> Names(const ListingReading& reading, int kind)
{
    std::vector<std::string> names;
    for (const ListedEntry& entry : reading.entries)
        if (entry.kind == kind)
            names.push_back(entry.name);
    return names;
}

} // namespace

TEST(StorageService, TheDiskReportNamesTheConfiguredPartitionsWithTheirSizes)
{
    TestBox box(20);
    BoxClient client(box.address());
    ASSERT_TRUE(client.Send("SIG_GET_DISK_INFO"));
    const BoxClient::Text reply = client.ReceiveUntil("SIG_DISK_INFO_END");
    ASSERT_TRUE(reply.complete);
    const DiskReportReading reading = ReadDiskReport(reply.text);
    ASSERT_TRUE(reading.complete);
    const std::vector<Volume> volumes = DemoDiskLayout().Volumes();
    ASSERT_EQ(reading.entries.size(), volumes.size());
    for (std::size_t i = 0; i < volumes.size(); ++i) {
        EXPECT_EQ(reading.entries[i].device, volumes[i].device);
        EXPECT_EQ(reading.entries[i].size, static_cast<double>(volumes[i].bytes));
    }
}

TEST(StorageService, ABoxWithoutDisksReportsNoEntriesAndMountsNothing)
{
    TestBox box(21, DemoSize::Tiny,
                [](StbSimulator::Options& o) { WriteWholeFile(o.stateDir / "disks.conf", "\n"); });
    ASSERT_TRUE(box->running()) << box->error();
    BoxClient client(box.address());
    EXPECT_EQ(client.Ask("SIG_GET_DISK_INFO"), "SIG_DISK_INFO_END");
    EXPECT_NE(client.Ask("SIG_MOUNT_START|/dev/sda1"), "SIG_MOUNT_SUCCESS");
    EXPECT_EQ(Command(client, "df /dev/sda1"), "SIG_COMMAND_ERROR");
}

TEST(StorageService, MountMapsTheMountPointToThePartitionUntilReleased)
{
    TestBox box(22);
    EXPECT_EQ(BoxClient(box.address()).Ask("SIG_GET_DISK_FILE_INFO|/mnt/link_to_pc/"),
              "SIG_DISK_FILE_INFO_ERROR");
    EXPECT_EQ(BoxClient(box.address()).Ask("SIG_MOUNT_START|/dev/sdz9"), "SIG_MOUNT_ERROR");
    EXPECT_EQ(BoxClient(box.address()).Ask("SIG_MOUNT_START|/dev/sda"),
              "SIG_MOUNT_ERROR"); // has partitions
    ASSERT_TRUE(box.Mount("/dev/sdb1"));
    EXPECT_EQ(box->MountedDevice(), "/dev/sdb1");
    EXPECT_EQ(Names(List(box.address(), "/mnt/link_to_pc/"), 0),
              (std::vector<std::string>{"Backup", "Documents"}));
    // Mounting another partition replaces the first, as the program's disk change expects.
    ASSERT_TRUE(box.Mount("/dev/sda1"));
    EXPECT_NE(Names(List(box.address(), "/mnt/link_to_pc"), 0),
              (std::vector<std::string>{"Backup", "Documents"}));
    EXPECT_EQ(BoxClient(box.address()).Ask("SIG_MOUNT_END"), "SIG_MOUNT_SUCCESS");
    EXPECT_FALSE(box->MountedDevice());
    EXPECT_EQ(BoxClient(box.address()).Ask("SIG_GET_DISK_FILE_INFO|/mnt/link_to_pc/"),
              "SIG_DISK_FILE_INFO_ERROR");
}

TEST(StorageService, ListingsReadAsTheProgramReadsThem)
{
    TestBox box(23);
    ASSERT_TRUE(box.Mount());
    std::string raw;
    const ListingReading root = List(box.address(), "/mnt/link_to_pc/", &raw);
    ASSERT_TRUE(root.complete);
    EXPECT_EQ(raw.rfind("total ", 0), 0u);
    EXPECT_NE(raw.find("\nlrwxrwxrwx "),
              std::string::npos); // the demo link, which the program drops
    EXPECT_NE(raw.find(" latest.ts -> Recordings/News 2024-04-30.ts\n"), std::string::npos);
    EXPECT_EQ(Names(root, 0), (std::vector<std::string>{"Empty folder", "Movies", "Music", "Photos",
                                                        "Recordings"}));
    ASSERT_EQ(Names(root, 1), (std::vector<std::string>{"readme.txt"}));
    EXPECT_EQ(root.entries.back().size, std::to_string(fs::file_size(box.sda1() / "readme.txt")));

    const ListingReading music = List(box.address(), "/mnt/link_to_pc/Music/Caf\xC3\xA9 del Mar");
    EXPECT_EQ(Names(music, 1), (std::vector<std::string>{"01 Intro.mp3", "02 Ocean.mp3"}));
    EXPECT_EQ(music.entries[0].size, "40000");

    // A listing longer than one receive still shows its marker within one chunk.
    BoxClient::Text reply;
    const ListingReading recordings =
        List(box.address(), "/mnt/link_to_pc/Recordings", nullptr, &reply);
    EXPECT_TRUE(reply.complete);
    EXPECT_GT(reply.chunks, 1);
    EXPECT_EQ(recordings.entries.size(), 30u);

    const ListingReading empty = List(box.address(), "/mnt/link_to_pc/Empty folder");
    EXPECT_TRUE(empty.complete);
    EXPECT_TRUE(empty.entries.empty());
    for (const char* bad : {"/mnt/link_to_pc/readme.txt", "/mnt/link_to_pc/missing",
                            "/mnt/link_to_pc/latest.ts", "/mnt/link_to_pc/../", "/etc", ""})
        EXPECT_EQ(BoxClient(box.address()).Ask(std::string("SIG_GET_DISK_FILE_INFO|") + bad),
                  "SIG_DISK_FILE_INFO_ERROR")
            << bad;
}

TEST(StorageService, DfReportsThePartitionSizeAndWhatItsFolderHolds)
{
    TestBox box(24);
    ASSERT_TRUE(box.Mount());
    const std::uint64_t bytes = DemoDiskLayout().FindVolume("/dev/sda1")->bytes;
    auto available = [&](long long* total) {
        BoxClient client(box.address());
        client.Send("SIG_COMMAND_START|df /dev/sda1");
        const BoxClient::Text reply = client.ReceiveUntil("SIG_COMMAND_SUCCESS");
        EXPECT_TRUE(reply.complete);
        return ReadDfAvailable(reply.text, "/dev/sda1", total);
    };
    long long total = 0;
    const long long before = available(&total);
    EXPECT_EQ(total, static_cast<long long>(bytes / 1024));
    EXPECT_LT(before, total);
    WriteWholeFile(box.sda1() / "big.bin", std::string(100 * 1024, 'x'));
    EXPECT_EQ(available(nullptr), before - 100);
    // A partition that is not mounted is reported too, an unknown device is not.
    BoxClient client(box.address());
    client.Send("SIG_COMMAND_START|df /dev/sdb2");
    EXPECT_GT(ReadDfAvailable(client.ReceiveUntil("SIG_COMMAND_SUCCESS").text, "/dev/sdb2"), 0);
    EXPECT_EQ(Command(client, "df /dev/sdq1"), "SIG_COMMAND_ERROR");
    EXPECT_EQ(Command(client, "df /dev/sda1 /dev/sdb1"), "SIG_COMMAND_ERROR");
}

TEST(StorageService, DuListsSubfoldersBeforeTheirParentsWithOrWithoutQuotes)
{
    TestBox box(25);
    ASSERT_TRUE(box.Mount());
    fs::create_directories(box.sda1() / "Movies/Short clips/Outtakes/deep er");
    const std::vector<std::string> expected = {
        "/mnt/link_to_pc/Movies", "/mnt/link_to_pc/Movies/Short clips",
        "/mnt/link_to_pc/Movies/Short clips/Outtakes",
        "/mnt/link_to_pc/Movies/Short clips/Outtakes/deep er"};
    for (const char* line : {"du /mnt/link_to_pc/Movies", "du \"/mnt/link_to_pc/Movies\"",
                             "du /mnt/link_to_pc/Movies/"}) {
        BoxClient client(box.address());
        client.Send(std::string("SIG_COMMAND_START|") + line);
        const BoxClient::Text reply = client.ReceiveUntil("SIG_COMMAND_SUCCESS");
        bool complete = false;
        std::vector<std::string> folders = ReadDuFolders(reply.text, complete);
        EXPECT_TRUE(complete);
        ASSERT_FALSE(folders.empty()) << line;
        folders.front() = "/mnt/link_to_pc/Movies"; // printed as given, trailing slash included
        EXPECT_EQ(folders, expected) << line;
    }
    // The program sends paths with blanks unquoted.
    BoxClient client(box.address());
    client.Send("SIG_COMMAND_START|du /mnt/link_to_pc/Music/Caf\xC3\xA9 del Mar");
    bool complete = false;
    EXPECT_EQ(ReadDuFolders(client.ReceiveUntil("SIG_COMMAND_SUCCESS").text, complete),
              (std::vector<std::string>{"/mnt/link_to_pc/Music/Caf\xC3\xA9 del Mar"}));
    EXPECT_EQ(Command(client, "du /mnt/link_to_pc/missing"), "SIG_COMMAND_ERROR");
    EXPECT_EQ(Command(client, "du /mnt/link_to_pc/a /mnt/link_to_pc/b\"\""), "SIG_COMMAND_ERROR");
}

// The du text is computed here line by line, so that the rounds below walk the marker across
// a 1023-byte receive boundary for certain.
TEST(StorageService, DuOfALongTreeKeepsItsMarkerWithinOneReceive)
{
    TestBox box(26);
    ASSERT_TRUE(box.Mount());
    const std::string base = "/mnt/link_to_pc/Tree";
    std::size_t fixed = 0;
    int folders = 0;
    // One more folder "v...v" whose name grows by one byte each round.
    auto bodySize = [&](std::size_t length) {
        const std::string tree = std::to_string(4 + 4 * (folders + 1)) + "\t" + base + "\n";
        return fixed + ("4\t" + base + "/\n").size() + length + tree.size();
    };
    const std::size_t marker = std::string("SIG_COMMAND_SUCCESS").size();
    std::size_t straddle = 0;
    while (straddle == 0 && folders < 100) {
        const std::string name = "folder with a rather long name " + std::to_string(folders++);
        fs::create_directories(box.sda1() / "Tree" / name);
        fixed += ("4\t" + base + "/" + name + "\n").size();
        for (std::size_t length = 11; length < 200 && straddle == 0; ++length)
            if (folders >= 20 && bodySize(length) % 1023 + marker > 1023)
                straddle = length;
    }
    ASSERT_GT(straddle, 0u);
    for (std::size_t length = straddle - 10; length < straddle + 30; ++length) {
        const fs::path folder = box.sda1() / "Tree" / std::string(length, 'v');
        fs::create_directories(folder);
        BoxClient client(box.address());
        client.Send("SIG_COMMAND_START|du " + base);
        const BoxClient::Text reply = client.ReceiveUntil("SIG_COMMAND_SUCCESS");
        fs::remove(folder);
        ASSERT_TRUE(reply.complete) << length;
        bool complete = false;
        EXPECT_EQ(ReadDuFolders(reply.text, complete).size(),
                  static_cast<std::size_t>(folders) + 2);
        EXPECT_EQ(ReadDuFolders(reply.text, complete).front(), base);
    }
}

TEST(StorageService, MkdirAndRmBehaveLikeTheirShellCommands)
{
    TestBox box(27);
    ASSERT_TRUE(box.Mount());
    BoxClient client(box.address());
    EXPECT_EQ(Command(client, "mkdir \"/mnt/link_to_pc/New folder\""), "SIG_COMMAND_SUCCESS");
    EXPECT_TRUE(fs::is_directory(box.sda1() / "New folder"));
    EXPECT_EQ(Command(client, "mkdir \"/mnt/link_to_pc/New folder\""),
              "SIG_COMMAND_SUCCESS"); // exists: fine
    EXPECT_EQ(Command(client, "mkdir \"/mnt/link_to_pc/readme.txt\""), "SIG_COMMAND_ERROR");
    EXPECT_EQ(Command(client, "mkdir \"/mnt/link_to_pc/no/such/parent\""), "SIG_COMMAND_ERROR");
    // Characters a shell treats specially arrive escaped and are taken literally.
    EXPECT_EQ(Command(client, R"(mkdir "/mnt/link_to_pc/a \"b\" \$c \`d\` \\e")"),
              "SIG_COMMAND_SUCCESS");
    EXPECT_TRUE(fs::is_directory(box.sda1() / "a \"b\" $c `d` \\e"));

    WriteWholeFile(box.sda1() / "New folder/file.ts", "data");
    EXPECT_EQ(Command(client, "rm -f \"/mnt/link_to_pc/New folder\""),
              "SIG_COMMAND_ERROR"); // a folder
    EXPECT_EQ(Command(client, "rm -f \"/mnt/link_to_pc/New folder/file.ts\""),
              "SIG_COMMAND_SUCCESS");
    EXPECT_FALSE(fs::exists(box.sda1() / "New folder/file.ts"));
    EXPECT_EQ(Command(client, "rm -f \"/mnt/link_to_pc/New folder/file.ts\""),
              "SIG_COMMAND_SUCCESS"); // missing
    EXPECT_EQ(Command(client, "rm \"/mnt/link_to_pc/New folder/file.ts\""), "SIG_COMMAND_ERROR");
    EXPECT_EQ(Command(client, "rm -rf \"/mnt/link_to_pc/Movies\""), "SIG_COMMAND_SUCCESS");
    EXPECT_FALSE(fs::exists(box.sda1() / "Movies"));
    EXPECT_EQ(Command(client, "rm -rf \"/mnt/link_to_pc/Movies\""), "SIG_COMMAND_SUCCESS");
    EXPECT_EQ(Command(client, "rm -rf \"/mnt/link_to_pc/readme.txt\""), "SIG_COMMAND_SUCCESS");
    EXPECT_EQ(Command(client, "rm -rf \"/mnt/link_to_pc/\""),
              "SIG_COMMAND_ERROR"); // never the partition
    EXPECT_EQ(Command(client, "rm -rf /mnt/link_to_pc"), "SIG_COMMAND_ERROR");
    EXPECT_TRUE(fs::exists(box.sda1() / "Music"));

    for (const char* line :
         {"mkdir \"/mnt/link_to_pc/$(reboot)\"", "rm -rf /mnt/link_to_pc/Music; reboot",
          "rm -x \"/mnt/link_to_pc/Music\"", "rm -rf", "mkdir", "ls -l /mnt/link_to_pc", "reboot",
          "", "mkdir -p \"/mnt/link_to_pc/x\"", "rm -rf \"/mnt/link_to_pc/Music\" x"})
        EXPECT_EQ(Command(client, line), "SIG_COMMAND_ERROR") << line;
    EXPECT_TRUE(fs::exists(box.sda1() / "Music"));
}

TEST(StorageService, NoRequestReachesOutsideThePartition)
{
    TestBox box(28);
    const fs::path outside = box.dir() / "outside";
    WriteWholeFile(outside / "secret.txt", "secret");
    fs::create_directory_symlink(outside, box.sda1() / "escape");
    fs::create_symlink(outside / "secret.txt", box.sda1() / "secret.txt");
    ASSERT_TRUE(box.Mount());
    BoxClient client(box.address());
    for (const char* path :
         {"/mnt/link_to_pc/escape/secret.txt", "/mnt/link_to_pc/secret.txt",
          "/mnt/link_to_pc/../outside/secret.txt", "/mnt/link_to_pc/../../state/db/chdata.dat",
          "/etc/passwd", "/mnt/link_to_pc/Music/../../outside/secret.txt"}) {
        EXPECT_EQ(client.Ask(std::string("SIG_GET_FILE_INFO|") + path), "0") << path;
        BoxClient get(box.address());
        get.Send(std::string("SIG_GET_FILE_START|") + path);
        EXPECT_TRUE(get.WaitClosed()) << path;
    }
    EXPECT_EQ(client.Ask("SIG_GET_DISK_FILE_INFO|/mnt/link_to_pc/escape"),
              "SIG_DISK_FILE_INFO_ERROR");
    EXPECT_EQ(client.Ask("SIG_GET_DISK_FILE_INFO|/mnt/link_to_pc/escape/"),
              "SIG_DISK_FILE_INFO_ERROR");
    EXPECT_EQ(Command(client, "mkdir \"/mnt/link_to_pc/escape/new\""), "SIG_COMMAND_ERROR");
    EXPECT_EQ(Command(client, "rm -rf \"/mnt/link_to_pc/escape/secret.txt\""), "SIG_COMMAND_ERROR");
    EXPECT_EQ(Command(client, "rm -rf \"/mnt/link_to_pc/../outside\""), "SIG_COMMAND_ERROR");
    EXPECT_EQ(client.Ask("SIG_SET_FILE_START|/mnt/link_to_pc/escape/new.bin|4"),
              "SIG_SET_FILE_ERROR");
    EXPECT_EQ(client.Ask("SIG_SET_FILE_START|/mnt/link_to_pc/secret.txt|4"), "SIG_SET_FILE_ERROR");
    // Removing the links removes the links only.
    EXPECT_EQ(Command(client, "rm -rf \"/mnt/link_to_pc/escape\""), "SIG_COMMAND_SUCCESS");
    EXPECT_EQ(Command(client, "rm -f \"/mnt/link_to_pc/secret.txt\""), "SIG_COMMAND_SUCCESS");
    EXPECT_EQ(ReadWholeFile(outside / "secret.txt"), "secret");
    EXPECT_EQ(fs::symlink_status(box.sda1() / "escape").type(), fs::file_type::not_found);
}
