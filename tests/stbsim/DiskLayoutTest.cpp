#include "stbsim/DiskLayout.h"

#include "tests/stbsim/ProgramParsers.h"

#include <gtest/gtest.h>

namespace {

std::string Report(const DiskLayout& layout)
{
    return BuildDiskReport(layout) + "SIG_DISK_INFO_END";
}

} // namespace

TEST(DiskLayout, TheProgramReadsTheDemoReportAsItsVolumes)
{
    const DiskLayout layout = DemoDiskLayout();
    const DiskReportReading reading = ReadDiskReport(Report(layout));
    ASSERT_TRUE(reading.complete);
    ASSERT_EQ(reading.entries.size(), 3u);
    EXPECT_EQ(reading.entries[0].label, "Disk 1");
    EXPECT_EQ(reading.entries[1].label, "Disk 2-1");
    EXPECT_EQ(reading.entries[2].label, "Disk 2-2");
    const std::vector<Volume> volumes = layout.Volumes();
    for (std::size_t i = 0; i < volumes.size(); ++i) {
        EXPECT_EQ(reading.entries[i].device, volumes[i].device);
        EXPECT_EQ(reading.entries[i].size, static_cast<double>(volumes[i].bytes));
        EXPECT_GT(volumes[i].bytes, 7'000'000'000u); // several GB each
    }
}

TEST(DiskLayout, GeometryBootMarksAndDisksWithoutPartitionsReadRight)
{
    DiskLayout layout;
    // 247 heads x 62 sectors x 512 bytes = 7,840,768 bytes per unit.
    layout.disks.push_back({"/dev/sdc", 1500, 247, 62, {}});
    layout.disks.push_back({"/dev/sdd", 1022, 247, 62, {{"/dev/sdd1", 1, 1022, "83", true}}});
    const DiskReportReading reading = ReadDiskReport(Report(layout));
    ASSERT_EQ(reading.entries.size(), 2u);
    EXPECT_EQ(reading.entries[0].label, "Disk 1");
    EXPECT_EQ(reading.entries[0].device, "/dev/sdc");
    EXPECT_EQ(reading.entries[0].size, 1500.0 * 7840768);
    EXPECT_EQ(reading.entries[1].label, "Disk 2");
    EXPECT_EQ(reading.entries[1].size, 8013264896.0);
    EXPECT_EQ(layout.FindVolume("/dev/sdc")->bytes, 1500ull * 7840768);
    EXPECT_EQ(layout.FindVolume("/dev/sdc")->folder, "sdc");
    EXPECT_FALSE(layout.FindVolume("/dev/sdd"));
}

TEST(DiskLayout, ConfigRoundTripsAndRefusesBrokenLines)
{
    std::string error;
    const DiskLayout demo = DemoDiskLayout();
    const std::optional<DiskLayout> read = ParseDiskConfig(FormatDiskConfig(demo), error);
    ASSERT_TRUE(read) << error;
    EXPECT_EQ(FormatDiskConfig(*read), FormatDiskConfig(demo));
    EXPECT_TRUE(ParseDiskConfig("# no disks at all\n\n", error)->disks.empty());
    EXPECT_EQ(ParseDiskConfig("disk /dev/sda 10\npart /dev/sda1 1 10 boot\n", error)
                  ->disks[0]
                  .partitions[0]
                  .boot,
              true);

    for (const char* text :
         {"part /dev/sda1 1 2\n", "disk /dev/sda 10\npart /dev/sda1 5 11\n",
          "disk /dev/sda 10\npart /dev/sda1 6 5\n", "disk /dev/../etc 10\n",
          "disk /dev/sda 10\ndisk /dev/sda 10\n", "disk /dev/sda 0\n", "disk /dev/sda 10 256 63\n",
          "disk /dev/sda 10\npart /dev/sda1 1 2 zz\n", "volume /dev/sda\n", "disk /dev/sda x\n"}) {
        error.clear();
        EXPECT_FALSE(ParseDiskConfig(text, error)) << text;
        EXPECT_FALSE(error.empty());
    }
}

TEST(DiskLayout, AnEmptyLayoutGivesAReportWithoutEntries)
{
    const DiskReportReading reading = ReadDiskReport(Report(DiskLayout{}));
    EXPECT_TRUE(reading.complete);
    EXPECT_TRUE(reading.entries.empty());
}
