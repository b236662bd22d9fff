// What the grid puts on the screen: colours, lines, header cells, images and text.
#include "GridTestSupport.h"

#include "grid/CImageList.h"

#include <QFontMetrics>
#include <QTest>

namespace {
QImage Shot(CGridCtrl& grid)
{
    return grid.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}
QColor At(const QImage& image, int x, int y)
{
    return QColor(image.pixel(x, y));
}
// Pixels that differ from `background` inside `rect`.
// A colour as a pixel of the screen shows it.
QColor Px(const QColor& colour)
{
    return QColor(colour.rgb());
}
int Ink(const QImage& image, const QRect& rect, const QColor& background)
{
    int n = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            n += At(image, x, y) != background;
    return n;
}
} // namespace

class GridPaintTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { delete m_grid; }
    void cellsLinesAndBackground();
    void selectionAndFocusFrame();
    void headerOfTheFocusColumnLooksPressed();
    void ampersandIsShownAndLongTextEndsInAnEllipsis();
    void imageSitsTopLeftWithItsTransparency();
    void colourChangeFollowsTheSystemButKeepsChosenColours();

private:
    CGridCtrl* m_grid = nullptr;
};

void GridPaintTest::init()
{
    m_grid = new CGridCtrl;
    SetClientSize(*m_grid, QSize(300, 200));
    FillLikeDialog(*m_grid, 5, 2, 1, 24, 100, true);
    m_grid->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_grid));
}

void GridPaintTest::cellsLinesAndBackground()
{
    for (int c = 0; c < 2; ++c)
        for (int r = 1; r < 5; ++r)
            m_grid->SetItemText(r, c, QString());
    const QImage image = Shot(*m_grid);
    const QColor line(192, 192, 192);
    const QColor base = Px(m_grid->palette().color(QPalette::Base));
    // Row 1 spans y 24..47, column 0 x 0..99: its right and bottom pixels are grid lines.
    QCOMPARE(At(image, 50, 30), base);
    QCOMPARE(At(image, 99, 30), line);
    QCOMPARE(At(image, 50, 47), line);
    QCOMPARE(At(image, 98, 46), base);
    // Right of the last column and below the last row: the white grid background.
    QCOMPARE(At(image, 250, 30), QColor(Qt::white));
    QCOMPARE(At(image, 50, 150), QColor(Qt::white));

    m_grid->SetGridLines(GVL_NONE);
    m_grid->SetGridBkColor(m_grid->palette().color(QPalette::Dark));
    const QImage plain = Shot(*m_grid);
    QCOMPARE(At(plain, 99, 30), base);
    QCOMPARE(At(plain, 250, 30), Px(m_grid->palette().color(QPalette::Dark)));
}

void GridPaintTest::selectionAndFocusFrame()
{
    m_grid->SetItemText(2, 0, QString());
    m_grid->SetSelectedRange(2, 0, 2, 1);
    m_grid->SetFocusCell(2, 0);
    const QImage image = Shot(*m_grid);
    const QColor highlight = Px(m_grid->GetHighlightColor());
    QCOMPARE(At(image, 50, 60), highlight);
    QCOMPARE(At(image, 150, 60), highlight);
    // The focus cell is framed in the text colour of a selected cell.
    QCOMPARE(At(image, 0, 60), Px(m_grid->GetHighlightTextColor()));
    QCOMPARE(At(image, 50, 48), Px(m_grid->GetHighlightTextColor()));
    QCOMPARE(At(image, 100, 60), highlight); // the next cell has no frame
    QCOMPARE(At(image, 50, 30), Px(m_grid->palette().color(QPalette::Base)));
}

void GridPaintTest::headerOfTheFocusColumnLooksPressed()
{
    m_grid->SetItemText(0, 0, QString());
    m_grid->SetItemText(0, 1, QString());
    m_grid->SetFocusCell(2, 1);
    const QImage pressed = Shot(*m_grid);
    QVERIFY(At(pressed, 150, 12).lightness() < At(pressed, 50, 12).lightness());
    m_grid->SetFocusCell(-1, -1);
    const QImage raised = Shot(*m_grid);
    QCOMPARE(At(raised, 150, 12), At(raised, 50, 12));
    m_grid->SetTrackFocusCell(false);
    m_grid->SetFocusCell(2, 1);
    QCOMPARE(At(Shot(*m_grid), 150, 12), At(raised, 150, 12));
}

void GridPaintTest::ampersandIsShownAndLongTextEndsInAnEllipsis()
{
    const QColor base = Px(m_grid->palette().color(QPalette::Base));
    m_grid->SetItemText(1, 0, "&");
    m_grid->SetItemText(1, 1, QString());
    const QRect cell1(0, 24, 99, 23);
    QVERIFY(Ink(Shot(*m_grid), cell1, base) > 0);

    // The ellipsis is Qt's end elision of the text for the cell's width.
    const QString text = "A channel name much too long for a column of a hundred pixels";
    m_grid->SetItemText(1, 0, text);
    const QImage elided = Shot(*m_grid);
    m_grid->SetItemFormat(1, 0, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    m_grid->SetItemText(1, 0, QFontMetrics(m_grid->font()).elidedText(text, Qt::ElideRight, 99));
    QCOMPARE(Shot(*m_grid).copy(cell1), elided.copy(cell1));
    m_grid->SetItemText(1, 0, text);
    QVERIFY(Shot(*m_grid).copy(cell1) != elided.copy(cell1));
}

void GridPaintTest::imageSitsTopLeftWithItsTransparency()
{
    QImage art(24, 24, QImage::Format_RGB32);
    art.fill(Qt::black);
    for (int y = 4; y < 20; ++y)
        for (int x = 4; x < 20; ++x)
            art.setPixel(x, y, qRgb(0, 0, 255));
    CImageList images(24, 24);
    images.Add(art);
    m_grid->SetImageList(&images);
    m_grid->SetItemImage(1, 1, 0);
    m_grid->SetItemText(1, 1, QString());
    const QImage image = Shot(*m_grid);
    const QColor base = Px(m_grid->palette().color(QPalette::Base));
    QCOMPARE(At(image, 100 + 2, 24 + 2), base);
    QCOMPARE(At(image, 100 + 4, 24 + 4), QColor(0, 0, 255));
    QCOMPARE(At(image, 100 + 19, 24 + 19), QColor(0, 0, 255));
    QCOMPARE(At(image, 100 + 20, 24 + 10), base);
    m_grid->SetImageList(nullptr);
}

void GridPaintTest::colourChangeFollowsTheSystemButKeepsChosenColours()
{
    m_grid->SetFixedTextColor(Qt::darkGreen);
    QPalette palette = m_grid->palette();
    palette.setColor(QPalette::Text, QColor(10, 20, 30));
    palette.setColor(QPalette::Base, QColor(250, 240, 230));
    palette.setColor(QPalette::Button, QColor(200, 210, 220));
    m_grid->setPalette(palette);
    QCOMPARE(m_grid->GetTextColor(), QColor(10, 20, 30));
    QCOMPARE(m_grid->GetTextBkColor(), QColor(250, 240, 230));
    QCOMPARE(m_grid->GetFixedBkColor(), QColor(200, 210, 220));
    QCOMPARE(m_grid->GetFixedTextColor(), QColor(Qt::darkGreen));
    QCOMPARE(m_grid->GetGridBkColor(), QColor(Qt::white));
    m_grid->SetItemText(3, 0, QString());
    QCOMPARE(At(Shot(*m_grid), 50, 80), QColor(250, 240, 230));
}

QTEST_MAIN(GridPaintTest)
#include "GridPaintTest.moc"
