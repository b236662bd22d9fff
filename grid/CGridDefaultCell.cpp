#include "grid/CGridDefaultCell.h"

#include "grid/CGridCtrl.h"

CGridDefaultCell::CGridDefaultCell(CGridCtrl* pGrid) : m_pGrid(pGrid) {}

const QString& CGridDefaultCell::GetText() const
{
    static const QString empty;
    return empty;
}

void CGridDefaultCell::SetFont(const QFont* font)
{
    if (font)
        m_font = *font;
    else
        m_font.reset();
}

QFont CGridDefaultCell::GetFont() const
{
    if (m_font)
        return *m_font;
    return m_pGrid ? m_pGrid->font() : QFont();
}
