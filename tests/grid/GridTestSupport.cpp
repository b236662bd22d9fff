#include "GridTestSupport.h"

#include <QStringList>

NoticeLog::NoticeLog(CGridCtrl& grid)
{
    connect(&grid, &CGridCtrl::gridNotify, this, [this, &grid](int code, int row, int col) {
        notices.push_back({code, row, col, grid.GetFocusCell()});
    });
}

QString NoticeLog::Text() const
{
    QStringList parts;
    for (const Notice& n : notices)
        parts << QStringLiteral("%1:%2,%3").arg(n.code).arg(n.row).arg(n.col);
    return parts.join(QLatin1Char(' '));
}

void FillLikeDialog(CGridCtrl& grid, int rows, int cols, int fixedRows, int rowHeight, int colWidth,
                    bool singleRow)
{
    grid.DeleteAllItems();
    grid.SetListMode(true);
    grid.SetEditable(false);
    grid.SetSingleRowSelection(singleRow);
    grid.SetRowResize(false);
    grid.SetColumnResize(false);
    grid.EnableTitleTips(false);
    grid.ResetSelectedRange();
    grid.SetRowCount(rows);
    grid.SetColumnCount(cols);
    grid.SetFixedRowCount(fixedRows);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            grid.SetItemFormat(r, c, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
            grid.SetItemText(r, c, QStringLiteral("r%1c%2").arg(r).arg(c));
        }
    for (int c = 0; c < cols; ++c)
        grid.SetColumnWidth(c, colWidth);
    for (int r = 0; r < rows; ++r)
        grid.SetRowHeight(r, rowHeight);
    grid.SetGridBkColor(Qt::white);
    for (bool bRow : {false, true})
        for (bool bCol : {false, true})
            grid.GetDefaultCell(bRow, bCol)->SetMargin(0);
    grid.Invalidate();
}

void SetClientSize(CGridCtrl& grid, QSize size)
{
    const int frame = grid.frameWidth();
    grid.resize(size.width() + 2 * frame, size.height() + 2 * frame);
}

QPoint CellCentre(const CGridCtrl& grid, int row, int col)
{
    return grid.GetCellRect(row, col).center();
}
