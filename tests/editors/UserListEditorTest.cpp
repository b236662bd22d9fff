// The user list editor driven with the mouse and the keyboard over its hand-over files.
#include "editors/CRenameDlg.h"
#include "grid/CGridCtrl.h"
#include "res/ResourceIds.h"
#include "tests/editors/EditorFixture.h"
#include "tests/support/ui/QtTestMain.h"

#include <QComboBox>
#include <QTest>

#include <numeric>

using Entries = std::vector<std::int32_t>;

namespace {

Entries ListOf(const CUserListDlg& e) { return e.tables().userListEntries(e.currentList(), ListKind::Tv); }

bool BlockSelected(CGridCtrl& grid, int first, int last, int focus)
{
    std::vector<int> rows(std::size_t(last - first + 1));
    std::iota(rows.begin(), rows.end(), first);
    return grid.GetSelectedRows() == rows && grid.IsCellSelected(last, 3) && grid.GetFocusCell().row == focus;
}

// Runs the rename dialog from F2 (pressed in the list, or in `at`), typing `name` and pressing
// Enter; true when that closed it.
bool RenameTo(CUserListDlg& e, const QString& name, QWidget* at = nullptr)
{
    bool closed = false;
    auto watcher = ModalWatcher::For<CRenameDlg>([&](CRenameDlg* d) {
        TypeInto(d->GetDlgItem(IDC_EDIT_NAME), name);
        PressEnter(*d);
        if (!(closed = !d->isVisible()))
            d->close();
    });
    QTest::keyClick(at ? at : &e.listGrid(), Qt::Key_F2);
    return watcher.ran() && closed;
}

} // namespace

class UserListEditorTest final : public QObject {
    Q_OBJECT

private slots:
    void opensOnTheChosenListOfItsKind()
    {
        ChannelDatabase tables = EditorTables();
        tables.setUserListName(3, "Sport");
        UserListRun tv(tables);
        CUserListDlg& e = tv.Open();
        QVERIFY(!tv.HandOverFilesLeft()); // read and deleted
        QCOMPARE(e.listCombo().itemText(2), QStringLiteral("Sport"));
        QCOMPARE(e.filterCombo().currentText(), QStringLiteral("All"));
        QCOMPARE(Column(e.listGrid()), (QStringList{"     1    Das Erste", "     2    Sky Cinema HD", QStringLiteral("     3    TRT Türk")}));
        QCOMPARE(e.listGrid().GetItemImage(1, 1) + e.listGrid().GetItemImage(1, 2), 0 + 1); // HD, scrambled
        QCOMPARE(e.channelRows().size(), 16u); // every TV channel
        QCOMPARE(e.focusWidget(), &e.channelGrid());
        PickEntry(&e.filterCombo(), 4); // the first satellite
        QCOMPARE(e.channelRows(), (std::vector<int>{0, 2, 3}));

        UserListRun radio(tables, 1);
        CUserListDlg& r = radio.Open();
        QCOMPARE(r.filterCombo().currentIndex(), 2); // "All", with no "SD/HD" before it
        QCOMPARE(Column(r.listGrid()), QStringList{"     1    Radio Eins"});
        QCOMPARE(r.listGrid().GetItemImage(0, 3), 2); // locked
    }

    void addsRemovesAndMovesByButtonsAndKeys()
    {
        UserListRun run(EditorTables());
        run.editor->m_nFirstList = 1; // empty
        CUserListDlg& e = run.Open();
        CGridCtrl& channels = e.channelGrid();
        CGridCtrl& list = e.listGrid();
        PickRows(channels, {4, 1, 2});
        QTest::mouseClick(e.GetDlgItem(IDC_BUTTON_ADD), Qt::LeftButton);
        QCOMPARE(ListOf(e), (Entries{2, 3, 5}));
        QVERIFY(BlockSelected(list, 0, 2, 2));
        // Already held: nothing happens, nothing is said. Enter and a double click add.
        ClickRow(channels, 1);
        QTest::keyClick(&channels, Qt::Key_Return);
        PickRows(channels, {6, 7, 8, 9, 10, 11, 12, 13, 14});
        QTest::keyClick(&channels, Qt::Key_Enter);
        DoubleClickRow(channels, 15);
        QCOMPARE(ListOf(e), (Entries{2, 3, 5, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}));
        QVERIFY(BlockSelected(list, 12, 12, 12));
        QCOMPARE(list.GetScrollPos(), list.GetScrollLimit());

        // Ctrl+Up with rows 2 and 4 selected: rows 1..4 hold what was at 2, 4, 1, 3.
        PickRows(list, {2, 4});
        QTest::keyClick(&list, Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(ListOf(e), (Entries{2, 5, 8, 3, 7, 9, 10, 11, 12, 13, 14, 15, 16}));
        QVERIFY(BlockSelected(list, 1, 2, 1));
        QCOMPARE(list.GetItemText(3, 0), QStringLiteral("     4    TRT Türk"));
        QTest::keyClick(&list, Qt::Key_Down, Qt::ControlModifier);
        QVERIFY(BlockSelected(list, 2, 3, 3));
        // At the top nothing moves, and the key moves no cursor either.
        ClickRow(list, 0);
        QTest::keyClick(&list, Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(list.GetFocusCell().row, 0);
        QCOMPARE(ListOf(e)[0], 2);

        // Delete asks; No keeps, "X" and Yes remove. The scroll position stays.
        PickRows(list, {9, 11});
        list.SetScrollPos(24); // one line down
        run.messages.QueueAnswer(MessageService::Answer::No);
        QTest::keyClick(&list, Qt::Key_Delete);
        QCOMPARE(ListOf(e).size(), 13u);
        QTest::mouseClick(e.GetDlgItem(IDC_BUTTON_REMOVE), Qt::LeftButton);
        QCOMPARE(run.messages.texts(), (std::vector<std::string>{"Delete channels?", "Delete channels?"}));
        QCOMPARE(ListOf(e), (Entries{2, 3, 5, 8, 7, 9, 10, 11, 12, 14, 16}));
        QCOMPARE(list.GetScrollPos(), 24);
        QTest::keyClick(&list, Qt::Key_Escape);
        QVERIFY(e.isVisible());
    }

    void aFullListTakesWhatFitsAndSaysSoOnce()
    {
        ChannelDatabase tables = EditorTables();
        tables.setUserListEntries(0, ListKind::Tv, Entries(5999, 0));
        UserListRun run(tables);
        CUserListDlg& e = run.Open();
        PickRows(e.channelGrid(), {1, 2, 3});
        QTest::mouseClick(e.GetDlgItem(IDC_BUTTON_ADD), Qt::LeftButton);
        QCOMPARE(run.messages.texts(), std::vector<std::string>{"Max. 6000 TV channels!"});
        QCOMPARE(e.listGrid().GetRowCount(), 6000);
        QVERIFY(BlockSelected(e.listGrid(), 5999, 5999, 5999));
    }

    void renamesWithTheDialogsRules()
    {
        UserListRun run(EditorTables());
        run.editor->m_nFirstList = 2;
        CUserListDlg& e = run.Open();
        QVERIFY(RenameTo(e, "User 1")); // list 1 is unnamed and shown so
        QCOMPARE(run.messages.last(), std::string("Name already exists!"));
        QVERIFY(!RenameTo(e, "Sixteen chars ok")); // too long: the dialog stays
        QCOMPARE(run.messages.last(), std::string("Max. no. of characters : 15"));
        QVERIFY(!RenameTo(e, "   "));
        QCOMPARE(run.messages.last(), std::string("Insert new name."));
        // F2 works from every control of the window, not only from the list.
        QVERIFY(RenameTo(e, "  Fifteen chars  ", &e.channelGrid()));
        QCOMPARE(e.listCombo().currentText(), QStringLiteral("Fifteen chars"));
        auto button = FillInAndEnter<CRenameDlg>({{IDC_EDIT_NAME, "user 1"}});
        QTest::mouseClick(e.GetDlgItem(IDC_BUTTON_RENAME), Qt::LeftButton);
        QVERIFY(button.ran());
        QCOMPARE(e.listCombo().itemText(2), QStringLiteral("user 1"));
        QCOMPARE(e.currentList(), 2);
    }
};

REGISTER_QTEST(UserListEditorTest);
#include "UserListEditorTest.moc"
