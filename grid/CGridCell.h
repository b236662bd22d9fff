#pragma once

#include "grid/CGridCellBase.h"

#include <memory>

// One cell of a grid, owned by the grid. Unset attributes fall back to the default cell of
// the cell's kind.
class CGridCell final : public CGridCellBase {
public:
    explicit CGridCell(CGridCtrl* pGrid = nullptr) : m_pGrid(pGrid) {}
    CGridCell(const CGridCell& other);
    CGridCell(CGridCell&&) noexcept = default;
    CGridCell& operator=(const CGridCell& other);
    CGridCell& operator=(CGridCell&&) noexcept = default;

    void SetText(const QString& text) override { m_strText = text; }
    const QString& GetText() const override { return m_strText; }
    void SetImage(int nImage) override { m_nImage = nImage; }
    int GetImage() const override { return m_nImage; }
    void SetData(std::uint32_t data) override { m_data = data; }
    std::uint32_t GetData() const override { return m_data; }
    void SetState(unsigned nState) override { m_nState = nState; }
    unsigned GetState() const override { return m_nState; }
    void SetFormat(unsigned nFormat) override { m_nFormat = static_cast<int>(nFormat); }
    unsigned GetFormat() const override;
    void SetTextClr(const QColor& colour) override { m_crText = colour; }
    QColor GetTextClr() const override { return m_crText; }
    void SetBackClr(const QColor& colour) override { m_crBack = colour; }
    QColor GetBackClr() const override { return m_crBack; }
    void SetFont(const QFont* font) override;
    QFont GetFont() const override;
    void SetMargin(int nMargin) override { m_nMargin = nMargin < 0 ? -1 : nMargin; }
    int GetMargin() const override;
    CGridCtrl* GetGrid() const override { return m_pGrid; }

    // Back to the attributes of a new cell (the state keeps its fixed bits).
    void Reset();

private:
    CGridCtrl* m_pGrid;
    QString m_strText;
    int m_nImage = -1;
    std::uint32_t m_data = 0;
    unsigned m_nState = 0;
    int m_nFormat = -1;
    int m_nMargin = -1;
    QColor m_crText;
    QColor m_crBack;
    std::unique_ptr<QFont> m_font; // rarely set: kept out of line to keep cells small
};
