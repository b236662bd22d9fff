#pragma once

#include <QStringList>

class CGridCtrl;

// Reading and clicking grid rows as the user would.

// The texts of one column, top to bottom.
QStringList Column(const CGridCtrl& grid, int column = 0);
// Clicks a row; row -1 clicks below the rows.
void ClickRow(CGridCtrl& grid, int row, Qt::MouseButton button = Qt::LeftButton);
// A double click on a row, its first click included.
void DoubleClickRow(CGridCtrl& grid, int row);
