// The grid's data model, selection rules and layout figures, driven through its operations.
#include "GridTestSupport.h"

#include "grid/CImageList.h"
#include "grid/GridAxis.h"

#include <QFontMetrics>
#include <QScrollBar>
#include <QTest>

class GridModelTest : public QObject {
    Q_OBJECT

private slots:
    void newGridAndDefaults();
    void argumentsOutsideTheGridFailAndChangeNothing();
    void fixedRowsAreFlaggedAndAddedWhenMissing();
    void selectionBelowTheFixedRowIsClamped();
    void emptySelectionReportsCountsAndMinusOne();
    void rectangleReplacesTheSelection();
    void shrinkingTheGridDropsFocusAndSelectionInRemovedRows();
    void deleteAllItemsAndListModeClearTheState();
    void selectAllIgnoresTheOneRowSetting();
    void expandColumnsToFit_data();
    void expandColumnsToFit();
    void expandToFitMeasuresAGridNotYetShown();
    void clientSizeMatchesTheViewport();
    void selectionTextSkipsHiddenColumnsAndKeepsGaps();
    void itemDescriptionSetsOnlyMaskedAttributes();
    void imageListKeysOutTheTransparentColour();
    void axisFindsIndicesAcrossZeroSizes();
};

void GridModelTest::newGridAndDefaults()
{
    CGridCtrl grid;
    QCOMPARE(grid.GetRowCount(), 0);
    QCOMPARE(grid.GetColumnCount(), 0);
    QCOMPARE(grid.GetFocusCell(), CCellID());

    const QFontMetrics metrics(grid.font());
    const CGridDefaultCell* cell = grid.GetDefaultCell(false, false);
    QCOMPARE(cell->GetMargin(), metrics.horizontalAdvance(' '));
    QCOMPARE(cell->GetWidth(), metrics.horizontalAdvance(" XXXXXXXXXXXX "));
    QCOMPARE(cell->GetHeight(), metrics.height() * 3 / 2);

    // New rows take the ordinary default height, new columns the fixed-column default width.
    grid.GetDefaultCell(false, false)->SetHeight(21);
    grid.GetDefaultCell(false, true)->SetWidth(77);
    QVERIFY(grid.SetRowCount(3));
    QVERIFY(grid.SetColumnCount(2));
    QCOMPARE(grid.GetRowHeight(2), 21);
    QCOMPARE(grid.GetColumnWidth(1), 77);
    QCOMPARE(grid.GetItemImage(1, 1), -1);
    QCOMPARE(grid.GetItemText(1, 1), QString());
    // An unset format comes from the default cell, which the program may change.
    grid.GetDefaultCell(false, false)->SetFormat(DT_RIGHT);
    QCOMPARE(grid.GetItemFormat(1, 1), unsigned(DT_RIGHT));
}

void GridModelTest::argumentsOutsideTheGridFailAndChangeNothing()
{
    CGridCtrl grid;
    FillLikeDialog(grid, 5, 3, 1, 20, 50, false);
    grid.SetSelectedRange(2, 0, 2, 2);
    grid.SetFocusCell(2, 1);

    QVERIFY(!grid.SetRowCount(-1));
    QVERIFY(!grid.SetColumnCount(-2));
    QVERIFY(!grid.SetFixedRowCount(-1));
    QCOMPARE(grid.GetRowCount(), 5);
    for (auto [r, c] : {std::pair{5, 0}, {0, 3}, {-1, 0}, {0, -1}}) {
        QVERIFY(!grid.SetItemText(r, c, "x"));
        QVERIFY(!grid.SetItemImage(r, c, 1));
        QVERIFY(!grid.SetItemFormat(r, c, DT_CENTER));
        QCOMPARE(grid.GetItemText(r, c), QString());
        QCOMPARE(grid.GetItemImage(r, c), -1);
        QVERIFY(grid.GetCell(r, c) == nullptr);
        QVERIFY(!grid.IsCellSelected(r, c));
    }
    QVERIFY(!grid.SetRowHeight(5, 10));
    QVERIFY(!grid.SetRowHeight(1, -3));
    QVERIFY(!grid.SetColumnWidth(3, 10));
    QCOMPARE(grid.GetRowHeight(5), -1);
    QCOMPARE(grid.GetColumnWidth(-1), -1);

    QVERIFY(!grid.SetSelectedRange(1, 0, 5, 2));
    QVERIFY(!grid.SetSelectedRange(-2, 0, 1, 1));
    QCOMPARE(grid.GetSelectedCellRange(), CCellRange(2, 0, 2, 2));
    QCOMPARE(grid.SetFocusCell(9, 0), CCellID(2, 1));
    QCOMPARE(grid.GetFocusCell(), CCellID(2, 1));
}

void GridModelTest::fixedRowsAreFlaggedAndAddedWhenMissing()
{
    CGridCtrl grid;
    grid.SetColumnCount(2);
    QVERIFY(grid.SetFixedRowCount(2)); // more than there are rows: rows are added
    QCOMPARE(grid.GetRowCount(), 2);
    grid.SetRowCount(4);
    QCOMPARE(grid.GetItemState(1, 1) & (GVIS_FIXED | GVIS_FIXEDROW), GVIS_FIXED | GVIS_FIXEDROW);
    QCOMPARE(grid.GetItemState(2, 1) & GVIS_FIXED, 0u);

    // A row leaving the fixed kind loses its fixed colours.
    grid.SetItemBkColour(1, 0, Qt::red);
    grid.SetFixedRowCount(1);
    QCOMPARE(grid.GetItemState(1, 0) & GVIS_FIXED, 0u);
    QVERIFY(!grid.GetItemBkColour(1, 0).isValid());
    QCOMPARE(grid.GetFixedRowHeight(), grid.GetRowHeight(0));

    // Columns added later take the fixed flags of their row.
    grid.SetColumnCount(3);
    QCOMPARE(grid.GetItemState(0, 2) & GVIS_FIXEDROW, unsigned(GVIS_FIXEDROW));
    QCOMPARE(grid.GetCell(0, 2)->GetDefaultCell(), grid.GetDefaultCell(true, false));
}

void GridModelTest::selectionBelowTheFixedRowIsClamped()
{
    // As "Select Disk" does: row 0 and cell (0, 0) asked for, row 1 and (1, 0) given.
    CGridCtrl grid;
    FillLikeDialog(grid, 4, 2, 1, 20, 100, true);
    QVERIFY(grid.SetSelectedRange(0, 0, 0, 1, false));
    grid.SetFocusCell(0, 0);
    QCOMPARE(grid.GetSelectedCellRange(), CCellRange(1, 0, 1, 1));
    QCOMPARE(grid.GetFocusCell(), CCellID(1, 0));
    QVERIFY(!grid.IsCellSelected(0, 0));
    QVERIFY(grid.GetItemState(1, 0) & GVIS_FOCUSED);

    // A grid holding only its header row has nothing to select or focus.
    FillLikeDialog(grid, 1, 2, 1, 20, 100, true);
    QVERIFY(grid.SetSelectedRange(0, 0, 0, 1));
    grid.SetFocusCell(0, 0);
    QVERIFY(!grid.GetSelectedCellRange().IsValid());
    QCOMPARE(grid.GetFocusCell(), CCellID());
}

void GridModelTest::emptySelectionReportsCountsAndMinusOne()
{
    CGridCtrl grid;
    FillLikeDialog(grid, 7, 3, 1, 20, 50, false);
    QCOMPARE(grid.GetSelectedCellRange(), CCellRange(7, 3, -1, -1));
    QVERIFY(!(grid.GetSelectedCellRange().GetMaxRow() > 0));
    QVERIFY(grid.GetSelectedRows().empty());
    QCOMPARE(grid.GetSelectionText(), QString());
}

void GridModelTest::rectangleReplacesTheSelection()
{
    CGridCtrl grid;
    FillLikeDialog(grid, 10, 3, 1, 20, 50, false);
    grid.SetSelectedRange(1, 0, 4, 2);
    grid.SetSelectedRange(3, 1, 6, 1);
    QCOMPARE(grid.GetSelectedCellRange(), CCellRange(3, 1, 6, 1));
    QVERIFY(!grid.IsCellSelected(1, 0));
    QVERIFY(!grid.IsCellSelected(4, 0));
    QCOMPARE(grid.GetSelectedCount(), 4);
    QCOMPARE(grid.GetSelectedRows(), (std::vector<int>{3, 4, 5, 6}));

    // Without the select flag the rectangle only limits the selection.
    grid.SetSelectedRange(5, 0, 9, 2, false, false);
    QCOMPARE(grid.GetSelectedCellRange(), CCellRange(5, 1, 6, 1));

    // Selection switched off reports nothing and selects nothing.
    grid.EnableSelection(false);
    QVERIFY(!grid.IsCellSelected(5, 1));
    grid.SetSelectedRange(1, 0, 2, 2);
    QVERIFY(!grid.GetSelectedCellRange().IsValid());
    grid.EnableSelection(true);
    QVERIFY(!grid.GetSelectedCellRange().IsValid());

    QVERIFY(grid.SetSelectedRange(-1, -1, -1, -1));
    QVERIFY(!grid.GetSelectedCellRange().IsValid());
}

void GridModelTest::shrinkingTheGridDropsFocusAndSelectionInRemovedRows()
{
    CGridCtrl grid;
    FillLikeDialog(grid, 10, 3, 1, 20, 50, false);
    grid.SetSelectedRange(6, 0, 9, 2);
    grid.SetFocusCell(9, 2);
    grid.SetRowCount(8);
    QCOMPARE(grid.GetFocusCell(), CCellID());
    QCOMPARE(grid.GetSelectedCellRange(), CCellRange(6, 0, 7, 2));
    grid.SetColumnCount(1);
    QCOMPARE(grid.GetSelectedCellRange(), CCellRange(6, 0, 7, 0));
    grid.SetRowCount(20); // the new rows come unselected
    QCOMPARE(grid.GetSelectedCellRange(), CCellRange(6, 0, 7, 0));
    QVERIFY(!grid.IsCellSelected(9, 0));
}

void GridModelTest::deleteAllItemsAndListModeClearTheState()
{
    CGridCtrl grid;
    FillLikeDialog(grid, 10, 3, 1, 20, 50, false);
    grid.SetSelectedRange(2, 0, 3, 2);
    grid.SetFocusCell(2, 0);
    grid.SetFixedRowSelection(true);
    grid.SetListMode(false);
    QVERIFY(!grid.GetListMode());
    QVERIFY(!grid.GetFixedRowSelection());
    QVERIFY(!grid.GetSelectedCellRange().IsValid());
    QCOMPARE(grid.GetFocusCell(), CCellID(2, 0)); // only resetting the selection drops it
    grid.ResetSelectedRange();
    QCOMPARE(grid.GetFocusCell(), CCellID());

    grid.SetSelectedRange(2, 0, 3, 2);
    QVERIFY(grid.DeleteAllItems());
    QCOMPARE(grid.GetRowCount(), 0);
    QCOMPARE(grid.GetColumnCount(), 0);
    QCOMPARE(grid.GetFixedRowCount(), 0);
    QCOMPARE(grid.GetFocusCell(), CCellID());
    QCOMPARE(grid.GetSelectedCellRange(), CCellRange(0, 0, -1, -1));
    QCOMPARE(grid.GetScrollPos(), 0);
}

void GridModelTest::selectAllIgnoresTheOneRowSetting()
{
    CGridCtrl grid;
    FillLikeDialog(grid, 6, 4, 1, 20, 50, true);
    grid.SetFocusCell(2, 1);
    NoticeLog log(grid);
    grid.SelectAll();
    QCOMPARE(grid.GetSelectedCellRange(), CCellRange(1, 0, 5, 3));
    QCOMPARE(grid.GetSelectedCount(), 20);
    QCOMPARE(log.Text(), QString("-100:2,1 -101:2,1"));
}

void GridModelTest::expandColumnsToFit_data()
{
    QTest::addColumn<int>("client");
    QTest::addColumn<QList<int>>("widths");
    QTest::addColumn<bool>("fixed");
    QTest::addColumn<QList<int>>("expected");
    QTest::newRow("select disk") << 300 << QList<int>{130, 100} << true << QList<int>{165, 135};
    QTest::newRow("remainder first")
        << 353 << QList<int>{30, 250, 70} << true << QList<int>{31, 251, 71};
    QTest::newRow("narrower") << 200 << QList<int>{130, 100, 40} << true << QList<int>{106, 77, 17};
    QTest::newRow("hidden column")
        << 301 << QList<int>{100, 0, 100} << true << QList<int>{151, 0, 150};
    QTest::newRow("fixed column kept")
        << 300 << QList<int>{50, 100, 100} << false << QList<int>{50, 125, 125};
    QTest::newRow("never below zero") << 100 << QList<int>{10, 300} << true << QList<int>{0, 195};
}

void GridModelTest::expandColumnsToFit()
{
    QFETCH(int, client);
    QFETCH(QList<int>, widths);
    QFETCH(bool, fixed);
    QFETCH(QList<int>, expected);
    CGridCtrl grid;
    SetClientSize(grid, QSize(client, 200));
    grid.SetRowCount(3);
    grid.SetColumnCount(int(widths.size()));
    grid.SetFixedColumnCount(fixed ? 0 : 1);
    for (int c = 0; c < widths.size(); ++c)
        grid.SetColumnWidth(c, widths[c]);
    grid.ExpandColumnsToFit(fixed);
    QList<int> got;
    for (int c = 0; c < widths.size(); ++c)
        got << grid.GetColumnWidth(c);
    QCOMPARE(got, expected);
}

void GridModelTest::expandToFitMeasuresAGridNotYetShown()
{
    // Dialogs fill their grids before showing them; the width must still be the client's,
    // without the vertical scroll bar that the rows will need.
    CGridCtrl grid;
    SetClientSize(grid, QSize(400, 100));
    FillLikeDialog(grid, 30, 4, 0, 24, 50, true);
    grid.SetColumnWidth(0, 276);
    grid.ExpandColumnsToFit();
    const int bar = grid.verticalScrollBar()->sizeHint().width();
    int total = 0;
    for (int c = 0; c < 4; ++c)
        total += grid.GetColumnWidth(c);
    QCOMPARE(total, 400 - bar);
    // The scroll range is right at once, before the event loop has run.
    QCOMPARE(grid.GetScrollLimit(), 30 * 24 - 100);
    grid.SetScrollPos(10000);
    QCOMPARE(grid.GetScrollPos(), 30 * 24 - 100);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QCOMPARE(grid.viewport()->width(), total);
    QVERIFY(!grid.horizontalScrollBar()->isVisible());
}

void GridModelTest::clientSizeMatchesTheViewport()
{
    CGridCtrl grid;
    SetClientSize(grid, QSize(200, 150));
    FillLikeDialog(grid, 3, 2, 1, 20, 50, false);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QCOMPARE(grid.GetClientSize(), QSize(200, 150));
    QCOMPARE(grid.viewport()->size(), grid.GetClientSize());
    // Growing past both edges brings both bars, and the client shrinks by them.
    FillLikeDialog(grid, 30, 6, 1, 20, 50, false);
    QTRY_COMPARE(grid.viewport()->size(), grid.GetClientSize());
    QVERIFY(grid.verticalScrollBar()->isVisible());
    QVERIFY(grid.horizontalScrollBar()->isVisible());
    QCOMPARE(grid.GetScrollLimit(), 30 * 20 - grid.GetClientSize().height());
}

void GridModelTest::selectionTextSkipsHiddenColumnsAndKeepsGaps()
{
    CGridCtrl grid;
    FillLikeDialog(grid, 6, 3, 1, 20, 50, false);
    grid.SetColumnWidth(1, 0);
    grid.SetRowHeight(4, 0);
    grid.SetItemText(2, 0, "a&b");
    grid.SetSelectedRange(1, 0, 1, 2);
    grid.SetItemState(3, 0, GVIS_SELECTED);
    grid.SetItemState(3, 2, GVIS_SELECTED);
    grid.SetItemState(5, 2, GVIS_SELECTED);
    // Row 2 lies inside the rectangle but is unselected: its cells give empty texts.
    QCOMPARE(grid.GetSelectionText(), QString("r1c0\tr1c2\r\n\t\r\nr3c0\tr3c2\r\n\tr5c2"));
}

void GridModelTest::itemDescriptionSetsOnlyMaskedAttributes()
{
    CGridCtrl grid;
    FillLikeDialog(grid, 3, 2, 0, 20, 50, false);
    grid.SetItemImage(1, 1, 4);
    GV_ITEM item;
    item.row = 1;
    item.col = 1;
    item.mask = GVIF_TEXT | GVIF_FORMAT;
    item.strText = "HD";
    item.nFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    item.iImage = 0;
    item.crBkClr = Qt::red;
    QVERIFY(grid.SetItem(item));
    QCOMPARE(grid.GetItemText(1, 1), QString("HD"));
    QCOMPARE(grid.GetItemFormat(1, 1), unsigned(DT_CENTER | DT_VCENTER | DT_SINGLELINE));
    QCOMPARE(grid.GetItemImage(1, 1), 4);
    QVERIFY(!grid.GetItemBkColour(1, 1).isValid());
    QVERIFY(grid.GetItemState(1, 1) & GVIS_MODIFIED);
    item.row = 3;
    QVERIFY(!grid.SetItem(item));

    // The grid keeps the focus and fixed flags to itself.
    QVERIFY(grid.SetItemState(1, 0, GVIS_FOCUSED | GVIS_FIXED | GVIS_READONLY));
    QCOMPARE(grid.GetItemState(1, 0), unsigned(GVIS_READONLY));
}

void GridModelTest::imageListKeysOutTheTransparentColour()
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
    QCOMPARE(images.Add(QImage(20, 20, QImage::Format_RGB32)), -1);
    QCOMPARE(images.Add(QImage(30, 24, QImage::Format_RGB32)), -1);
    QCOMPARE(images.GetImageCount(), 3);
}

void GridModelTest::axisFindsIndicesAcrossZeroSizes()
{
    GridAxis axis;
    axis.Resize(5, 10);
    axis.SetSize(1, 0);
    axis.SetSize(3, 25);
    QCOMPARE(axis.Total(), 55);
    QCOMPARE(axis.Start(4), 45);
    QCOMPARE(axis.IndexAt(9), 0);
    QCOMPARE(axis.IndexAt(10), 2); // row 1 has no height
    QCOMPARE(axis.IndexAt(44), 3);
    QCOMPARE(axis.IndexAt(55), 5);
    QCOMPARE(axis.IndexAt(-1), -1);
    axis.SetSize(0, 5); // changes every later start
    QCOMPARE(axis.Start(4), 40);
    axis.Resize(2, 10);
    QCOMPARE(axis.Total(), 5);
    QCOMPARE(axis.Start(2), 5);
}

QTEST_MAIN(GridModelTest)
#include "GridModelTest.moc"
