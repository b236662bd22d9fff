// The user list editor driven with the mouse and the keyboard over its hand-over files.
#include "editors/CRenameDlg.h"
#include "grid/CGridCtrl.h"
#include "res/ResourceIds.h"
#include "tests/editors/EditorFixture.h"
#include "tests/support/ui/ModalWatcher.h"
#include "tests/support/ui/QtTestMain.h"
#include "tests/support/ui/UiDriving.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

using Entries = std::vector<std::int32_t>;

namespace {

// EditorTables' TV channels in table order, for the right grid's "All".
const Entries kTvChannels = {0, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};

Entries ListOf(const CUserListDlg& e, ListKind kind = ListKind::Tv)
{
    return e.tables().userListEntries(e.currentList(), kind);
}

bool BlockSelected(CGridCtrl& grid, int first, int last, int focus)
{
    std::vector<int> expected;
    for (int r = first; r <= last; ++r)
        expected.push_back(r);
    return grid.GetSelectedRows() == expected && grid.IsCellSelected(last, 3) && grid.GetFocusCell().row == focus;
}

// Runs the rename dialog from F2, typing `name` and pressing Enter; true when it closed.
bool RenameTo(CUserListDlg& e, const QString& name)
{
    bool closed = false;
    auto watcher = ModalWatcher::For<CRenameDlg>([&](CRenameDlg* d) {
        TypeInto(d->GetDlgItem(IDC_EDIT_NAME), name);
        PressEnter(*d);
        closed = !d->isVisible();
        if (!closed)
            d->close();
    });
    QTest::keyClick(&e.listGrid(), Qt::Key_F2);
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
        QVERIFY(e.loaded());
        for (const char* file : {"chdata.dat", "chidx.dat", "menudata.dat"})
            QVERIFY(!std::filesystem::exists(tv.folder / file)); // read and deleted
        QCOMPARE(e.listCombo().count(), 10);
        QCOMPARE(e.listCombo().itemText(2), QStringLiteral("Sport"));
        QCOMPARE(e.listCombo().itemText(9), QStringLiteral("User 10"));
        QCOMPARE(e.filterCombo().currentText(), QStringLiteral("All"));
        QCOMPARE(e.filterCombo().count(), 4 + 3); // the TV satellites 101, 100, 113
        QCOMPARE(Column(e.listGrid()), (QStringList{"     1    Das Erste", "     2    Sky Cinema HD",
                                                    QStringLiteral("     3    TRT Türk")}));
        QCOMPARE(e.listGrid().GetItemImage(1, 1), 0); // HD
        QCOMPARE(e.listGrid().GetItemImage(1, 2), 1); // scrambled
        QCOMPARE(Entries(e.channelRows().begin(), e.channelRows().end()), kTvChannels);
        QCOMPARE(e.focusWidget(), &e.channelGrid());

        UserListRun radio(tables, 1);
        radio.editor->m_nFirstList = 2;
        CUserListDlg& r = radio.Open();
        QCOMPARE(r.currentList(), 2);
        QCOMPARE(r.listGrid().GetRowCount(), 0);
        QCOMPARE(r.filterCombo().currentIndex(), 2); // "All", with no "SD/HD" before it
        QCOMPARE(r.filterCombo().itemText(2), QStringLiteral("All"));
        r.listCombo().setCurrentIndex(0);
        QCOMPARE(Column(r.listGrid()), QStringList{"     1    Radio Eins"});
        QCOMPARE(r.listGrid().GetItemImage(0, 3), 2); // locked
    }

    void filtersOrderTheChannels()
    {
        ChannelDatabase tables = EditorTables();
        ChannelInfo digit = tables.channel(5);
        digit.setName("3sat");
        tables.setChannel(5, digit);
        UserListRun run(tables);
        CUserListDlg& e = run.Open();
        PickEntry(&e.filterCombo(), 0); // "A-Z": letters by name ("channel 10" before "channel 2"), then the others
        QCOMPARE(Entries(e.channelRows().begin(), e.channelRows().end()),
                 (Entries{6, 15, 16, 7, 8, 9, 10, 11, 12, 13, 14, 0, 4, 2, 3, 5}));
        PickEntry(&e.filterCombo(), 2); // "SD/HD"
        QCOMPARE(e.channelRows().back(), 2);
        PickEntry(&e.filterCombo(), 4); // the first satellite: 101
        QCOMPARE(Entries(e.channelRows().begin(), e.channelRows().end()), (Entries{0, 2, 3}));
        QCOMPARE(e.channelGrid().GetItemText(2, 0), QStringLiteral("     3    TRT Türk"));
    }

    void addsByButtonEnterAndDoubleClick()
    {
        UserListRun run(EditorTables());
        run.editor->m_nGridRows = 10;
        CUserListDlg& e = run.Open();
        e.listCombo().setCurrentIndex(1); // an empty list
        CGridCtrl& channels = e.channelGrid();
        PickRows(channels, {4, 1, 2});
        QTest::mouseClick(e.GetDlgItem(IDC_BUTTON_ADD), Qt::LeftButton);
        QCOMPARE(ListOf(e), (Entries{2, 3, 5}));
        QVERIFY(BlockSelected(e.listGrid(), 0, 2, 2));

        // Already held: nothing happens, nothing is said.
        ClickRow(channels, 1);
        QTest::keyClick(&channels, Qt::Key_Return);
        QCOMPARE(ListOf(e), (Entries{2, 3, 5}));
        // Enter and a double click add; the new rows are selected and scrolled into view.
        PickRows(channels, {6, 7, 8, 9, 10, 11});
        QTest::keyClick(&channels, Qt::Key_Enter);
        ClickRow(channels, 15); // the first click of the double click
        QTest::mouseDClick(channels.viewport(), Qt::LeftButton, {}, channels.GetCellRect(15, 0).center());
        QCOMPARE(ListOf(e), (Entries{2, 3, 5, 7, 8, 9, 10, 11, 12, 16}));
        QVERIFY(BlockSelected(e.listGrid(), 9, 9, 9));
        QVERIFY(e.isVisible());
        QVERIFY(run.messages.texts().empty());
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
        QCOMPARE(ListOf(e).back(), 2);
        QVERIFY(BlockSelected(e.listGrid(), 5999, 5999, 5999));
        QCOMPARE(e.listGrid().GetScrollPos(), e.listGrid().GetScrollLimit());
    }

    void removesAfterTheQuestionAndKeepsTheScroll()
    {
        ChannelDatabase tables = EditorTables();
        Entries many;
        for (int i = 0; i < 30; ++i)
            many.push_back(kTvChannels[std::size_t(i % 16)]);
        tables.setUserListEntries(0, ListKind::Tv, many);
        UserListRun run(tables);
        CUserListDlg& e = run.Open();
        CGridCtrl& list = e.listGrid();
        PickRows(list, {20, 22});
        list.SetScrollPos(0);
        list.ScrollLines(7);
        const int scrolled = list.GetScrollPos();

        run.messages.QueueAnswer(MessageService::Answer::No);
        QTest::keyClick(&list, Qt::Key_Delete);
        QCOMPARE(ListOf(e).size(), 30u);
        QTest::mouseClick(e.GetDlgItem(IDC_BUTTON_REMOVE), Qt::LeftButton);
        QCOMPARE(run.messages.texts(), (std::vector<std::string>{"Delete channels?", "Delete channels?"}));
        many.erase(many.begin() + 22);
        many.erase(many.begin() + 20);
        QCOMPARE(ListOf(e), many);
        QCOMPARE(list.GetScrollPos(), scrolled);
        QCOMPARE(list.GetItemText(20, 0).left(10), QStringLiteral("    21    "));
    }

    void ctrlArrowsMoveTheSelectedEntries()
    {
        ChannelDatabase tables = EditorTables();
        tables.setUserListEntries(0, ListKind::Tv, {0, 2, 3, 4, 5, 6});
        UserListRun run(tables);
        CUserListDlg& e = run.Open();
        CGridCtrl& list = e.listGrid();
        PickRows(list, {2, 4});
        QTest::keyClick(&list, Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(ListOf(e), (Entries{0, 3, 5, 2, 4, 6}));
        QVERIFY(BlockSelected(list, 1, 2, 1));
        QCOMPARE(list.GetItemText(1, 0), QStringLiteral("     2    TRT Türk"));
        QCOMPARE(list.GetItemImage(3, 1), 0); // the HD channel moved down with its marks
        QCOMPARE(list.GetItemImage(1, 1), -1);

        QTest::keyClick(&list, Qt::Key_Down, Qt::ControlModifier);
        QTest::keyClick(&list, Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(ListOf(e), (Entries{0, 2, 4, 3, 5, 6}));
        QVERIFY(BlockSelected(list, 3, 4, 4));
        // At either end nothing moves, and the key moves no cursor either.
        ClickRow(list, 5);
        QTest::keyClick(&list, Qt::Key_Down, Qt::ControlModifier);
        ClickRow(list, 0);
        QTest::keyClick(&list, Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(ListOf(e), (Entries{0, 2, 4, 3, 5, 6}));
        QCOMPARE(list.GetFocusCell().row, 0);
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
        QVERIFY(RenameTo(e, "  Fifteen chars  "));
        QCOMPARE(e.listCombo().currentText(), QStringLiteral("Fifteen chars"));
        QCOMPARE(e.tables().userListName(3), std::string("Fifteen chars"));

        auto button = ModalWatcher::For<CRenameDlg>([](CRenameDlg* d) {
            QCOMPARE(d->DlgItem<QLineEdit>(IDC_EDIT_NAME)->text(), QStringLiteral("Fifteen chars"));
            TypeInto(d->GetDlgItem(IDC_EDIT_NAME), "user 1");
            PressEnter(*d);
        });
        QTest::mouseClick(e.GetDlgItem(IDC_BUTTON_RENAME), Qt::LeftButton);
        QVERIFY(button.ran());
        QCOMPARE(e.listCombo().itemText(2), QStringLiteral("user 1"));
        QCOMPARE(e.currentList(), 2);
    }

    void closingHandsBackTheListsOnly()
    {
        UserListRun run(EditorTables());
        CUserListDlg& e = run.Open();
        e.listCombo().setCurrentIndex(4);
        ClickRow(e.channelGrid(), 0);
        QTest::keyClick(&e.channelGrid(), Qt::Key_Return);
        for (CGridCtrl* grid : {&e.listGrid(), &e.channelGrid()})
            QTest::keyClick(grid, Qt::Key_Escape);
        QVERIFY(e.isVisible());
        QTest::mouseClick(e.GetDlgItem(IDCANCEL), Qt::LeftButton);
        QVERIFY(!e.isVisible());
        QVERIFY(!std::filesystem::exists(run.folder / "chdata.dat"));
        ChannelDatabase back = EditorTables();
        QVERIFY(back.ReadBackFromFolder(run.folder.path(), ChannelDatabase::kChIdx | ChannelDatabase::kMenuData));
        QCOMPARE(back.userListEntries(4, ListKind::Tv), Entries{0});
    }

    void theGridsGrowWithTheRowSettingWithinTheScreen()
    {
        UserListRun small(EditorTables()), tall(EditorTables());
        tall.editor->m_nGridRows = 30;
        const CUserListDlg& a = small.Open();
        const CUserListDlg& b = tall.Open();
        const int grown = tall.editor->listGrid().height() - small.editor->listGrid().height();
        QVERIFY(grown > 0 && grown % 24 == 0 && grown <= 20 * 24);
        QCOMPARE(b.height() - a.height(), grown);
        QVERIFY(b.frameGeometry().height() <= b.screen()->availableGeometry().height());
        // "<<" and "X" stay between the grids' middles.
        for (const CUserListDlg* e : {&a, &b}) {
            const int middle = e->GetDlgItem(IDC_GRID_USER_LIST)->geometry().center().y();
            QVERIFY(qAbs(e->GetDlgItem(IDC_BUTTON_ADD)->geometry().bottom() - middle) < 20);
            QVERIFY(e->GetDlgItem(IDCANCEL)->y() > e->GetDlgItem(IDC_FRAME_MAIN)->geometry().bottom());
        }
    }
};

REGISTER_QTEST(UserListEditorTest);
#include "UserListEditorTest.moc"
