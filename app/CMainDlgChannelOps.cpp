// What the main window does to the channels its channel grid shows: delete, move and lock them
// (under "SAT"), its context menu, and live streaming on a double click.
#include "app/CMainDlg.h"

#include "chdb/ChannelOperations.h"
#include "editors/CPinDlg.h"
#include "editors/ListGrids.h"
#include "grid/CGridCtrl.h"
#include "platform/ui/BusyCall.h"
#include "platform/ui/MenuBuilder.h"
#include "res/MenuTemplates.h"
#include "res/ResourceIds.h"
#include "stblink/Streaming.h"
#include "util/MessageService.h"

#include <QGuiApplication>
#include <QKeyEvent>

#include <algorithm>

void CMainDlg::ConnectChannelOperations()
{
    m_gridChannel->installEventFilter(this);
    connect(m_gridChannel, &CGridCtrl::gridNotify, this, [this](int code, int row, int) {
        if (code == NM_DBLCLK && row >= 0)
            OnStartStreaming();
    });
    connect(m_gridChannel, &CGridCtrl::rightClicked, this,
            [this](int row, int, const QPoint& at) { OnChannelContextMenu(row, at); });

    MapCommand(ID_LOCK_UNLOCK, [this] { OnLockUnlock(); });
    MapUpdateCommand(ID_LOCK_UNLOCK, [this](CCmdUI& cmd) {
        cmd.Enable(ChannelOperationsAllowed() && m_gridChannel->GetSelectedCount() > 0);
    });
    // "rename" belongs to the same menu resource but means nothing here.
    MapCommand(ID_RENAME, [] {});
    MapUpdateCommand(ID_RENAME, [](CCmdUI& cmd) { cmd.Enable(false); });
    MapCommand(ID_EDIT_USER_LISTS, [this] { OnEditUserLists(); });
    MapUpdateCommand(ID_EDIT_USER_LISTS, [this](CCmdUI& cmd) { cmd.Enable(m_state.hasData()); });
}

bool CMainDlg::ChannelOperationsAllowed() const
{
    return m_state.hasData() &&
           m_gridCategory->GetFocusCell().row == static_cast<int>(Category::Sat) &&
           m_gridChannel->GetRowCount() > 0;
}

bool CMainDlg::eventFilter(QObject* watched, QEvent* event)
{
    // The channel grid's keys are taken before the grid sees them. This also runs for the
    // whole application, where Enter would be swallowed.
    if (watched == m_gridChannel && event->type() == QEvent::KeyPress &&
        HandleChannelKey(*static_cast<QKeyEvent*>(event)))
        return true;
    return CDialog::eventFilter(watched, event);
}

bool CMainDlg::HandleChannelKey(const QKeyEvent& key)
{
    const auto modifiers = key.modifiers() & ~Qt::KeypadModifier;
    switch (key.key()) {
    case Qt::Key_Delete:
        if (m_gridCategory->GetFocusCell().row != static_cast<int>(Category::Sat))
            return false;
        OnDeleteChannels();
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
        // Ctrl as the keyboard holds it when the arrow arrives; the press is used up even when
        // nothing can move.
        if (!(QGuiApplication::queryKeyboardModifiers() & Qt::ControlModifier) ||
            !ChannelOperationsAllowed())
            return false;
        OnMoveChannels(key.key() == Qt::Key_Up ? MoveDirection::Up : MoveDirection::Down);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // What a double click does, for the keyboard.
        if (modifiers != Qt::NoModifier)
            return false;
        OnStartStreaming();
        return true;
    case Qt::Key_Menu:
    case Qt::Key_F10: {
        if (modifiers != (key.key() == Qt::Key_Menu ? Qt::NoModifier : Qt::ShiftModifier))
            return false;
        // Where a right click on the focused row would open it.
        const int row = m_gridChannel->GetFocusCell().row;
        QRect cell = m_gridChannel->GetCellRect(std::max(row, 0), 0);
        if (row < 0 || !m_gridChannel->viewport()->rect().intersects(cell))
            cell = QRect(m_gridChannel->viewport()->rect().topLeft(), QSize(1, 1));
        OnChannelContextMenu(row, m_gridChannel->viewport()->mapToGlobal(cell.center()));
        return true;
    }
    default:
        return false;
    }
}

void CMainDlg::OnChannelContextMenu(int row, const QPoint& globalPos)
{
    // A row outside the selection becomes the selection; inside it, the selection stays.
    if (row >= 0 && !m_gridChannel->IsCellSelected(row, 0))
        SelectRowBlock(*m_gridChannel, row, row, row);
    ::TrackPopupMenu(GetPopupTemplate(IDR_POPUP_MENU, kPopupLockRename), *this, this, globalPos);
}

void CMainDlg::OnDeleteChannels()
{
    const std::vector<int> rows = m_gridChannel->GetSelectedRows();
    if (rows.empty() || !AskYesNo(m_services.messages, MsgId::DeleteChannel))
        return;
    DeleteViewRows(m_state, m_view, rows);
    const int scrollPos = m_gridChannel->GetScrollPos();
    RebuildChannelView();
    m_gridChannel->SetScrollPos(scrollPos);
    // The keyboard goes on from where the first deleted channel was.
    const int focus = std::min(rows.front(), m_gridChannel->GetRowCount() - 1);
    if (focus >= 0)
        m_gridChannel->SetFocusCell(focus, 0);
}

void CMainDlg::OnMoveChannels(MoveDirection direction)
{
    const std::optional<RowMove> move =
        MoveViewRows(m_state, m_view, m_gridChannel->GetSelectedRows(), direction);
    if (!move)
        return;
    for (int row = move->first; row <= move->last; ++row)
        WriteChannelRow(row);
    SelectRowBlock(*m_gridChannel, move->blockFirst, move->blockLast, move->focus);
    m_gridChannel->EnsureVisible(move->focus, 0);
    m_gridChannel->Invalidate();
}

void CMainDlg::OnLockUnlock()
{
    if (!ChannelOperationsAllowed())
        return;
    for (int row : ToggleViewLocks(m_state, m_view, m_gridChannel->GetSelectedRows(),
                                   [this] { return AskPin(); }))
        WriteChannelRow(row);
    m_gridChannel->Invalidate();
}

bool CMainDlg::AskPin()
{
    CPinDlg dialog(m_services.messages, this);
    dialog.m_strPin = m_state.pin;
    return dialog.DoModal() == IDOK;
}

void CMainDlg::OnStartStreaming()
{
    const int row = m_gridChannel->GetFocusCell().row;
    if (row < 0 || row >= m_view.size())
        return;
    // The box is told the channel's place in the table, not its row here.
    const int index = m_view.tableIndices[std::size_t(row)];
    RunBusyCall(this, m_services.messages, [&](BusyCall& call) {
        auto confirmPin = [&] { return call.OnUiThread([&] { return AskPin(); }); };
        StartStreaming(m_state, index, call.messages(), confirmPin, m_services.player,
                       LinkFor(call));
    });
}
