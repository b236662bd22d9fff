// Scroll bars, scroll positions and cell geometry of CGridCtrl.
#include "grid/CGridCtrl.h"

#include <QScrollBar>

#include <algorithm>
#include <limits>

namespace {
int ToInt(qint64 value)
{
    return static_cast<int>(std::clamp<qint64>(value, 0, std::numeric_limits<int>::max()));
}
} // namespace

QScrollBar* CGridCtrl::Bar(Qt::Orientation orientation) const
{
    return orientation == Qt::Vertical ? verticalScrollBar() : horizontalScrollBar();
}

const GridAxis& CGridCtrl::Axis(Qt::Orientation orientation) const
{
    return orientation == Qt::Vertical ? m_rows : m_cols;
}

int CGridCtrl::FixedCount(Qt::Orientation orientation) const
{
    return orientation == Qt::Vertical ? m_nFixedRows : m_nFixedCols;
}

QSize CGridCtrl::ComputeClientSize(bool bAllowHorzBar, bool* pNeedV, bool* pNeedH) const
{
    // Worked out from the grid's own size rather than the viewport's, so that a grid filled
    // before it is first shown (or laid out) already measures what it will show.
    const QRect outer = contentsRect();
    const int nBarWidth = m_barExtent.width();
    const int nBarHeight = m_barExtent.height();
    const qint64 totalW = m_cols.Total();
    const qint64 totalH = m_rows.Total();
    bool bNeedV = totalH > outer.height();
    bool bNeedH = bAllowHorzBar && totalW > outer.width();
    for (int pass = 0; pass < 2; ++pass) {
        bNeedV = totalH > outer.height() - (bNeedH ? nBarHeight : 0);
        bNeedH = bAllowHorzBar && totalW > outer.width() - (bNeedV ? nBarWidth : 0);
    }
    if (pNeedV)
        *pNeedV = bNeedV;
    if (pNeedH)
        *pNeedH = bNeedH;
    return {std::max(0, outer.width() - (bNeedV ? nBarWidth : 0)),
            std::max(0, outer.height() - (bNeedH ? nBarHeight : 0))};
}

QSize CGridCtrl::GetClientSize() const
{
    return ComputeClientSize(true);
}

void CGridCtrl::UpdateBarExtent()
{
    // The same figures Qt lays the bars out with; asking for them measures fonts, which is
    // too slow to repeat for every row height of a fill.
    m_barExtent =
        QSize(verticalScrollBar()->sizeHint().width(), horizontalScrollBar()->sizeHint().height());
}

void CGridCtrl::UpdateScrollBars()
{
    // Every size change lands here, thousands of times in a fill, and each new range makes
    // Qt post an event: the bars are brought up to date once, by the first reader or by the
    // event loop, whichever comes first.
    m_bBarsDirty = true;
    if (!m_bSyncPosted) {
        m_bSyncPosted = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                m_bSyncPosted = false;
                SyncScrollBars();
            },
            Qt::QueuedConnection);
    }
}

void CGridCtrl::SyncScrollBars() const
{
    if (!m_bBarsDirty || m_bUpdatingScrollBars)
        return;
    // The bars are a cache of the grid's sizes, so bringing them up to date does not change
    // the grid, even from a const reader.
    auto* self = const_cast<CGridCtrl*>(this);
    self->m_bBarsDirty = false;
    self->m_bUpdatingScrollBars = true;
    bool bNeedV = false, bNeedH = false;
    const QSize client = ComputeClientSize(true, &bNeedV, &bNeedH);
    const Qt::ScrollBarPolicy vPolicy = bNeedV ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    const Qt::ScrollBarPolicy hPolicy = bNeedH ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    if (verticalScrollBarPolicy() != vPolicy)
        self->setVerticalScrollBarPolicy(vPolicy);
    if (horizontalScrollBarPolicy() != hPolicy)
        self->setHorizontalScrollBarPolicy(hPolicy);

    QScrollBar* vbar = verticalScrollBar();
    vbar->setPageStep(std::max(1, client.height() - GetFixedRowHeight()));
    vbar->setSingleStep(std::max(1, GetDefaultCell(false, false)->GetHeight()));
    vbar->setRange(0, ToInt(m_rows.Total() - client.height()));
    QScrollBar* hbar = horizontalScrollBar();
    hbar->setPageStep(std::max(1, client.width() - GetFixedColumnWidth()));
    hbar->setSingleStep(std::max(1, GetDefaultCell(false, true)->GetWidth()));
    hbar->setRange(0, ToInt(m_cols.Total() - client.width()));
    self->m_bUpdatingScrollBars = false;
}

void CGridCtrl::resizeEvent(QResizeEvent* e)
{
    QAbstractScrollArea::resizeEvent(e);
    UpdateScrollBars();
    SyncScrollBars();
}

void CGridCtrl::scrollContentsBy(int, int)
{
    // The fixed rows and columns stay put, so the viewport cannot simply be shifted.
    Invalidate();
}

int CGridCtrl::GetScrollPos(Qt::Orientation orientation) const
{
    SyncScrollBars();
    return Bar(orientation)->value();
}

void CGridCtrl::SetScrollPos(int nPos, Qt::Orientation orientation)
{
    SyncScrollBars();
    Bar(orientation)->setValue(nPos);
}

int CGridCtrl::GetScrollLimit(Qt::Orientation orientation) const
{
    SyncScrollBars();
    return Bar(orientation)->maximum();
}

int CGridCtrl::LineStep(int nPos, int nLines, Qt::Orientation orientation) const
{
    const GridAxis& axis = Axis(orientation);
    const int nFixed = FixedCount(orientation);
    const qint64 fixedSize = axis.Start(nFixed);
    const int nLimit = GetScrollLimit(orientation);
    for (int i = 0; i < std::abs(nLines); ++i) {
        // The first row (column) at least partly visible below the fixed ones.
        const int nFirst = axis.IndexAt(fixedSize + nPos);
        if (nLines > 0) {
            if (nFirst >= axis.Count() || nPos >= nLimit)
                break;
            nPos = std::min(nLimit, nPos + axis.Size(nFirst));
        } else {
            int nAbove = std::min(nFirst, axis.Count()) - 1;
            while (nAbove >= nFixed && axis.Size(nAbove) == 0)
                --nAbove;
            if (nAbove < nFixed || nPos <= 0) {
                nPos = 0;
                break;
            }
            nPos = std::max(0, nPos - axis.Size(nAbove));
        }
    }
    return nPos;
}

void CGridCtrl::ScrollLines(int nLines, Qt::Orientation orientation)
{
    SetScrollPos(LineStep(GetScrollPos(orientation), nLines, orientation), orientation);
}

void CGridCtrl::ScrollPages(int nPages, Qt::Orientation orientation)
{
    SyncScrollBars();
    const qint64 pos =
        qint64(GetScrollPos(orientation)) + qint64(nPages) * Bar(orientation)->pageStep();
    SetScrollPos(static_cast<int>(std::clamp<qint64>(pos, 0, GetScrollLimit(orientation))),
                 orientation);
}

void CGridCtrl::OnScrollAction(int action, Qt::Orientation orientation)
{
    // Arrow clicks move by whole rows (columns) rather than by a fixed step.
    SyncScrollBars();
    QScrollBar* bar = Bar(orientation);
    if (action == QAbstractSlider::SliderSingleStepAdd)
        bar->setSliderPosition(LineStep(bar->value(), 1, orientation));
    else if (action == QAbstractSlider::SliderSingleStepSub)
        bar->setSliderPosition(LineStep(bar->value(), -1, orientation));
}

int CGridCtrl::EnsureVisiblePos(int nIndex, Qt::Orientation orientation) const
{
    const GridAxis& axis = Axis(orientation);
    const int nFixed = FixedCount(orientation);
    const int nPos = GetScrollPos(orientation);
    if (nIndex < nFixed)
        return nPos;
    const qint64 fixedSize = axis.Start(nFixed);
    const QSize client = GetClientSize();
    const qint64 page =
        (orientation == Qt::Vertical ? client.height() : client.width()) - fixedSize;
    const qint64 start = axis.Start(nIndex) - fixedSize;
    const qint64 end = start + axis.Size(nIndex);
    if (start < nPos || page <= 0)
        return ToInt(start);
    if (end <= nPos + page)
        return nPos;
    // Scroll by whole rows until the cell's far edge shows, as line steps would.
    int k = axis.IndexAt(end - page + fixedSize);
    if (k < axis.Count() && axis.Start(k) - fixedSize < end - page)
        ++k;
    k = std::min(k, nIndex);
    return std::min(GetScrollLimit(orientation), ToInt(axis.Start(k) - fixedSize));
}

void CGridCtrl::EnsureVisible(int nRow, int nCol)
{
    if (!IsValid(nRow, nCol))
        return;
    SetScrollPos(EnsureVisiblePos(nRow, Qt::Vertical), Qt::Vertical);
    SetScrollPos(EnsureVisiblePos(nCol, Qt::Horizontal), Qt::Horizontal);
}

CCellID CGridCtrl::GetTopleftNonFixedCell() const
{
    const int nRow = m_rows.IndexAt(GetFixedRowHeight() + qint64(GetScrollPos(Qt::Vertical)));
    const int nCol = m_cols.IndexAt(GetFixedColumnWidth() + qint64(GetScrollPos(Qt::Horizontal)));
    if (nRow < 0 || nRow >= GetRowCount() || nCol < 0 || nCol >= GetColumnCount())
        return {};
    return {nRow, nCol};
}

CCellID CGridCtrl::GetCellFromPt(const QPoint& point) const
{
    const QSize client = viewport()->size();
    if (point.x() < 0 || point.y() < 0 || point.x() >= client.width() ||
        point.y() >= client.height())
        return {};
    const int nFixedH = GetFixedRowHeight();
    const int nFixedW = GetFixedColumnWidth();
    const int nRow = point.y() < nFixedH
                         ? m_rows.IndexAt(point.y())
                         : m_rows.IndexAt(qint64(point.y()) + GetScrollPos(Qt::Vertical));
    const int nCol = point.x() < nFixedW
                         ? m_cols.IndexAt(point.x())
                         : m_cols.IndexAt(qint64(point.x()) + GetScrollPos(Qt::Horizontal));
    if (nRow < 0 || nRow >= GetRowCount() || nCol < 0 || nCol >= GetColumnCount())
        return {};
    return {nRow, nCol};
}

QRect CGridCtrl::GetCellRect(int nRow, int nCol) const
{
    if (!IsValid(nRow, nCol))
        return {};
    const qint64 y = m_rows.Start(nRow) - (nRow < m_nFixedRows ? 0 : GetScrollPos(Qt::Vertical));
    const qint64 x = m_cols.Start(nCol) - (nCol < m_nFixedCols ? 0 : GetScrollPos(Qt::Horizontal));
    return {static_cast<int>(x), static_cast<int>(y), m_cols.Size(nCol), m_rows.Size(nRow)};
}
