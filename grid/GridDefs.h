#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include <cstdint>
#include <optional>

// Notification codes sent through CGridCtrl::gridNotify, with the row and column they concern.
enum GridNotification : int {
    GVN_SELCHANGING = -100, // before a selection change (keyboard, select-all, mouse press)
    GVN_SELCHANGED = -101,  // after a selection change
    NM_CLICK = -2,          // left button released after a click on a cell
    NM_DBLCLK = -3,         // left button double-clicked on a cell
    NM_RCLICK = -5,         // right button released; (-1, -1) outside all cells
    GVN_BUTTONDOWN = -210,  // left button pressed on a cell
};

// Cell state bits.
enum GridCellState : unsigned {
    GVIS_FOCUSED = 0x01,
    GVIS_SELECTED = 0x02,
    GVIS_DROPHILITED = 0x04,
    GVIS_READONLY = 0x08,
    GVIS_FIXED = 0x10,
    GVIS_FIXEDROW = 0x20,
    GVIS_FIXEDCOL = 0x40,
    GVIS_MODIFIED = 0x80,
};

// Which attributes of a GV_ITEM to apply or fetch.
enum GridItemMask : unsigned {
    GVIF_TEXT = 0x1,
    GVIF_IMAGE = 0x2,
    GVIF_PARAM = 0x4,
    GVIF_STATE = 0x8,
    GVIF_BKCLR = 0x10,
    GVIF_FGCLR = 0x20,
    GVIF_FORMAT = 0x40,
    GVIF_FONT = 0x80,
    GVIF_MARGIN = 0x100,
};

// Text-drawing flags of a cell format. Text is never scanned for mnemonics, so DT_NOPREFIX
// only documents intent.
enum GridTextFormat : unsigned {
    DT_TOP = 0x0,
    DT_LEFT = 0x0,
    DT_CENTER = 0x1,
    DT_RIGHT = 0x2,
    DT_VCENTER = 0x4,
    DT_BOTTOM = 0x8,
    DT_WORDBREAK = 0x10,
    DT_SINGLELINE = 0x20,
    DT_NOPREFIX = 0x800,
    DT_END_ELLIPSIS = 0x8000,
};

// Which grid lines to draw.
enum GridLines : int { GVL_NONE = 0, GVL_HORZ = 1, GVL_VERT = 2, GVL_BOTH = 3 };

// Several attributes of one cell at once; `mask` names the ones that count. An invalid
// QColor means "use the default cell's colour".
struct GV_ITEM {
    int row = 0;
    int col = 0;
    unsigned mask = 0;
    unsigned nState = 0;
    unsigned nFormat = 0;
    int iImage = -1;
    QColor crBkClr;
    QColor crFgClr;
    std::uint32_t lParam = 0;
    QFont lfFont;
    int nMargin = -1;
    QString strText;
};

// A cell address; (-1, -1) is "no cell".
struct CCellID {
    int row = -1;
    int col = -1;

    constexpr CCellID() = default;
    constexpr CCellID(int nRow, int nCol) : row(nRow), col(nCol) {}
    constexpr bool IsValid() const { return row >= 0 && col >= 0; }
    constexpr bool operator==(const CCellID&) const = default;
};
