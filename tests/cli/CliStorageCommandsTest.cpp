#include "tests/cli/CliBoxFixture.h"

#include <nlohmann/json.hpp>

using CliStorageTest = CliBoxTest;
using nlohmann::json;

TEST_F(CliStorageTest, DisksLsAndDfShowTheBoxsStorage)
{
    TestBox box(172, DemoSize::Tiny);
    const std::string& address = box.address();
    EXPECT_EQ(Cli({"disks", address}).out, "Disk 1\t/dev/sda1\t8019648000\nDisk 2-1\t/dev/sdb1\t8225280000\n"
                        "Disk 2-2\t/dev/sdb2\t7772889600\n");
    EXPECT_EQ(json::parse(Cli({"disks", address, "--format", "json"}).out)[2],
              (json{{"device", "/dev/sdb2"}, {"label", "Disk 2-2"}, {"size", 7772889600}}));
    EXPECT_EQ(box->MountedDevice(), std::nullopt);

    EXPECT_EQ(Cli({"ls", address, "/dev/sda1", "/Music/"}).out, "d          4096  Caf\xC3\xA9 del Mar\n"
                         "-           120  Playlist.m3u\n"
                         "1 Folder, 1 Files, 120.0 Byte\n");
    EXPECT_TRUE(Released(box));

    const std::string free = Cli({"df", address, "/dev/sdb2"}).out;
    EXPECT_TRUE(Released(box));
    EXPECT_EQ(json::parse(Cli({"ls", address, "/dev/sdb2", "/Timeshift", "--format=json"}).out),
              json::parse(R"({"path": "/Timeshift", "free": )" + free + R"(, "entries": [{"kind": "file",
                          "size": 4831842529, "name": "Timeshift 2024-03-01.ts"}]})"));
    EXPECT_TRUE(Released(box));
}

TEST_F(CliStorageTest, FailuresPrintTheMessageAndReleaseWhatWasMounted)
{
    TestBox box(173, DemoSize::Tiny);
    const std::string& address = box.address();
    EXPECT_EQ(Cli({"ls", address, "/dev/sda1", "/missing"}).result(), "1 USB memory info error!\n");
    EXPECT_TRUE(Released(box));

    box->SetFault("SIG_COMMAND_START:df", Fault::Reply("SIG_COMMAND_ERROR"));
    for (const char* command : {"ls", "df"}) {
        const CliRun run = Cli({command, address, "/dev/sda1"});
        EXPECT_EQ(run.result() + run.out, "1 USB memory free space error!\n");
        EXPECT_TRUE(Released(box));
    }
    const std::size_t requests = box->Requests().size();
    EXPECT_EQ(Cli({"df", address, "/dev/sdz9"}).err, "USB memory connect error!\n");
    EXPECT_EQ(box->Requests().size(), requests + 1); // nothing mounted, nothing to release
    box->SetFault("SIG_GET_DISK_INFO", Fault::Reply("SIG_DISK_INFO_ERROR"));
    EXPECT_EQ(Cli({"disks", address}).err, "USB memory info error!\n");

    for (const std::vector<std::string>& usage : std::vector<std::vector<std::string>>{
             {"disks"}, {"disks", address, "--format", "xml"}, {"ls", address},
             {"ls", address, "/dev/sda1", "Music"}, {"ls", address, "/dev/sda1", "/Music/../.."},
             {"df", address, "/dev/sda1", "x"}})
        EXPECT_EQ(Cli(usage).status, 2) << usage.size();
    EXPECT_EQ(box->Requests().size(), requests + 2);
}
