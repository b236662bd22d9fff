// The editor's two grids: how they are set up and filled, and the keys they answer.
#include "editors/CUserListDlg.h"

#include "chdb/UserListEdits.h"
#include "editors/ListGrids.h"
#include "grid/CGridCtrl.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>

namespace {

constexpr int kColumnWidths[4] = {276, 50, 50, 50};
enum Mark { kMarkHd, kMarkScrambled, kMarkLock };

} // namespace

void CUserListDlg::SetUpGrids()
{
    for (CGridCtrl* grid : {m_gridList, m_gridChannel}) {
        SetUpListGrid(*grid, 4, false, false);
        grid->SetImageList(&m_imgMarks);
    }
    FitColumns();
}

void CUserListDlg::FitColumns()
{
    for (CGridCtrl* grid : {m_gridList, m_gridChannel})
        FitColumnsEvenly(*grid, kColumnWidths, m_nRowHeight);
}

void CUserListDlg::FillListGrid()
{
    const std::vector<std::int32_t> entries = m_db.userListEntries(currentList(), kind());
    const int count = static_cast<int>(entries.size());
    ResetRows(*m_gridList, count, m_nRowHeight);
    for (int row = 0; row < count; ++row)
        WriteRow(*m_gridList, row, entries[std::size_t(row)]);
    FitColumns();
    m_gridList->Invalidate();
}

void CUserListDlg::FillChannelGrid()
{
    m_channelRows = UserListFilterRows(m_db, m_satList, kind(), filterCombo().currentIndex());
    const int count = static_cast<int>(m_channelRows.size());
    ResetRows(*m_gridChannel, count, m_nRowHeight);
    for (int row = 0; row < count; ++row)
        WriteRow(*m_gridChannel, row, m_channelRows[std::size_t(row)]);
    FitColumns();
    m_gridChannel->Invalidate();
}

void CUserListDlg::WriteRow(CGridCtrl& grid, int row, std::int32_t tableIndex)
{
    // An entry that names no record (a broken file) shows an empty row the user can remove.
    const bool valid = tableIndex >= 0 && tableIndex < m_db.channelCount();
    const ChannelInfo c = valid ? m_db.channel(tableIndex) : ChannelInfo{};
    grid.SetItemText(row, 0, NumberedChannelText(row, c.name()));
    grid.SetItemImage(row, 1, c.isHd() ? kMarkHd : -1);
    grid.SetItemImage(row, 2, c.casMask() != 0 ? kMarkScrambled : -1);
    grid.SetItemImage(row, 3, c.lock() == 1 ? kMarkLock : -1);
}

bool CUserListDlg::HandleListKey(int key)
{
    // Ctrl as the keyboard holds it when the arrow arrives.
    const bool ctrl = QGuiApplication::queryKeyboardModifiers() & Qt::ControlModifier;
    if ((key == Qt::Key_Up || key == Qt::Key_Down) && ctrl) {
        if (m_gridList->GetRowCount() == 0)
            return false;
        MoveSelected(key == Qt::Key_Up ? MoveDirection::Up : MoveDirection::Down);
        return true;
    }
    if (key == Qt::Key_Delete) {
        RemoveSelected();
        return true;
    }
    return false;
}

bool CUserListDlg::HandleChannelKey(int key)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        AddSelected();
        return true;
    }
    return false;
}

bool CUserListDlg::eventFilter(QObject* watched, QEvent* event)
{
    // Also called for the whole application (Enter and Escape are swallowed there), so the
    // grids' keys are taken before that.
    if (event->type() == QEvent::KeyPress && (watched == m_gridList || watched == m_gridChannel)) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (watched == m_gridList ? HandleListKey(key) : HandleChannelKey(key))
            return true;
    }
    return CDialog::eventFilter(watched, event);
}

void CUserListDlg::keyPressEvent(QKeyEvent* event)
{
    // Whichever control has the focus, as the button's tip promises: none of them takes F2.
    if (event->key() == Qt::Key_F2 && event->modifiers() == Qt::NoModifier) {
        RenameList();
        return;
    }
    CDialog::keyPressEvent(event);
}
