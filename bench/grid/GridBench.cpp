// How long the grid takes for the things a 9999-row channel list does: set the counts, fill
// 9999 x 4 texts and images as the dialogs do, scroll to the end, select all, paint a screen.
#include "grid/CGridCtrl.h"
#include "grid/CImageList.h"

#include <QApplication>
#include <QKeyEvent>

#include <benchmark/benchmark.h>

namespace {

constexpr int kRows = 9999;
constexpr int kCols = 4;

CImageList& Marks()
{
    static CImageList images = [] {
        CImageList list(24, 24);
        QImage image(72, 24, QImage::Format_RGB32);
        image.fill(Qt::black);
        image.fill(QColor(0, 120, 215).rgb());
        list.Add(image);
        return list;
    }();
    return images;
}

// A shown grid the size of the main window's channel list.
struct ShownGrid {
    CGridCtrl grid;
    ShownGrid()
    {
        grid.resize(430, 24 * 10 + 4);
        grid.show();
        QApplication::processEvents();
    }
};

void SetCounts(CGridCtrl& grid)
{
    grid.DeleteAllItems();
    grid.SetListMode(true);
    grid.SetEditable(false);
    grid.ResetSelectedRange();
    grid.SetRowCount(kRows);
    grid.SetColumnCount(kCols);
    grid.SetFixedRowCount(1);
}

void FillCells(CGridCtrl& grid)
{
    const unsigned format = DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;
    for (int r = 1; r < kRows; ++r) {
        for (int c = 0; c < kCols; ++c)
            grid.SetItemFormat(r, c, format);
        grid.SetItemText(r, 0, QString::asprintf("  %4d    Channel %d", r, r * 7));
        grid.SetItemImage(r, 1, r % 3 ? 0 : -1);
        grid.SetItemImage(r, 2, r % 4 ? -1 : 1);
        grid.SetItemImage(r, 3, r % 5 ? -1 : 2);
    }
}

void FinishFill(CGridCtrl& grid)
{
    const int widths[kCols] = {276, 50, 50, 50};
    for (int c = 0; c < kCols; ++c)
        grid.SetColumnWidth(c, widths[c]);
    for (int r = 0; r < kRows; ++r)
        grid.SetRowHeight(r, 24);
    grid.SetImageList(&Marks());
    grid.SetGridBkColor(Qt::white);
    grid.ExpandColumnsToFit();
    for (bool bRow : {false, true})
        for (bool bCol : {false, true})
            grid.GetDefaultCell(bRow, bCol)->SetMargin(0);
    grid.Invalidate();
}

// Counts in the program's order: rows first, then columns, then the header row.
void BM_SetCounts(benchmark::State& state)
{
    ShownGrid shown;
    for (auto _ : state) {
        state.PauseTiming();
        shown.grid.DeleteAllItems();
        state.ResumeTiming();
        shown.grid.SetRowCount(kRows);
        shown.grid.SetColumnCount(kCols);
        shown.grid.SetFixedRowCount(1);
    }
}
BENCHMARK(BM_SetCounts)->Unit(benchmark::kMillisecond);

void BM_FillTextsAndImages(benchmark::State& state)
{
    ShownGrid shown;
    SetCounts(shown.grid);
    for (auto _ : state)
        FillCells(shown.grid);
}
BENCHMARK(BM_FillTextsAndImages)->Unit(benchmark::kMillisecond);

void BM_SizesAndFit(benchmark::State& state)
{
    ShownGrid shown;
    SetCounts(shown.grid);
    FillCells(shown.grid);
    for (auto _ : state)
        FinishFill(shown.grid);
}
BENCHMARK(BM_SizesAndFit)->Unit(benchmark::kMillisecond);

void BM_DeleteAllItems(benchmark::State& state)
{
    ShownGrid shown;
    for (auto _ : state) {
        state.PauseTiming();
        SetCounts(shown.grid);
        FillCells(shown.grid);
        state.ResumeTiming();
        shown.grid.DeleteAllItems();
    }
}
BENCHMARK(BM_DeleteAllItems)->Unit(benchmark::kMillisecond);

// The whole fill in the program's order, from an emptied grid to the redraw request.
void BM_WholeFill(benchmark::State& state)
{
    ShownGrid shown;
    for (auto _ : state) {
        SetCounts(shown.grid);
        FillCells(shown.grid);
        FinishFill(shown.grid);
    }
}
BENCHMARK(BM_WholeFill)->Unit(benchmark::kMillisecond);

void BM_ScrollToEndAndPaint(benchmark::State& state)
{
    ShownGrid shown;
    SetCounts(shown.grid);
    FillCells(shown.grid);
    FinishFill(shown.grid);
    shown.grid.SetFocusCell(1, 0);
    QKeyEvent end(QEvent::KeyPress, Qt::Key_End, Qt::ControlModifier);
    QKeyEvent home(QEvent::KeyPress, Qt::Key_Home, Qt::ControlModifier);
    bool bAtEnd = false;
    for (auto _ : state) {
        QApplication::sendEvent(&shown.grid, bAtEnd ? &home : &end);
        bAtEnd = !bAtEnd;
        shown.grid.viewport()->repaint();
    }
}
BENCHMARK(BM_ScrollToEndAndPaint)->Unit(benchmark::kMillisecond);

void BM_SelectAll(benchmark::State& state)
{
    ShownGrid shown;
    SetCounts(shown.grid);
    FillCells(shown.grid);
    FinishFill(shown.grid);
    for (auto _ : state) {
        shown.grid.SelectAll();
        shown.grid.SetSelectedRange(5, 0, 5, kCols - 1);
    }
}
BENCHMARK(BM_SelectAll)->Unit(benchmark::kMillisecond);

void BM_PaintOneScreen(benchmark::State& state)
{
    ShownGrid shown;
    SetCounts(shown.grid);
    FillCells(shown.grid);
    FinishFill(shown.grid);
    shown.grid.SetSelectedRange(1, 0, kRows - 1, kCols - 1);
    shown.grid.SetScrollPos(int(state.range(0)) * shown.grid.GetScrollLimit() / 100);
    for (auto _ : state)
        shown.grid.viewport()->repaint();
}
BENCHMARK(BM_PaintOneScreen)->Arg(0)->Arg(100)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
