// A whole session against the simulated box: download, edit in the satellite list editor
// with mouse and keys, "update STB"; the box then holds exactly the edited tables.
#include "chdb/ChannelCompaction.h"
#include "chdb/SatListEdits.h"
#include "editors/CChannelInfoDlg.h"
#include "editors/CSatListDlg.h"
#include "editors/CTpInfoDlg.h"
#include "grid/CGridCtrl.h"
#include "platform/ui/MenuBuilder.h"
#include "res/ResourceIds.h"
#include "tests/app/MainWindowHarness.h"
#include "tests/support/ui/ModalWatcher.h"
#include "tests/support/ui/QtTestMain.h"

#include <QComboBox>
#include <QMenu>
#include <QTest>

namespace {

// Right-clicks `row` (-1: below the rows) and picks `command` from the context menu.
void Command(CGridCtrl& grid, int row, int command)
{
    auto menu = ModalWatcher::For<QMenu>([command](QMenu* m) {
        for (QAction* a : m->actions())
            if (CommandIdOf(a) == command)
                m->setActiveAction(a);
        QTest::keyClick(m, Qt::Key_Return);
    });
    const QPoint at = row >= 0 ? grid.GetCellRect(row, 0).center()
                               : QPoint(5, grid.viewport()->height() - 3);
    QTest::mouseClick(grid.viewport(), Qt::RightButton, Qt::NoModifier, at);
    QVERIFY(menu.ran());
}

void Type(QWidget* w, const char* text)
{
    w->setFocus();
    QTest::keyClicks(w, text);
}

void Pick(CDialog& d, int id, int downs)
{
    d.GetDlgItem(id)->setFocus();
    for (int i = 0; i < downs; ++i)
        QTest::keyClick(d.GetDlgItem(id), Qt::Key_Down);
}

} // namespace

class SatListRoundTripTest final : public QObject {
    Q_OBJECT

private slots:
    void editedTablesReachTheBox()
    {
        MainWindowHarness h;
        StbSimulator& box = h.StartBox("127.0.0.133");
        CMainDlg& w = h.Open();
        QVERIFY(h.ConnectThroughDialog("127.0.0.133"));
        ChannelDatabase expected = box.Database();

        // What the session below does, step by step, on the downloaded tables.
        TpInfo tp;
        tp.setFrequency(12345);
        tp.setSymbolRate(27500);
        tp.setFec(2);
        tp.setPolarization(1);
        tp.setPilot(1);
        const int newTp = AddTransponder(expected, 1, tp);
        const std::uint16_t newTpId = AssignTransponderId(expected, TransponderRows(expected, 1), newTp);
        const ChannelValues fresh{"E2E Channel", 901, 902, 903, 904, 905, ChannelInfo::kSdtv, 0};
        const int added = AddChannel(expected, expected.satellite(1).id(), newTpId, fresh);
        const TpInfo firstTp = expected.transponder(TransponderRows(expected, 0).at(0));
        const int doomed = ChannelRows(expected, firstTp.satelliteId(), firstTp.id()).at(0);
        const std::uint16_t doomedKey = expected.channel(doomed).key();
        const std::uint16_t addedKey = expected.channel(added).key();
        CompactChannels(expected, {doomed});

        auto editor = ModalWatcher::For<CSatListDlg>([&](CSatListDlg* e) {
            ClickRow(e->satelliteGrid(), 1);
            auto tpDialog = ModalWatcher::For<CTpInfoDlg>([](CTpInfoDlg* d) {
                Type(d->GetDlgItem(IDC_TP_FREQUENCY), "12345");
                Type(d->GetDlgItem(IDC_TP_SYMBOL_RATE), "27500");
                Pick(*d, IDC_TP_SYSTEM, 1);      // DVB-S
                Pick(*d, IDC_TP_FEC, 3);         // 2/3
                Pick(*d, IDC_TP_POLARIZATION, 2); // Horizontal
                Pick(*d, IDC_TP_PILOT, 2);       // Off
                QTest::keyClick(d->focusWidget(), Qt::Key_Return);
            });
            Command(e->transponderGrid(), 0, ID_ADD_TRANSPONDER);
            QVERIFY(tpDialog.ran());

            auto channelDialog = ModalWatcher::For<CChannelInfoDlg>([](CChannelInfoDlg* d) {
                Type(d->GetDlgItem(IDC_CH_NAME), "E2E Channel");
                const char* numbers[] = {"901", "902", "903", "904", "905"};
                const int ids[] = {IDC_CH_SERVICE_ID, IDC_CH_PMT_PID, IDC_CH_VIDEO_PID, IDC_CH_AUDIO_PID,
                                   IDC_CH_PCR_PID};
                for (int i = 0; i < 5; ++i)
                    Type(d->GetDlgItem(ids[i]), numbers[i]);
                QTest::keyClick(d->focusWidget(), Qt::Key_Return);
            });
            Command(e->channelGrid(), -1, ID_ADD_CHANNEL);
            QVERIFY(channelDialog.ran());

            ClickRow(e->satelliteGrid(), 0);
            Command(e->channelGrid(), 0, ID_DELETE_CHANNEL); // the question is answered Yes
            e->close();
        });
        w.OnCommand(ID_EDIT_SAT_LISTS);
        QVERIFY(editor.ran());
        QVERIFY(w.state().modified);
        QVERIFY(w.state().db == expected);

        h.messages.clear();
        h.RunCommandAcceptingConnect(ID_UPDATE_STB);
        QCOMPARE(h.messages.texts(), (std::vector<std::string>{"Update STB?", "Update STB"}));
        const ChannelDatabase onBox = box.Database();
        QVERIFY(onBox == expected);

        // The facts behind "expected", read from the box's own files.
        QCOMPARE(onBox.transponder(newTp).id(), 0xF000);
        QCOMPARE(onBox.transponder(newTp).frequency(), 12345);
        const ChannelInfo last = onBox.channel(onBox.channelCount() - 1);
        QCOMPARE(last.name(), std::string("E2E Channel").insert(0, last.selector() ? 1 : 0, char(last.selector())));
        QCOMPARE(last.transponderId(), 0xF000);
        QCOMPARE(last.key(), addedKey);
        for (int list = 0; list < ChannelDatabase::kUserListCount; ++list)
            for (ListKind kind : {ListKind::Tv, ListKind::Radio})
                for (std::int32_t index : onBox.userListEntries(list, kind))
                    QVERIFY(onBox.channel(index).key() != doomedKey && onBox.channel(index).key() != addedKey);
    }
};

REGISTER_QTEST(SatListRoundTripTest);
#include "SatListRoundTripTest.moc"
