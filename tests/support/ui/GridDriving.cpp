#include "tests/support/ui/GridDriving.h"

#include "grid/CGridCtrl.h"

#include <QTest>

QStringList Column(const CGridCtrl& grid, int column)
{
    QStringList texts;
    for (int r = 0; r < grid.GetRowCount(); ++r)
        texts << grid.GetItemText(r, column);
    return texts;
}

void ClickRow(CGridCtrl& grid, int row, Qt::MouseButton button)
{
    if (row >= 0)
        grid.EnsureVisible(row, 0);
    const QPoint at = row >= 0 ? grid.GetCellRect(row, 0).center() : QPoint(5, grid.viewport()->height() - 3);
    QTest::mouseClick(grid.viewport(), button, Qt::NoModifier, at);
}

void DoubleClickRow(CGridCtrl& grid, int row)
{
    ClickRow(grid, row);
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, grid.GetCellRect(row, 0).center());
}
