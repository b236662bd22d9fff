#include "stbsim/DemoState.h"

#include "stbsim/DiskLayout.h"
#include "util/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct DemoFile {
    const char* path; // below disks/
    std::size_t size;
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
    {"sda1/readme.txt", 0},
    {"sdb1/Backup/settings.bin", 65536},
    {"sdb1/Documents/Manual.pdf", 51200},
    {"sdb2/data.bin", 10240},
};

const std::vector<const char*> kDemoFolders = {"sda1/Empty folder", "sdb2/Timeshift"};

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
        const std::string bytes =
            file.size == 0 ? std::string(kReadme) : Content(random, file.size);
        ok = WriteBytes(disksFolder / file.path, bytes, mtime += 3600) && ok;
    }
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
