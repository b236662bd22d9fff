// The main window's channel commands on a full database (9999 channels) under "SAT / All",
// each including the grid's refresh and one paint: moving a block of 500 rows, toggling the
// lock of 1000 rows, deleting 5000 channels.
#include "app/CMainDlg.h"
#include "bench/support/QuietServices.h"
#include "chdb/ChannelReport.h"
#include "chdb/ListBuilds.h"
#include "grid/CGridCtrl.h"
#include "res/ResourceIds.h"
#include "stbsim/ChannelReportText.h"
#include "stbsim/DemoDatabase.h"
#include "util/MessageService.h"

#include <QTest>

#include <benchmark/benchmark.h>

namespace {

// The full demo database with no channel locked, so that no PIN is asked.
const ChannelDatabase& Unlocked()
{
    static const ChannelDatabase db = [] {
        ChannelDatabase full = GenerateDemoDatabase(1, DemoSize::Full);
        for (int i = 0; i < full.channelCount(); ++i) {
            ChannelInfo c = full.channel(i);
            c.setLock(0);
            full.setChannel(i, c);
        }
        return full;
    }();
    return db;
}

struct Window {
    FixedAnswerMessages messages;
    NoFiles files;
    NoPlayer player;
    CMainDlg dialog{MainWindowServices{messages, files, player}};

    Window()
    {
        dialog.show();
        DatabaseState& s = dialog.state();
        s.satList = ParseChannelReport(BuildChannelReport(Unlocked())).satellites;
        s.casList = BuildBuiltInCasList();
        s.list = 0;
        Reset();
    }
    void Reset()
    {
        dialog.state().db = Unlocked();
        dialog.FillCategoryGrid(); // "SAT / All"
    }
    CGridCtrl& grid() { return dialog.channelGrid(); }
    void Select(int first, int last) { grid().SetSelectedRange(first, 0, last, 3); }
    void Paint() { benchmark::DoNotOptimize(grid().grab()); }
};

void BM_MoveBlockOf500Rows(benchmark::State& st)
{
    Window w;
    w.Select(1000, 1499);
    bool up = true;
    for (auto _ : st) {
        QTest::keyClick(&w.grid(), up ? Qt::Key_Up : Qt::Key_Down, Qt::ControlModifier);
        w.Paint();
        up = !up;
    }
    st.counters["rows"] = w.grid().GetRowCount();
    st.counters["moved"] = w.dialog.state().modified; // the keys reached the window
}
BENCHMARK(BM_MoveBlockOf500Rows)->Unit(benchmark::kMillisecond);

void BM_LockThousandRows(benchmark::State& st)
{
    Window w;
    for (auto _ : st) {
        st.PauseTiming();
        w.Reset();
        w.Select(2000, 2999);
        st.ResumeTiming();
        w.dialog.OnCommand(ID_LOCK_UNLOCK);
        w.Paint();
    }
    st.counters["locked"] = w.dialog.channelView().records[2999].lock();
}
BENCHMARK(BM_LockThousandRows)->Unit(benchmark::kMillisecond);

void BM_DeleteFiveThousandChannels(benchmark::State& st)
{
    Window w;
    for (auto _ : st) {
        st.PauseTiming();
        w.Reset();
        w.Select(0, 4999);
        st.ResumeTiming();
        QTest::keyClick(&w.grid(), Qt::Key_Delete); // the question is answered Yes
        w.Paint();
    }
    st.counters["rows"] = w.grid().GetRowCount();
}
BENCHMARK(BM_DeleteFiveThousandChannels)->Unit(benchmark::kMillisecond);

} // namespace
