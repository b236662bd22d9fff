#pragma once

#include "grid/CGridCtrl.h"

#include <QStringList>

#include <vector>

// One notification as the dialog saw it, with the grid's focus cell at that moment.
struct Notice {
    int code, row, col;
    CCellID focusThen;
};

// Records every notification of a grid in order; the grid owns it.
struct NoticeLog : QObject {
    std::vector<Notice> notices;
    explicit NoticeLog(CGridCtrl& grid) : QObject(&grid)
    {
        connect(&grid, &CGridCtrl::gridNotify, this, [this, &grid](int code, int row, int col) {
            notices.push_back({code, row, col, grid.GetFocusCell()});
        });
    }
    // The notifications as "code:row,col" separated by blanks, for readable comparisons.
    QString Text() const
    {
        QStringList parts;
        for (const Notice& n : notices)
            parts << QStringLiteral("%1:%2,%3").arg(n.code).arg(n.row).arg(n.col);
        return parts.join(' ');
    }
};

// Fills a grid the way the program's dialogs do: list mode, texts "r<row>c<col>", every row
// `rowHeight` high, white background, margins 0.
inline void FillLikeDialog(CGridCtrl& grid, int rows, int cols, int fixedRows, int rowHeight,
                           int colWidth, bool singleRow)
{
    grid.DeleteAllItems();
    grid.SetListMode(true);
    grid.SetSingleRowSelection(singleRow);
    grid.SetRowCount(rows);
    grid.SetColumnCount(cols);
    grid.SetFixedRowCount(fixedRows);
    for (int r = 0; r < rows; ++r) {
        grid.SetRowHeight(r, rowHeight);
        for (int c = 0; c < cols; ++c)
            grid.SetItemText(r, c, QStringLiteral("r%1c%2").arg(r).arg(c));
    }
    for (int c = 0; c < cols; ++c)
        grid.SetColumnWidth(c, colWidth);
    grid.SetGridBkColor(Qt::white);
    for (bool fixedRow : {false, true})
        for (bool fixedCol : {false, true}) {
            CGridDefaultCell* cell = grid.GetDefaultCell(fixedRow, fixedCol);
            cell->SetFormat(DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
            cell->SetMargin(0);
        }
}

// Resizes the grid so that its client area (inside the frame, without scroll bars) is `size`.
inline void SetClientSize(CGridCtrl& grid, QSize size)
{
    grid.resize(size.width() + 2 * grid.frameWidth(), size.height() + 2 * grid.frameWidth());
}
