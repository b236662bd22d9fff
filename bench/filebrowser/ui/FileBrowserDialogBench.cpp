// The file browser with folders of 5000 files on both sides: what the user waits for after the
// box's reply (parse, grid fill, summary, one paint), the PC folder from the disk to the
// painted grid, and for comparison the box exchange alone and the whole listing with it.
#include "bench/support/QuietServices.h"
#include "filebrowser/FolderSummary.h"
#include "filebrowser/StbListing.h"
#include "filebrowser/StbStorage.h"
#include "filebrowser/ui/CFileBrowserDlg.h"
#include "filebrowser/ui/FileGrid.h"
#include "grid/CGridCtrl.h"
#include "stbsim/StbSimulator.h"

#include <QApplication>
#include <QPixmap>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace fs = std::filesystem;

namespace {

constexpr int kFiles = 5000;
constexpr const char* kAddress = "127.0.0.184";

std::string FileName(int i)
{
    char name[64];
    std::snprintf(name, sizeof name, "Recording %04d - Evening news.ts", i);
    return name;
}

void FillFolder(const fs::path& folder)
{
    fs::create_directories(folder);
    for (int i = 0; i < 10; ++i)
        fs::create_directory(folder / ("Folder " + std::to_string(i)));
    for (int i = 0; i < kFiles; ++i)
        std::ofstream(folder / FileName(i)) << i;
}

// A PC folder and a box partition of kFiles files each, a box serving the partition, and a
// browser open on both; removed at exit.
struct Browser {
    fs::path root;
    FixedAnswerMessages messages{MessageService::Answer::Ok};
    NoFiles files;
    std::unique_ptr<StbSimulator> box;
    std::unique_ptr<CFileBrowserDlg> dialog;

    Browser()
    {
        std::string pattern = (fs::temp_directory_path() / "fb-ui-bench-XXXXXX").string();
        root = ::mkdtemp(pattern.data());
        FillFolder(root / "pc");
        FillFolder(root / "box/disks/sda1");
        std::ofstream(root / "box/disks.conf") << "disk /dev/sda 1000\npart /dev/sda1 1 1000\n";
        StbSimulator::Options options;
        options.stateDir = root / "box";
        options.address = kAddress;
        options.log = nullptr;
        options.size = DemoSize::Tiny;
        box = std::make_unique<StbSimulator>(options);
        if (!box->Start())
            std::fprintf(stderr, "the box did not start: %s\n", box->error().c_str());
        dialog = std::make_unique<CFileBrowserDlg>(BrowserServices{messages, files, Link()});
        dialog->m_strStbAddress = kAddress;
        dialog->m_strPcPath = (root / "pc").string();
        dialog->m_strChosenDevice = "/dev/sda1";
        dialog->show();
    }
    ~Browser() { fs::remove_all(root); }

    static LinkOptions Link()
    {
        LinkOptions link;
        link.isReachable = [](const std::string&) { return true; };
        return link;
    }
    void Paint(CGridCtrl& grid) { benchmark::DoNotOptimize(grid.grab()); }
};

Browser& TheBrowser()
{
    static Browser browser;
    return browser;
}

std::string Reply()
{
    std::string text = "total 20000\n";
    for (int i = 0; i < 10; ++i)
        text += "drwxr-xr-x    2 root     root           4096 Mar  1 10:00 Folder " +
                std::to_string(i) + "\n";
    for (int i = 0; i < kFiles; ++i)
        text += "-rw-r--r--    1 root     root     " + std::to_string(1000000 + i * 977) +
                " Mar  1 10:00 " + FileName(i) + "\n";
    return text + std::string(kListingEnd);
}

// From the reply text to the painted grid, as the browser does once the reply is in.
void BM_StbReplyToGrid(benchmark::State& s)
{
    Browser& b = TheBrowser();
    const std::string reply = Reply();
    for (auto _ : s) {
        std::optional<std::vector<FileEntry>> rows = ParseStbListing(reply);
        rows->insert(rows->begin(), FileEntry::Parent());
        ShowFileRows(b.dialog->stbGrid(), *rows);
        benchmark::DoNotOptimize(FormatFolderSummary(Summarize(*rows)));
        b.Paint(b.dialog->stbGrid());
    }
    s.counters["rows"] = b.dialog->stbGrid().GetRowCount();
}
BENCHMARK(BM_StbReplyToGrid)->Unit(benchmark::kMillisecond);

// The PC folder read from the disk, listed with its free space and summary, painted.
void BM_PcFolderToGrid(benchmark::State& s)
{
    Browser& b = TheBrowser();
    for (auto _ : s) {
        b.dialog->ScanPcFolder();
        b.Paint(b.dialog->pcGrid());
    }
    s.counters["rows"] = b.dialog->pcGrid().GetRowCount();
}
BENCHMARK(BM_PcFolderToGrid)->Unit(benchmark::kMillisecond);

// The box's part alone: connection, request, the reply in 1023-byte receives, the parse.
void BM_StbReplyOnly(benchmark::State& s)
{
    Browser& b = TheBrowser();
    StbStorage storage(kAddress, b.messages, Browser::Link());
    for (auto _ : s)
        benchmark::DoNotOptimize(storage.ListFolder("/"));
}
BENCHMARK(BM_StbReplyOnly)->Unit(benchmark::kMillisecond);

// The whole box listing in the browser: exchange (through the busy call), fill and paint.
void BM_StbListFolderWhole(benchmark::State& s)
{
    Browser& b = TheBrowser();
    for (auto _ : s) {
        b.dialog->ListStbFolder();
        b.Paint(b.dialog->stbGrid());
    }
    s.counters["rows"] = b.dialog->stbGrid().GetRowCount();
}
BENCHMARK(BM_StbListFolderWhole)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
