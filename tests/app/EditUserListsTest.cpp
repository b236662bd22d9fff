// "edit user lists" from the main window: the hand-over through the private folder and what
// the window shows afterwards.
#include "editors/CRenameDlg.h"
#include "editors/CUserListDlg.h"
#include "grid/CGridCtrl.h"
#include "platform/ui/CommandTarget.h"
#include "res/ResourceIds.h"
#include "tests/app/MainWindowHarness.h"
#include "tests/support/ui/ModalWatcher.h"
#include "tests/support/ui/QtTestMain.h"
#include "tests/support/ui/UiDriving.h"

#include <QComboBox>
#include <QTest>

namespace {

bool HandOverFilesIn(const std::filesystem::path& folder)
{
    for (const char* file : {"chdata.dat", "chidx.dat", "menudata.dat"})
        if (std::filesystem::exists(folder / file))
            return true;
    return false;
}

// Runs "edit user lists" and `inside` on the editor, then closes it with "Exit".
bool RunEditor(CMainDlg& window, const std::function<void(CUserListDlg&)>& inside)
{
    auto watcher = ModalWatcher::For<CUserListDlg>([&](CUserListDlg* editor) {
        inside(*editor);
        QTest::mouseClick(editor->GetDlgItem(IDCANCEL), Qt::LeftButton);
    });
    window.OnCommand(ID_EDIT_USER_LISTS);
    return watcher.ran();
}

bool Enabled(CMainDlg& window, int command)
{
    CCmdUI cmd(command);
    window.OnUpdateCommand(cmd);
    return cmd.enabled();
}

} // namespace

class EditUserListsTest final : public QObject {
    Q_OBJECT

private slots:
    void opensOnTheShownListAndRefreshesIt()
    {
        MainWindowHarness h;
        h.StartBox("127.0.0.143");
        CMainDlg& w = h.Open();
        QVERIFY(!Enabled(w, ID_EDIT_USER_LISTS));
        QVERIFY(h.ConnectThroughDialog("127.0.0.143"));
        QVERIFY(Enabled(w, ID_EDIT_USER_LISTS));

        // "User", list 3, its second channel chosen.
        ClickRow(w.categoryGrid(), 1);
        ClickRow(w.groupGrid(), 2);
        ClickRow(w.channelGrid(), 1);
        const std::uint16_t chosen = w.channelView().records[1].key();
        const int rows = w.channelGrid().GetRowCount();
        std::int32_t added = -1;
        QVERIFY(RunEditor(w, [&](CUserListDlg& e) {
            QVERIFY(!HandOverFilesIn(h.privateDir())); // the editor took them
            QCOMPARE(e.currentList(), 2);
            QCOMPARE(e.listGrid().GetRowCount(), rows);
            // A channel that is not in the list yet, added with Enter.
            int pick = 0;
            const auto held = e.tables().userListEntries(2, ListKind::Tv);
            while (std::find(held.begin(), held.end(), e.channelRows()[std::size_t(pick)]) != held.end())
                ++pick;
            added = e.channelRows()[std::size_t(pick)];
            ClickRow(e.channelGrid(), pick);
            QTest::keyClick(&e.channelGrid(), Qt::Key_Return);
            auto rename = ModalWatcher::For<CRenameDlg>([](CRenameDlg* d) {
                TypeInto(d->GetDlgItem(IDC_EDIT_NAME), "Sports");
                PressEnter(*d);
            });
            QTest::keyClick(&e.listGrid(), Qt::Key_F2);
            QVERIFY(rename.ran());
        }));
        QVERIFY(!HandOverFilesIn(h.privateDir()));
        QVERIFY(!w.state().modified); // no record moved

        // The list names, the same group row, the new entry and the same channel chosen.
        QCOMPARE(w.groupGrid().GetItemText(2, 0), QStringLiteral("Sports"));
        QCOMPARE(w.groupGrid().GetFocusCell().row, 2);
        QCOMPARE(w.channelGrid().GetRowCount(), rows + 1);
        QCOMPARE(w.channelView().tableIndices.back(), added);
        QCOMPARE(w.channelGrid().GetSelectedRows(), std::vector<int>{1});
        QCOMPARE(w.channelView().records[1].key(), chosen);
        QVERIFY(h.messages.texts().empty());
    }

    void radioListsAndHandOverFailures()
    {
        MainWindowHarness h;
        h.StartBox("127.0.0.144", DemoSize::Tiny);
        CMainDlg& w = h.Open();
        QVERIFY(h.ConnectThroughDialog("127.0.0.144"));
        // Radio lists open on the first list; a view outside "User" is left as it was.
        QTest::mouseClick(w.GetDlgItem(IDC_RADIO_RADIO), Qt::LeftButton);
        ClickRow(w.channelGrid(), 0);
        const ChannelView shown = w.channelView();
        QVERIFY(RunEditor(w, [&](CUserListDlg& e) {
            QCOMPARE(e.currentList(), 0);
            QCOMPARE(e.filterCombo().currentText(), QStringLiteral("All"));
            ClickRow(e.listGrid(), 0);
            QTest::keyClick(&e.listGrid(), Qt::Key_Delete); // answered Yes
        }));
        QCOMPARE(w.channelView().records, shown.records);
        QCOMPARE(w.channelGrid().GetSelectedRows(), std::vector<int>{0});
        QCOMPARE(h.messages.texts(), std::vector<std::string>{"Delete channels?"});
        const ChannelDatabase before = w.state().db;

        // A folder where a hand-over file should go: the editor does not open.
        std::filesystem::create_directory(h.privateDir() / "menudata.dat");
        auto editor = ModalWatcher::For<CUserListDlg>([](CUserListDlg* e) { e->close(); }, 500);
        w.OnCommand(ID_EDIT_USER_LISTS);
        QTest::qWait(600);
        QVERIFY(!editor.ran());
        QCOMPARE(h.messages.last(), std::string("File write error!"));
        std::filesystem::remove_all(h.privateDir() / "menudata.dat");

        // The editor cannot hand its work back: none of it arrives.
        h.messages.clear();
        QVERIFY(RunEditor(w, [&](CUserListDlg& e) {
            QTest::keyClick(&e.channelGrid(), Qt::Key_Return);
            std::filesystem::create_directory(h.privateDir() / "chidx.dat");
        }));
        QCOMPARE(h.messages.last(), std::string("File read error!"));
        QVERIFY(w.state().db == before);
        std::filesystem::remove_all(h.privateDir() / "chidx.dat");
        QVERIFY(!HandOverFilesIn(h.privateDir()));
    }
};

REGISTER_QTEST(EditUserListsTest);
#include "EditUserListsTest.moc"
