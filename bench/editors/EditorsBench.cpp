// What the user waits for in the satellite list editor on a full database (150 satellites,
// 1500 transponders, 9999 channels): opening it on a channel, switching satellites and
// transponders, adding and deleting a transponder with its channels, and the whole round trip
// from the main window with the hand-over both ways. Each includes one paint of what changed.
#include "app/CMainDlg.h"
#include "bench/support/QuietServices.h"
#include "chdb/ChannelReport.h"
#include "chdb/ListBuilds.h"
#include "chdb/SatListEdits.h"
#include "editors/CSatListDlg.h"
#include "grid/CGridCtrl.h"
#include "res/ResourceIds.h"
#include "stbsim/ChannelReportText.h"
#include "stbsim/DemoDatabase.h"
#include "util/MessageService.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace {

constexpr unsigned kHandOver = ChannelDatabase::kChData | ChannelDatabase::kChIdx;

const ChannelDatabase& FullTables()
{
    static const ChannelDatabase db = GenerateDemoDatabase(1, DemoSize::Full);
    return db;
}

std::filesystem::path Folder()
{
    static const std::filesystem::path folder = [] {
        auto path = std::filesystem::temp_directory_path() /
                    ("editors-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
        return path;
    }();
    return folder;
}

// The editor opened the way the main window opens it, on the last channel of the table.
struct Editor {
    FixedAnswerMessages messages;
    std::unique_ptr<CSatListDlg> dialog;

    void Open()
    {
        FullTables().SaveToFolder(Folder(), kHandOver);
        const ChannelDatabase& db = FullTables();
        const ChannelInfo last = db.channel(db.channelCount() - 1);
        dialog = std::make_unique<CSatListDlg>(messages);
        dialog->m_strWorkDir = Folder().string();
        dialog->m_wPreSatId = last.satelliteId();
        dialog->m_wPreTpId = last.transponderId();
        dialog->m_wPreChannelKey = last.key();
        dialog->show();
    }
    void Paint()
    {
        for (CGridCtrl* grid :
             {&dialog->satelliteGrid(), &dialog->transponderGrid(), &dialog->channelGrid()})
            benchmark::DoNotOptimize(grid->grab());
    }
    void Click(CGridCtrl& grid, int row)
    {
        grid.EnsureVisible(row, 0);
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::NoModifier,
                          grid.GetCellRect(row, 0).center());
    }
};

void BM_OpenOnPreselectedChannel(benchmark::State& st)
{
    Editor e;
    for (auto _ : st) {
        e.Open(); // the main window's write, the editor's read, delete and fills
        e.Paint();
        st.PauseTiming();
        e.dialog.reset();
        st.ResumeTiming();
    }
}
BENCHMARK(BM_OpenOnPreselectedChannel)->Unit(benchmark::kMillisecond);

void BM_SwitchSatellite(benchmark::State& st)
{
    Editor e;
    e.Open();
    int row = 0;
    for (auto _ : st) {
        row = row == 3 ? 140 : 3;
        e.Click(e.dialog->satelliteGrid(), row);
        e.Paint();
    }
    st.counters["transponders"] = e.dialog->transponderGrid().GetRowCount();
}
BENCHMARK(BM_SwitchSatellite)->Unit(benchmark::kMillisecond);

void BM_SwitchTransponder(benchmark::State& st)
{
    Editor e;
    e.Open();
    int row = 0;
    for (auto _ : st) {
        row = row == 0 ? e.dialog->transponderGrid().GetRowCount() - 1 : 0;
        e.Click(e.dialog->transponderGrid(), row);
        e.Paint();
    }
    st.counters["channels"] = e.dialog->channelGrid().GetRowCount();
}
BENCHMARK(BM_SwitchTransponder)->Unit(benchmark::kMillisecond);

void BM_DeleteTransponderWithChannels(benchmark::State& st)
{
    Editor e;
    int channels = 0;
    for (auto _ : st) {
        st.PauseTiming();
        e.Open();
        channels = e.dialog->channelGrid().GetRowCount();
        st.ResumeTiming();
        e.dialog->RemoveTransponder(e.dialog->transponderGrid().GetFocusCell().row);
        e.Paint();
    }
    st.counters["channels"] = channels;
}
BENCHMARK(BM_DeleteTransponderWithChannels)->Unit(benchmark::kMillisecond);

void BM_AddTransponder(benchmark::State& st)
{
    Editor e;
    e.Open();
    // The full table has no room: make one first.
    e.dialog->RemoveTransponder(0);
    TpInfo values;
    values.setFrequency(12345);
    values.setSymbolRate(27500);
    for (auto _ : st) {
        e.dialog->AppendTransponder(values);
        e.Paint();
        st.PauseTiming();
        e.dialog->RemoveTransponder(e.dialog->transponderGrid().GetRowCount() - 1);
        st.ResumeTiming();
    }
}
BENCHMARK(BM_AddTransponder)->Unit(benchmark::kMillisecond);

void BM_CloseWithHandOver(benchmark::State& st)
{
    Editor e;
    for (auto _ : st) {
        st.PauseTiming();
        e.Open();
        st.ResumeTiming();
        e.dialog->close(); // the editor writes both tables back
        ChannelDatabase shown = FullTables();
        benchmark::DoNotOptimize(shown.ReadBackFromFolder(Folder(), kHandOver));
        ChannelDatabase::RemoveFiles(Folder(), kHandOver);
    }
}
BENCHMARK(BM_CloseWithHandOver)->Unit(benchmark::kMillisecond);

// "edit sat lists" from the main window on a channel, closed at once: both hand-overs, the
// editor's fills and the main window's refill.
void BM_MainWindowRoundTrip(benchmark::State& st)
{
    FixedAnswerMessages messages;
    NoFiles files;
    NoPlayer player;
    MainWindowServices services{messages, files, player};
    services.workDir = Folder();
    CMainDlg window(services);
    window.show();
    DatabaseState& s = window.state();
    s.db = FullTables();
    s.satList = ParseChannelReport(BuildChannelReport(s.db)).satellites;
    s.casList = BuildBuiltInCasList();
    s.list = 0;
    window.FillCategoryGrid();
    window.channelGrid().SetFocusCell(5000, 0);
    for (auto _ : st) {
        QTimer::singleShot(0, [] {
            if (auto* editor = qobject_cast<CSatListDlg*>(QApplication::activeModalWidget()))
                editor->close();
        });
        window.OnCommand(ID_EDIT_SAT_LISTS);
        benchmark::DoNotOptimize(window.channelGrid().grab());
    }
}
BENCHMARK(BM_MainWindowRoundTrip)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    std::filesystem::remove_all(Folder());
    return 0;
}
