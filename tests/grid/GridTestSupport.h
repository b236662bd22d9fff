#pragma once

#include "grid/CGridCtrl.h"

#include <QObject>
#include <QString>

#include <vector>

// One notification as the dialog saw it, with the grid's focus cell at that moment.
struct Notice {
    int code;
    int row;
    int col;
    CCellID focusThen;
    bool operator==(const Notice& other) const
    {
        return code == other.code && row == other.row && col == other.col;
    }
};

// Records every notification of a grid in order.
class NoticeLog : public QObject {
public:
    explicit NoticeLog(CGridCtrl& grid);
    std::vector<Notice> notices;
    // The notifications as "code:row,col" separated by blanks, for readable comparisons.
    QString Text() const;
    void Clear() { notices.clear(); }
};

// Fills a grid the way the program's dialogs do: list mode, read-only, texts "r<row>c<col>",
// every row `rowHeight` high, white background, margins 0.
void FillLikeDialog(CGridCtrl& grid, int rows, int cols, int fixedRows, int rowHeight, int colWidth,
                    bool singleRow);

// Resizes the grid so that its client area (inside the frame, without scroll bars) is `size`.
void SetClientSize(CGridCtrl& grid, QSize size);

// The centre of a cell in viewport coordinates.
QPoint CellCentre(const CGridCtrl& grid, int row, int col);
