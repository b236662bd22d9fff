// A whole evening against the simulated box: download, delete two channels, move a block, lock
// one, fill a user list and rename it, "update STB"; the box then holds exactly that.
#include "chdb/ChannelOperations.h"
#include "chdb/UserListEdits.h"
#include "editors/CRenameDlg.h"
#include "editors/CUserListDlg.h"
#include "grid/CGridCtrl.h"
#include "res/ResourceIds.h"
#include "tests/app/MainWindowHarness.h"
#include "tests/support/ui/ModalWatcher.h"
#include "tests/support/ui/QtTestMain.h"
#include "tests/support/ui/UiDriving.h"

#include <QComboBox>
#include <QTest>

class ChannelSessionTest final : public QObject {
    Q_OBJECT

private slots:
    void editedChannelsAndListsReachTheBox()
    {
        MainWindowHarness h;
        StbSimulator& box = h.StartBox("127.0.0.146");
        CMainDlg& w = h.Open();
        QVERIFY(h.ConnectThroughDialog("127.0.0.146"));
        CGridCtrl& g = w.channelGrid();

        // The same steps on a model of the downloaded data, through the core.
        DatabaseState model;
        model.db = box.Database();
        model.satList = w.state().satList;
        model.list = 0;
        ChannelView view = BuildChannelView(model, static_cast<int>(Category::Sat), 0);
        const std::uint16_t deletedKeys[] = {view.records[3].key(), view.records[7].key()};
        DeleteViewRows(model, view, std::vector{3, 7});
        view = BuildChannelView(model, static_cast<int>(Category::Sat), 0);
        MoveViewRows(model, view, std::vector{10, 11, 12}, MoveDirection::Up);
        int unlocked = 20;
        while (view.records[std::size_t(unlocked)].lock() == 1)
            ++unlocked;
        ToggleViewLocks(model, view, std::vector{unlocked}, {});
        RecordingMessages quiet;
        AddToUserList(model.db, 7, ListKind::Tv, std::span(view.tableIndices).first(5), quiet);
        RenameUserList(model.db, 7, "Evening");

        // Delete two channels by key, move a block up, lock one from the context menu.
        PickRows(g, {3, 7});
        QTest::keyClick(&g, Qt::Key_Delete); // the question is answered Yes
        PickRows(g, {10, 11, 12});
        QTest::keyClick(&g, Qt::Key_Up, Qt::ControlModifier);
        QVERIFY(UseContextMenu([&] { ClickRow(g, unlocked, Qt::RightButton); }, ID_LOCK_UNLOCK));

        // List 8 gets the first five channels and its name.
        auto editor = ModalWatcher::For<CUserListDlg>([](CUserListDlg* e) {
            PickEntry(&e->listCombo(), 7);
            PickRows(e->channelGrid(), {0, 1, 2, 3, 4});
            QTest::mouseClick(e->GetDlgItem(IDC_BUTTON_ADD), Qt::LeftButton);
            auto rename = ModalWatcher::For<CRenameDlg>([](CRenameDlg* d) {
                TypeInto(d->GetDlgItem(IDC_EDIT_NAME), "Evening");
                PressEnter(*d);
            });
            QTest::mouseClick(e->GetDlgItem(IDC_BUTTON_RENAME), Qt::LeftButton);
            QVERIFY(rename.ran());
            e->close();
        });
        w.OnCommand(ID_EDIT_USER_LISTS);
        QVERIFY(editor.ran());
        QVERIFY(w.state().modified);

        h.messages.clear();
        h.RunCommandAcceptingConnect(ID_UPDATE_STB);
        QCOMPARE(h.messages.texts(), (std::vector<std::string>{"Update STB?", "Update STB"}));
        const ChannelDatabase onBox = box.Database();
        QVERIFY(onBox == model.db);

        // The facts behind the model, read from the box's own files.
        for (int i = 0; i < onBox.channelCount(); ++i)
            for (std::uint16_t key : deletedKeys)
                QVERIFY(onBox.channel(i).key() != key);
        const ChannelView after = BuildChannelView(DatabaseState{onBox, model.satList, {}, {}, 0}, 0, 0);
        QCOMPARE(after.records[9].key(), w.channelView().records[9].key());
        QCOMPARE(after.records[std::size_t(unlocked)].lock(), 1);
        QCOMPARE(onBox.userListDisplayName(8), std::string("Evening"));
        QCOMPARE(onBox.userListEntries(7, ListKind::Tv),
                 std::vector<std::int32_t>(after.tableIndices.begin(), after.tableIndices.begin() + 5));
    }
};

REGISTER_QTEST(ChannelSessionTest);
#include "ChannelSessionTest.moc"
