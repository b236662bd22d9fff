// Keyboard, mouse and wheel handling of CGridCtrl.
#include "grid/CGridCtrl.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>

namespace {
bool IsCopyKey(const QKeyEvent* e)
{
    return (e->modifiers() & Qt::ControlModifier) &&
           (e->key() == Qt::Key_C || e->key() == Qt::Key_Insert);
}
bool IsSelectAllKey(const QKeyEvent* e)
{
    return (e->modifiers() & Qt::ControlModifier) && e->key() == Qt::Key_A;
}
} // namespace

int CGridCtrl::FirstRow() const
{
    return NextRow(m_nFixedRows - 1, 1);
}

int CGridCtrl::FirstCol() const
{
    return NextCol(m_nFixedCols - 1, 1);
}

int CGridCtrl::NextRow(int nRow, int nStep) const
{
    // Rows of zero height are skipped; with no row to go to, the row stays.
    for (int r = nRow + nStep; r >= m_nFixedRows && r < GetRowCount(); r += nStep)
        if (m_rows.Size(r) > 0)
            return r;
    return nRow >= m_nFixedRows ? nRow : -1;
}

int CGridCtrl::NextCol(int nCol, int nStep) const
{
    for (int c = nCol + nStep; c >= m_nFixedCols && c < GetColumnCount(); c += nStep)
        if (m_cols.Size(c) > 0)
            return c;
    return nCol >= m_nFixedCols ? nCol : -1;
}

bool CGridCtrl::event(QEvent* e)
{
    if (e->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(e);
        // Tab moves between cells before Qt would move the focus to the next widget; at the
        // grid's end it does go on to the dialog. Ctrl+Tab is the dialog's.
        const bool bTab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        if (bTab && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            const bool bBackward =
                key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier);
            if (HandleTab(bBackward)) {
                e->accept();
                return true;
            }
        }
    } else if (e->type() == QEvent::ShortcutOverride) {
        // Keep the window's shortcuts from taking the grid's own keys.
        auto* key = static_cast<QKeyEvent*>(e);
        if (IsCopyKey(key) || IsSelectAllKey(key)) {
            e->accept();
            return true;
        }
    }
    return QAbstractScrollArea::event(e);
}

void CGridCtrl::keyPressEvent(QKeyEvent* e)
{
    if (IsCopyKey(e)) {
        OnEditCopy();
        e->accept();
    } else if (IsSelectAllKey(e)) {
        SelectAll();
        e->accept();
    } else if (MoveByKey(e)) {
        e->accept();
    } else {
        // Enter, Escape, the editing keys of a read-only grid and the rest: the dialog's.
        e->ignore();
    }
}

bool CGridCtrl::MoveByKey(QKeyEvent* e)
{
    const int nKey = e->key();
    switch (nKey) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        break;
    default:
        return false;
    }
    const int nFirstRow = FirstRow();
    const int nFirstCol = FirstCol();
    if (nFirstRow < 0 || nFirstCol < 0)
        return true;
    const bool bCtrl = e->modifiers() & Qt::ControlModifier;
    const bool bShift = e->modifiers() & Qt::ShiftModifier;
    const CCellID current = m_idCurrentCell;
    const CCellID from = IsValid(current) ? current : CCellID(nFirstRow, nFirstCol);
    const int nLastRow = NextRow(GetRowCount(), -1);
    const int nLastCol = NextCol(GetColumnCount(), -1);
    const qint64 page = std::max(1, GetClientSize().height() - GetFixedRowHeight());

    CCellID next = from;
    const bool bArrow =
        nKey == Qt::Key_Up || nKey == Qt::Key_Down || nKey == Qt::Key_Left || nKey == Qt::Key_Right;
    // Without a focus cell an arrow lands on the first cell.
    if (!bArrow || IsValid(current))
        switch (nKey) {
        case Qt::Key_Up:
            next.row = NextRow(from.row, -1);
            break;
        case Qt::Key_Down:
            next.row = NextRow(from.row, 1);
            break;
        case Qt::Key_Left:
            next.col = NextCol(from.col, -1);
            break;
        case Qt::Key_Right:
            next.col = NextCol(from.col, 1);
            break;
        case Qt::Key_PageUp: {
            const int nRow = m_rows.IndexAt(m_rows.Start(from.row) - page);
            next.row = nRow < nFirstRow ? nFirstRow : nRow;
            break;
        }
        case Qt::Key_PageDown: {
            const int nRow = m_rows.IndexAt(m_rows.Start(from.row) + page);
            next.row = nRow >= GetRowCount() ? nLastRow : nRow;
            break;
        }
        case Qt::Key_Home:
            next = bCtrl ? CCellID(nFirstRow, nFirstCol) : CCellID(from.row, nFirstCol);
            break;
        case Qt::Key_End:
            next = bCtrl ? CCellID(nLastRow, nLastCol) : CCellID(from.row, nLastCol);
            break;
        }
    if (IsValid(current) && next == current)
        return true;
    MoveFocusTo(next, bShift);
    if (!IsValid(next))
        return true;
    if (nKey == Qt::Key_PageUp || nKey == Qt::Key_PageDown)
        ScrollPages(nKey == Qt::Key_PageUp ? -1 : 1);
    if (bCtrl && nKey == Qt::Key_Home) {
        SetScrollPos(0, Qt::Vertical);
        SetScrollPos(0, Qt::Horizontal);
    } else if (bCtrl && nKey == Qt::Key_End) {
        SetScrollPos(GetScrollLimit(Qt::Vertical), Qt::Vertical);
        SetScrollPos(GetScrollLimit(Qt::Horizontal), Qt::Horizontal);
    }
    EnsureVisible(next);
    return true;
}

bool CGridCtrl::HandleTab(bool bBackward)
{
    const int nFirstRow = FirstRow();
    const int nFirstCol = FirstCol();
    if (nFirstRow < 0 || nFirstCol < 0)
        return false;
    const CCellID current = m_idCurrentCell;
    CCellID next;
    if (!IsValid(current)) {
        next = CCellID(nFirstRow, nFirstCol);
    } else if (!bBackward) {
        const int nCol = NextCol(current.col, 1);
        const int nRow = NextRow(current.row, 1);
        if (nCol != current.col)
            next = CCellID(current.row, nCol);
        else if (nRow != current.row)
            next = CCellID(nRow, nFirstCol);
        else
            return false;
    } else {
        const int nCol = NextCol(current.col, -1);
        const int nRow = NextRow(current.row, -1);
        if (nCol != current.col)
            next = CCellID(current.row, nCol);
        else if (nRow != current.row)
            next = CCellID(nRow, NextCol(GetColumnCount(), -1));
        else
            return false;
    }
    // Tab always starts a new selection, even with Shift held.
    MoveFocusTo(next, false);
    EnsureVisible(next);
    return true;
}

void CGridCtrl::MoveFocusTo(const CCellID& cell, bool bKeepAnchor)
{
    if (!bKeepAnchor || !IsValid(m_selectionStartCell))
        m_selectionStartCell = cell;
    SendNotify(GVN_SELCHANGING, cell);
    if (!IsValid(cell)) // the dialog may have refilled the grid
        return;
    SelectTo(cell);
    SendNotify(GVN_SELCHANGED, cell);
    if (!IsValid(cell))
        return;
    SetFocusCell(cell);
}

void CGridCtrl::mousePressEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton)
        return;
    setFocus(Qt::MouseFocusReason);
    m_bLMouseButtonDown = false;
    m_bDragSelecting = false;
    const QPoint point = e->position().toPoint();
    const CCellID cell = GetCellFromPt(point);
    m_leftClickDownCell = cell;
    if (!IsValid(cell))
        return;
    m_bLMouseButtonDown = true;
    m_lastMousePoint = point;
    SendNotify(GVN_BUTTONDOWN, cell);
    if (!IsValid(cell)) {
        m_bLMouseButtonDown = false;
        return;
    }

    const bool bShift = e->modifiers() & Qt::ShiftModifier;
    const bool bCtrl = e->modifiers() & Qt::ControlModifier;
    if (!bShift)
        m_selectionStartCell = cell;
    else if (!IsValid(m_selectionStartCell))
        m_selectionStartCell = IsValid(m_idCurrentCell) ? m_idCurrentCell : cell;

    const bool bFixed = cell.row < m_nFixedRows || cell.col < m_nFixedCols;
    if (!bFixed && IsCellSelected(cell)) {
        SetFocusCell(cell);
        if (bCtrl) {
            UnselectRowOrCell(cell);
            return;
        }
    } else {
        SetFocusCell(bFixed ? CCellID() : cell);
    }

    SendNotify(GVN_SELCHANGING, cell);
    if (!IsValid(cell)) {
        m_bLMouseButtonDown = false;
        return;
    }
    // Ctrl adds to the selection, where more than one row may be selected.
    if (bCtrl && !m_bSingleRowSelection)
        SaveSelection();
    if (!bFixed) {
        SelectTo(cell);
        m_bDragSelecting = true;
        m_lastDragCell = cell;
    }
}

void CGridCtrl::mouseMoveEvent(QMouseEvent* e)
{
    if (m_bLMouseButtonDown && m_bDragSelecting && (e->buttons() & Qt::LeftButton))
        DragTo(e->position().toPoint());
}

void CGridCtrl::DragTo(const QPoint& point)
{
    m_lastMousePoint = point;
    const QSize client = viewport()->size();
    const int nFixedH = GetFixedRowHeight();
    const int nFixedW = GetFixedColumnWidth();
    const bool bOutside = point.y() < nFixedH || point.y() >= client.height() ||
                          point.x() < nFixedW || point.x() >= client.width();
    if (!bOutside)
        m_autoScroll.stop();
    else if (!m_autoScroll.isActive())
        m_autoScroll.start();

    // The cell under the pointer, or the nearest visible one when it is outside.
    const qint64 y = std::clamp(point.y(), nFixedH, std::max(nFixedH, client.height() - 1)) +
                     qint64(GetScrollPos(Qt::Vertical));
    const qint64 x = std::clamp(point.x(), nFixedW, std::max(nFixedW, client.width() - 1)) +
                     qint64(GetScrollPos(Qt::Horizontal));
    int nRow = m_rows.IndexAt(y);
    int nCol = m_cols.IndexAt(x);
    if (nRow >= GetRowCount())
        nRow = NextRow(GetRowCount(), -1);
    if (nCol >= GetColumnCount())
        nCol = NextCol(GetColumnCount(), -1);
    const CCellID cell(nRow, nCol);
    if (!IsValid(cell) || cell.row < m_nFixedRows || cell.col < m_nFixedCols ||
        cell == m_lastDragCell)
        return;
    m_lastDragCell = cell;
    SelectTo(cell);
    SetFocusCell(cell);
}

void CGridCtrl::OnAutoScroll()
{
    if (!m_bLMouseButtonDown || !m_bDragSelecting) {
        m_autoScroll.stop();
        return;
    }
    const QSize client = viewport()->size();
    const QPoint point = m_lastMousePoint;
    if (point.y() < GetFixedRowHeight())
        ScrollLines(-1, Qt::Vertical);
    else if (point.y() >= client.height())
        ScrollLines(1, Qt::Vertical);
    if (point.x() < GetFixedColumnWidth())
        ScrollLines(-1, Qt::Horizontal);
    else if (point.x() >= client.width())
        ScrollLines(1, Qt::Horizontal);
    DragTo(point);
}

void CGridCtrl::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() == Qt::RightButton) {
        CCellID cell = GetCellFromPt(e->position().toPoint());
        SendNotify(NM_RCLICK, cell);
        emit rightClicked(cell.row, cell.col, e->globalPosition().toPoint());
        return;
    }
    if (e->button() != Qt::LeftButton || !m_bLMouseButtonDown)
        return;
    m_bLMouseButtonDown = false;
    m_bDragSelecting = false;
    m_autoScroll.stop();
    DropSavedSelection();
    const CCellID down = m_leftClickDownCell;
    SendNotify(GVN_SELCHANGED, m_idCurrentCell);
    SendNotify(NM_CLICK, down);
}

void CGridCtrl::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton)
        return;
    // The release that follows belongs to the double click and sends nothing.
    m_bLMouseButtonDown = false;
    m_bDragSelecting = false;
    m_autoScroll.stop();
    DropSavedSelection();
    const CCellID cell = GetCellFromPt(e->position().toPoint());
    if (IsValid(cell))
        SendNotify(NM_DBLCLK, cell);
}

void CGridCtrl::wheelEvent(QWheelEvent* e)
{
    // Fine-grained wheels deliver fractions of a notch; scroll once a whole notch is in.
    m_nWheelRemainder += e->angleDelta().y();
    const int nNotches = m_nWheelRemainder / 120;
    m_nWheelRemainder -= nNotches * 120;
    if (nNotches != 0) {
        const int nLinesPerNotch = QApplication::wheelScrollLines();
        if (nLinesPerNotch < 0)
            ScrollPages(-nNotches);
        else
            ScrollLines(-nNotches * nLinesPerNotch);
    }
    e->accept();
}

void CGridCtrl::contextMenuEvent(QContextMenuEvent* e)
{
    // Dialogs open their menus on NM_RCLICK; the toolkit's own request would open a second.
    e->accept();
}
