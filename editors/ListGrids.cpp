#include "editors/ListGrids.h"

#include "editors/EditorControls.h"
#include "grid/CGridCtrl.h"

#include <QScrollBar>

#include <algorithm>
#include <cstdio>

void SetUpListGrid(CGridCtrl& grid, int columns, bool centred, bool singleRow)
{
    grid.SetListMode(true);
    grid.SetEditable(false);
    grid.SetRowResize(false);
    grid.SetColumnResize(false);
    grid.EnableTitleTips(false);
    grid.SetSingleRowSelection(singleRow);
    grid.SetColumnCount(columns);
    const unsigned format = (centred ? DT_CENTER : DT_LEFT) | DT_VCENTER | DT_SINGLELINE |
                            DT_END_ELLIPSIS | DT_NOPREFIX;
    for (bool fixedRow : {false, true})
        for (bool fixedCol : {false, true}) {
            grid.GetDefaultCell(fixedRow, fixedCol)->SetFormat(format);
            grid.GetDefaultCell(fixedRow, fixedCol)->SetMargin(0);
        }
    grid.SetGridBkColor(Qt::white);
}

void ResetRows(CGridCtrl& grid, int count, int rowHeight)
{
    grid.ResetSelectedRange();
    grid.SetFocusCell(-1, -1);
    grid.SetRowCount(count);
    for (int r = 0; r < count; ++r)
        grid.SetRowHeight(r, rowHeight);
    grid.SetScrollPos(0);
}

int UsableWidth(const CGridCtrl& grid, int rowHeight)
{
    int width = grid.contentsRect().width();
    if (grid.GetRowCount() * rowHeight > grid.contentsRect().height())
        width -= grid.verticalScrollBar()->sizeHint().width();
    return std::max(width, 1);
}

void FitColumnsEvenly(CGridCtrl& grid, std::span<const int> widths, int rowHeight, int minFirst)
{
    const int columns = static_cast<int>(widths.size());
    int total = 0;
    for (int w : widths)
        total += w;
    const int extra = UsableWidth(grid, rowHeight) - total;
    for (int c = 0; c < columns; ++c) {
        int width = widths[std::size_t(c)];
        if (extra >= 0)
            width += extra / columns + (c < extra % columns ? 1 : 0);
        else if (c == 0)
            width = std::max(minFirst, width + extra);
        grid.SetColumnWidth(c, width);
    }
}

void SelectRowBlock(CGridCtrl& grid, int first, int last, int focus)
{
    grid.ResetSelectedRange();
    if (first < 0 || last >= grid.GetRowCount() || first > last)
        return;
    grid.SetSelectedRange(first, 0, last, grid.GetColumnCount() - 1);
    grid.SetFocusCell(focus, 0);
}

QString NumberedChannelText(int row, const std::string& storedName)
{
    char number[24];
    std::snprintf(number, sizeof number, "  %4d    ", row + 1);
    return QString::fromLatin1(number) + NameForDisplay(storedName);
}
