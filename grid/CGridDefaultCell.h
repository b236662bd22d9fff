#pragma once

#include "grid/CGridCellBase.h"

#include <optional>

// Defaults for one kind of cell (ordinary, fixed column, fixed row, both), plus the size new
// rows and columns get.
class CGridDefaultCell final : public CGridCellBase {
public:
    explicit CGridDefaultCell(CGridCtrl* pGrid);

    void SetText(const QString&) override {}
    const QString& GetText() const override;
    void SetImage(int) override {}
    int GetImage() const override { return -1; }
    void SetData(std::uint32_t) override {}
    std::uint32_t GetData() const override { return 0; }
    void SetState(unsigned nState) override { m_nState = nState; }
    unsigned GetState() const override { return m_nState; }
    void SetFormat(unsigned nFormat) override { m_nFormat = nFormat; }
    unsigned GetFormat() const override { return m_nFormat; }
    void SetTextClr(const QColor& colour) override { m_crText = colour; }
    QColor GetTextClr() const override { return m_crText; }
    void SetBackClr(const QColor& colour) override { m_crBack = colour; }
    QColor GetBackClr() const override { return m_crBack; }
    // Unset, the grid's own font applies.
    void SetFont(const QFont* font) override;
    QFont GetFont() const override;
    void SetMargin(int nMargin) override { m_nMargin = nMargin < 0 ? 0 : nMargin; }
    int GetMargin() const override { return m_nMargin; }
    CGridCtrl* GetGrid() const override { return m_pGrid; }
    const CGridDefaultCell* GetDefaultCell() const override { return this; }

    void SetWidth(int nWidth) { m_nWidth = nWidth; }
    int GetWidth() const { return m_nWidth; }
    void SetHeight(int nHeight) { m_nHeight = nHeight; }
    int GetHeight() const { return m_nHeight; }

private:
    CGridCtrl* m_pGrid;
    unsigned m_nState = 0;
    unsigned m_nFormat = DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
    QColor m_crText;
    QColor m_crBack;
    std::optional<QFont> m_font;
    int m_nMargin = 3;
    int m_nWidth = 40;
    int m_nHeight = 16;
};
