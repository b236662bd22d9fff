// The main window's own channel commands against a simulated box: delete, move and lock under
// "SAT" by keys and the context menu, and live streaming from the channel list.
#include "grid/CGridCtrl.h"
#include "res/ResourceIds.h"
#include "tests/app/MainWindowHarness.h"
#include "tests/support/ui/QtTestMain.h"
#include "tests/support/ui/PinAnswer.h"

#include <QMenu>
#include <QTest>

namespace {

using Enabled = std::map<int, bool>;
using Rows = std::vector<int>;

// The first rows of the view whose channel is locked (or unlocked) and, for streaming, whose
// row is not its table index.
Rows RowsWhere(const CMainDlg& w, bool locked, int count)
{
    Rows rows;
    for (int r = 0; r < w.channelView().size() && int(rows.size()) < count; ++r)
        if ((w.channelView().records[std::size_t(r)].lock() == 1) == locked && w.channelView().tableIndices[std::size_t(r)] != r)
            rows.push_back(r);
    return rows;
}

// Locked in the table, the view and the grid's mark alike.
bool Locked(CMainDlg& w, int row)
{
    const auto r = std::size_t(row);
    return w.state().db.channel(w.channelView().tableIndices[r]).lock() == 1 &&
           w.channelView().records[r].lock() == 1 && w.channelGrid().GetItemImage(row, 3) == 2;
}

int StreamRequests(StbSimulator& box, const std::string& exact = {})
{
    int n = 0;
    for (const std::string& r : box.Requests())
        n += r.starts_with("SIG_STR_START") && (exact.empty() || r == exact);
    return n;
}

} // namespace

class ChannelOperationsTest final : public QObject {
    Q_OBJECT

private slots:
    void moveAndDeleteUnderSatByKeys()
    {
        MainWindowHarness h;
        QVERIFY2(h.OpenConnected("127.0.0.140"), h.messages.last().c_str());
        CMainDlg& w = h.window();
        CGridCtrl& g = w.channelGrid();
        const int rows = g.GetRowCount();

        // At either end nothing moves, the flag stays, and the press is used up.
        ClickRow(g, 0);
        QTest::keyClick(&g, Qt::Key_Up, Qt::ControlModifier);
        ClickRow(g, rows - 1);
        QTest::keyClick(&g, Qt::Key_Down, Qt::ControlModifier);
        QVERIFY(!w.state().modified && g.GetFocusCell().row == rows - 1);

        // Rows 3 and 5 up: they become rows 2 and 3, still selected. (How blocks move is the
        // core's test; the whole table after a move, the session test's.)
        const std::string third = w.channelView().records[2].name();
        PickRows(g, {2, 4});
        QTest::keyClick(&g, Qt::Key_Up, Qt::ControlModifier);
        QVERIFY(g.GetSelectedRows() == (Rows{1, 2}) && g.GetFocusCell().row == 1 && w.state().modified);
        QCOMPARE(w.state().db.channel(w.channelView().tableIndices[1]).name(), third);

        // Delete: asked, the rows go, the scroll position stays.
        const int count = w.state().db.channelCount();
        PickRows(g, {30, 31});
        const int scroll = g.GetScrollPos();
        QTest::keyClick(&g, Qt::Key_Delete);
        QCOMPARE(h.messages.texts(), std::vector<std::string>{"Delete channel?"});
        QVERIFY(w.state().db.channelCount() == count - 2 && g.GetRowCount() == rows - 2 && g.GetScrollPos() == scroll);

        // Outside "SAT" the keys are the grid's: the cursor moves, nothing is deleted.
        ClickRow(w.categoryGrid(), 1);
        ClickRow(w.groupGrid(), 0);
        ClickRow(g, 2);
        const auto list = w.state().db.userListEntries(0, ListKind::Tv);
        QTest::keyClick(&g, Qt::Key_Delete);
        QTest::keyClick(&g, Qt::Key_Up, Qt::ControlModifier);
        QVERIFY(g.GetFocusCell().row == 1 && w.state().db.channelCount() == count - 2);
        QCOMPARE(w.state().db.userListEntries(0, ListKind::Tv), list);
    }

    void lockAndUnlockFromTheContextMenu()
    {
        MainWindowHarness h;
        QVERIFY2(h.OpenConnected("127.0.0.141"), h.messages.last().c_str());
        CMainDlg& w = h.window();
        CGridCtrl& g = w.channelGrid();
        const Rows locked = RowsWhere(w, true, 1), unlocked = RowsWhere(w, false, 2);
        QVERIFY(locked.size() == 1 && unlocked.size() == 2);
        const int l = locked[0], u = unlocked[0], v = unlocked[1];

        // A right click selects its row; "rename" means nothing here.
        Enabled on;
        QVERIFY(RightClickCommand(g, u, ID_LOCK_UNLOCK, &on));
        QVERIFY(on == (Enabled{{ID_LOCK_UNLOCK, true}, {ID_RENAME, false}}) && Locked(w, u));

        // One locked and one unlocked channel with the right PIN, from the menu key.
        auto right = AnswerPin(w.state().pin, "main-window-pin");
        PickRows(g, {l, v});
        QVERIFY(UseContextMenu([&] { QTest::keyClick(&g, Qt::Key_Menu); }, ID_LOCK_UNLOCK));
        QVERIFY(right.ran() && Locked(w, v) && w.channelGrid().GetItemImage(l, 3) == -1);
        QVERIFY(w.state().db.channel(w.channelView().tableIndices[std::size_t(l)]).lock() == 0);

        // A wrong PIN, then "Exit": the locked stay locked, the unlocked are still locked.
        h.messages.clear();
        auto wrong = AnswerPin(w.state().pin == "0000" ? "0001" : "0000");
        PickRows(g, {l, u});
        QVERIFY(UseContextMenu([&] { QTest::keyClick(&g, Qt::Key_F10, Qt::ShiftModifier); }, ID_LOCK_UNLOCK));
        QVERIFY(wrong.ran() && h.messages.texts() == std::vector<std::string>{"Wrong PIN!"});
        QVERIFY(Locked(w, l) && Locked(w, u) && !w.state().modified);

        // The menu over the window, for looking at.
        auto shot = ModalWatcher::For<QMenu>([&](QMenu* menu) {
            ShootWindow(w, "main-window-context-menu", menu);
            menu->close();
        });
        ClickRow(g, 3, Qt::RightButton);
        QVERIFY(shot.ran());

        // Outside "SAT" the command is offered but disabled.
        ClickRow(w.categoryGrid(), 2);
        QVERIFY(RightClickCommand(g, 0, 0, &on));
        QCOMPARE(on, (Enabled{{ID_LOCK_UNLOCK, false}, {ID_RENAME, false}}));
    }

    // (Which player starts with which arguments is the launcher's own test.)
    void streamingSendsTheTableIndexAndStartsThePlayer()
    {
        MainWindowHarness h;
        QVERIFY2(h.OpenConnected("127.0.0.142"), h.messages.last().c_str());
        StbSimulator& box = h.box();
        CMainDlg& w = h.window();
        CGridCtrl& g = w.channelGrid();

        const int row = RowsWhere(w, false, 1).at(0);
        const std::string request = "SIG_STR_START|" + std::to_string(w.channelView().tableIndices[std::size_t(row)]);
        DoubleClickRow(g, row);
        QVERIFY(StreamRequests(box, request) == 1 && h.player.launches == 1);
        // Enter on the current row does the same.
        QTest::keyClick(&g, Qt::Key_Return);
        QVERIFY(StreamRequests(box, request) == 2 && h.player.launches == 2);

        // A locked channel: a wrong PIN sends nothing, the right one sends its index.
        const int locked = RowsWhere(w, true, 1).at(0);
        auto wrong = AnswerPin(w.state().pin == "0000" ? "0001" : "0000");
        DoubleClickRow(g, locked);
        QVERIFY(wrong.ran() && StreamRequests(box) == 2);
        auto right = AnswerPin(w.state().pin);
        DoubleClickRow(g, locked);
        QVERIFY(right.ran());
        QCOMPARE(StreamRequests(box, "SIG_STR_START|" + std::to_string(w.channelView().tableIndices[std::size_t(locked)])), 1);

        // After a move the box's table differs: refused before anything is sent or asked.
        PickRows(g, {5});
        QTest::keyClick(&g, Qt::Key_Up, Qt::ControlModifier);
        h.messages.clear();
        DoubleClickRow(g, locked);
        QVERIFY(h.messages.texts() == std::vector<std::string>{"Update STB first!"} && StreamRequests(box) == 3);
    }
};

REGISTER_QTEST(ChannelOperationsTest);
#include "ChannelOperationsTest.moc"
