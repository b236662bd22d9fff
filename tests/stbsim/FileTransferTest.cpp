#include "tests/stbsim/BoxClient.h"
#include "tests/stbsim/TestBox.h"

#include <gtest/gtest.h>

#include <random>
#include <thread>

namespace fs = std::filesystem;

namespace {

std::string RandomBytes(std::size_t size, unsigned seed)
{
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random());
    return bytes;
}

bool NothingInTemp(const TestBox& box)
{
    std::error_code ec;
    const fs::path temp = box.dir() / "state/tmp";
    return !fs::exists(temp) || fs::directory_iterator(temp, ec) == fs::directory_iterator();
}

} // namespace

TEST(FileTransfer, SizeAndContentsOfFilesOnThePartition)
{
    TestBox box(30);
    ASSERT_TRUE(box.Mount());
    BoxClient client(box.address());
    const std::string path = "/mnt/link_to_pc/Movies/Holiday 2023.ts";
    EXPECT_EQ(client.Ask("SIG_GET_FILE_INFO|" + path), "300000");
    ASSERT_TRUE(client.Send("SIG_GET_FILE_START|" + path));
    EXPECT_TRUE(client.ReceiveBytes(300000) ==
                ReadWholeFile(box.sda1() / "Movies/Holiday 2023.ts"));
    EXPECT_TRUE(client.Silent(100)); // exactly the bytes, nothing after them
    EXPECT_EQ(client.Ask("SIG_GET_FILE_INFO|/mnt/link_to_pc/Photos/Stra\xC3\x9F"
                         "e in K\xC3\xB6ln.jpg"),
              "20480");
    for (const char* none : {"/mnt/link_to_pc/missing.ts", "/mnt/link_to_pc/Movies",
                             "/mnt/link_to_pc/latest.ts", "/mnt/link_to_pc/", "nonsense"})
        EXPECT_EQ(client.Ask(std::string("SIG_GET_FILE_INFO|") + none), "0") << none;
    // A file that is not there: the box closes rather than send bytes it does not have.
    ASSERT_TRUE(client.Send("SIG_GET_FILE_START|/mnt/link_to_pc/missing.ts"));
    EXPECT_TRUE(client.WaitClosed());
}

TEST(FileTransfer, AnUploadArrivesWholeUnderItsNameAndMayReplaceAFile)
{
    TestBox box(31);
    ASSERT_TRUE(box.Mount());
    BoxClient client(box.address());
    const std::string bytes = RandomBytes(150000, 1);
    const std::string path = "/mnt/link_to_pc/Music/Neu | \xC3\xBC"
                             "ber.bin";
    ASSERT_EQ(client.Ask("SIG_SET_FILE_START|" + path + "|150000"), "SIG_SET_FILE_OK");
    ASSERT_TRUE(client.SendBlock(bytes));
    EXPECT_EQ(client.Receive(), "SIG_SET_FILE_OK");
    EXPECT_TRUE(ReadWholeFile(box.sda1() / "Music/Neu | \xC3\xBC"
                                           "ber.bin") == bytes);
    EXPECT_EQ(client.Ask("SIG_GET_FILE_INFO|" + path), "150000");

    ASSERT_EQ(client.Ask("SIG_SET_FILE_START|/mnt/link_to_pc/readme.txt|3"), "SIG_SET_FILE_OK");
    client.Send("new");
    EXPECT_EQ(client.Receive(), "SIG_SET_FILE_OK");
    EXPECT_EQ(ReadWholeFile(box.sda1() / "readme.txt"), "new");
    EXPECT_TRUE(NothingInTemp(box));
}

TEST(FileTransfer, AnEmptyUploadAnswersTwiceInSeparateReceives)
{
    TestBox box(32);
    ASSERT_TRUE(box.Mount());
    BoxClient client(box.address());
    ASSERT_TRUE(client.Send("SIG_SET_FILE_START|/mnt/link_to_pc/empty.txt|0"));
    EXPECT_EQ(client.Receive(), "SIG_SET_FILE_OK");
    EXPECT_EQ(client.Receive(), "SIG_SET_FILE_OK");
    EXPECT_TRUE(fs::exists(box.sda1() / "empty.txt"));
    EXPECT_EQ(fs::file_size(box.sda1() / "empty.txt"), 0u);
}

TEST(FileTransfer, ABrokenUploadLeavesNoFileBehind)
{
    TestBox box(33);
    ASSERT_TRUE(box.Mount());
    const std::string before = ReadWholeFile(box.sda1() / "readme.txt");
    {
        BoxClient client(box.address());
        ASSERT_EQ(client.Ask("SIG_SET_FILE_START|/mnt/link_to_pc/half.bin|100000"),
                  "SIG_SET_FILE_OK");
        client.SendBlock(RandomBytes(40000, 2));
        BoxClient other(box.address());
        ASSERT_EQ(other.Ask("SIG_SET_FILE_START|/mnt/link_to_pc/readme.txt|100"),
                  "SIG_SET_FILE_OK");
        other.SendBlock(std::string(50, 'x'));
    }
    // The box notices the closed connections; wait until it has tidied up.
    for (int i = 0; i < 200 && !NothingInTemp(box); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_TRUE(NothingInTemp(box));
    EXPECT_FALSE(fs::exists(box.sda1() / "half.bin"));
    EXPECT_EQ(ReadWholeFile(box.sda1() / "readme.txt"), before);
}

TEST(FileTransfer, UploadsThatCannotBeStoredAreRefusedBeforeAnyData)
{
    // A small disk: 4 units of 2 x 8 x 512 bytes, 32 KiB.
    TestBox box(34, DemoSize::Tiny, [](StbSimulator::Options& o) {
        WriteWholeFile(o.stateDir / "disks.conf", "disk /dev/sdc 4 2 8\n");
        WriteWholeFile(o.stateDir / "disks/sdc/old.bin", std::string(10 * 1024, 'o'));
    });
    ASSERT_TRUE(box->running()) << box->error();
    BoxClient client(box.address());
    EXPECT_EQ(client.Ask("SIG_SET_FILE_START|/mnt/link_to_pc/x.bin|10"),
              "SIG_SET_FILE_ERROR"); // not mounted
    ASSERT_EQ(client.Ask("SIG_MOUNT_START|/dev/sdc"), "SIG_MOUNT_SUCCESS");
    EXPECT_EQ(client.Ask("SIG_SET_FILE_START|/mnt/link_to_pc/x.bin|23553"),
              "SIG_SET_FILE_ERROR"); // 22 KiB free
    EXPECT_EQ(client.Ask("SIG_SET_FILE_START|/mnt/link_to_pc/old.bin|33000"), "SIG_SET_FILE_ERROR");
    for (const char* bad :
         {"SIG_SET_FILE_START|/mnt/link_to_pc/x.bin|",
          "SIG_SET_FILE_START|/mnt/link_to_pc/x.bin|-1",
          "SIG_SET_FILE_START|/mnt/link_to_pc/x.bin|1e3",
          "SIG_SET_FILE_START|/mnt/link_to_pc/x.bin", "SIG_SET_FILE_START|/mnt/link_to_pc/|5",
          "SIG_SET_FILE_START|/mnt/link_to_pc/no/x.bin|5",
          "SIG_SET_FILE_START|/mnt/link_to_pc/../x.bin|5",
          "SIG_SET_FILE_START|/mnt/link_to_pc/x.bin|99999999999999999999999"})
        EXPECT_EQ(client.Ask(bad), "SIG_SET_FILE_ERROR") << bad;
    ASSERT_EQ(client.Ask("SIG_COMMAND_START|mkdir \"/mnt/link_to_pc/dir\""), "SIG_COMMAND_SUCCESS");
    EXPECT_EQ(client.Ask("SIG_SET_FILE_START|/mnt/link_to_pc/dir|5"), "SIG_SET_FILE_ERROR");
    // What fits is taken, replacing a file counts its room as free.
    ASSERT_EQ(client.Ask("SIG_SET_FILE_START|/mnt/link_to_pc/old.bin|32768"), "SIG_SET_FILE_OK");
    client.SendBlock(std::string(32768, 'n'));
    EXPECT_EQ(client.Receive(), "SIG_SET_FILE_OK");
    EXPECT_EQ(client.Ask("SIG_SET_FILE_START|/mnt/link_to_pc/more.bin|1"), "SIG_SET_FILE_ERROR");
}

TEST(FileTransfer, TheProgramsFolderUploadRunsOnOneConnection)
{
    TestBox box(35);
    BoxClient client(box.address());
    ASSERT_EQ(client.Ask("SIG_MOUNT_START|/dev/sdb2"), "SIG_MOUNT_SUCCESS");
    const std::string bytes = RandomBytes(5000, 3);
    for (const char* folder : {"/mnt/link_to_pc/Up", "/mnt/link_to_pc/Up/Sub folder"}) {
        ASSERT_EQ(client.Ask(std::string("SIG_COMMAND_START|mkdir \"") + folder + "\""),
                  "SIG_COMMAND_SUCCESS");
        const std::string file = std::string(folder) + "/file.bin";
        ASSERT_EQ(client.Ask("SIG_GET_FILE_INFO|" + file), "0");
        ASSERT_EQ(client.Ask("SIG_SET_FILE_START|" + file + "|5000"), "SIG_SET_FILE_OK");
        client.SendBlock(bytes);
        ASSERT_EQ(client.Receive(), "SIG_SET_FILE_OK");
    }
    EXPECT_TRUE(ReadWholeFile(box->PartitionFolder("/dev/sdb2") / "Up/Sub folder/file.bin") ==
                bytes);
    // Overwriting: remove first, then store again, as the program does.
    EXPECT_EQ(client.Ask("SIG_GET_FILE_INFO|/mnt/link_to_pc/Up/file.bin"), "5000");
    EXPECT_EQ(client.Ask("SIG_COMMAND_START|rm -f \"/mnt/link_to_pc/Up/file.bin\""),
              "SIG_COMMAND_SUCCESS");
    EXPECT_EQ(client.Ask("SIG_GET_FILE_INFO|/mnt/link_to_pc/Up/file.bin"), "0");
}
