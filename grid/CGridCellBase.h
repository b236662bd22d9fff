#pragma once

#include "grid/GridDefs.h"

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

#include <cstdint>

class CGridCtrl;
class CGridDefaultCell;
class QPainter;

// What every cell of a grid offers: its attributes and how it draws itself. Getters of format,
// font and margin give the effective value (the default cell's where the cell's own is unset);
// colour getters give the cell's own colour, invalid when unset.
class CGridCellBase {
public:
    virtual ~CGridCellBase() = default;

    virtual void SetText(const QString& text) = 0;
    virtual const QString& GetText() const = 0;
    virtual void SetImage(int nImage) = 0;
    virtual int GetImage() const = 0;
    virtual void SetData(std::uint32_t data) = 0;
    virtual std::uint32_t GetData() const = 0;
    virtual void SetState(unsigned nState) = 0;
    virtual unsigned GetState() const = 0;
    virtual void SetFormat(unsigned nFormat) = 0;
    virtual unsigned GetFormat() const = 0;
    virtual void SetTextClr(const QColor& colour) = 0;
    virtual QColor GetTextClr() const = 0;
    virtual void SetBackClr(const QColor& colour) = 0;
    virtual QColor GetBackClr() const = 0;
    // nullptr returns to the default cell's font.
    virtual void SetFont(const QFont* font) = 0;
    virtual QFont GetFont() const = 0;
    // -1 returns to the default cell's margin.
    virtual void SetMargin(int nMargin) = 0;
    virtual int GetMargin() const = 0;
    virtual CGridCtrl* GetGrid() const = 0;

    bool IsFixed() const { return (GetState() & GVIS_FIXED) != 0; }
    bool IsFixedRow() const { return (GetState() & GVIS_FIXEDROW) != 0; }
    bool IsFixedCol() const { return (GetState() & GVIS_FIXEDCOL) != 0; }
    bool IsFocused() const { return (GetState() & GVIS_FOCUSED) != 0; }

    // The default cell of this cell's kind; nullptr without a grid.
    virtual const CGridDefaultCell* GetDefaultCell() const;

    // Draws the cell into `rect` (the cell without its grid-line pixels).
    virtual void Draw(QPainter& painter, int nRow, int nCol, const QRect& rect) const;

protected:
    CGridCellBase() = default;
    CGridCellBase(const CGridCellBase&) = default;
    CGridCellBase(CGridCellBase&&) = default;
    CGridCellBase& operator=(const CGridCellBase&) = default;
    CGridCellBase& operator=(CGridCellBase&&) = default;

private:
    void DrawBorder(QPainter& painter, const QRect& rect, bool bSunken, const QColor& crBack) const;
    void DrawText(QPainter& painter, const QRect& rect, const QColor& colour) const;
};
