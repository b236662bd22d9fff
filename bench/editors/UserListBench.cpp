// The user list editor on a full database (9999 channels): copying 1000 selected channels into
// an empty list and removing them again, each including the grids' refresh and one paint.
#include "bench/support/QuietServices.h"
#include "chdb/ListBuilds.h"
#include "editors/CUserListDlg.h"
#include "grid/CGridCtrl.h"
#include "stbsim/DemoDatabase.h"
#include "util/MessageService.h"

#include <QComboBox>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

namespace {

struct Editor {
    FixedAnswerMessages messages;
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("userlist-bench-" + std::to_string(::getpid()));
    std::unique_ptr<CUserListDlg> dialog;

    Editor()
    {
        const ChannelDatabase db = GenerateDemoDatabase(1, DemoSize::Full);
        std::filesystem::create_directories(folder);
        db.SaveToFolder(folder);
        dialog = std::make_unique<CUserListDlg>(messages);
        dialog->m_strWorkDir = folder.string();
        dialog->m_satList = BuildSatelliteList(db);
        dialog->m_nFirstList = 9; // empty in the demo
        dialog->show();
    }
    ~Editor() { std::filesystem::remove_all(folder); }

    void Add()
    {
        dialog->channelGrid().SetSelectedRange(3000, 0, 3999, 3);
        dialog->AddSelected();
    }
    void Remove()
    {
        CGridCtrl& list = dialog->listGrid();
        list.SetSelectedRange(0, 0, list.GetRowCount() - 1, 3);
        dialog->RemoveSelected(); // the question is answered Yes
    }
    void Paint()
    {
        benchmark::DoNotOptimize(dialog->listGrid().grab());
        benchmark::DoNotOptimize(dialog->channelGrid().grab());
    }
};

void BM_CopyThousandChannelsIntoAList(benchmark::State& st)
{
    Editor e;
    for (auto _ : st) {
        e.Add();
        e.Paint();
        st.PauseTiming();
        e.Remove();
        st.ResumeTiming();
    }
}
BENCHMARK(BM_CopyThousandChannelsIntoAList)->Unit(benchmark::kMillisecond);

void BM_RemoveThousandChannelsFromAList(benchmark::State& st)
{
    Editor e;
    for (auto _ : st) {
        st.PauseTiming();
        e.Add();
        st.ResumeTiming();
        e.Remove();
        e.Paint();
    }
}
BENCHMARK(BM_RemoveThousandChannelsFromAList)->Unit(benchmark::kMillisecond);

void BM_SwitchFilterToAToZ(benchmark::State& st)
{
    Editor e;
    int filter = 0;
    for (auto _ : st) {
        filter = filter == 0 ? 3 : 0; // "A-Z" and "All"
        e.dialog->filterCombo().setCurrentIndex(filter);
        e.Paint();
    }
    st.counters["rows"] = e.dialog->channelGrid().GetRowCount();
}
BENCHMARK(BM_SwitchFilterToAToZ)->Unit(benchmark::kMillisecond);

} // namespace
