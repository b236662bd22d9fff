#include "grid/CGridCell.h"

#include "grid/CGridDefaultCell.h"

CGridCell::CGridCell(const CGridCell& other)
    : CGridCellBase(other), m_pGrid(other.m_pGrid), m_strText(other.m_strText),
      m_nImage(other.m_nImage), m_data(other.m_data), m_nState(other.m_nState),
      m_nFormat(other.m_nFormat), m_nMargin(other.m_nMargin), m_crText(other.m_crText),
      m_crBack(other.m_crBack),
      m_font(other.m_font ? std::make_unique<QFont>(*other.m_font) : nullptr)
{
}

CGridCell& CGridCell::operator=(const CGridCell& other)
{
    if (this != &other)
        *this = CGridCell(other);
    return *this;
}

unsigned CGridCell::GetFormat() const
{
    if (m_nFormat >= 0)
        return static_cast<unsigned>(m_nFormat);
    const CGridDefaultCell* pDefault = GetDefaultCell();
    return pDefault ? pDefault->GetFormat() : 0;
}

void CGridCell::SetFont(const QFont* font)
{
    m_font = font ? std::make_unique<QFont>(*font) : nullptr;
}

QFont CGridCell::GetFont() const
{
    if (m_font)
        return *m_font;
    const CGridDefaultCell* pDefault = GetDefaultCell();
    return pDefault ? pDefault->GetFont() : QFont();
}

int CGridCell::GetMargin() const
{
    if (m_nMargin >= 0)
        return m_nMargin;
    const CGridDefaultCell* pDefault = GetDefaultCell();
    return pDefault ? pDefault->GetMargin() : 0;
}

void CGridCell::Reset()
{
    m_strText.clear();
    m_nImage = -1;
    m_data = 0;
    m_nState &= GVIS_FIXED | GVIS_FIXEDROW | GVIS_FIXEDCOL;
    m_nFormat = -1;
    m_nMargin = -1;
    m_crText = QColor();
    m_crBack = QColor();
    m_font.reset();
}
