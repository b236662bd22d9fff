// Selection and focus of CGridCtrl.
#include "grid/CGridCtrl.h"

#include <QApplication>
#include <QClipboard>

CCellRange CGridCtrl::ClampRange(CCellRange range) const
{
    // Fixed cells are never selected: requests are moved below and right of them.
    return {std::max(range.GetMinRow(), m_nFixedRows), std::max(range.GetMinCol(), m_nFixedCols),
            std::max(range.GetMaxRow(), m_nFixedRows), std::max(range.GetMaxCol(), m_nFixedCols)};
}

bool CGridCtrl::SetSelectedRange(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol,
                                 bool bForceRepaint, bool bSelectCells)
{
    const int nRows = GetRowCount();
    const int nCols = GetColumnCount();
    auto outside = [](int n, int count) { return n < -1 || n >= count; };
    if (outside(nMinRow, nRows) || outside(nMaxRow, nRows) || outside(nMinCol, nCols) ||
        outside(nMaxCol, nCols))
        return false;

    const CCellRange all(0, 0, nRows - 1, nCols - 1);
    CCellRange wanted;
    if (m_bEnableSelection && nMinRow >= 0 && nMinCol >= 0 && nMaxRow >= 0 && nMaxCol >= 0)
        wanted = ClampRange({nMinRow, nMinCol, nMaxRow, nMaxCol}).Intersect(all);
    if (!wanted.IsValid())
        wanted = CCellRange();

    const CCellRange old = m_selectedBound.Intersect(all);
    if (old.IsValid())
        for (int r = old.GetMinRow(); r <= old.GetMaxRow(); ++r)
            for (int c = old.GetMinCol(); c <= old.GetMaxCol(); ++c) {
                CGridCell& cell = CellAt(r, c);
                const unsigned nState = cell.GetState();
                if ((nState & GVIS_SELECTED) && !wanted.InRange(r, c) &&
                    !(m_bCtrlExtending && IsSavedSelected(r, c)))
                    cell.SetState(nState & ~GVIS_SELECTED);
            }
    CCellRange bound = old.IsValid() ? wanted.Intersect(old) : CCellRange();
    if (bSelectCells && wanted.IsValid()) {
        for (int r = wanted.GetMinRow(); r <= wanted.GetMaxRow(); ++r)
            for (int c = wanted.GetMinCol(); c <= wanted.GetMaxCol(); ++c) {
                CGridCell& cell = CellAt(r, c);
                cell.SetState(cell.GetState() | GVIS_SELECTED);
            }
        bound = wanted;
    }
    if (!bound.IsValid())
        bound = CCellRange();
    if (m_bCtrlExtending)
        bound = bound.Union(m_savedBound);
    m_selectedBound = bound;

    if (bForceRepaint && viewport()->isVisible())
        viewport()->repaint();
    else
        Invalidate();
    return true;
}

bool CGridCtrl::SetSelectedRange(const CCellRange& range, bool bForceRepaint, bool bSelectCells)
{
    return SetSelectedRange(range.GetMinRow(), range.GetMinCol(), range.GetMaxRow(),
                            range.GetMaxCol(), bForceRepaint, bSelectCells);
}

CCellRange CGridCtrl::GetSelectedCellRange() const
{
    const CCellRange bound =
        m_selectedBound.Intersect(CCellRange(0, 0, GetRowCount() - 1, GetColumnCount() - 1));
    int nMinRow = GetRowCount(), nMinCol = GetColumnCount(), nMaxRow = -1, nMaxCol = -1;
    if (bound.IsValid())
        for (int r = bound.GetMinRow(); r <= bound.GetMaxRow(); ++r)
            for (int c = bound.GetMinCol(); c <= bound.GetMaxCol(); ++c)
                if (CellAt(r, c).GetState() & GVIS_SELECTED) {
                    nMinRow = std::min(nMinRow, r);
                    nMaxRow = std::max(nMaxRow, r);
                    nMinCol = std::min(nMinCol, c);
                    nMaxCol = std::max(nMaxCol, c);
                }
    if (!m_bEnableSelection || nMaxRow < 0)
        return {GetRowCount(), GetColumnCount(), -1, -1};
    // Later scans only need the exact rectangle.
    m_selectedBound = CCellRange(nMinRow, nMinCol, nMaxRow, nMaxCol);
    return m_selectedBound;
}

std::vector<int> CGridCtrl::GetSelectedRows() const
{
    std::vector<int> rows;
    const CCellRange range = GetSelectedCellRange();
    if (!range.IsValid())
        return rows;
    for (int r = range.GetMinRow(); r <= range.GetMaxRow(); ++r)
        for (int c = range.GetMinCol(); c <= range.GetMaxCol(); ++c)
            if (CellAt(r, c).GetState() & GVIS_SELECTED) {
                rows.push_back(r);
                break;
            }
    return rows;
}

int CGridCtrl::GetSelectedCount() const
{
    int nCount = 0;
    const CCellRange range = GetSelectedCellRange();
    if (range.IsValid())
        for (int r = range.GetMinRow(); r <= range.GetMaxRow(); ++r)
            for (int c = range.GetMinCol(); c <= range.GetMaxCol(); ++c)
                if (CellAt(r, c).GetState() & GVIS_SELECTED)
                    ++nCount;
    return nCount;
}

bool CGridCtrl::IsCellSelected(int nRow, int nCol) const
{
    return m_bEnableSelection && IsValid(nRow, nCol) &&
           (CellAt(nRow, nCol).GetState() & GVIS_SELECTED);
}

void CGridCtrl::ResetSelectedRange()
{
    DropSavedSelection();
    SetSelectedRange(-1, -1, -1, -1);
    SetFocusCell(-1, -1);
    m_selectionStartCell = CCellID();
}

void CGridCtrl::SelectAll()
{
    if (!m_bEnableSelection || GetRowCount() <= m_nFixedRows || GetColumnCount() <= m_nFixedCols)
        return;
    SendNotify(GVN_SELCHANGING, m_idCurrentCell);
    SetSelectedRange(m_nFixedRows, m_nFixedCols, GetRowCount() - 1, GetColumnCount() - 1);
    SendNotify(GVN_SELCHANGED, m_idCurrentCell);
}

CCellID CGridCtrl::SetFocusCell(int nRow, int nCol)
{
    const CCellID previous = m_idCurrentCell;
    CCellID cell;
    if (nRow != -1 && nCol != -1) {
        if (nRow < -1 || nRow >= GetRowCount() || nCol < -1 || nCol >= GetColumnCount())
            return previous;
        cell = CCellID(std::max(nRow, m_nFixedRows), std::max(nCol, m_nFixedCols));
        if (!IsValid(cell))
            cell = CCellID();
    }
    if (cell == previous)
        return previous;
    if (IsValid(previous)) {
        CGridCell& old = CellAt(previous.row, previous.col);
        old.SetState(old.GetState() & ~GVIS_FOCUSED);
    }
    m_idCurrentCell = cell;
    if (IsValid(cell)) {
        CGridCell& now = CellAt(cell.row, cell.col);
        now.SetState(now.GetState() | GVIS_FOCUSED);
    }
    // Repaints the fixed cells of the old and new row and column as well.
    Invalidate();
    return previous;
}

CCellRange CGridCtrl::SelectionRangeTo(const CCellID& cell) const
{
    const CCellID anchor = IsValid(m_selectionStartCell) ? m_selectionStartCell : cell;
    const int nFirstRow = m_bSingleRowSelection ? cell.row : std::min(anchor.row, cell.row);
    const int nLastRow = m_bSingleRowSelection ? cell.row : std::max(anchor.row, cell.row);
    if (m_bListMode)
        return {nFirstRow, m_nFixedCols, nLastRow, GetColumnCount() - 1};
    return {nFirstRow, std::min(anchor.col, cell.col), nLastRow, std::max(anchor.col, cell.col)};
}

void CGridCtrl::SelectTo(const CCellID& cell)
{
    if (IsValid(cell))
        SetSelectedRange(SelectionRangeTo(cell));
}

void CGridCtrl::UnselectRowOrCell(const CCellID& cell)
{
    const int nFirst = m_bListMode ? m_nFixedCols : cell.col;
    const int nLast = m_bListMode ? GetColumnCount() - 1 : cell.col;
    for (int c = nFirst; c <= nLast; ++c) {
        CGridCell& one = CellAt(cell.row, c);
        one.SetState(one.GetState() & ~GVIS_SELECTED);
    }
    Invalidate();
}

void CGridCtrl::SaveSelection()
{
    const CCellRange range = GetSelectedCellRange();
    m_savedSelection.assign(std::size_t(GetRowCount()) * std::size_t(GetColumnCount()), false);
    m_savedBound = range.IsValid() ? range : CCellRange();
    if (range.IsValid())
        for (int r = range.GetMinRow(); r <= range.GetMaxRow(); ++r)
            for (int c = range.GetMinCol(); c <= range.GetMaxCol(); ++c)
                if (CellAt(r, c).GetState() & GVIS_SELECTED)
                    m_savedSelection[std::size_t(r) * std::size_t(GetColumnCount()) +
                                     std::size_t(c)] = true;
    m_bCtrlExtending = true;
}

void CGridCtrl::DropSavedSelection()
{
    m_bCtrlExtending = false;
    m_savedSelection.clear();
    m_savedBound = CCellRange();
}

bool CGridCtrl::IsSavedSelected(int nRow, int nCol) const
{
    const std::size_t index = std::size_t(nRow) * std::size_t(GetColumnCount()) + std::size_t(nCol);
    return index < m_savedSelection.size() && m_savedSelection[index];
}

QString CGridCtrl::GetSelectionText() const
{
    const CCellRange range = GetSelectedCellRange();
    QString text;
    if (!range.IsValid())
        return text;
    bool bFirstRow = true;
    for (int r = range.GetMinRow(); r <= range.GetMaxRow(); ++r) {
        if (m_rows.Size(r) == 0)
            continue;
        if (!bFirstRow)
            text += QStringLiteral("\r\n");
        bFirstRow = false;
        bool bFirstCol = true;
        for (int c = range.GetMinCol(); c <= range.GetMaxCol(); ++c) {
            if (m_cols.Size(c) == 0)
                continue;
            if (!bFirstCol)
                text += QLatin1Char('\t');
            bFirstCol = false;
            if (IsCellSelected(r, c))
                text += CellAt(r, c).GetText();
        }
    }
    return text;
}

void CGridCtrl::OnEditCopy()
{
    if (GetSelectedCellRange().IsValid())
        QApplication::clipboard()->setText(GetSelectionText());
}
