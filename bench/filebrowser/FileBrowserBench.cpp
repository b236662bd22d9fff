// Folders of 5000 files on both sides, from the reply (or the folder) to the rows and the
// summary line the browser shows.
#include "filebrowser/FolderSummary.h"
#include "filebrowser/PcFolder.h"
#include "filebrowser/StbListing.h"
#include "filebrowser/StbStorage.h"
#include "stbsim/StbSimulator.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace fs = std::filesystem;

namespace {

constexpr int kFiles = 5000;

std::string FileName(int i)
{
    char name[64];
    std::snprintf(name, sizeof name, "Recording %04d - Evening news.ts", i);
    return name;
}

// A folder holding kFiles files and a few folders, removed at exit.
class Folder {
public:
    Folder()
    {
        std::string pattern = (fs::temp_directory_path() / "fb-bench-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
        for (int i = 0; i < 10; ++i)
            fs::create_directory(path_ / ("Folder " + std::to_string(i)));
        for (int i = 0; i < kFiles; ++i)
            std::ofstream(path_ / FileName(i)) << i;
    }
    ~Folder() { fs::remove_all(root_.empty() ? path_ : root_); }
    // Makes this folder the only partition of a simulated box's state.
    fs::path AsBoxState()
    {
        root_ = path_.parent_path() / (path_.filename().string() + "-box");
        fs::create_directories(root_ / "disks");
        fs::rename(path_, root_ / "disks/sda1");
        path_ = root_ / "disks/sda1";
        std::ofstream(root_ / "disks.conf") << "disk /dev/sda 1000\npart /dev/sda1 1 1000\n";
        return root_;
    }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
    fs::path root_;
};

std::string Listing()
{
    std::string text = "total 20000\n";
    for (int i = 0; i < 10; ++i)
        text += "drwxr-xr-x    2 root     root           4096 Mar  1 10:00 Folder " +
                std::to_string(i) + "\n";
    for (int i = 0; i < kFiles; ++i)
        text += "-rw-r--r--    1 root     root     " + std::to_string(1000000 + i * 977) +
                " Mar  1 10:00 " + FileName(i) + "\n";
    return text + "SIG_DISK_FILE_INFO_END";
}

void BM_StbListingParse(benchmark::State& s)
{
    const std::string reply = Listing();
    for (auto _ : s) {
        std::optional<std::vector<FileEntry>> rows = ParseStbListing(reply);
        rows->insert(rows->begin(), FileEntry::Parent());
        benchmark::DoNotOptimize(FormatFolderSummary(Summarize(*rows)));
    }
    s.SetItemsProcessed(s.iterations() * kFiles);
}
BENCHMARK(BM_StbListingParse)->Unit(benchmark::kMillisecond);

void BM_PcFolderScan(benchmark::State& s)
{
    const Folder folder;
    for (auto _ : s) {
        const std::vector<FileEntry> rows = ReadPcFolder(folder.path());
        benchmark::DoNotOptimize(FormatFolderSummary(Summarize(rows)));
    }
    s.SetItemsProcessed(s.iterations() * kFiles);
}
BENCHMARK(BM_PcFolderScan)->Unit(benchmark::kMillisecond);

// The whole exchange with the simulated box on loopback: connection, the box's own listing
// work, the reply in 1023-byte receives, the parse.
void BM_StbListingExchange(benchmark::State& s)
{
    Folder folder;
    StbSimulator::Options options;
    options.stateDir = folder.AsBoxState();
    options.address = "127.0.0.185";
    options.log = nullptr;
    options.size = DemoSize::Tiny;
    StbSimulator box(options);
    if (!box.Start()) {
        s.SkipWithError(box.error().c_str());
        return;
    }
    struct Quiet final : MessageService {
        Answer Show(const std::string&, Buttons) override { return Answer::Ok; }
    } messages;
    LinkOptions link;
    link.isReachable = [](const std::string&) { return true; };
    StbStorage storage(options.address, messages, link);
    if (!storage.Mount("/dev/sda1")) {
        s.SkipWithError("mount failed");
        return;
    }
    for (auto _ : s) {
        const std::optional<std::vector<FileEntry>> rows = storage.ListFolder("/");
        if (!rows || rows->size() != kFiles + 10)
            s.SkipWithError("listing failed");
    }
    s.SetItemsProcessed(s.iterations() * kFiles);
}
BENCHMARK(BM_StbListingExchange)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
