// The three linked grids of the main window: how they are set up, filled and linked.
#include "app/CMainDlg.h"

#include "chdb/DvbText.h"
#include "grid/CGridCtrl.h"
#include "grid/CGridDefaultCell.h"

#include <QScrollBar>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kChannelColumnWidths[4] = {276, 50, 50, 50};
constexpr int kMarkHd = 0;
constexpr int kMarkScrambled = 1;
constexpr int kMarkLock = 2;
// The name column never gets narrower than this when the marks need room.
constexpr int kMinNameColumn = 120;

unsigned TextFormat(bool centred)
{
    return (centred ? DT_CENTER : DT_LEFT) | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX;
}

QString Display(const std::string& bytes)
{
    return QString::fromStdString(DecodeDvbText(bytes));
}

// The width the rows can use once a vertical scroll bar takes its share.
int UsableWidth(const CGridCtrl& grid, int rowHeight)
{
    // The grid's own measure of a vertical bar, so that the columns never need a horizontal one.
    const QRect inside = grid.contentsRect();
    int width = inside.width();
    if (grid.GetRowCount() * rowHeight > inside.height())
        width -= grid.verticalScrollBar()->sizeHint().width();
    return std::max(width, 1);
}

} // namespace

void CMainDlg::SetUpGrids()
{
    SetUpListGrid(*m_gridCategory, 1, true);
    SetUpListGrid(*m_gridGroup, 1, true);
    SetUpListGrid(*m_gridChannel, 4, false);
    m_gridCategory->SetSingleRowSelection(true);
    m_gridGroup->SetSingleRowSelection(true);
    FitChannelColumns();
}

void CMainDlg::SetUpListGrid(CGridCtrl& grid, int columns, bool centred)
{
    grid.DeleteAllItems();
    grid.SetListMode(true);
    grid.SetEditable(false);
    grid.SetRowResize(false);
    grid.SetColumnResize(false);
    grid.EnableTitleTips(false);
    grid.ResetSelectedRange();
    grid.SetColumnCount(columns);
    for (bool fixedRow : {false, true})
        for (bool fixedCol : {false, true}) {
            grid.GetDefaultCell(fixedRow, fixedCol)->SetFormat(TextFormat(centred));
            grid.GetDefaultCell(fixedRow, fixedCol)->SetMargin(0);
        }
    grid.SetGridBkColor(Qt::white);
}

void CMainDlg::SetListRows(CGridCtrl& grid, const std::vector<std::string>& rows)
{
    grid.ResetSelectedRange();
    grid.SetRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < grid.GetRowCount(); ++r) {
        grid.SetItemText(r, 0, Display(rows[static_cast<std::size_t>(r)]));
        grid.SetRowHeight(r, m_nRowHeight);
    }
    grid.SetColumnWidth(0, UsableWidth(grid, m_nRowHeight));
    grid.Invalidate();
}

void CMainDlg::FillCategoryGrid()
{
    SetListRows(*m_gridCategory, CategoryRows(m_state.listKind()));
    m_gridCategory->SetSelectedRange(0, 0, 0, 0);
    m_gridCategory->SetFocusCell(0, 0);
    FillGroupGrid(0);
}

void CMainDlg::FillGroupGrid(int selectRow)
{
    const int category = m_gridCategory->GetFocusCell().row;
    if (category < 0)
        return;
    SetListRows(*m_gridGroup, GroupRows(m_state, static_cast<Category>(category)));
    if (m_gridGroup->GetRowCount() > 0 && selectRow >= 0) {
        m_gridGroup->SetSelectedRange(selectRow, 0, selectRow, 0);
        m_gridGroup->SetFocusCell(selectRow, 0);
        RebuildChannelView();
    }
}

void CMainDlg::RebuildChannelView()
{
    const int category = m_gridCategory->GetFocusCell().row;
    const int group = m_gridGroup->GetFocusCell().row;
    if (category < 0 || group < 0)
        return;
    m_view = BuildChannelView(m_state, category, group);
    // Several channels can be picked only where they can be moved and deleted together.
    m_gridChannel->SetSingleRowSelection(category != static_cast<int>(Category::Sat));
    FillChannelGrid();
}

void CMainDlg::FillChannelGrid()
{
    CGridCtrl& grid = *m_gridChannel;
    grid.ResetSelectedRange();
    grid.SetRowCount(m_view.size());
    for (int r = 0; r < m_view.size(); ++r) {
        WriteChannelRow(r);
        grid.SetRowHeight(r, m_nRowHeight);
    }
    grid.SetScrollPos(0);
    FitChannelColumns();
    grid.Invalidate();
}

void CMainDlg::WriteChannelRow(int row)
{
    CGridCtrl& grid = *m_gridChannel;
    const ChannelInfo& c = m_view.records[static_cast<std::size_t>(row)];
    char number[24];
    std::snprintf(number, sizeof number, "  %4d    ", row + 1);
    grid.SetItemText(row, 0, QString::fromLatin1(number) + Display(c.name()));
    grid.SetItemImage(row, 1, c.isHd() ? kMarkHd : -1);
    grid.SetItemImage(row, 2, c.casMask() != 0 ? kMarkScrambled : -1);
    grid.SetItemImage(row, 3, c.lock() == 1 ? kMarkLock : -1);
}

void CMainDlg::FitChannelColumns()
{
    // The name column gives up width so that the three marks stay in view without scrolling
    // sideways.
    CGridCtrl& grid = *m_gridChannel;
    int marks = 0;
    for (int c = 1; c < 4; ++c) {
        grid.SetColumnWidth(c, kChannelColumnWidths[c]);
        marks += kChannelColumnWidths[c];
    }
    const int available = UsableWidth(grid, m_nRowHeight) - marks;
    grid.SetColumnWidth(0, std::clamp(available, kMinNameColumn, kChannelColumnWidths[0]));
    for (CGridCtrl* list : {m_gridCategory, m_gridGroup})
        if (list->GetColumnCount() > 0)
            list->SetColumnWidth(0, UsableWidth(*list, m_nRowHeight));
}

void CMainDlg::ShowNoData()
{
    for (CGridCtrl* grid : {m_gridCategory, m_gridGroup, m_gridChannel}) {
        grid->ResetSelectedRange();
        grid->SetRowCount(0);
        grid->Invalidate();
    }
    m_view = {};
    ShowListSelector();
}

void CMainDlg::OnCategoryNotify(int code, int row)
{
    if (row < 0)
        return;
    if (code == GVN_SELCHANGED && row != m_gridCategory->GetFocusCell().row) {
        m_gridCategory->SetFocusCell(row, 0);
        FillGroupGrid(0);
    } else if (code == NM_CLICK) {
        FillGroupGrid(0);
    }
}

void CMainDlg::OnGroupNotify(int code, int row)
{
    if (row < 0)
        return;
    if (code == GVN_SELCHANGED && row != m_gridGroup->GetFocusCell().row) {
        m_gridGroup->SetFocusCell(row, 0);
        RebuildChannelView();
    } else if (code == NM_CLICK) {
        RebuildChannelView();
    }
}
