#include "stbsim/DemoState.h"

#include "stbsim/DiskLayout.h"
#include "util/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct DemoFile {
    const char* path; // below disks/
    std::size_t size; // random bytes; 0 is an empty file
};

// Names in UTF-8, as a Linux box stores them.
const std::vector<DemoFile> kDemoFiles = {
    {"sda1/Movies/Holiday 2023.ts", 300000},
    {"sda1/Movies/Ein K\xC3\xA4"
     "fer auf Reisen.ts",
     120000},
    {"sda1/Movies/Short clips/clip 01.ts", 15000},
    {"sda1/Movies/Short clips/clip 02.ts", 17500},
    {"sda1/Movies/Short clips/Outtakes/take 1.ts", 4000},
    {"sda1/Music/Caf\xC3\xA9 del Mar/01 Intro.mp3", 40000},
    {"sda1/Music/Caf\xC3\xA9 del Mar/02 Ocean.mp3", 52000},
    {"sda1/Music/Playlist.m3u", 120},
    {"sda1/Photos/Stra\xC3\x9F"
     "e in K\xC3\xB6ln.jpg",
     20480},
    // Names a shell or a "|"-joined text would misread, and files of no bytes.
    {"sda1/Odd names/empty file.txt", 0},
    {"sda1/Odd names/it's mine.txt", 700},
    {"sda1/Odd names/\"quoted\" name.txt", 800},
    {"sda1/Odd names/$HOME and $(date).txt", 900},
    {"sda1/Odd names/back`tick`.txt", 1000},
    {"sda1/Odd names/pipe | name.txt", 1100},
    {"sda1/Odd names/\xC3\x9C"
     "bersicht \xE2\x80\x93 \xE6\x97\xA5\xE6\x9C\xAC.txt",
     1200},
    {"sda1/Odd names/Tom's \"$5\" folder/inside.txt", 1300},
    {"sda1/Odd names/Level 1/Level 2/Level 3/deep.txt", 1400},
    {"sda1/Odd names/Level 1/Level 2/Level 3/nothing.bin", 0},
    {"sdb1/Backup/settings.bin", 65536},
    {"sdb1/Documents/Manual.pdf", 51200},
    {"sdb2/data.bin", 10240},
};

const std::vector<const char*> kDemoFolders = {"sda1/Empty folder", "sdb2/Timeshift"};

// A recording over 4 GiB, so sizes beyond 32 bits show everywhere. It is sparse: it takes no
// room on the host, and nothing reads it unless a program asks for its contents.
constexpr const char* kLargeFile = "sdb2/Timeshift/Timeshift 2024-03-01.ts";
constexpr std::uint64_t kLargeFileSize = (std::uint64_t{9} << 29) + 4321; // 4.5 GiB and a bit

constexpr const char* kReadme = "Files on this partition belong to the simulated box.\n";

bool WriteBytes(const fs::path& path, const std::string& bytes, std::time_t mtime)
{
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    if (WriteFileAtomically(path, bytes.data(), bytes.size()) != AtomicWriteResult::Ok)
        return false;
    const struct timespec times[2] = {{mtime, 0}, {mtime, 0}};
    ::utimensat(AT_FDCWD, path.c_str(), times, 0);
    return true;
}

bool WriteSparse(const fs::path& path, std::uint64_t size, std::time_t mtime)
{
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const struct timespec times[2] = {{mtime, 0}, {mtime, 0}};
    const bool sized = ::ftruncate(fd, static_cast<off_t>(size)) == 0 && ::futimens(fd, times) == 0;
    return ::close(fd) == 0 && sized;
}

std::string Content(std::mt19937& random, std::size_t size)
{
    std::string bytes(size, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random());
    return bytes;
}

} // namespace

bool WriteDemoFiles(const fs::path& disksFolder, std::uint32_t seed)
{
    std::mt19937 random(seed);
    // Fixed dates make listings the same from run to run: 1 March 2024 onwards.
    std::time_t mtime = 1709287200;
    bool ok = true;
    std::error_code ec;
    for (const Volume& volume : DemoDiskLayout().Volumes())
        fs::create_directories(disksFolder / volume.folder, ec);
    for (const DemoFile& file : kDemoFiles) {
        ok = WriteBytes(disksFolder / file.path, Content(random, file.size), mtime += 3600) && ok;
    }
    ok = WriteBytes(disksFolder / "sda1/readme.txt", kReadme, mtime += 3600) && ok;
    ok = WriteSparse(disksFolder / kLargeFile, kLargeFileSize, mtime += 3600) && ok;
    // A folder long enough that its listing takes several receives.
    for (int day = 1; day <= 30; ++day) {
        char name[64];
        std::snprintf(name, sizeof name, "sda1/Recordings/News 2024-04-%02d.ts", day);
        ok = WriteBytes(disksFolder / name,
                        Content(random, 2000 + 100 * static_cast<std::size_t>(day)),
                        mtime += 86400) &&
             ok;
    }
    for (const char* folder : kDemoFolders)
        fs::create_directories(disksFolder / folder, ec);
    // The one link: inside the partition, listed with an "l" line that the program drops.
    const fs::path link = disksFolder / "sda1/latest.ts";
    fs::remove(link, ec);
    fs::create_symlink("Recordings/News 2024-04-30.ts", link, ec);
    return ok && !ec;
}

bool InitDemoState(const fs::path& dir, std::uint32_t seed, DemoSize size)
{
    std::error_code ec;
    fs::create_directories(dir / statedir::kDbFolder, ec);
    fs::create_directories(dir / statedir::kDisksFolder, ec);
    if (ec)
        return false;
    const ChannelDatabase db = GenerateDemoDatabase(seed, size);
    if (!db.SaveToFolder(dir / statedir::kDbFolder))
        return false;
    const std::string config = FormatDiskConfig(DemoDiskLayout());
    if (WriteFileAtomically(dir / statedir::kDiskConfig, config.data(), config.size()) !=
        AtomicWriteResult::Ok)
        return false;
    return WriteDemoFiles(dir / statedir::kDisksFolder, seed);
}
