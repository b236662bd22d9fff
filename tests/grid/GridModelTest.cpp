// The grid's data model, selection rules and layout figures, driven through its operations.
#include "GridTestSupport.h"

#include "grid/CImageList.h"

#include <QScrollBar>
#include <QTest>

#include <numeric>

namespace {

QList<int> Widths(const CGridCtrl& grid)
{
    QList<int> widths;
    for (int c = 0; c < grid.GetColumnCount(); ++c)
        widths << grid.GetColumnWidth(c);
    return widths;
}

} // namespace

class GridModelTest : public QObject {
    Q_OBJECT

private slots:
    void argumentsOutsideTheGridFailAndChangeNothing()
    {
        CGridCtrl grid;
        FillLikeDialog(grid, 5, 3, 1, 20, 50, false);
        grid.SetSelectedRange(2, 0, 2, 2);
        grid.SetFocusCell(2, 1);
        for (bool done :
             {grid.SetRowCount(-1), grid.SetColumnCount(-2), grid.SetFixedRowCount(-1),
              grid.SetRowHeight(5, 10), grid.SetRowHeight(1, -3), grid.SetColumnWidth(3, 10),
              grid.SetSelectedRange(1, 0, 5, 2), grid.SetSelectedRange(-2, 0, 1, 1)})
            QVERIFY(!done);
        QVERIFY(grid.GetRowCount() == 5 && grid.GetRowHeight(1) == 20);
        for (auto [r, c] : {std::pair{5, 0}, {0, 3}, {-1, 0}, {0, -1}}) {
            QVERIFY(!grid.SetItemText(r, c, "x") && !grid.SetItemImage(r, c, 1));
            QVERIFY(!grid.SetItemFormat(r, c, DT_CENTER) && !grid.GetCell(r, c) && !grid.IsCellSelected(r, c));
            QVERIFY(grid.GetItemText(r, c).isEmpty() && grid.GetItemImage(r, c) == -1);
        }
        QVERIFY(grid.GetRowHeight(5) == -1 && grid.GetColumnWidth(-1) == -1);
        QCOMPARE(grid.GetSelectedCellRange(), CCellRange(2, 0, 2, 2));
        QCOMPARE(grid.SetFocusCell(9, 0), CCellID(2, 1));
        QCOMPARE(grid.GetFocusCell(), CCellID(2, 1));
    }

    void fixedRowsAreFlaggedAndAddedWhenMissing()
    {
        CGridCtrl grid;
        grid.SetColumnCount(2);
        QVERIFY(grid.SetFixedRowCount(2)); // more than there are rows: rows are added
        QCOMPARE(grid.GetRowCount(), 2);
        grid.SetRowCount(4);
        QCOMPARE(grid.GetItemState(1, 1) & (GVIS_FIXED | GVIS_FIXEDROW), GVIS_FIXED | GVIS_FIXEDROW);
        QCOMPARE(grid.GetItemState(2, 1) & GVIS_FIXED, 0u);
        grid.SetFixedRowCount(1); // row 1 is an ordinary row again
        QCOMPARE(grid.GetItemState(1, 0) & GVIS_FIXED, 0u);
        // Columns added later take the fixed flags and the unset format of their row.
        grid.GetDefaultCell(true, false)->SetFormat(DT_CENTER);
        grid.SetColumnCount(3);
        QCOMPARE(grid.GetItemState(0, 2) & GVIS_FIXEDROW, unsigned(GVIS_FIXEDROW));
        QCOMPARE(grid.GetItemFormat(0, 2), unsigned(DT_CENTER));
    }

    void selectionBelowTheFixedRowIsClamped()
    {
        // As "Select Disk" does: row 0 and cell (0, 0) asked for, row 1 and (1, 0) given; a grid
        // holding only its header row has nothing to select or focus.
        CGridCtrl grid;
        for (int rows : {4, 1}) {
            FillLikeDialog(grid, rows, 2, 1, 20, 100, true);
            QVERIFY(grid.SetSelectedRange(0, 0, 0, 1, false));
            grid.SetFocusCell(0, 0);
            const CCellRange selected = grid.GetSelectedCellRange();
            QVERIFY(rows > 1 ? selected == CCellRange(1, 0, 1, 1) : !selected.IsValid());
            QCOMPARE(grid.GetFocusCell(), rows > 1 ? CCellID(1, 0) : CCellID());
            QVERIFY(!grid.IsCellSelected(0, 0) && (rows == 1 || grid.GetItemState(1, 0) & GVIS_FOCUSED));
        }
    }

    void rectangleReplacesTheSelection()
    {
        CGridCtrl grid;
        FillLikeDialog(grid, 10, 3, 1, 20, 50, false);
        // The dialogs test GetMaxRow() > 0: an empty selection is the counts and minus ones.
        QCOMPARE(grid.GetSelectedCellRange(), CCellRange(10, 3, -1, -1));
        QCOMPARE(grid.GetSelectionText(), QString());
        grid.SetSelectedRange(1, 0, 4, 2);
        grid.SetSelectedRange(3, 1, 6, 1);
        QCOMPARE(grid.GetSelectedCellRange(), CCellRange(3, 1, 6, 1));
        QVERIFY(!grid.IsCellSelected(4, 0));
        QCOMPARE(grid.GetSelectedCount(), 4);
        QCOMPARE(grid.GetSelectedRows(), (std::vector<int>{3, 4, 5, 6}));
        // Without the select flag the rectangle only limits the selection.
        grid.SetSelectedRange(5, 0, 9, 2, false, false);
        QCOMPARE(grid.GetSelectedCellRange(), CCellRange(5, 1, 6, 1));
        QVERIFY(grid.SetSelectedRange(-1, -1, -1, -1));
        QVERIFY(!grid.GetSelectedCellRange().IsValid());
    }

    void removingCellsDropsFocusAndSelectionInThem()
    {
        CGridCtrl grid;
        SetClientSize(grid, QSize(200, 100));
        FillLikeDialog(grid, 10, 3, 1, 20, 50, false);
        grid.SetSelectedRange(6, 0, 9, 2);
        grid.SetFocusCell(9, 2);
        grid.SetRowCount(8);
        QCOMPARE(grid.GetFocusCell(), CCellID());
        QCOMPARE(grid.GetSelectedCellRange(), CCellRange(6, 0, 7, 2));
        grid.SetColumnCount(1);
        grid.SetRowCount(30); // the new rows come unselected
        QCOMPARE(grid.GetSelectedCellRange(), CCellRange(6, 0, 7, 0));
        QVERIFY(!grid.IsCellSelected(9, 0));
        // Clearing the grid for a refill forgets everything.
        grid.SetFocusCell(7, 0);
        grid.SetScrollPos(100);
        QVERIFY(grid.DeleteAllItems());
        QVERIFY(grid.GetFixedRowCount() == 0 && grid.GetScrollPos() == 0);
        QCOMPARE(grid.GetFocusCell(), CCellID());
        QCOMPARE(grid.GetSelectedCellRange(), CCellRange(0, 0, -1, -1));
    }

    void expandColumnsToFitSharesTheSpareWidth()
    {
        const struct {
            int client;
            QList<int> widths;
            bool fixedToo;
            QList<int> expected;
        } cases[] = {
            {300, {130, 100}, true, {165, 135}},          // "Select Disk"
            {353, {30, 250, 70}, true, {31, 251, 71}},    // the remainder goes to the first ones
            {200, {130, 100, 40}, true, {106, 77, 17}},   // narrower than the columns
            {301, {100, 0, 100}, true, {151, 0, 150}},    // a hidden column stays hidden
            {300, {50, 100, 100}, false, {50, 125, 125}}, // the fixed column is kept
            {100, {10, 300}, true, {0, 195}},             // never below zero
        };
        for (const auto& test : cases) {
            CGridCtrl grid;
            SetClientSize(grid, QSize(test.client, 200));
            grid.SetRowCount(3);
            grid.SetColumnCount(int(test.widths.size()));
            grid.SetFixedColumnCount(test.fixedToo ? 0 : 1);
            for (int c = 0; c < test.widths.size(); ++c)
                grid.SetColumnWidth(c, test.widths[c]);
            grid.ExpandColumnsToFit(test.fixedToo);
            QCOMPARE(Widths(grid), test.expected);
        }
    }

    void layoutOfAGridNotYetShownIsRight()
    {
        // Dialogs fill their grids before showing them; the width must still be the client's,
        // without the vertical scroll bar that the rows will need.
        CGridCtrl grid;
        SetClientSize(grid, QSize(400, 100));
        FillLikeDialog(grid, 30, 4, 0, 24, 50, true);
        grid.SetColumnWidth(0, 276);
        grid.ExpandColumnsToFit();
        const QList<int> widths = Widths(grid);
        const int total = std::accumulate(widths.begin(), widths.end(), 0);
        QCOMPARE(total, 400 - grid.verticalScrollBar()->sizeHint().width());
        // The scroll range is right at once, before the event loop has run.
        grid.SetScrollPos(10000);
        QVERIFY(grid.GetScrollLimit() == 30 * 24 - 100 && grid.GetScrollPos() == 30 * 24 - 100);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        QCOMPARE(grid.viewport()->width(), total);
        QVERIFY(!grid.horizontalScrollBar()->isVisible());
        QCOMPARE(grid.GetClientSize(), grid.viewport()->size());
    }

    void selectionTextSkipsHiddenColumnsAndKeepsGaps()
    {
        CGridCtrl grid;
        FillLikeDialog(grid, 6, 3, 1, 20, 50, false);
        grid.SetColumnWidth(1, 0);
        grid.SetRowHeight(4, 0);
        grid.SetSelectedRange(1, 0, 1, 2);
        for (auto [r, c] : {std::pair{3, 0}, {3, 2}, {5, 2}})
            grid.SetItemState(r, c, GVIS_SELECTED);
        // Row 2 lies inside the rectangle but is unselected: its cells give empty texts.
        QCOMPARE(grid.GetSelectionText(), QString("r1c0\tr1c2\r\n\t\r\nr3c0\tr3c2\r\n\tr5c2"));
    }

    void imageListKeysOutTheTransparentColour()
    {
        QImage strip(72, 24, QImage::Format_RGB32);
        strip.fill(Qt::black);
        strip.setPixel(30, 5, qRgb(255, 0, 0));
        CImageList images(24, 24);
        QCOMPARE(images.Add(strip), 0);
        QCOMPARE(images.GetImageCount(), 3);
        const QImage second = images.GetPixmap(1).toImage();
        QCOMPARE(qAlpha(second.pixel(0, 0)), 0);
        QCOMPARE(second.pixel(6, 5), qRgb(255, 0, 0));
        // Strips not a whole number of images high or wide are refused.
        QCOMPARE(images.Add(QImage(20, 20, QImage::Format_RGB32)), -1);
        QCOMPARE(images.Add(QImage(30, 24, QImage::Format_RGB32)), -1);
    }

    // Images made for any device pixel ratio are accepted and drawn pixel for pixel in their
    // cells: a strip of two marks, a red and blue checkerboard of device pixels and a blue
    // square, survives only if no pixel is resampled.
    void marksOfAnyPixelRatioAreDrawnCrisplyInTheirCells()
    {
        for (qreal ratio : {1.0, 1.5, 2.0}) {
            const int square = qRound(16 * ratio), inset = qRound(4 * ratio), mark = qRound(24 * ratio);
            QImage strip(2 * mark, mark, QImage::Format_ARGB32);
            strip.fill(Qt::transparent);
            for (int y = 0; y < square; ++y)
                for (int x = 0; x < square; ++x) {
                    strip.setPixel(inset + x, inset + y, (x + y) % 2 ? 0xFFFF0000 : 0xFF0000FF);
                    strip.setPixel(mark + inset + x, inset + y, 0xFF0000FF);
                }
            strip.setDevicePixelRatio(ratio);
            CImageList images(24, 24);
            QCOMPARE(images.Add(strip), 0);
            QCOMPARE(images.GetImageCount(), 2);
            QCOMPARE(images.Add(images.GetPixmap(1)), 2);
            QCOMPARE(images.Add(strip.scaled(strip.size() / 2)), -1); // 24 x 12 logical

            CGridCtrl grid;
            FillLikeDialog(grid, 3, 2, 0, 24, 50, true);
            SetClientSize(grid, QSize(100, 72));
            grid.SetImageList(&images);
            grid.SetItemImage(0, 1, 0);
            grid.SetItemImage(1, 1, 2);
            QImage shot(grid.viewport()->size() * ratio, QImage::Format_ARGB32);
            shot.setDevicePixelRatio(ratio);
            grid.viewport()->render(&shot);
            // Pure red and pure blue pixels in the cell of row `row`, column 1.
            auto count = [&](int row, QRgb colour) {
                const QRect cell(qRound(50 * ratio), qRound(24 * row * ratio), mark, mark);
                int n = 0;
                for (int y = cell.top(); y <= cell.bottom(); ++y)
                    for (int x = cell.left(); x <= cell.right(); ++x)
                        n += shot.pixel(x, y) == colour;
                return n;
            };
            const int half = square * square / 2;
            QVERIFY(count(0, 0xFFFF0000) == half && count(0, 0xFF0000FF) == half);
            QCOMPARE(count(1, 0xFF0000FF), square * square);
            QCOMPARE(count(2, 0xFF0000FF) + count(2, 0xFFFF0000), 0);
        }
    }
};

QTEST_MAIN(GridModelTest)
#include "GridModelTest.moc"
