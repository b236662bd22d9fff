// A whole session against the simulated box: download, edit in the satellite list editor
// with mouse and keys, "update STB"; the box then holds exactly the edited tables.
#include "chdb/ChannelCompaction.h"
#include "chdb/SatListEdits.h"
#include "editors/CChannelInfoDlg.h"
#include "editors/CSatListDlg.h"
#include "editors/CTpInfoDlg.h"
#include "grid/CGridCtrl.h"
#include "res/ResourceIds.h"
#include "tests/app/MainWindowHarness.h"
#include "tests/support/ui/ModalWatcher.h"
#include "tests/support/ui/QtTestMain.h"
#include "tests/support/ui/UiDriving.h"

#include <QTest>

class SatListRoundTripTest final : public QObject {
    Q_OBJECT

private slots:
    void editedTablesReachTheBox()
    {
        MainWindowHarness h;
        StbSimulator& box = h.StartBox("127.0.0.133");
        CMainDlg& w = h.Open();
        QVERIFY(h.ConnectThroughDialog("127.0.0.133"));

        // What the session below does, step by step, on the downloaded tables.
        ChannelDatabase expected = box.Database();
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
        const std::uint16_t addedKey = expected.channel(added).key();
        const TpInfo firstTp = expected.transponder(TransponderRows(expected, 0).at(0));
        const int doomed = ChannelRows(expected, firstTp.satelliteId(), firstTp.id()).at(0);
        const std::uint16_t doomedKey = expected.channel(doomed).key();
        CompactChannels(expected, {doomed});

        auto editor = ModalWatcher::For<CSatListDlg>([&](CSatListDlg* e) {
            ClickRow(e->satelliteGrid(), 1);
            auto tpDialog = ModalWatcher::For<CTpInfoDlg>([](CTpInfoDlg* d) {
                TypeInto(d->GetDlgItem(IDC_TP_FREQUENCY), "12345");
                TypeInto(d->GetDlgItem(IDC_TP_SYMBOL_RATE), "27500");
                // DVB-S, "2/3", "Horizontal", pilot "Off".
                for (auto [id, entry] : {std::pair{IDC_TP_SYSTEM, 0}, {IDC_TP_FEC, 2}, {IDC_TP_POLARIZATION, 1}, {IDC_TP_PILOT, 1}})
                    PickEntry(d->GetDlgItem(id), entry);
                PressEnter(*d);
            });
            QVERIFY(UseContextMenu([&] { ClickRow(e->transponderGrid(), 0, Qt::RightButton); }, ID_ADD_TRANSPONDER));
            QVERIFY(tpDialog.ran());

            auto channelDialog = ModalWatcher::For<CChannelInfoDlg>([](CChannelInfoDlg* d) {
                TypeInto(d->GetDlgItem(IDC_CH_NAME), "E2E Channel");
                const std::pair<int, const char*> numbers[] = {{IDC_CH_SERVICE_ID, "901"}, {IDC_CH_PMT_PID, "902"},
                                                               {IDC_CH_VIDEO_PID, "903"},  {IDC_CH_AUDIO_PID, "904"},
                                                               {IDC_CH_PCR_PID, "905"}};
                for (const auto& [id, text] : numbers)
                    TypeInto(d->GetDlgItem(id), text);
                PressEnter(*d);
            });
            CGridCtrl& channels = e->channelGrid();
            QVERIFY(UseContextMenu([&] { QTest::mouseClick(channels.viewport(), Qt::RightButton, {}, {5, 5}); },
                                   ID_ADD_CHANNEL));
            QVERIFY(channelDialog.ran());

            ClickRow(e->satelliteGrid(), 0);
            // The question is answered Yes.
            QVERIFY(UseContextMenu([&] { ClickRow(channels, 0, Qt::RightButton); }, ID_DELETE_CHANNEL));
            e->close();
        });
        w.OnCommand(ID_EDIT_SAT_LISTS);
        QVERIFY(editor.ran());
        QVERIFY(w.state().modified);

        h.messages.clear();
        h.RunCommandAcceptingConnect(ID_UPDATE_STB);
        QCOMPARE(h.messages.texts(), (std::vector<std::string>{"Update STB?", "Update STB"}));
        const ChannelDatabase onBox = box.Database();
        QVERIFY(onBox == expected);

        // The facts behind "expected", read from the box's own files.
        QCOMPARE(onBox.transponder(newTp).id(), 0xF000);
        QCOMPARE(onBox.transponder(newTp).frequency(), 12345);
        const ChannelInfo last = onBox.channel(onBox.channelCount() - 1);
        QCOMPARE(last.visibleName(), std::string("E2E Channel"));
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
