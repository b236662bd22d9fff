// Whole sessions against the simulated box: download, edit with mouse and keys, "update STB";
// the box then holds exactly what the same steps give on the downloaded tables through the core.
#include "chdb/ChannelCompaction.h"
#include "chdb/ChannelOperations.h"
#include "chdb/SatListEdits.h"
#include "chdb/UserListEdits.h"
#include "editors/CChannelInfoDlg.h"
#include "editors/CRenameDlg.h"
#include "editors/CSatListDlg.h"
#include "editors/CTpInfoDlg.h"
#include "editors/CUserListDlg.h"
#include "grid/CGridCtrl.h"
#include "res/ResourceIds.h"
#include "tests/app/MainWindowHarness.h"
#include "tests/support/ui/QtTestMain.h"

#include <QComboBox>
#include <QTest>

namespace {

// "update STB" (the address known, no connect dialog is expected); true when it said it did.
bool UpdateBox(MainWindowHarness& h)
{
    h.messages.clear();
    h.RunCommandAcceptingConnect(ID_UPDATE_STB);
    return h.messages.texts() == std::vector<std::string>{"Update STB?", "Update STB"};
}

} // namespace

class SessionTest final : public QObject {
    Q_OBJECT

private slots:
    // Delete two channels, move a block, lock one, fill a user list and rename it.
    void editedChannelsAndListsReachTheBox()
    {
        MainWindowHarness h;
        QVERIFY2(h.OpenConnected("127.0.0.146"), h.messages.last().c_str());
        CMainDlg& w = h.window();
        CGridCtrl& g = w.channelGrid();

        DatabaseState model{h.box().Database(), w.state().satList, {}, {}, 0};
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

        PickRows(g, {3, 7});
        QTest::keyClick(&g, Qt::Key_Delete); // the question is answered Yes
        PickRows(g, {10, 11, 12});
        QTest::keyClick(&g, Qt::Key_Up, Qt::ControlModifier);
        QVERIFY(RightClickCommand(g, unlocked, ID_LOCK_UNLOCK));
        // List 8 gets the first five channels and its name.
        QVERIFY(h.RunDialog<CUserListDlg>(ID_EDIT_USER_LISTS, [](CUserListDlg& e) {
            PickEntry(&e.listCombo(), 7);
            PickRows(e.channelGrid(), {0, 1, 2, 3, 4});
            QTest::mouseClick(e.GetDlgItem(IDC_BUTTON_ADD), Qt::LeftButton);
            auto rename = FillInAndEnter<CRenameDlg>({{IDC_EDIT_NAME, "Evening"}});
            QTest::mouseClick(e.GetDlgItem(IDC_BUTTON_RENAME), Qt::LeftButton);
            QVERIFY(rename.ran());
        }));
        QVERIFY(w.state().modified);
        QVERIFY2(UpdateBox(h), h.messages.last().c_str());
        const ChannelDatabase onBox = h.box().Database();
        QVERIFY(onBox == model.db);

        // The model is not the download: the edits happened (the core's own tests say how).
        for (int i = 0; i < onBox.channelCount(); ++i)
            QVERIFY(onBox.channel(i).key() != deletedKeys[0] && onBox.channel(i).key() != deletedKeys[1]);
        QCOMPARE(onBox.userListDisplayName(8), std::string("Evening"));
    }

    // Add a transponder and a channel on it, delete a channel, in the satellite list editor.
    void editedTablesReachTheBox()
    {
        MainWindowHarness h;
        QVERIFY2(h.OpenConnected("127.0.0.133"), h.messages.last().c_str());

        ChannelDatabase expected = h.box().Database();
        TpInfo tp;
        tp.setFrequency(12345);
        tp.setSymbolRate(27500);
        tp.setFec(2);
        tp.setPolarization(1);
        tp.setPilot(1);
        const int newTp = AddTransponder(expected, 1, tp);
        const std::uint16_t newTpId = AssignTransponderId(expected, TransponderRows(expected, 1), newTp);
        const ChannelValues fresh{"E2E Channel", 901, 902, 903, 904, 905, ChannelInfo::kSdtv, 0};
        const std::uint16_t addedKey = expected.channel(AddChannel(expected, expected.satellite(1).id(), newTpId, fresh)).key();
        const TpInfo firstTp = expected.transponder(TransponderRows(expected, 0).at(0));
        const int doomed = ChannelRows(expected, firstTp.satelliteId(), firstTp.id()).at(0);
        const std::uint16_t doomedKey = expected.channel(doomed).key();
        CompactChannels(expected, {doomed});

        QVERIFY(h.RunDialog<CSatListDlg>(ID_EDIT_SAT_LISTS, [](CSatListDlg& e) {
            ClickRow(e.satelliteGrid(), 1);
            // DVB-S, "2/3", "Horizontal", pilot "Off".
            auto tpDialog = FillInAndEnter<CTpInfoDlg>({{IDC_TP_FREQUENCY, "12345"}, {IDC_TP_SYMBOL_RATE, "27500"}},
                                                       {{IDC_TP_SYSTEM, 0}, {IDC_TP_FEC, 2}, {IDC_TP_POLARIZATION, 1}, {IDC_TP_PILOT, 1}});
            QVERIFY(RightClickCommand(e.transponderGrid(), 0, ID_ADD_TRANSPONDER));
            QVERIFY(tpDialog.ran());
            auto channelDialog = FillInAndEnter<CChannelInfoDlg>(
                {{IDC_CH_NAME, "E2E Channel"}, {IDC_CH_SERVICE_ID, "901"}, {IDC_CH_PMT_PID, "902"},
                 {IDC_CH_VIDEO_PID, "903"}, {IDC_CH_AUDIO_PID, "904"}, {IDC_CH_PCR_PID, "905"}});
            QVERIFY(RightClickCommand(e.channelGrid(), -1, ID_ADD_CHANNEL));
            QVERIFY(channelDialog.ran());
            ClickRow(e.satelliteGrid(), 0);
            // The question is answered Yes.
            QVERIFY(RightClickCommand(e.channelGrid(), 0, ID_DELETE_CHANNEL));
        }));
        QVERIFY(h.window().state().modified);
        QVERIFY2(UpdateBox(h), h.messages.last().c_str());
        const ChannelDatabase onBox = h.box().Database();
        QVERIFY(onBox == expected);

        // The model is not the download: the edits happened (the core's own tests say how).
        QCOMPARE(onBox.channel(onBox.channelCount() - 1).key(), addedKey);
        QCOMPARE(onBox.transponder(newTp).frequency(), 12345);
        for (int i = 0; i < onBox.channelCount(); ++i)
            QVERIFY(onBox.channel(i).key() != doomedKey);
    }
};

REGISTER_QTEST(SessionTest);
#include "SessionTest.moc"
