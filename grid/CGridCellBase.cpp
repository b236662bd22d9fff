#include "grid/CGridCellBase.h"

#include "grid/CGridCtrl.h"
#include "grid/CImageList.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionHeader>

const CGridDefaultCell* CGridCellBase::GetDefaultCell() const
{
    const CGridCtrl* pGrid = GetGrid();
    return pGrid ? pGrid->GetDefaultCell(IsFixedRow(), IsFixedCol()) : nullptr;
}

void CGridCellBase::Draw(QPainter& painter, int nRow, int nCol, const QRect& rect) const
{
    const CGridCtrl* pGrid = GetGrid();
    const CGridDefaultCell* pDefault = GetDefaultCell();
    if (!pGrid || !pDefault || rect.isEmpty())
        return;

    const bool bFixed = IsFixed();
    QColor crText = GetTextClr();
    if (!crText.isValid())
        crText = pDefault->GetTextClr();
    if (!crText.isValid())
        crText = bFixed ? pGrid->GetFixedTextColor() : pGrid->GetTextColor();
    QColor crBack = GetBackClr();
    if (!crBack.isValid())
        crBack = pDefault->GetBackClr();
    if (!crBack.isValid())
        crBack = bFixed ? pGrid->GetFixedBkColor() : pGrid->GetTextBkColor();
    if (pGrid->IsCellSelected(nRow, nCol)) {
        crBack = pGrid->GetHighlightColor();
        crText = pGrid->GetHighlightTextColor();
    }
    painter.fillRect(rect, crBack);

    if (bFixed) {
        if (pGrid->GetGridLines() != GVL_NONE) {
            const CCellID focus = pGrid->GetFocusCell();
            const bool bSunken = pGrid->GetTrackFocusCell() &&
                                 ((IsFixedRow() && focus.col == nCol && focus.col >= 0) ||
                                  (IsFixedCol() && focus.row == nRow && focus.row >= 0));
            DrawBorder(painter, rect, bSunken, crBack);
        }
    } else if (IsFocused() && pGrid->GetFrameFocusCell()) {
        painter.setPen(crText);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect.adjusted(0, 0, -1, -1));
    }

    const int nMargin = GetMargin();
    QRect content = rect.adjusted(nMargin, nMargin, -nMargin, -nMargin);
    const CImageList* pImages = pGrid->GetImageList();
    const int nImage = GetImage();
    if (pImages && nImage >= 0 && nImage < pImages->GetImageCount()) {
        const QPixmap& pixmap = pImages->GetPixmap(nImage);
        const QSize size = pImages->GetImageSize();
        // Rows are made as high as their images, so only the width has to fit; the image is
        // cut at the cell's edge (our images keep their edges transparent).
        if (size.width() <= content.width()) {
            painter.save();
            painter.setClipRect(rect, Qt::IntersectClip);
            // Into the logical rectangle: the painter maps it to the device's pixels, so an
            // image made for the device's pixel ratio is drawn pixel for pixel.
            painter.drawPixmap(QRect(content.topLeft(), size), pixmap);
            painter.restore();
            content.setLeft(content.left() + size.width() + nMargin + 1);
        }
    }
    DrawText(painter, content, crText);
}

void CGridCellBase::DrawBorder(QPainter& painter, const QRect& rect, bool bSunken,
                               const QColor& crBack) const
{
    // Drawn by the style as a header section, so header rows look native. The pressed look of
    // most styles is faint, so a sunken cell is also drawn a shade darker.
    const CGridCtrl* pGrid = GetGrid();
    QStyleOptionHeader option;
    option.initFrom(pGrid);
    option.rect = rect;
    option.state = QStyle::State_Enabled | QStyle::State_Horizontal |
                   (bSunken ? QStyle::State_Sunken : QStyle::State_Raised);
    option.orientation = Qt::Horizontal;
    option.position = QStyleOptionHeader::Middle;
    option.palette.setColor(QPalette::Button, bSunken ? crBack.darker(112) : crBack);
    option.palette.setColor(QPalette::Window, bSunken ? crBack.darker(112) : crBack);
    pGrid->style()->drawControl(QStyle::CE_HeaderSection, &option, &painter, pGrid);
}

void CGridCellBase::DrawText(QPainter& painter, const QRect& rect, const QColor& colour) const
{
    QString text = GetText();
    if (text.isEmpty() || rect.width() <= 0 || rect.height() <= 0)
        return;
    const unsigned nFormat = GetFormat();
    int flags = 0;
    if (nFormat & DT_CENTER)
        flags |= Qt::AlignHCenter;
    else if (nFormat & DT_RIGHT)
        flags |= Qt::AlignRight;
    else
        flags |= Qt::AlignLeft;
    if (nFormat & DT_VCENTER)
        flags |= Qt::AlignVCenter;
    else if (nFormat & DT_BOTTOM)
        flags |= Qt::AlignBottom;
    else
        flags |= Qt::AlignTop;
    const bool bSingleLine = (nFormat & DT_SINGLELINE) != 0;
    if (bSingleLine)
        flags |= Qt::TextSingleLine;
    else if (nFormat & DT_WORDBREAK)
        flags |= Qt::TextWordWrap;

    painter.setFont(GetFont());
    if (nFormat & DT_END_ELLIPSIS) {
        const QFontMetrics metrics = painter.fontMetrics();
        if (bSingleLine) {
            text.replace(QLatin1Char('\n'), QLatin1Char(' '));
            text = metrics.elidedText(text, Qt::ElideRight, rect.width());
        } else if (!(nFormat & DT_WORDBREAK)) {
            QStringList lines = text.split(QLatin1Char('\n'));
            for (QString& line : lines)
                line = metrics.elidedText(line, Qt::ElideRight, rect.width());
            text = lines.join(QLatin1Char('\n'));
        }
    }
    // No Qt::TextShowMnemonic: "&" is drawn as it is.
    painter.setPen(colour);
    painter.drawText(rect, flags, text);
}
