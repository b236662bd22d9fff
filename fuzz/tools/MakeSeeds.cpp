// Writes the seed corpora of fuzz/corpus/: real-shaped inputs made by the simulated box's own
// generators, plus a few hand-made hostile ones. Run it from the repository's root after a
// reply format changed: build/fuzz/fuzz/fuzz_make_seeds fuzz/corpus
#include "chdb/BackupFile.h"
#include "fuzz/support/DatabaseWalk.h"
#include "stbsim/ChannelReportText.h"
#include "stbsim/DemoState.h"
#include "stbsim/DiskLayout.h"
#include "stbsim/Fault.h"
#include "stbsim/Storage.h"
#include "tests/support/TempDir.h"
#include "util/Registry.h"

#include <cstdlib>
#include <fstream>
#include <iostream>

namespace fs = std::filesystem;

namespace {

fs::path g_root;

void Seed(const std::string& target, const std::string& name, const std::string& bytes)
{
    fs::create_directories(g_root / target);
    std::ofstream(g_root / target / name, std::ios::binary) << bytes;
}

std::string Bytes(std::initializer_list<int> values)
{
    std::string out;
    for (int v : values)
        out += static_cast<char>(v);
    return out;
}

// One patch of ImagePatches.h: offset, length, bytes.
std::string Patch(std::size_t offset, const std::string& bytes)
{
    return Bytes({int(offset & 0xFF), int((offset >> 8) & 0xFF), int((offset >> 16) & 0xFF),
                  int(bytes.size())}) +
           bytes;
}

std::string I32(std::int32_t v)
{
    const auto u = static_cast<std::uint32_t>(v);
    return Bytes({int(u & 0xFF), int((u >> 8) & 0xFF), int((u >> 16) & 0xFF), int(u >> 24)});
}

// Offsets in the concatenated images: chdata.dat, then chidx.dat, then menudata.dat.
constexpr std::size_t kChIdx = ChannelDatabase::kChDataSize;
constexpr std::size_t kMenu = kChIdx + ChannelDatabase::kChIdxSize;

void DatabaseSeeds()
{
    Seed("channel_database", "demo", "");
    Seed("channel_database", "full-counts", Patch(4, I32(150)) + Patch(6308, I32(1500)) + Patch(60312, I32(9999)));
    Seed("channel_database", "negative-counts", Patch(4, I32(-1)) + Patch(6308, I32(INT32_MIN)) + Patch(60312, I32(-5)));
    Seed("channel_database", "huge-counts", Patch(4, I32(INT32_MAX)) + Patch(60312, I32(10000)));
    Seed("channel_database", "user-lists",
         Patch(kChIdx + 40064, I32(6000)) + Patch(kChIdx + 40068, I32(-1) + I32(9999) + I32(3)) +
             Patch(kChIdx + 40064 + 24004, I32(4000)) + Patch(kChIdx + 40064 + 9 * 40004, I32(-7)));
    Seed("channel_database", "names-without-nul",
         Patch(kMenu + 193, std::string(10, '\1')) + Patch(kMenu + 203, std::string(160, 'N')) +
             Patch(kMenu + 86, Bytes({0xFF, 0xFF})) + Patch(8 + 2, std::string(24, 'S')) +
             Patch(60316 + 38, "\x15" + std::string(25, '\xC3')));
}

void BackupSeeds()
{
    Seed("backup_file", "raw-short", Bytes({0}) + "\xFF\xC0\xAD\xDE\x0D\x00\x00\x00");
    Seed("backup_file", "valid", Bytes({128}));
    Seed("backup_file", "one-short", Bytes({127}));
    Seed("backup_file", "one-long", Bytes({129}));
    Seed("backup_file", "bad-version", Bytes({128}) + Patch(4, I32(12)));
    Seed("backup_file", "bad-end", Bytes({128}) + Patch(kBackupFileSize - 4, I32(0)));
    Seed("backup_file", "hostile-counts", Bytes({128}) + Patch(8 + 4, I32(-1)) + Patch(8 + 60312, I32(99999)));
}

void ReportSeeds()
{
    const std::string report = BuildChannelReport(fuzz::DemoDatabase());
    Seed("channel_report", "demo", report);
    Seed("channel_report", "no-end", BuildChannelReportBody(fuzz::DemoDatabase()));
    Seed("channel_report", "hostile",
         "SIG_SAT_LIST_START|3\nA very long satellite name beyond the field:1f:0\n"
         "Name:with:colons:ffff:1\nbad hex:zz:-1\nSIG_CAS_LIST_START|2147483647\n"
         "Cas name longer than the field:0xffffffff\n:\nSIG_XYZ|9\nx:1:0\nSIG_CHN_END\ntail\n");
    Seed("channel_report", "long-line", "SIG_SAT_LIST_START|1\n" + std::string(2100, 'L') + ":1:0\nSIG_CHN_END\n");
}

void TextSeeds()
{
    const ChannelDatabase& db = fuzz::DemoDatabase();
    std::string names;
    for (int i = 0; i < db.channelCount() && i < 40; ++i) {
        const std::string name = db.channel(i).name();
        if (name.size() > 1 && static_cast<unsigned char>(name[0]) < 0x20)
            Seed("dvb_text", "demo-" + std::to_string(i), name);
    }
    Seed("dvb_text", "latin", "Das Erste \xC8u\xC2" "e\x8A\x86" "HD\x87");
    Seed("dvb_text", "iso-8859-5", "\x01\xB1\xD2\xC0\xE1");
    Seed("dvb_text", "selector-10", Bytes({0x10, 0x00, 0x02}) + "\xE4\xF6\xFC");
    Seed("dvb_text", "ucs2-odd", Bytes({0x11, 0x00, 0x41, 0xD8, 0x00, 0x00}));
    Seed("dvb_text", "utf8-broken", "\x15" "Caf\xC3\xA9 \xE2\x82 \xF4\x90\x80\x80");
    Seed("dvb_text", "gb2312", "\x13\xD6\xD0\xCE\xC4");
    Seed("dvb_text", "euc-kr", "\x12\xC7\xD1\xB1\xB9");
    Seed("dvb_text", "big5", "\x14\xA4\xA4\xA4");
}

void RegistrySeeds()
{
    const TempDir scratch;
    const fs::path store = scratch / "registry";
    ::setenv("CHANNELTOOL_REGISTRY", store.c_str(), 1);
    RegWriteString(RegRoot::LocalMachine, "SOFTWARE\\pelon-i", "GridRowCount", RegType::String, "24");
    RegWriteString(RegRoot::LocalMachine, "SOFTWARE\\pelon-i", "LastConnectIP", RegType::String, "127.0.0.216");
    RegWriteString(RegRoot::LocalMachine, "SOFTWARE\\VideoLAN\\VLC", "InstallDir", RegType::String, "/opt/vlc\t%\n");
    std::ifstream in(store, std::ios::binary);
    Seed("registry", "written", std::string(std::istreambuf_iterator<char>(in), {}));
    Seed("registry", "corrupt",
         "channeltool registry 1\nHKEY_LOCAL_MACHINE\\software\\VIDEOLAN\\vlc\tinstalldir\t%2\n");
    Seed("registry", "long-value",
         "channeltool registry 1\nHKEY_LOCAL_MACHINE\\SOFTWARE\\pelon-i\tGridRowCount\t" +
             std::string(1100, '9') + "\n");
}

void ListingSeeds()
{
    const TempDir scratch;
    WriteDemoFiles(scratch.path(), 1);
    const std::time_t now = 1712000000;
    for (const auto& [folder, name] : {std::pair{"sda1", "root"}, {"sda1/Odd names", "odd-names"},
                                       {"sda1/Recordings", "recordings"}})
        Seed("stb_listing", name, *storage::ListFolder(scratch / folder, now) + "SIG_DISK_FILE_INFO_END");
    Seed("stb_listing", "hostile", std::string(kHostileListing) + "\n\n\nSIG_DISK_FILE_INFO_END");
    Seed("stb_listing", "sizes",
         "-rw-r--r-- 1 root root 9223372036854775808 Jan 1 2024 big\n"
         "-rw-r--r-- 1 root root -1 Jan 1 2024 negative\n"
         "drwxr-xr-x 1 root root 4294967296 Jan 1 00:00 folder\nlrwxrwxrwx 1 a b 3 Jan 1 2024 l -> x\n"
         "-\nd 1\nSIG_DISK_FILE_INFO_ENDtrailing");
}

void DiskSeeds()
{
    Seed("disk_info", "demo", BuildDiskReport(DemoDiskLayout()) + "SIG_DISK_INFO_END\n");
    std::string error;
    const auto bare = ParseDiskConfig("disk /dev/sda 100\ndisk /dev/sdb 7 16 63\npart /dev/sdb1 1 7 83 boot\n"
                                      "disk /dev/sdc 3\n", error);
    Seed("disk_info", "whole-disks", BuildDiskReport(*bare) + "SIG_DISK_INFO_END");
    Seed("disk_info", "hostile",
         "Disk /dev/sda: 1 MB, 18446744073709551616 bytes\nUnits = cylinders of 1 * 512 = -1 bytes\n"
         "/dev/sda1 * 9223372036854775807 -9223372036854775808 1 c\n/dev/sda2 5 4\nDisk /dev\n"
         "Disk /dev/sdb, \nUnits = =\n/dev/\nSIG_DISK_INFO_END\n");
}

void FreeSpaceSeeds()
{
    Seed("free_space", "demo",
         "/dev/sda1\n" + storage::DiskFree("/dev/sda1", 125821, 5000, "/mnt/link_to_pc") +
             "SIG_COMMAND_SUCCESS");
    Seed("free_space", "several",
         "/dev/sdb1\n" + storage::DiskFree("/dev/sdb10", 1, 0, "/media/sdb10") +
             "/dev/sdb1 100 50 9223372036854775807 1% /\n/dev/sdb1 1 1 -5 9% /\n\n\nSIG_COMMAND_SUCCESS\n");
    Seed("free_space", "odd-device", "/dev/it's \"$HOME\" `x` \\\n/dev/it's \"$HOME\" `x` \\ 1 2 3\nSIG_COMMAND_SUCCESS");
}

void DiskUsageSeeds()
{
    const TempDir scratch;
    WriteDemoFiles(scratch.path(), 1);
    Seed("du_reply", "movies",
         "/mnt/link_to_pc/Movies\n" +
             *storage::DiskUsage(scratch / "sda1/Movies", "/mnt/link_to_pc/Movies") +
             "SIG_COMMAND_SUCCESS");
    Seed("du_reply", "odd-names",
         "/mnt/link_to_pc/Odd names\n" +
             *storage::DiskUsage(scratch / "sda1/Odd names", "/mnt/link_to_pc/Odd names") +
             "\n\nSIG_COMMAND_SUCCESS\n");
    Seed("du_reply", "hostile",
         "/mnt/link_to_pc/a\n4\t/mnt/link_to_pc/a/../..\n4\t/etc\n4\t/mnt/link_to_pc/ab\n"
         "4\t/mnt/link_to_pc/a//b\n4\t/mnt/link_to_pc/a/./b\n4 no path\n"
         "18446744073709551616\t/mnt/link_to_pc/a/b c\n4\t/mnt/link_to_pc/a\nSIG_COMMAND_SUCCESS");
}

void ShellSeeds()
{
    Seed("shell_words", "du", "du /mnt/link_to_pc/Movies/Short clips");
    Seed("shell_words", "rm", "rm -rf \"/mnt/link_to_pc/Odd names/Tom's \\\"\\$5\\\" folder\"");
    Seed("shell_words", "single", "mkdir '/mnt/link_to_pc/it'\\''s mine'");
    Seed("shell_words", "escape", "/mnt/link_to_pc/a/./../../etc//passwd\\\n");
    Seed("shell_words", "refused", "df /dev/sda1; rm -rf / & echo $(id) `x` > y");
}

void SessionSeeds()
{
    Seed("box_session", "download",
         "SIG_BACKUP_DATA_CHECK|0xdeadc0ff:0xdeadc011:13:9999\nSIG_INFO_CHDATA\nSIG_INFO_CHINDEX\n"
         "SIG_INFO_MENUDATA\nSIG_GET_MENUDATA\nSIG_CHN_START\nSIG_STR_START|0\nSIG_STR_START|99999\n");
    Seed("box_session", "update",
         "SIG_SET_MENUDATA|512\n" + std::string(512, 'm') + "\nSIG_UPDATE_CHANNEL\nSIG_SET_CHDATA|5\n");
    Seed("box_session", "browse",
         "SIG_GET_DISK_INFO\nSIG_MOUNT_START|/dev/sda1\nSIG_GET_DISK_FILE_INFO|/mnt/link_to_pc/\n"
         "SIG_GET_DISK_FILE_INFO|/mnt/link_to_pc/Odd names\nSIG_COMMAND_START|df /dev/sda1\n"
         "SIG_COMMAND_START|du /mnt/link_to_pc/Movies\nSIG_GET_FILE_INFO|/mnt/link_to_pc/readme.txt\n"
         "SIG_GET_FILE_START|/mnt/link_to_pc/readme.txt\nSIG_MOUNT_END\n");
    Seed("box_session", "change",
         "SIG_MOUNT_START|/dev/sda1\nSIG_COMMAND_START|mkdir \"/mnt/link_to_pc/New folder\"\n"
         "SIG_SET_FILE_START|/mnt/link_to_pc/New folder/a b.txt|5\nhello\n"
         "SIG_SET_FILE_START|/mnt/link_to_pc/empty.txt|0\n"
         "SIG_COMMAND_START|rm -f \"/mnt/link_to_pc/Odd names/it's \\\"odd\\\" \\$HOME.txt\"\n"
         "SIG_COMMAND_START|rm -rf /mnt/link_to_pc/Movies\n");
    Seed("box_session", "escapes",
         "SIG_MOUNT_START|/dev/sda1\nSIG_GET_DISK_FILE_INFO|/mnt/link_to_pc/escape\n"
         "SIG_GET_DISK_FILE_INFO|/mnt/link_to_pc/up/\nSIG_COMMAND_START|du /mnt/link_to_pc/escape\n"
         "SIG_GET_FILE_START|/mnt/link_to_pc/Movies/secret.ts\nSIG_COMMAND_START|rm -rf /mnt/link_to_pc/escape/folder\n"
         "SIG_SET_FILE_START|/mnt/link_to_pc/escape/x|1\nx\nSIG_COMMAND_START|mkdir /mnt/link_to_pc/up/x\n"
         "SIG_MOUNT_START|/dev/sdb2\nSIG_COMMAND_START|du /mnt/link_to_pc/other\n"
         "SIG_GET_DISK_FILE_INFO|/mnt/link_to_pc/../..\n");
    Seed("box_session", "garbage",
         "SIG_GET_CHDATA|x\nSIG_\nSIG_COMMAND_START|\nSIG_COMMAND_START|rm\nSIG_SET_FILE_START|||\n"
         "SIG_SET_FILE_START|/mnt/link_to_pc/x|99999999999999999999\n" + std::string(4100, 'A') + "\n");
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: fuzz_make_seeds CORPUS-FOLDER\n";
        return 2;
    }
    g_root = argv[1];
    DatabaseSeeds();
    BackupSeeds();
    ReportSeeds();
    TextSeeds();
    RegistrySeeds();
    ListingSeeds();
    DiskSeeds();
    FreeSpaceSeeds();
    DiskUsageSeeds();
    ShellSeeds();
    SessionSeeds();
    return 0;
}
