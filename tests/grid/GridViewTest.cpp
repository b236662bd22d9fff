// The grid shown in a dialog: driven by key, mouse and wheel events as a user would (selection,
// focus, notifications with their codes and order, scroll positions), and what it paints.
#include "GridTestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>

namespace {

// A dialog-like parent that records the keys its grid passed on.
struct KeyCatcher : QWidget {
    std::vector<int> keys;
    void keyPressEvent(QKeyEvent* e) override { keys.push_back(e->key()); }
};

// Ten rows of 20 pixels visible below a 20-pixel header, three columns of 80 pixels.
constexpr int kRowHeight = 20;
constexpr QSize kClient(300, 220);
constexpr QPoint kRightOfTheCells(270, 100);
using Rows = std::vector<int>;

} // namespace

class GridViewTest : public QObject {
    Q_OBJECT

    KeyCatcher* m_dialog = nullptr;
    CGridCtrl* m_grid = nullptr;
    QLineEdit* m_next = nullptr;
    NoticeLog* m_log = nullptr;

    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(m_grid, Qt::Key(key), modifiers);
    }
    void Click(int row, int col, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
               Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(m_grid->viewport(), button, modifiers,
                          m_grid->GetCellRect(row, col).center());
    }
    // The viewport drawn at one image pixel per logical pixel, whatever the screen's scale.
    QImage Shot() const
    {
        QImage image(m_grid->viewport()->size(), QImage::Format_ARGB32);
        m_grid->viewport()->render(&image);
        return image;
    }
    // A colour as a pixel of the screen shows it.
    static QColor Px(const QColor& colour) { return QColor(colour.rgb()); }

private slots:
    void init()
    {
        m_dialog = new KeyCatcher;
        auto* layout = new QVBoxLayout(m_dialog);
        layout->addWidget(m_grid = new CGridCtrl(m_dialog));
        layout->addWidget(m_next = new QLineEdit(m_dialog));
        SetClientSize(*m_grid, kClient);
        m_grid->setFixedSize(m_grid->size());
        FillLikeDialog(*m_grid, 41, 3, 1, kRowHeight, 80, true);
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_dialog));
        m_grid->setFocus();
        m_log = new NoticeLog(*m_grid);
    }
    void cleanup() { delete m_dialog; }

    void arrowSendsChangingAndChangedBeforeMovingTheFocus()
    {
        m_grid->SetSelectedRange(3, 0, 3, 2);
        m_grid->SetFocusCell(3, 0);
        Key(Qt::Key_Down);
        // The dialog compares the notified row with the focus row, so both notifications come
        // while the focus is still on the old cell.
        QCOMPARE(m_log->Text(), QString("-100:4,0 -101:4,0"));
        QCOMPARE(m_log->notices[1].focusThen, CCellID(3, 0));
        QCOMPARE(m_grid->GetFocusCell(), CCellID(4, 0));
        QCOMPARE(m_grid->GetSelectedCellRange(), CCellRange(4, 0, 4, 2));
        // In list mode the focus moves by cell, the selection stays the whole row.
        Key(Qt::Key_Right);
        QCOMPARE(m_grid->GetFocusCell(), CCellID(4, 1));
        QCOMPARE(m_grid->GetSelectedCellRange(), CCellRange(4, 0, 4, 2));
    }

    void shiftArrowExtendsFromTheAnchor()
    {
        m_grid->SetSingleRowSelection(false);
        Click(5, 1);
        for (int key : {Qt::Key_Down, Qt::Key_Down})
            Key(key, Qt::ShiftModifier);
        QCOMPARE(m_grid->GetSelectedCellRange(), CCellRange(5, 0, 7, 2));
        for (int key : {Qt::Key_Up, Qt::Key_Up, Qt::Key_Up})
            Key(key, Qt::ShiftModifier);
        QCOMPARE(m_grid->GetSelectedCellRange(), CCellRange(4, 0, 5, 2));
        Key(Qt::Key_Down); // a plain key starts afresh
        QCOMPARE(m_grid->GetSelectedCellRange(), CCellRange(5, 0, 5, 2));
    }

    void movingKeysScrollByWholeRowsAndStopAtTheEdges()
    {
        const int page = kClient.height() - kRowHeight; // ten rows
        const int end = 41 * kRowHeight - kClient.height();
        const struct {
            int key;
            Qt::KeyboardModifiers modifiers;
            int times;
            CCellID focus;
            int scrollPos;
        } steps[] = {
            {Qt::Key_Down, {}, 1, {11, 0}, kRowHeight}, // from the last fully visible row
            {Qt::Key_Down, {}, 1, {12, 0}, 2 * kRowHeight},
            {Qt::Key_Up, {}, 12, {1, 0}, 0}, // the header row is never reached
            {Qt::Key_End, {}, 1, {1, 2}, 0},
            {Qt::Key_PageDown, {}, 1, {11, 2}, page},
            {Qt::Key_PageUp, {}, 1, {1, 2}, 0},
            {Qt::Key_Home, {}, 1, {1, 0}, 0},
            {Qt::Key_End, Qt::ControlModifier, 1, {40, 2}, end},
            {Qt::Key_PageDown, {}, 1, {40, 2}, end}, // already at the end
            {Qt::Key_Home, Qt::ControlModifier, 1, {1, 0}, 0},
        };
        m_grid->SetFocusCell(10, 0);
        for (const auto& step : steps) {
            for (int i = 0; i < step.times; ++i)
                Key(step.key, step.modifiers);
            QCOMPARE(m_grid->GetFocusCell(), step.focus);
            QCOMPARE(m_grid->GetScrollPos(), step.scrollPos);
        }
        QCOMPARE(m_grid->GetScrollLimit(), end);
        QCOMPARE(m_grid->GetSelectedCellRange(), CCellRange(1, 0, 1, 2));
        m_log->notices.clear();
        Key(Qt::Key_Up);
        Key(Qt::Key_Left);
        QCOMPARE(m_log->Text(), QString()); // nothing moved, nothing changed
        // Without a focus cell the first key lands on the first cell.
        m_grid->ResetSelectedRange();
        Key(Qt::Key_Down);
        QCOMPARE(m_grid->GetFocusCell(), CCellID(1, 0));
        QCOMPARE(m_grid->GetSelectedCellRange(), CCellRange(1, 0, 1, 2));
    }

    // Ctrl+A selects every row despite the one-row setting; Ctrl+C and Ctrl+Insert copy.
    void ctrlASelectsAllAndCtrlCOrInsertCopies()
    {
        m_grid->SetFocusCell(4, 0);
        Key(Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(m_grid->GetSelectedCellRange(), CCellRange(1, 0, 40, 2));
        QCOMPARE(m_grid->GetSelectedCount(), 40 * 3);
        QCOMPARE(m_log->Text(), QString("-100:4,0 -101:4,0"));
        m_grid->SetSelectedRange(2, 0, 3, 2);
        for (int key : {Qt::Key_C, Qt::Key_Insert}) {
            QApplication::clipboard()->clear();
            Key(key, Qt::ControlModifier);
            QCOMPARE(QApplication::clipboard()->text(), QString("r2c0\tr2c1\tr2c2\r\nr3c0\tr3c1\tr3c2"));
        }
    }

    void keysForTheDialogPassThrough()
    {
        const std::vector<int> keys{Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape, Qt::Key_Delete, Qt::Key_F2};
        m_grid->SetFocusCell(39, 2);
        for (int key : keys)
            Key(key);
        QVERIFY(m_dialog->keys == keys && m_log->notices.empty());
        Key(Qt::Key_Tab); // Tab walks the cells, and from the last one on to the dialog
        QVERIFY(m_grid->GetFocusCell() == CCellID(40, 0) && m_grid->hasFocus());
        m_grid->SetFocusCell(40, 2);
        Key(Qt::Key_Tab);
        QVERIFY(m_next->hasFocus());
    }

    void aDialogCanRefillTheGridWhileNotified()
    {
        // The file browser refills its grid from notifications; the grid must not go on with
        // cells that are gone.
        m_grid->SetFocusCell(3, 0);
        connect(m_grid, &CGridCtrl::gridNotify, m_grid, [this](int code, int, int) {
            if (code == GVN_SELCHANGING)
                FillLikeDialog(*m_grid, 2, 3, 1, kRowHeight, 80, true);
        });
        Key(Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(m_grid->GetRowCount(), 2);
        QVERIFY(!m_grid->GetSelectedCellRange().IsValid());
        Click(1, 0);
        QCOMPARE(m_grid->GetRowCount(), 2);
    }

    void clicksSelectAndNotifyInOrder()
    {
        QWidget* viewport = m_grid->viewport();
        const QPoint at = m_grid->GetCellRect(4, 1).center();
        QTest::mousePress(viewport, Qt::LeftButton, {}, at);
        QCOMPARE(m_log->Text(), QString("-210:4,1 -100:4,1"));
        QCOMPARE(m_grid->GetFocusCell(), CCellID(4, 1));
        QCOMPARE(m_grid->GetSelectedCellRange(), CCellRange(4, 0, 4, 2));
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, at);
        QCOMPARE(m_log->Text(), QString("-210:4,1 -100:4,1 -101:4,1 -2:4,1"));
        QVERIFY(m_grid->hasFocus());
        // A double click sends only itself; outside the cells neither button sends anything.
        m_log->notices.clear();
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, at);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, at);
        QTest::mouseClick(viewport, Qt::LeftButton, {}, kRightOfTheCells);
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, kRightOfTheCells);
        QCOMPARE(m_log->Text(), QString("-3:4,1"));
        QCOMPARE(m_grid->GetSelectedCellRange(), CCellRange(4, 0, 4, 2));
        // On the header the focus goes and the selection stays.
        m_log->notices.clear();
        Click(0, 1);
        QCOMPARE(m_grid->GetFocusCell(), CCellID());
        QCOMPARE(m_grid->GetSelectedCellRange(), CCellRange(4, 0, 4, 2));
        QCOMPARE(m_log->Text(), QString("-210:0,1 -100:0,1 -101:-1,-1 -2:0,1"));
    }

    void ctrlAndShiftClicks()
    {
        const auto ctrl = Qt::ControlModifier, shift = Qt::ShiftModifier;
        const struct {
            bool severalRows;
            int row, col;
            Qt::KeyboardModifiers modifiers;
            Rows selected;
            const char* notices = nullptr;
        } clicks[] = {
            // In a one-row grid they select the clicked row alone.
            {false, 2, 0, {}, {2}}, {false, 5, 0, ctrl, {5}}, {false, 7, 0, shift, {7}},
            // Ctrl adds a row or takes a selected one out again.
            {true, 2, 0, {}, {2}}, {true, 4, 1, ctrl, {2, 4}}, {true, 6, 2, ctrl, {2, 4, 6}},
            {true, 4, 0, ctrl, {2, 6}, "-210:4,0 -101:4,0 -2:4,0"},
            // Shift selects from the anchor to the clicked row; a plain click on a selected row
            // selects that row alone.
            {true, 3, 0, {}, {3}}, {true, 7, 2, shift, {3, 4, 5, 6, 7}}, {true, 5, 1, shift, {3, 4, 5}},
            {true, 9, 0, ctrl | shift, {3, 4, 5, 6, 7, 8, 9}}, {true, 4, 0, {}, {4}},
        };
        for (const auto& c : clicks) {
            if (m_grid->GetSingleRowSelection() == c.severalRows)
                m_grid->SetSingleRowSelection(!c.severalRows);
            m_log->notices.clear();
            Click(c.row, c.col, c.modifiers);
            QCOMPARE(m_grid->GetSelectedRows(), c.selected);
            QCOMPARE(m_grid->GetFocusCell(), CCellID(c.row, c.col));
            if (c.notices)
                QCOMPARE(m_log->Text(), QString(c.notices));
        }
    }

    void rightClickReportsTheCellAndKeepsTheSelection()
    {
        m_grid->SetSingleRowSelection(false);
        m_grid->SetSelectedRange(2, 0, 5, 2);
        m_grid->SetFocusCell(2, 0);
        QPoint globalPos;
        connect(m_grid, &CGridCtrl::rightClicked, this, [&globalPos](int, int, const QPoint& pos) { globalPos = pos; });
        const QPoint at = m_grid->GetCellRect(8, 1).center();
        Click(8, 1, {}, Qt::RightButton);
        QCOMPARE(globalPos, m_grid->viewport()->mapToGlobal(at));
        QVERIFY(m_grid->GetSelectedCellRange() == CCellRange(2, 0, 5, 2) && m_grid->GetFocusCell() == CCellID(2, 0));
        QContextMenuEvent menu(QContextMenuEvent::Mouse, at, m_grid->viewport()->mapToGlobal(at));
        QApplication::sendEvent(m_grid->viewport(), &menu);
        QVERIFY(menu.isAccepted()); // the dialog does not get a second request for a menu
        QTest::mouseClick(m_grid->viewport(), Qt::RightButton, {}, kRightOfTheCells);
        QCOMPARE(m_log->Text(), QString("-5:8,1 -5:-1,-1"));
    }

    void dragSelectsRowsAndScrollsPastTheEdge()
    {
        m_grid->SetSingleRowSelection(false);
        QWidget* viewport = m_grid->viewport();
        QTest::mousePress(viewport, Qt::LeftButton, {}, m_grid->GetCellRect(3, 0).center());
        QTest::mouseMove(viewport, m_grid->GetCellRect(6, 1).center());
        QCOMPARE(m_grid->GetSelectedRows(), (Rows{3, 4, 5, 6}));
        QCOMPARE(m_grid->GetFocusCell(), CCellID(6, 1));
        // Below the window the timer scrolls a row at a time and the selection follows.
        const QPoint below(40, kClient.height() + 15);
        QTest::mouseMove(viewport, below);
        QTRY_VERIFY(m_grid->GetScrollPos() >= 3 * kRowHeight);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, below);
        const int scrolled = m_grid->GetScrollPos();
        QCOMPARE(scrolled % kRowHeight, 0);
        const int lastVisible = 10 + scrolled / kRowHeight;
        QCOMPARE(m_grid->GetSelectedCellRange(), CCellRange(3, 0, lastVisible, 2));
        QCOMPARE(m_grid->GetFocusCell().row, lastVisible);
        QTest::qWait(60);
        QCOMPARE(m_grid->GetScrollPos(), scrolled); // the release stopped the timer
        QCOMPARE(m_log->notices.back().code, int(NM_CLICK));
        QCOMPARE(m_log->notices.back().row, 3);
    }

    void wheelScrollsTheSystemsLinesPerNotch()
    {
        // Half a notch waits for the other half.
        const struct {
            int lines, delta, rows;
        } turns[] = {{3, -120, 3}, {3, -60, 3}, {3, -60, 6}, {3, 240, 0}, {1, -360, 3}};
        for (const auto& turn : turns) {
            QApplication::setWheelScrollLines(turn.lines);
            const QPointF at(50, 50);
            QWheelEvent wheel(at, m_grid->viewport()->mapToGlobal(at), QPoint(), QPoint(0, turn.delta), Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(m_grid->viewport(), &wheel);
            QCOMPARE(m_grid->GetScrollPos(), turn.rows * kRowHeight);
        }
        QApplication::setWheelScrollLines(3);
    }

    void lineStepsFollowRowHeightsAndTheHeaderStays()
    {
        for (auto [row, height] : {std::pair{1, 35}, {2, 0}, {3, 12}})
            m_grid->SetRowHeight(row, height);
        m_grid->ScrollLines(1);
        QCOMPARE(m_grid->GetScrollPos(), 35);
        m_grid->ScrollLines(1); // row 2 has no height, row 3 is next
        QCOMPARE(m_grid->GetScrollPos(), 47);
        QCOMPARE(m_grid->GetCellFromPt(QPoint(5, 5)), CCellID(0, 0));
        QCOMPARE(m_grid->GetCellFromPt(QPoint(5, kRowHeight + 1)), CCellID(4, 0));
        m_grid->ScrollLines(-2);
        QCOMPARE(m_grid->GetScrollPos(), 0);
        // The scroll bar's arrow moves by rows too.
        m_grid->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(m_grid->GetScrollPos(), 35);
    }

    // Grid lines light grey on the right and bottom of each cell, white beyond the cells; the
    // selected row highlighted and its focus cell framed in the selected text's colour.
    void gridLinesSelectionAndFocusFrameArePainted()
    {
        m_grid->SetRowCount(5);
        m_grid->SetItemText(1, 0, QString());
        m_grid->SetItemText(2, 0, QString());
        m_grid->SetSelectedRange(2, 0, 2, 2);
        m_grid->SetFocusCell(2, 0);
        const QImage image = Shot();
        const QColor line(192, 192, 192), base = Px(m_grid->palette().color(QPalette::Base)), white(Qt::white);
        const QColor highlight = Px(m_grid->GetHighlightColor()), frame = Px(m_grid->GetHighlightTextColor());
        // Row 1 spans y 20..39, column 0 x 0..79; row 2, selected, y 40..59.
        const struct {
            int x, y;
            QColor colour;
        } pixels[] = {
            {40, 25, base}, {79, 25, line}, {40, 39, line}, {78, 38, base}, {kRightOfTheCells.x(), 25, white}, {40, 150, white},
            {40, 50, highlight}, {120, 50, highlight}, {80, 50, highlight}, // no frame in the next cell
            {0, 50, frame}, {40, 40, frame},
        };
        for (const auto& p : pixels)
            QVERIFY2(QColor(image.pixel(p.x, p.y)) == p.colour,
                     qPrintable(QStringLiteral("at %1,%2").arg(p.x).arg(p.y)));
    }

    void ampersandIsShownAndLongTextEndsInAnEllipsis()
    {
        const QRect cell(0, 20, 79, 19);
        m_grid->SetItemText(1, 0, QString());
        const QImage empty = Shot().copy(cell);
        m_grid->SetItemText(1, 0, "&");
        QVERIFY(Shot().copy(cell) != empty);
        // The ellipsis is Qt's end elision of the text for the cell's width.
        const QString text = "A channel name much too long for a column of eighty pixels";
        m_grid->SetItemText(1, 0, text);
        const QImage elided = Shot().copy(cell);
        m_grid->SetItemFormat(1, 0, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
        m_grid->SetItemText(1, 0, QFontMetrics(m_grid->font()).elidedText(text, Qt::ElideRight, 79));
        QCOMPARE(Shot().copy(cell), elided);
        m_grid->SetItemText(1, 0, text);
        QVERIFY(Shot().copy(cell) != elided);
    }
};

QTEST_MAIN(GridViewTest)
#include "GridViewTest.moc"
