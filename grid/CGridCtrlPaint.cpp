// Painting and colours of CGridCtrl.
#include "grid/CGridCtrl.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

void CGridCtrl::paintEvent(QPaintEvent* e)
{
    m_bRepaintPending = false;
    QPainter painter(viewport());
    const QRect dirty = e->rect();
    painter.fillRect(dirty, m_crGridBkColour);
    const int nRows = GetRowCount();
    const int nCols = GetColumnCount();
    if (nRows == 0 || nCols == 0)
        return;

    const QSize client = viewport()->size();
    const int nFixedH = GetFixedRowHeight();
    const int nFixedW = GetFixedColumnWidth();
    // Read as they are: bringing the bars up to date here could resize the viewport while it
    // paints. A pending update repaints again when it changes anything.
    const int nTop = verticalScrollBar()->value();
    const int nLeft = horizontalScrollBar()->value();
    // Only the rows and columns that meet the dirty rectangle are drawn.
    const int nRow0 = m_rows.IndexAt(qint64(std::max(nFixedH, dirty.top())) + nTop);
    const int nRow1 = std::min(nRows - 1, m_rows.IndexAt(qint64(dirty.bottom()) + nTop));
    const int nCol0 = m_cols.IndexAt(qint64(std::max(nFixedW, dirty.left())) + nLeft);
    const int nCol1 = std::min(nCols - 1, m_cols.IndexAt(qint64(dirty.right()) + nLeft));
    const QRect scrolled(nFixedW, nFixedH, client.width() - nFixedW, client.height() - nFixedH);

    PaintBlock(painter, scrolled & dirty, nRow0, nRow1, nCol0, nCol1, nTop, nLeft);
    PaintBlock(painter, QRect(nFixedW, 0, client.width() - nFixedW, nFixedH) & dirty, 0,
               m_nFixedRows - 1, nCol0, nCol1, 0, nLeft);
    PaintBlock(painter, QRect(0, nFixedH, nFixedW, client.height() - nFixedH) & dirty, nRow0, nRow1,
               0, m_nFixedCols - 1, nTop, 0);
    PaintBlock(painter, QRect(0, 0, nFixedW, nFixedH) & dirty, 0, m_nFixedRows - 1, 0,
               m_nFixedCols - 1, 0, 0);
}

void CGridCtrl::PaintBlock(QPainter& painter, const QRect& region, int nRow0, int nRow1, int nCol0,
                           int nCol1, int dy, int dx) const
{
    if (region.isEmpty() || nRow0 < 0 || nCol0 < 0 || nRow0 > nRow1 || nCol0 > nCol1)
        return;
    painter.save();
    painter.setClipRect(region);
    const bool bHorzLines = m_nGridLines & GVL_HORZ;
    const bool bVertLines = m_nGridLines & GVL_VERT;
    for (int r = nRow0; r <= nRow1; ++r) {
        const int nHeight = m_rows.Size(r);
        if (nHeight == 0)
            continue;
        const int y = static_cast<int>(m_rows.Start(r) - dy);
        for (int c = nCol0; c <= nCol1; ++c) {
            const int nWidth = m_cols.Size(c);
            if (nWidth == 0)
                continue;
            const int x = static_cast<int>(m_cols.Start(c) - dx);
            const CGridCell& cell = CellAt(r, c);
            QRect rect(x, y, nWidth, nHeight);
            // Fixed cells draw their own raised edge over the whole cell; ordinary cells
            // leave their right and bottom pixel to the grid lines.
            if (!cell.IsFixed()) {
                if (bVertLines) {
                    rect.setRight(rect.right() - 1);
                    painter.fillRect(QRect(x + nWidth - 1, y, 1, nHeight), m_crGridLineColour);
                }
                if (bHorzLines) {
                    rect.setBottom(rect.bottom() - 1);
                    painter.fillRect(QRect(x, y + nHeight - 1, nWidth, 1), m_crGridLineColour);
                }
            }
            cell.Draw(painter, r, c, rect);
        }
    }
    painter.restore();
}

void CGridCtrl::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::PaletteChange) {
        // Colours that still follow the system take its new colours; chosen ones stay.
        const QPalette now = palette();
        auto follow = [&](QColor& colour, QPalette::ColorRole role) {
            if (colour == m_lastPalette.color(QPalette::Active, role))
                colour = now.color(QPalette::Active, role);
        };
        follow(m_crTextColour, QPalette::Text);
        follow(m_crTextBkColour, QPalette::Base);
        follow(m_crFixedTextColour, QPalette::ButtonText);
        follow(m_crFixedBkColour, QPalette::Button);
        follow(m_crGridBkColour, QPalette::Dark);
        m_lastPalette = now;
        Invalidate();
    }
    QAbstractScrollArea::changeEvent(e);
    if (e->type() == QEvent::StyleChange || e->type() == QEvent::FontChange) {
        UpdateBarExtent();
        UpdateScrollBars();
        SyncScrollBars();
    }
}

QColor CGridCtrl::GetHighlightColor() const
{
    return palette().color(QPalette::Active, QPalette::Highlight);
}

QColor CGridCtrl::GetHighlightTextColor() const
{
    return palette().color(QPalette::Active, QPalette::HighlightedText);
}

void CGridCtrl::SetGridBkColor(const QColor& colour)
{
    m_crGridBkColour = colour;
    Invalidate();
}

void CGridCtrl::SetGridLineColor(const QColor& colour)
{
    m_crGridLineColour = colour;
    Invalidate();
}

void CGridCtrl::SetTextColor(const QColor& colour)
{
    m_crTextColour = colour;
    Invalidate();
}

void CGridCtrl::SetTextBkColor(const QColor& colour)
{
    m_crTextBkColour = colour;
    Invalidate();
}

void CGridCtrl::SetFixedTextColor(const QColor& colour)
{
    m_crFixedTextColour = colour;
    Invalidate();
}

void CGridCtrl::SetFixedBkColor(const QColor& colour)
{
    m_crFixedBkColour = colour;
    Invalidate();
}
