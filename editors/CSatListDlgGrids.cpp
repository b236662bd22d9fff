// The editor's three linked grids: how they are set up, filled, linked and how their context
// menus open.
#include "editors/CSatListDlg.h"

#include "chdb/SatListEdits.h"
#include "editors/EditorControls.h"
#include "editors/ListGrids.h"
#include "grid/CGridCtrl.h"
#include "platform/ui/MenuBuilder.h"
#include "res/MenuTemplates.h"
#include "res/ResourceIds.h"

#include <QKeyEvent>

#include <algorithm>

namespace {

constexpr int kChannelColumnWidths[5] = {254, 50, 50, 50, 50};
constexpr int kMinNameColumn = 120;
enum Mark { kMarkHd, kMarkScrambled, kMarkLock, kMarkTv, kMarkRadio };

} // namespace

void CSatListDlg::SetUpGrids()
{
    SetUpListGrid(*m_gridSat, 1, true, true);
    SetUpListGrid(*m_gridTp, 1, true, true);
    SetUpListGrid(*m_gridChannel, 5, false, true);
    FitColumns();
}

void CSatListDlg::FitColumns()
{
    for (CGridCtrl* list : {m_gridSat, m_gridTp})
        list->SetColumnWidth(0, UsableWidth(*list, m_nRowHeight));
    FitColumnsEvenly(*m_gridChannel, kChannelColumnWidths, m_nRowHeight, kMinNameColumn);
}

void CSatListDlg::SelectRow(CGridCtrl& grid, int row)
{
    if (row < 0 || row >= grid.GetRowCount())
        return;
    grid.SetSelectedRange(row, 0, row, grid.GetColumnCount() - 1);
    grid.SetFocusCell(row, 0);
}

void CSatListDlg::ScrollIntoView(CGridCtrl& grid, int row)
{
    // Line by line, so that the row ends up the last one visible.
    if (row >= m_nGridRows)
        grid.ScrollLines(row - m_nGridRows + 1);
}

void CSatListDlg::FillSatelliteGrid()
{
    const int count = m_db.satelliteCount();
    ResetRows(*m_gridSat, count, m_nRowHeight);
    int start = 0;
    for (int r = 0; r < count; ++r) {
        const SatInfo sat = m_db.satellite(r);
        m_gridSat->SetItemText(r, 0, NameForDisplay(sat.name()));
        if (m_wPreSatId != 0 && sat.id() == m_wPreSatId)
            start = r;
    }
    SetDlgItemInt(IDC_COUNT_SATELLITES, count);
    FitColumns();
    if (count > 0) {
        SelectRow(*m_gridSat, start);
        ScrollIntoView(*m_gridSat, start);
        FillTransponderGrid();
    }
    m_wPreSatId = 0;
}

void CSatListDlg::FillTransponderGrid()
{
    const int sat = FocusedSatellite();
    if (sat < 0)
        return;
    m_tpRows = TransponderRows(m_db, sat);
    const int count = static_cast<int>(m_tpRows.size());
    ResetRows(*m_gridTp, count, m_nRowHeight);
    int start = 0;
    for (int r = 0; r < count; ++r) {
        const TpInfo tp = m_db.transponder(m_tpRows[std::size_t(r)]);
        m_gridTp->SetItemText(r, 0, QString::fromStdString(TransponderRowText(tp)));
        if (m_wPreTpId != 0 && tp.id() == m_wPreTpId)
            start = r;
    }
    FitColumns();
    if (count == 0) {
        m_channelRows.clear();
        ResetRows(*m_gridChannel, 0, m_nRowHeight);
        SetDlgItemInt(IDC_COUNT_CHANNELS, 0);
    } else {
        SelectRow(*m_gridTp, start);
        ScrollIntoView(*m_gridTp, start);
        FillChannelGrid();
    }
    SetDlgItemInt(IDC_COUNT_TRANSPONDERS, count);
    m_wPreTpId = 0;
}

void CSatListDlg::FillChannelGrid()
{
    const int tpIndex = FocusedTransponder();
    if (tpIndex < 0)
        return;
    const TpInfo tp = m_db.transponder(tpIndex);
    m_channelRows = ChannelRows(m_db, tp.satelliteId(), tp.id());
    const int count = static_cast<int>(m_channelRows.size());
    ResetRows(*m_gridChannel, count, m_nRowHeight);
    int preselected = -1;
    for (int r = 0; r < count; ++r) {
        WriteChannelRow(r);
        if (m_wPreChannelKey != 0 &&
            m_db.channel(m_channelRows[std::size_t(r)]).key() == m_wPreChannelKey)
            preselected = r;
    }
    FitColumns();
    if (preselected >= 0) {
        SelectRow(*m_gridChannel, preselected);
        m_gridChannel->EnsureVisible(preselected, 0);
    }
    SetDlgItemInt(IDC_COUNT_CHANNELS, count);
    m_wPreChannelKey = 0;
}

void CSatListDlg::WriteChannelRow(int row)
{
    if (row < 0 || row >= static_cast<int>(m_channelRows.size()))
        return;
    const ChannelInfo c = m_db.channel(m_channelRows[std::size_t(row)]);
    m_gridChannel->SetItemText(row, 0, QStringLiteral("   ") + NameForDisplay(c.name()));
    m_gridChannel->SetItemImage(row, 1, c.isRadio() ? kMarkRadio : kMarkTv);
    m_gridChannel->SetItemImage(row, 2, c.isHd() ? kMarkHd : -1);
    m_gridChannel->SetItemImage(row, 3, c.casMask() != 0 ? kMarkScrambled : -1);
    m_gridChannel->SetItemImage(row, 4, c.lock() == 1 ? kMarkLock : -1);
}

void CSatListDlg::OnSatelliteNotify(int code, int row)
{
    if (row < 0)
        return;
    if (code == GVN_SELCHANGED && row != m_gridSat->GetFocusCell().row) {
        m_gridSat->SetFocusCell(row, 0);
        FillTransponderGrid();
    } else if (code == NM_CLICK) {
        FillTransponderGrid();
    }
}

void CSatListDlg::OnTransponderNotify(int code, int row)
{
    if (row < 0)
        return;
    if (code == GVN_SELCHANGED && row != m_gridTp->GetFocusCell().row) {
        m_gridTp->SetFocusCell(row, 0);
        FillChannelGrid();
    } else if (code == NM_CLICK) {
        FillChannelGrid();
    }
}

void CSatListDlg::OnSatelliteRightClick(int row)
{
    if (row < 0)
        return;
    if (row != m_gridSat->GetFocusCell().row) {
        SelectRow(*m_gridSat, row);
        FillTransponderGrid();
    }
    EditSatellite(row);
}

void CSatListDlg::OnTransponderRightClick(int row, const QPoint& globalPos)
{
    if (row >= 0 && row != m_gridTp->GetFocusCell().row) {
        SelectRow(*m_gridTp, row);
        FillChannelGrid();
    }
    // Also on an empty grid: "Add Transponder" is how the first one is made.
    m_nContextRow = m_gridTp->GetFocusCell().row;
    if (FocusedSatellite() >= 0)
        ::TrackPopupMenu(GetPopupTemplate(IDR_POPUP_MENU, kPopupTransponder), *this, this,
                         globalPos);
}

void CSatListDlg::OnChannelRightClick(int row, const QPoint& globalPos)
{
    if (row >= 0)
        SelectRow(*m_gridChannel, row);
    m_nContextRow = m_gridChannel->GetFocusCell().row;
    if (FocusedTransponder() >= 0)
        ::TrackPopupMenu(GetPopupTemplate(IDR_POPUP_MENU, kPopupChannel), *this, this, globalPos);
}

bool CSatListDlg::OpenMenuFromKeyboard(CGridCtrl& grid)
{
    // The menu key and Shift+F10 open what a right click on the focused row would.
    const int row = grid.GetFocusCell().row;
    QRect cell = grid.GetCellRect(std::max(row, 0), 0);
    if (row < 0 || !grid.viewport()->rect().intersects(cell))
        cell = QRect(grid.viewport()->rect().topLeft(), QSize(1, 1));
    const QPoint at = grid.viewport()->mapToGlobal(cell.center());
    if (&grid == m_gridSat)
        OnSatelliteRightClick(row);
    else if (&grid == m_gridTp)
        OnTransponderRightClick(row, at);
    else
        OnChannelRightClick(row, at);
    return true;
}

bool CSatListDlg::eventFilter(QObject* watched, QEvent* event)
{
    auto* grid = qobject_cast<CGridCtrl*>(watched);
    if (grid && (grid == m_gridSat || grid == m_gridTp || grid == m_gridChannel)) {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            const auto modifiers = key->modifiers() & ~Qt::KeypadModifier;
            if ((key->key() == Qt::Key_Menu && modifiers == Qt::NoModifier) ||
                (key->key() == Qt::Key_F10 && modifiers == Qt::ShiftModifier))
                return OpenMenuFromKeyboard(*grid);
        }
    }
    return CDialog::eventFilter(watched, event);
}
