#include "grid/CGridCtrl.h"

#include <QFontMetrics>
#include <QScrollBar>

#include <algorithm>
#include <limits>
#include <new>

namespace {
constexpr unsigned kFixedBits = GVIS_FIXED | GVIS_FIXEDROW | GVIS_FIXEDCOL;
// Attributes the grid keeps for itself: SetItemState cannot change them.
constexpr unsigned kManagedBits = kFixedBits | GVIS_FOCUSED;
} // namespace

CGridCtrl::CGridCtrl(QWidget* parent)
    : QAbstractScrollArea(parent), m_defaultCells{CGridDefaultCell(this), CGridDefaultCell(this),
                                                  CGridDefaultCell(this), CGridDefaultCell(this)}
{
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    viewport()->setCursor(Qt::ArrowCursor);

    m_lastPalette = palette();
    m_crTextColour = m_lastPalette.color(QPalette::Active, QPalette::Text);
    m_crTextBkColour = m_lastPalette.color(QPalette::Active, QPalette::Base);
    m_crFixedTextColour = m_lastPalette.color(QPalette::Active, QPalette::ButtonText);
    m_crFixedBkColour = m_lastPalette.color(QPalette::Active, QPalette::Button);
    m_crGridBkColour = m_lastPalette.color(QPalette::Active, QPalette::Dark);
    InitDefaultCells();
    UpdateBarExtent();

    m_autoScroll.setInterval(25);
    connect(&m_autoScroll, &QTimer::timeout, this, &CGridCtrl::OnAutoScroll);
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this,
            [this](int action) { OnScrollAction(action, Qt::Vertical); });
    connect(horizontalScrollBar(), &QScrollBar::actionTriggered, this,
            [this](int action) { OnScrollAction(action, Qt::Horizontal); });
}

CGridCtrl::~CGridCtrl() = default;

void CGridCtrl::InitDefaultCells()
{
    const QFontMetrics metrics(font());
    const unsigned states[4] = {0, GVIS_FIXED | GVIS_FIXEDCOL, GVIS_FIXED | GVIS_FIXEDROW,
                                kFixedBits};
    for (std::size_t i = 0; i < m_defaultCells.size(); ++i) {
        CGridDefaultCell& cell = m_defaultCells[i];
        cell.SetState(states[i]);
        cell.SetMargin(metrics.horizontalAdvance(QLatin1Char(' ')));
        cell.SetWidth(metrics.horizontalAdvance(QStringLiteral(" XXXXXXXXXXXX ")));
        cell.SetHeight(metrics.height() * 3 / 2);
    }
}

CGridDefaultCell* CGridCtrl::GetDefaultCell(bool bFixedRow, bool bFixedCol)
{
    return &m_defaultCells[(bFixedRow ? 2 : 0) + (bFixedCol ? 1 : 0)];
}

const CGridDefaultCell* CGridCtrl::GetDefaultCell(bool bFixedRow, bool bFixedCol) const
{
    return &m_defaultCells[(bFixedRow ? 2 : 0) + (bFixedCol ? 1 : 0)];
}

// --- size of the grid

bool CGridCtrl::SetRowCount(int nRows)
{
    if (nRows < 0)
        return false;
    const int nOld = GetRowCount();
    if (nRows == nOld)
        return true;
    bool bOk = true;
    if (nRows > nOld) {
        const int nCols = GetColumnCount();
        try {
            m_cells.reserve(std::size_t(nRows));
            for (int r = nOld; r < nRows; ++r) {
                Row row(std::size_t(nCols), CGridCell(this));
                for (int c = 0; c < std::min(m_nFixedCols, nCols); ++c)
                    row[std::size_t(c)].SetState(GVIS_FIXED | GVIS_FIXEDCOL);
                m_cells.push_back(std::move(row));
            }
        } catch (const std::bad_alloc&) {
            // Keep the rows that could be added, so that the counts stay true.
            bOk = false;
            nRows = static_cast<int>(m_cells.size());
        }
        m_rows.Resize(nRows, GetDefaultCell(false, false)->GetHeight());
    } else {
        m_cells.resize(std::size_t(nRows));
        m_rows.Resize(nRows, 0);
        m_nFixedRows = std::min(m_nFixedRows, nRows);
        const CCellRange all(0, 0, nRows - 1, GetColumnCount() - 1);
        if (!all.InRange(m_idCurrentCell))
            m_idCurrentCell = CCellID();
        if (!all.InRange(m_selectionStartCell))
            m_selectionStartCell = CCellID();
        m_selectedBound = m_selectedBound.Intersect(all);
        DropSavedSelection();
    }
    UpdateScrollBars();
    Invalidate();
    return bOk;
}

bool CGridCtrl::SetColumnCount(int nCols)
{
    if (nCols < 0)
        return false;
    const int nOld = GetColumnCount();
    if (nCols == nOld)
        return true;
    if (nCols > nOld) {
        std::size_t done = 0;
        try {
            for (; done < m_cells.size(); ++done) {
                Row& row = m_cells[done];
                row.resize(std::size_t(nCols), CGridCell(this));
                if (int(done) < m_nFixedRows)
                    for (int c = nOld; c < nCols; ++c)
                        row[std::size_t(c)].SetState(GVIS_FIXED | GVIS_FIXEDROW);
            }
        } catch (const std::bad_alloc&) {
            for (std::size_t r = 0; r < done; ++r)
                m_cells[r].resize(std::size_t(nOld));
            return false;
        }
        m_cols.Resize(nCols, GetDefaultCell(false, true)->GetWidth());
    } else {
        for (Row& row : m_cells)
            row.resize(std::size_t(nCols));
        m_cols.Resize(nCols, 0);
        m_nFixedCols = std::min(m_nFixedCols, nCols);
        const CCellRange all(0, 0, GetRowCount() - 1, nCols - 1);
        if (!all.InRange(m_idCurrentCell))
            m_idCurrentCell = CCellID();
        if (!all.InRange(m_selectionStartCell))
            m_selectionStartCell = CCellID();
        m_selectedBound = m_selectedBound.Intersect(all);
        DropSavedSelection();
    }
    UpdateScrollBars();
    Invalidate();
    return true;
}

void CGridCtrl::UpdateFixedFlags(int nFromRow, int nToRow, int nFromCol, int nToCol)
{
    for (int r = nFromRow; r < nToRow; ++r)
        for (int c = nFromCol; c < nToCol; ++c) {
            CGridCell& cell = CellAt(r, c);
            unsigned nState = cell.GetState() & ~kFixedBits;
            if (r < m_nFixedRows)
                nState |= GVIS_FIXED | GVIS_FIXEDROW;
            if (c < m_nFixedCols)
                nState |= GVIS_FIXED | GVIS_FIXEDCOL;
            if (nState & GVIS_FIXED)
                nState &= ~(GVIS_SELECTED | GVIS_FOCUSED);
            cell.SetState(nState);
            cell.SetTextClr(QColor());
            cell.SetBackClr(QColor());
        }
}

bool CGridCtrl::SetFixedRowCount(int nFixedRows)
{
    if (nFixedRows < 0)
        return false;
    if (nFixedRows > GetRowCount() && !SetRowCount(nFixedRows))
        return false;
    const int nOld = m_nFixedRows;
    m_nFixedRows = nFixedRows;
    // Only rows that change kind are touched: their old colours belonged to the other kind.
    UpdateFixedFlags(std::min(nOld, nFixedRows), std::max(nOld, nFixedRows), 0, GetColumnCount());
    if (m_idCurrentCell.row >= 0 && m_idCurrentCell.row < m_nFixedRows)
        m_idCurrentCell = CCellID();
    UpdateScrollBars();
    Invalidate();
    return true;
}

bool CGridCtrl::SetFixedColumnCount(int nFixedCols)
{
    if (nFixedCols < 0)
        return false;
    if (nFixedCols > GetColumnCount() && !SetColumnCount(nFixedCols))
        return false;
    const int nOld = m_nFixedCols;
    m_nFixedCols = nFixedCols;
    UpdateFixedFlags(0, GetRowCount(), std::min(nOld, nFixedCols), std::max(nOld, nFixedCols));
    if (m_idCurrentCell.col >= 0 && m_idCurrentCell.col < m_nFixedCols)
        m_idCurrentCell = CCellID();
    UpdateScrollBars();
    Invalidate();
    return true;
}

bool CGridCtrl::DeleteAllItems()
{
    m_autoScroll.stop();
    m_bLMouseButtonDown = false;
    m_bDragSelecting = false;
    DropSavedSelection();
    m_idCurrentCell = CCellID();
    m_selectionStartCell = CCellID();
    m_selectedBound = CCellRange();
    m_cells.clear();
    m_rows.Clear();
    m_cols.Clear();
    m_nFixedRows = 0;
    m_nFixedCols = 0;
    UpdateScrollBars();
    SetScrollPos(0, Qt::Vertical);
    SetScrollPos(0, Qt::Horizontal);
    Invalidate();
    return true;
}

// --- cells

bool CGridCtrl::IsValid(int nRow, int nCol) const
{
    return nRow >= 0 && nRow < GetRowCount() && nCol >= 0 && nCol < GetColumnCount();
}

CGridCellBase* CGridCtrl::GetCell(int nRow, int nCol)
{
    return IsValid(nRow, nCol) ? &CellAt(nRow, nCol) : nullptr;
}

const CGridCellBase* CGridCtrl::GetCell(int nRow, int nCol) const
{
    return IsValid(nRow, nCol) ? &CellAt(nRow, nCol) : nullptr;
}

bool CGridCtrl::SetItem(const GV_ITEM& item)
{
    if (!IsValid(item.row, item.col))
        return false;
    CGridCell& cell = CellAt(item.row, item.col);
    if (item.mask & GVIF_TEXT)
        SetItemText(item.row, item.col, item.strText);
    if (item.mask & GVIF_IMAGE)
        cell.SetImage(item.iImage);
    if (item.mask & GVIF_PARAM)
        cell.SetData(item.lParam);
    if (item.mask & GVIF_STATE)
        SetItemState(item.row, item.col, item.nState);
    if (item.mask & GVIF_BKCLR)
        cell.SetBackClr(item.crBkClr);
    if (item.mask & GVIF_FGCLR)
        cell.SetTextClr(item.crFgClr);
    if (item.mask & GVIF_FORMAT)
        cell.SetFormat(item.nFormat);
    if (item.mask & GVIF_FONT)
        cell.SetFont(&item.lfFont);
    if (item.mask & GVIF_MARGIN)
        cell.SetMargin(item.nMargin);
    Invalidate();
    return true;
}

bool CGridCtrl::GetItem(GV_ITEM& item) const
{
    if (!IsValid(item.row, item.col))
        return false;
    const CGridCell& cell = CellAt(item.row, item.col);
    if (item.mask & GVIF_TEXT)
        item.strText = cell.GetText();
    if (item.mask & GVIF_IMAGE)
        item.iImage = cell.GetImage();
    if (item.mask & GVIF_PARAM)
        item.lParam = cell.GetData();
    if (item.mask & GVIF_STATE)
        item.nState = cell.GetState();
    if (item.mask & GVIF_BKCLR)
        item.crBkClr = cell.GetBackClr();
    if (item.mask & GVIF_FGCLR)
        item.crFgClr = cell.GetTextClr();
    if (item.mask & GVIF_FORMAT)
        item.nFormat = cell.GetFormat();
    if (item.mask & GVIF_FONT)
        item.lfFont = cell.GetFont();
    if (item.mask & GVIF_MARGIN)
        item.nMargin = cell.GetMargin();
    return true;
}

bool CGridCtrl::SetItemText(int nRow, int nCol, const QString& text)
{
    if (!IsValid(nRow, nCol))
        return false;
    CGridCell& cell = CellAt(nRow, nCol);
    cell.SetText(text);
    cell.SetState(cell.GetState() | GVIS_MODIFIED);
    Invalidate();
    return true;
}

QString CGridCtrl::GetItemText(int nRow, int nCol) const
{
    return IsValid(nRow, nCol) ? CellAt(nRow, nCol).GetText() : QString();
}

bool CGridCtrl::SetItemImage(int nRow, int nCol, int nImage)
{
    if (!IsValid(nRow, nCol))
        return false;
    CGridCell& cell = CellAt(nRow, nCol);
    cell.SetImage(nImage < 0 ? -1 : nImage);
    cell.SetState(cell.GetState() | GVIS_MODIFIED);
    Invalidate();
    return true;
}

int CGridCtrl::GetItemImage(int nRow, int nCol) const
{
    return IsValid(nRow, nCol) ? CellAt(nRow, nCol).GetImage() : -1;
}

bool CGridCtrl::SetItemData(int nRow, int nCol, std::uint32_t data)
{
    if (!IsValid(nRow, nCol))
        return false;
    CellAt(nRow, nCol).SetData(data);
    return true;
}

std::uint32_t CGridCtrl::GetItemData(int nRow, int nCol) const
{
    return IsValid(nRow, nCol) ? CellAt(nRow, nCol).GetData() : 0;
}

bool CGridCtrl::SetItemState(int nRow, int nCol, unsigned nState)
{
    if (!IsValid(nRow, nCol))
        return false;
    CGridCell& cell = CellAt(nRow, nCol);
    unsigned nNew = (cell.GetState() & kManagedBits) | (nState & ~kManagedBits);
    if (cell.IsFixed())
        nNew &= ~GVIS_SELECTED;
    if (nNew & GVIS_SELECTED)
        m_selectedBound = m_selectedBound.Union(CCellRange(nRow, nCol, nRow, nCol));
    cell.SetState(nNew);
    Invalidate();
    return true;
}

unsigned CGridCtrl::GetItemState(int nRow, int nCol) const
{
    return IsValid(nRow, nCol) ? CellAt(nRow, nCol).GetState() : 0;
}

bool CGridCtrl::SetItemFormat(int nRow, int nCol, unsigned nFormat)
{
    return EditCell(nRow, nCol, [&](CGridCell& cell) { cell.SetFormat(nFormat); });
}

unsigned CGridCtrl::GetItemFormat(int nRow, int nCol) const
{
    return IsValid(nRow, nCol) ? CellAt(nRow, nCol).GetFormat() : 0;
}

bool CGridCtrl::SetItemBkColour(int nRow, int nCol, const QColor& colour)
{
    return EditCell(nRow, nCol, [&](CGridCell& cell) { cell.SetBackClr(colour); });
}

QColor CGridCtrl::GetItemBkColour(int nRow, int nCol) const
{
    return IsValid(nRow, nCol) ? CellAt(nRow, nCol).GetBackClr() : QColor();
}

bool CGridCtrl::SetItemFgColour(int nRow, int nCol, const QColor& colour)
{
    return EditCell(nRow, nCol, [&](CGridCell& cell) { cell.SetTextClr(colour); });
}

QColor CGridCtrl::GetItemFgColour(int nRow, int nCol) const
{
    return IsValid(nRow, nCol) ? CellAt(nRow, nCol).GetTextClr() : QColor();
}

bool CGridCtrl::SetItemFont(int nRow, int nCol, const QFont& font)
{
    return EditCell(nRow, nCol, [&](CGridCell& cell) { cell.SetFont(&font); });
}

// --- sizes

bool CGridCtrl::SetRowHeight(int nRow, int nHeight)
{
    if (nRow < 0 || nRow >= GetRowCount() || nHeight < 0)
        return false;
    m_rows.SetSize(nRow, nHeight);
    UpdateScrollBars();
    Invalidate();
    return true;
}

int CGridCtrl::GetRowHeight(int nRow) const
{
    return nRow >= 0 && nRow < GetRowCount() ? m_rows.Size(nRow) : -1;
}

bool CGridCtrl::SetColumnWidth(int nCol, int nWidth)
{
    if (nCol < 0 || nCol >= GetColumnCount() || nWidth < 0)
        return false;
    m_cols.SetSize(nCol, nWidth);
    UpdateScrollBars();
    Invalidate();
    return true;
}

int CGridCtrl::GetColumnWidth(int nCol) const
{
    return nCol >= 0 && nCol < GetColumnCount() ? m_cols.Size(nCol) : -1;
}

int CGridCtrl::GetFixedRowHeight() const
{
    return static_cast<int>(m_rows.Start(m_nFixedRows));
}

int CGridCtrl::GetFixedColumnWidth() const
{
    return static_cast<int>(m_cols.Start(m_nFixedCols));
}

void CGridCtrl::ExpandColumnsToFit(bool bExpandFixed)
{
    const int nFirst = bExpandFixed ? 0 : m_nFixedCols;
    const int nCols = GetColumnCount();
    int k = 0;
    for (int c = nFirst; c < nCols; ++c)
        if (m_cols.Size(c) > 0)
            ++k;
    if (k == 0)
        return;
    // The horizontal bar goes away, so the fit is measured without it.
    const qint64 total = m_cols.Total();
    const qint64 wide = ComputeClientSize(false).width() - total;
    const int nDiff = static_cast<int>(std::clamp<qint64>(wide, std::numeric_limits<int>::min() / 2,
                                                          std::numeric_limits<int>::max() / 2));
    const int nEach = nDiff / k;
    int nRemainder = std::abs(nDiff) % k;
    for (int c = nFirst; c < nCols; ++c) {
        int nWidth = m_cols.Size(c);
        if (nWidth == 0)
            continue;
        nWidth += nEach;
        // The leftover pixels go one each to the first widened columns.
        if (nRemainder > 0) {
            nWidth += nDiff > 0 ? 1 : -1;
            --nRemainder;
        }
        m_cols.SetSize(c, std::max(0, nWidth));
    }
    UpdateScrollBars();
    Invalidate();
}

// --- images and settings

void CGridCtrl::SetImageList(const CImageList* pImageList)
{
    m_pImageList = pImageList;
    Invalidate();
}

void CGridCtrl::SetListMode(bool bEnableListMode)
{
    DropSavedSelection();
    SetSelectedRange(-1, -1, -1, -1);
    m_bListMode = bEnableListMode;
    m_bFixedRowSelection = false;
    Invalidate();
}

void CGridCtrl::EnableSelection(bool bEnable)
{
    if (!bEnable)
        SetSelectedRange(-1, -1, -1, -1);
    m_bEnableSelection = bEnable;
    Invalidate();
}

void CGridCtrl::SetAutoScrollInterval(int nMilliseconds)
{
    m_autoScroll.setInterval(std::max(1, nMilliseconds));
}

void CGridCtrl::Invalidate()
{
    // A fill calls this for every cell; one request per paint is enough.
    if (m_bRepaintPending)
        return;
    viewport()->update();
    m_bRepaintPending = viewport()->isVisible() && viewport()->updatesEnabled();
}

void CGridCtrl::SendNotify(int code, const CCellID& cell)
{
    emit gridNotify(code, cell.row, cell.col);
}
