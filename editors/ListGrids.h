#pragma once

#include <QString>

#include <span>
#include <string>

class CGridCtrl;

// What the editors' grids share: list mode (whole rows), no header, read-only, rows of one
// height, and columns that fill the grid's width without a sideways scroll bar.

void SetUpListGrid(CGridCtrl& grid, int columns, bool centred, bool singleRow);
// `count` rows `rowHeight` high, nothing selected or focused, scrolled to the top.
void ResetRows(CGridCtrl& grid, int count, int rowHeight);
// The width the rows can use once a vertical scroll bar takes its share.
int UsableWidth(const CGridCtrl& grid, int rowHeight);
// The columns get `widths`, widened evenly to fill the grid; where the grid is narrower, the
// first column gives up width (down to `minFirst`) so that the others stay in view.
void FitColumnsEvenly(CGridCtrl& grid, std::span<const int> widths, int rowHeight,
                      int minFirst = 120);
// Selects rows first..last across all columns, with the focus on row `focus`.
void SelectRowBlock(CGridCtrl& grid, int first, int last, int focus);
// A numbered channel row: "  %4d    %s" with the 1-based row number and the stored name as
// readable text.
QString NumberedChannelText(int row, const std::string& storedName);
