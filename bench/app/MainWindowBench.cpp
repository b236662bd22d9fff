// What the user waits for in the main window on a full database (9999 channels): filling
// "SAT / All", switching to "A-Z", switching TV/Radio — each including one paint.
#include "app/CMainDlg.h"
#include "bench/support/QuietServices.h"
#include "chdb/ChannelReport.h"
#include "chdb/ListBuilds.h"
#include "grid/CGridCtrl.h"
#include "res/ResourceIds.h"
#include "stbsim/ChannelReportText.h"
#include "stbsim/DemoDatabase.h"
#include "util/MessageService.h"

#include <QApplication>
#include <QPixmap>
#include <QRadioButton>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

struct Window {
    FixedAnswerMessages messages;
    NoFiles files;
    NoPlayer player;
    CMainDlg dialog{MainWindowServices{messages, files, player}};

    Window()
    {
        dialog.show();
        DatabaseState& s = dialog.state();
        s.db = GenerateDemoDatabase(1, DemoSize::Full);
        s.satList = ParseChannelReport(BuildChannelReport(s.db)).satellites;
        s.casList = BuildBuiltInCasList();
        s.list = 0;
    }
    // What the user sees: the grid painted once.
    void Paint() { benchmark::DoNotOptimize(dialog.channelGrid().grab()); }
};

Window& TheWindow()
{
    static Window window;
    return window;
}

void BM_FillSatAll(benchmark::State& st)
{
    Window& w = TheWindow();
    for (auto _ : st) {
        w.dialog.FillCategoryGrid(); // category row 0, group "All"
        w.Paint();
    }
    st.counters["rows"] = w.dialog.channelGrid().GetRowCount();
}
BENCHMARK(BM_FillSatAll)->Unit(benchmark::kMillisecond);

void BM_SwitchToAToZ(benchmark::State& st)
{
    Window& w = TheWindow();
    for (auto _ : st) {
        w.dialog.categoryGrid().SetFocusCell(2, 0);
        w.dialog.FillGroupGrid(0);
        w.Paint();
    }
    st.counters["rows"] = w.dialog.channelGrid().GetRowCount();
}
BENCHMARK(BM_SwitchToAToZ)->Unit(benchmark::kMillisecond);

void BM_SwitchTvRadio(benchmark::State& st)
{
    Window& w = TheWindow();
    int list = 0;
    for (auto _ : st) {
        list ^= 1;
        w.dialog.state().list = list;
        w.dialog.FillCategoryGrid();
        w.Paint();
    }
}
BENCHMARK(BM_SwitchTvRadio)->Unit(benchmark::kMillisecond);

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
