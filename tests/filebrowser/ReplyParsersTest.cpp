// The box's text replies, as crafted and as the simulated box writes them.
#include "filebrowser/StbDisks.h"
#include "filebrowser/FolderSummary.h"
#include "filebrowser/StbFreeSpace.h"
#include "filebrowser/StbListing.h"
#include "stbsim/Fault.h"
#include "tests/filebrowser/TransferFixtures.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

TEST(StbListing, EachLineShapeGivesItsEntryOrNone)
{
    const struct {
        std::string line;
        std::optional<FileEntry> entry;
    } cases[] = {
        {"drwxr-xr-x    2 root     root         4096 Mar  1 10:00 Movies", Dir("Movies", 4096)},
        {"-rw-r--r--    1 root     root       300000 Mar  1  2023 Holiday 2023.ts",
         File("Holiday 2023.ts", 300000)},
        // Leading blanks of a name are lost, inner and trailing ones stay.
        {"-rw-r--r-- 1 root root 5 Mar 1 10:00    two  blanks ", File("two  blanks ", 5)},
        {"-rw-r--r-- 1 u g 4831842529 Mar 1 10:00 big.ts", File("big.ts", 4831842529)},
        {"-rw-r--r-- 1 u g 9223372036854775808 Mar 1 10:00 two63", File("two63", INT64_MAX)},
        {"-rw-r--r-- 1 u g -5 Mar 1 10:00 negative", File("negative", 0)},
        {"-rw-r--r-- 1 u g many Mar 1 10:00 no number", File("no number", 0)},
        {"-rw-r--r-- 1 u g 5 Mar 1 10:00 0|..|0", File("0|..|0", 5)},
        {"lrwxrwxrwx 1 root root 7 Mar 1 10:00 latest.ts -> x.ts", std::nullopt},
        {"total 24", std::nullopt},
        {"", std::nullopt},
        {"-rw-r--r-- 1 root root 5 Mar 1 10:00", std::nullopt}, // no name
        {"drwxr-xr-x 2 root root 4096 Mar 1 10:00 .", std::nullopt},
        {"drwxr-xr-x 2 root root 4096 Mar 1 10:00 ..", std::nullopt},
        {"drwxr-xr-x 2 root root 4096 Mar 1 10:00 ../escape", std::nullopt},
        {"-rw-r--r-- 1 root root 5 Mar 1 10:00 /etc/passwd", std::nullopt},
        {"-rw-r--r-- 1 root root 5 Mar 1 10:00 nul\0byte"s, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseListingLine(c.line), c.entry) << c.line;
    EXPECT_EQ(Summarize({File("a", INT64_MAX), File("b", 1)}).totalBytes, INT64_MAX);
}

TEST(StbListing, FoldersComeFirstOnlyACompleteReplyCountsNoNameLeavesTheFolder)
{
    const std::string body = "total 9\n"
                             "-rw-r--r-- 1 u g 1 Mar 1 10:00 a\n"
                             "drwxr-xr-x 2 u g 4096 Mar 1 10:00 b\n"
                             "-rw-r--r-- 1 u g 3 Mar 1 10:00 c\n"
                             "drwxr-xr-x 2 u g 4096 Mar 1 10:00 d\n";
    const Rows rows = {Dir("b", 4096), Dir("d", 4096), File("a", 1), File("c", 3)};
    EXPECT_EQ(ParseStbListing(body + "SIG_DISK_FILE_INFO_END\n"), rows);
    // Nothing after the end line is read.
    EXPECT_EQ(ParseStbListing(body + "SIG_DISK_FILE_INFO_END\n-rw-r--r-- 1 u g 1 Mar 1 10:00 e\n"),
              rows);
    EXPECT_EQ(ParseStbListing("SIG_DISK_FILE_INFO_END"), Rows{});
    // The marker must begin a line.
    EXPECT_EQ(ParseStbListing(body), std::nullopt);
    EXPECT_EQ(ParseStbListing(body + "xSIG_DISK_FILE_INFO_END\n"), std::nullopt);
    // Hostile names never lead out of the folder. A name cannot span lines: "new" + line feed +
    // "line.txt" is the file "new" and a line that is no entry.
    EXPECT_EQ(ParseStbListing(kHostileListing + "SIG_DISK_FILE_INFO_END"s),
              (Rows{Dir("a|b", 4096), File("new", 10), File("0|..|0", 5), File("plain.txt", 42)}));
}

// Labels and sizes of the simulated box's reports: StorageServiceTest.
TEST(StbDisks, LabelsAndSizesFollowTheReportsDisksAndPartitions)
{
    const std::string unit = "Units = cylinders of 15376 * 512 = 7840768 bytes\n\n";
    const std::string header = "Disk /dev/sda: 8012 MB, 8013264896 bytes\n"
                               "247 heads, 62 sectors/track, 1022 cylinders\n" +
                               unit + "   Device Boot      Start         End      Blocks   Id\n";
    const auto part = [](int n, int start, int end) {
        return "/dev/sda" + std::to_string(n) + "      " + std::to_string(start) + "   " +
               std::to_string(end) + "   7831521   83  Linux\n";
    };
    const std::int64_t kUnit = 7840768;
    const struct {
        std::string report;
        std::optional<std::vector<StbDisk>> disks;
    } cases[] = {
        // A disk without partitions is listed whole only when another disk follows it.
        {"Disk /dev/sdc: 11761 MB, 11761152000 bytes\n" + header + part(1, 5, 5) +
             "SIG_DISK_INFO_END",
         std::vector<StbDisk>{{"/dev/sdc", "Disk 1", 11761152000}, {"/dev/sda1", "Disk 2", kUnit}}},
        {"Disk /dev/sdc: 11761 MB, 11761152000 bytes\n" + unit + "SIG_DISK_INFO_END",
         std::vector<StbDisk>{}},
        {"SIG_DISK_INFO_END", std::vector<StbDisk>{}},
        // Backwards or absurd ranges give no negative or overflowing size.
        {header + part(1, 9, 3) + "/dev/sda2 1 99999999999999999999\nSIG_DISK_INFO_END",
         std::vector<StbDisk>{{"/dev/sda1", "Disk 1-1", 0}, {"/dev/sda2", "Disk 1-2", INT64_MAX}}},
        {header + part(1, 1, 1022), std::nullopt},
        {header + part(1, 1, 1022) + " SIG_DISK_INFO_END", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseDiskInfo(c.report), c.disks) << c.report;
    EXPECT_EQ(DiskChoiceText({"/dev/sda1", "Disk 1-2", 8013264896}), "Disk 1-2 (7 GB)");
}

TEST(StbFreeSpace, AvailableBlocksOfTheDeviceLineTimes1024)
{
    const std::string header =
        "Filesystem           1K-blocks      Used Available Use% Mounted on\n";
    const struct {
        std::string reply;
        std::optional<std::int64_t> bytes;
    } cases[] = {
        // Another device, one whose name starts with ours, or none: 0. A later line wins.
        {header + "/dev/sda10 100 50 50 50% /x\nSIG_COMMAND_SUCCESS\n", 0},
        {header + "SIG_COMMAND_SUCCESS\n", 0},
        {"/dev/sda1 100 50 7 50% /x\n/dev/sda1   100   90   3  90% /y\nSIG_COMMAND_SUCCESS", 3072},
        {"/dev/sda1 1 1 99999999999999999 1% /x\nSIG_COMMAND_SUCCESS", INT64_MAX},
        {"/dev/sda1 1 1 -5 1% /x\nSIG_COMMAND_SUCCESS", 0},
        {header + "/dev/sda1 100 50 50 50% /x\n", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseFreeSpace(c.reply, "/dev/sda1"), c.bytes) << c.reply;
    EXPECT_EQ(FreeSpaceCommand("/dev/sda1"), "df /dev/sda1");
    EXPECT_EQ(FreeSpaceCommand("/dev/x; reboot"), "df \"/dev/x; reboot\"");
    EXPECT_EQ(FreeSpaceCommand("a\"$`\\b"), R"(df "a\"\$\`\\b")");
}
