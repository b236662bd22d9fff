// The grid driven by key, mouse and wheel events as a user would: selection, focus,
// notifications (codes and order) and scroll positions.
#include "GridTestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>

namespace {

// A dialog-like parent that records the keys its grid passed on.
class KeyCatcher : public QWidget {
public:
    std::vector<int> keys;

protected:
    void keyPressEvent(QKeyEvent* e) override { keys.push_back(e->key()); }
};

// Ten rows of 20 pixels visible below a 20-pixel header.
constexpr int kRowHeight = 20;
constexpr QSize kClient(300, 220);

} // namespace

class GridInputTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void arrowSendsChangingAndChangedBeforeMovingTheFocus();
    void shiftArrowExtendsFromTheAnchorAndTabStartsAgain();
    void arrowsSkipHiddenRowsAndStopAtTheEdges();
    void arrowAtTheEdgeScrollsOneRow();
    void pageHomeAndEndKeys();
    void ctrlASelectsAllWithNotifications();
    void tabWalksTheCellsAndLeavesAtTheEnd();
    void enterEscapeAndEditingKeysReachTheDialog();
    void ctrlCCopiesTheSelection();
    void aDialogCanRefillTheGridWhileNotified();

    void clickSelectsTheRowAndNotifiesInOrder();
    void ctrlAndShiftClicksInAMultiRowGrid();
    void ctrlClickInAOneRowGridReplaces();
    void clickOnTheHeaderRemovesTheFocusOnly();
    void clickOutsideTheCellsSendsNothing();
    void doubleClickSendsDoubleClickOnly();
    void rightClickReportsTheCellAndKeepsTheSelection();
    void dragSelectsRowsAndScrollsPastTheEdge();

    void wheelScrollsTheSystemsLinesPerNotch();
    void lineStepsFollowRowHeightsAndTheHeaderStays();
    void ensureVisibleScrollsByWholeRows();

private:
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(m_grid, Qt::Key(key), modifiers);
    }
    void Click(int row, int col, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
               Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(m_grid->viewport(), button, modifiers, CellCentre(*m_grid, row, col));
    }

    KeyCatcher* m_dialog = nullptr;
    CGridCtrl* m_grid = nullptr;
    QLineEdit* m_next = nullptr;
    NoticeLog* m_log = nullptr;
};

void GridInputTest::init()
{
    m_dialog = new KeyCatcher;
    auto* layout = new QVBoxLayout(m_dialog);
    m_grid = new CGridCtrl(m_dialog);
    m_next = new QLineEdit(m_dialog);
    layout->addWidget(m_grid);
    layout->addWidget(m_next);
    SetClientSize(*m_grid, kClient);
    m_grid->setFixedSize(m_grid->size());
    FillLikeDialog(*m_grid, 41, 3, 1, kRowHeight, 80, true);
    m_dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_dialog));
    m_grid->setFocus();
    m_log = new NoticeLog(*m_grid);
}

void GridInputTest::cleanup()
{
    delete m_log;
    delete m_dialog;
}

void GridInputTest::arrowSendsChangingAndChangedBeforeMovingTheFocus()
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

void GridInputTest::shiftArrowExtendsFromTheAnchorAndTabStartsAgain()
{
    m_grid->SetSingleRowSelection(false);
    Click(5, 1);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(m_grid->GetSelectedCellRange(), CCellRange(5, 0, 7, 2));
    Key(Qt::Key_Up, Qt::ShiftModifier);
    Key(Qt::Key_Up, Qt::ShiftModifier);
    Key(Qt::Key_Up, Qt::ShiftModifier);
    QCOMPARE(m_grid->GetSelectedCellRange(), CCellRange(4, 0, 5, 2));
    Key(Qt::Key_Tab, Qt::ShiftModifier); // Shift+Tab goes back a cell and starts afresh
    QCOMPARE(m_grid->GetFocusCell(), CCellID(4, 0));
    QCOMPARE(m_grid->GetSelectedCellRange(), CCellRange(4, 0, 4, 2));
    Key(Qt::Key_Down);
    QCOMPARE(m_grid->GetSelectedCellRange(), CCellRange(5, 0, 5, 2));
}

void GridInputTest::arrowsSkipHiddenRowsAndStopAtTheEdges()
{
    m_grid->SetRowHeight(2, 0);
    m_grid->SetFocusCell(1, 0);
    Key(Qt::Key_Down);
    QCOMPARE(m_grid->GetFocusCell(), CCellID(3, 0));
    Key(Qt::Key_Up);
    Key(Qt::Key_Up); // the header row is never reached
    QCOMPARE(m_grid->GetFocusCell(), CCellID(1, 0));
    m_log->Clear();
    Key(Qt::Key_Up);
    Key(Qt::Key_Left);
    QCOMPARE(m_log->Text(), QString()); // nothing moved, nothing changed
    // Without a focus cell the first key lands on the first cell.
    m_grid->ResetSelectedRange();
    Key(Qt::Key_Down);
    QCOMPARE(m_grid->GetFocusCell(), CCellID(1, 0));
    QCOMPARE(m_grid->GetSelectedCellRange(), CCellRange(1, 0, 1, 2));
}

void GridInputTest::arrowAtTheEdgeScrollsOneRow()
{
    m_grid->SetFocusCell(10, 0); // the last fully visible row
    QCOMPARE(m_grid->GetScrollPos(), 0);
    Key(Qt::Key_Down);
    QCOMPARE(m_grid->GetScrollPos(), kRowHeight);
    Key(Qt::Key_Down);
    QCOMPARE(m_grid->GetScrollPos(), 2 * kRowHeight);
    QCOMPARE(m_grid->GetTopleftNonFixedCell(), CCellID(3, 0));
    for (int i = 0; i < 11; ++i)
        Key(Qt::Key_Up);
    QCOMPARE(m_grid->GetFocusCell(), CCellID(1, 0));
    QCOMPARE(m_grid->GetScrollPos(), 0);
}

void GridInputTest::pageHomeAndEndKeys()
{
    const int page = kClient.height() - kRowHeight; // ten rows
    m_grid->SetFocusCell(2, 1);
    Key(Qt::Key_PageDown);
    QCOMPARE(m_grid->GetFocusCell(), CCellID(12, 1));
    QCOMPARE(m_grid->GetScrollPos(), page);
    Key(Qt::Key_PageUp);
    QCOMPARE(m_grid->GetFocusCell(), CCellID(2, 1));
    QCOMPARE(m_grid->GetScrollPos(), 0);
    Key(Qt::Key_End);
    QCOMPARE(m_grid->GetFocusCell(), CCellID(2, 2));
    Key(Qt::Key_Home);
    QCOMPARE(m_grid->GetFocusCell(), CCellID(2, 0));
    Key(Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(m_grid->GetFocusCell(), CCellID(40, 2));
    QCOMPARE(m_grid->GetScrollPos(), m_grid->GetScrollLimit());
    QCOMPARE(m_grid->GetScrollLimit(), 41 * kRowHeight - kClient.height());
    Key(Qt::Key_PageDown); // already at the end
    QCOMPARE(m_grid->GetFocusCell(), CCellID(40, 2));
    Key(Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(m_grid->GetFocusCell(), CCellID(1, 0));
    QCOMPARE(m_grid->GetScrollPos(), 0);
    QCOMPARE(m_grid->GetSelectedCellRange(), CCellRange(1, 0, 1, 2));
}

void GridInputTest::ctrlASelectsAllWithNotifications()
{
    m_grid->SetFocusCell(4, 0);
    Key(Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(m_grid->GetSelectedCellRange(), CCellRange(1, 0, 40, 2));
    QCOMPARE(m_grid->GetSelectedCount(), 40 * 3);
    QCOMPARE(m_log->Text(), QString("-100:4,0 -101:4,0"));
}

void GridInputTest::tabWalksTheCellsAndLeavesAtTheEnd()
{
    m_grid->SetFocusCell(1, 2);
    Key(Qt::Key_Tab);
    QCOMPARE(m_grid->GetFocusCell(), CCellID(2, 0));
    Key(Qt::Key_Tab, Qt::ShiftModifier);
    QCOMPARE(m_grid->GetFocusCell(), CCellID(1, 2));
    QVERIFY(m_grid->hasFocus());

    m_grid->SetFocusCell(40, 2);
    Key(Qt::Key_Tab);
    QCOMPARE(m_grid->GetFocusCell(), CCellID(40, 2));
    QVERIFY(m_next->hasFocus()); // the end of the grid hands Tab to the dialog
}

void GridInputTest::enterEscapeAndEditingKeysReachTheDialog()
{
    m_grid->SetFocusCell(2, 0);
    for (int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape, Qt::Key_Delete, Qt::Key_F2})
        Key(key);
    QCOMPARE(m_dialog->keys, (std::vector<int>{Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape,
                                               Qt::Key_Delete, Qt::Key_F2}));
    QCOMPARE(m_grid->GetFocusCell(), CCellID(2, 0));
    QCOMPARE(m_log->Text(), QString());

    // The main window's filter on the grid sees Ctrl+Up before the grid can move.
    struct Filter : QObject {
        int seen = 0;
        bool eventFilter(QObject*, QEvent* e) override
        {
            if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Up) {
                ++seen;
                return true;
            }
            return false;
        }
    } filter;
    Click(3, 0);
    QCOMPARE(QApplication::focusWidget(), m_grid);
    m_grid->installEventFilter(&filter);
    Key(Qt::Key_Up, Qt::ControlModifier);
    QCOMPARE(filter.seen, 1);
    QCOMPARE(m_grid->GetFocusCell(), CCellID(3, 0));
}

void GridInputTest::ctrlCCopiesTheSelection()
{
    m_grid->SetSingleRowSelection(false);
    Click(2, 0);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    QApplication::clipboard()->clear();
    Key(Qt::Key_C, Qt::ControlModifier);
    const QString expected("r2c0\tr2c1\tr2c2\r\nr3c0\tr3c1\tr3c2");
    QCOMPARE(QApplication::clipboard()->text(), expected);
    QApplication::clipboard()->clear();
    Key(Qt::Key_Insert, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), expected);
}

void GridInputTest::aDialogCanRefillTheGridWhileNotified()
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

void GridInputTest::clickSelectsTheRowAndNotifiesInOrder()
{
    QTest::mousePress(m_grid->viewport(), Qt::LeftButton, {}, CellCentre(*m_grid, 4, 1));
    QCOMPARE(m_log->Text(), QString("-210:4,1 -100:4,1"));
    QCOMPARE(m_grid->GetFocusCell(), CCellID(4, 1));
    QCOMPARE(m_grid->GetSelectedCellRange(), CCellRange(4, 0, 4, 2));
    QTest::mouseRelease(m_grid->viewport(), Qt::LeftButton, {}, CellCentre(*m_grid, 4, 1));
    QCOMPARE(m_log->Text(), QString("-210:4,1 -100:4,1 -101:4,1 -2:4,1"));
    QVERIFY(m_grid->hasFocus());
}

void GridInputTest::ctrlAndShiftClicksInAMultiRowGrid()
{
    m_grid->SetSingleRowSelection(false);
    Click(2, 0);
    Click(4, 1, Qt::ControlModifier); // adds a row
    Click(6, 2, Qt::ControlModifier);
    QCOMPARE(m_grid->GetSelectedRows(), (std::vector<int>{2, 4, 6}));
    QCOMPARE(m_grid->GetFocusCell(), CCellID(6, 2));
    m_log->Clear();
    Click(4, 0, Qt::ControlModifier); // a selected row comes out again
    QCOMPARE(m_grid->GetSelectedRows(), (std::vector<int>{2, 6}));
    QCOMPARE(m_grid->GetFocusCell(), CCellID(4, 0));
    QCOMPARE(m_log->Text(), QString("-210:4,0 -101:4,0 -2:4,0"));

    Click(3, 0);
    Click(7, 2, Qt::ShiftModifier); // from the anchor to the clicked row
    QCOMPARE(m_grid->GetSelectedRows(), (std::vector<int>{3, 4, 5, 6, 7}));
    Click(5, 1, Qt::ShiftModifier);
    QCOMPARE(m_grid->GetSelectedRows(), (std::vector<int>{3, 4, 5}));
    Click(9, 0, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(m_grid->GetSelectedRows(), (std::vector<int>{3, 4, 5, 6, 7, 8, 9}));
    // A plain click on a selected row selects that row alone.
    Click(4, 0);
    QCOMPARE(m_grid->GetSelectedRows(), (std::vector<int>{4}));
}

void GridInputTest::ctrlClickInAOneRowGridReplaces()
{
    Click(2, 0);
    Click(5, 0, Qt::ControlModifier);
    QCOMPARE(m_grid->GetSelectedRows(), (std::vector<int>{5}));
    Click(7, 0, Qt::ShiftModifier);
    QCOMPARE(m_grid->GetSelectedRows(), (std::vector<int>{7}));
}

void GridInputTest::clickOnTheHeaderRemovesTheFocusOnly()
{
    Click(3, 0);
    m_log->Clear();
    Click(0, 1);
    QCOMPARE(m_grid->GetFocusCell(), CCellID());
    QCOMPARE(m_grid->GetSelectedCellRange(), CCellRange(3, 0, 3, 2));
    QCOMPARE(m_log->Text(), QString("-210:0,1 -100:0,1 -101:-1,-1 -2:0,1"));
}

void GridInputTest::clickOutsideTheCellsSendsNothing()
{
    FillLikeDialog(*m_grid, 4, 2, 1, kRowHeight, 80, true);
    Click(2, 0);
    m_log->Clear();
    QTest::mouseClick(m_grid->viewport(), Qt::LeftButton, {}, QPoint(250, 200));
    QCOMPARE(m_log->Text(), QString());
    QCOMPARE(m_grid->GetSelectedCellRange(), CCellRange(2, 0, 2, 1));
}

void GridInputTest::doubleClickSendsDoubleClickOnly()
{
    const QPoint at = CellCentre(*m_grid, 6, 1);
    Click(6, 1);
    m_log->Clear();
    QTest::mouseDClick(m_grid->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(m_grid->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(m_log->Text(), QString("-3:6,1"));
    QTest::mouseDClick(m_grid->viewport(), Qt::LeftButton, {}, QPoint(5, 300));
    QCOMPARE(m_log->Text(), QString("-3:6,1"));
}

void GridInputTest::rightClickReportsTheCellAndKeepsTheSelection()
{
    m_grid->SetSingleRowSelection(false);
    m_grid->SetSelectedRange(2, 0, 5, 2);
    m_grid->SetFocusCell(2, 0);
    QPoint globalPos;
    connect(m_grid, &CGridCtrl::rightClicked, this,
            [&globalPos](int, int, const QPoint& pos) { globalPos = pos; });
    Click(8, 1, {}, Qt::RightButton);
    QCOMPARE(m_log->Text(), QString("-5:8,1"));
    QCOMPARE(globalPos, m_grid->viewport()->mapToGlobal(CellCentre(*m_grid, 8, 1)));
    QCOMPARE(m_grid->GetSelectedCellRange(), CCellRange(2, 0, 5, 2));
    QCOMPARE(m_grid->GetFocusCell(), CCellID(2, 0));
    const QPoint at = CellCentre(*m_grid, 8, 1);
    QContextMenuEvent menu(QContextMenuEvent::Mouse, at, m_grid->viewport()->mapToGlobal(at));
    QApplication::sendEvent(m_grid->viewport(), &menu);
    QVERIFY(menu.isAccepted()); // the dialog does not get a second request for a menu

    FillLikeDialog(*m_grid, 3, 2, 1, kRowHeight, 80, false);
    m_log->Clear();
    QTest::mouseClick(m_grid->viewport(), Qt::RightButton, {}, QPoint(250, 200));
    QCOMPARE(m_log->Text(), QString("-5:-1,-1"));
}

void GridInputTest::dragSelectsRowsAndScrollsPastTheEdge()
{
    m_grid->SetSingleRowSelection(false);
    QWidget* viewport = m_grid->viewport();
    QTest::mousePress(viewport, Qt::LeftButton, {}, CellCentre(*m_grid, 3, 0));
    QTest::mouseMove(viewport, CellCentre(*m_grid, 6, 1));
    QCOMPARE(m_grid->GetSelectedRows(), (std::vector<int>{3, 4, 5, 6}));
    QCOMPARE(m_grid->GetFocusCell(), CCellID(6, 1));

    // Below the window the timer scrolls a row at a time and the selection follows.
    QTest::mouseMove(viewport, QPoint(40, kClient.height() + 15));
    QTRY_VERIFY(m_grid->GetScrollPos() >= 3 * kRowHeight);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, QPoint(40, kClient.height() + 15));
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

void GridInputTest::wheelScrollsTheSystemsLinesPerNotch()
{
    auto turn = [this](int delta) {
        const QPointF at(50, 50);
        QWheelEvent wheel(at, m_grid->viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(m_grid->viewport(), &wheel);
    };
    QApplication::setWheelScrollLines(3);
    turn(-120);
    QCOMPARE(m_grid->GetScrollPos(), 3 * kRowHeight);
    turn(-60); // half a notch waits for the other half
    QCOMPARE(m_grid->GetScrollPos(), 3 * kRowHeight);
    turn(-60);
    QCOMPARE(m_grid->GetScrollPos(), 6 * kRowHeight);
    turn(240);
    QCOMPARE(m_grid->GetScrollPos(), 0);
    QApplication::setWheelScrollLines(1);
    turn(-360);
    QCOMPARE(m_grid->GetScrollPos(), 3 * kRowHeight);
    QApplication::setWheelScrollLines(3);
}

void GridInputTest::lineStepsFollowRowHeightsAndTheHeaderStays()
{
    m_grid->SetRowHeight(1, 35);
    m_grid->SetRowHeight(2, 0);
    m_grid->SetRowHeight(3, 12);
    m_grid->ScrollLines(1);
    QCOMPARE(m_grid->GetScrollPos(), 35);
    m_grid->ScrollLines(1); // row 2 has no height, row 3 is next
    QCOMPARE(m_grid->GetScrollPos(), 47);
    QCOMPARE(m_grid->GetCellFromPt(QPoint(5, 5)), CCellID(0, 0));
    QCOMPARE(m_grid->GetCellFromPt(QPoint(5, kRowHeight + 1)), CCellID(4, 0));
    m_grid->ScrollLines(-1);
    QCOMPARE(m_grid->GetScrollPos(), 35);
    m_grid->ScrollLines(-1);
    QCOMPARE(m_grid->GetScrollPos(), 0);
    // The scroll bar's arrow moves by rows too.
    m_grid->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(m_grid->GetScrollPos(), 35);
    m_grid->ScrollLines(1000);
    QCOMPARE(m_grid->GetScrollPos(), m_grid->GetScrollLimit());
}

void GridInputTest::ensureVisibleScrollsByWholeRows()
{
    m_grid->EnsureVisible(25, 0);
    QCOMPARE(m_grid->GetScrollPos(), (25 - 10) * kRowHeight);
    m_grid->EnsureVisible(20, 0); // already shown
    QCOMPARE(m_grid->GetScrollPos(), (25 - 10) * kRowHeight);
    m_grid->EnsureVisible(3, 0);
    QCOMPARE(m_grid->GetScrollPos(), 2 * kRowHeight);
    m_grid->EnsureVisible(0, 0); // the header is always visible
    QCOMPARE(m_grid->GetScrollPos(), 2 * kRowHeight);
}

QTEST_MAIN(GridInputTest)
#include "GridInputTest.moc"
