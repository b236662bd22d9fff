// The satellite list editor driven with the mouse and the keyboard over its hand-over files.
#include "editors/CChannelInfoDlg.h"
#include "editors/CTpInfoDlg.h"
#include "grid/CGridCtrl.h"
#include "res/ResourceIds.h"
#include "tests/editors/EditorFixture.h"
#include "tests/support/ui/QtTestMain.h"

namespace {

using Enabled = std::map<int, bool>;

// The whole row selected and focused, and in view.
bool RowChosen(CGridCtrl& grid, int row)
{
    for (int c = 0; c < grid.GetColumnCount(); ++c)
        if (!grid.IsCellSelected(row, c))
            return false;
    return grid.GetFocusCell().row == row && grid.viewport()->rect().contains(grid.GetCellRect(row, 0));
}

} // namespace

class SatListEditorTest final : public QObject {
    Q_OBJECT

private slots:
    void opensOnThePreselectedChannelOnce()
    {
        SatListRun run(EditorTables());
        run.editor->m_wPreSatId = 113;
        run.editor->m_wPreTpId = 1311;
        run.editor->m_wPreChannelKey = 3000 + 16; // "Channel 11", the twelfth row
        CSatListDlg& e = run.Open();
        QVERIFY(e.loaded());
        QVERIFY(!run.HandOverFilesLeft()); // read and deleted
        QVERIFY(RowChosen(e.satelliteGrid(), 13) && RowChosen(e.transponderGrid(), 11) &&
                RowChosen(e.channelGrid(), 11));
        QCOMPARE(e.GetDlgItemText(IDC_COUNT_SATELLITES) + e.GetDlgItemText(IDC_COUNT_TRANSPONDERS) +
                     e.GetDlgItemText(IDC_COUNT_CHANNELS),
                 std::string("141212"));

        // Used once: a later fill starts at row 0, with no channel chosen.
        ClickRow(e.satelliteGrid(), 13);
        QVERIFY(RowChosen(e.transponderGrid(), 0));
        QVERIFY(e.channelGrid().GetSelectedCount() == 0 && e.channelGrid().GetFocusCell().row == -1);
    }

    void rowsShowNamesAndMarksFollowTheKeysAndGoWithTheirTransponder()
    {
        SatListRun run(EditorTables());
        run.editor->m_wPreSatId = 101;
        CSatListDlg& e = run.Open();
        QCOMPARE(Column(e.transponderGrid()), (QStringList{"11000/27500/H", "12000/27500/V"}));
        CGridCtrl& g = e.channelGrid();
        QCOMPARE(Column(g), (QStringList{"   Das Erste", "   Radio Eins", "   Sky Cinema HD", QStringLiteral("   TRT Türk")}));
        enum { Hd, Scrambled, Lock, Tv, Radio };
        const int marks[4][4] = {{Tv, -1, -1, -1}, {Radio, -1, -1, Lock}, {Tv, Hd, Scrambled, -1}, {Tv, -1, -1, -1}};
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c)
                QCOMPARE(g.GetItemImage(r, c + 1), marks[r][c]);
        QCOMPARE(g.GetImageList()->GetImageCount(), 5);

        // A stored count of 0 shows nothing, even though a record names the satellite.
        ClickRow(e.satelliteGrid(), 0);
        QCOMPARE(e.transponderGrid().GetRowCount() + e.channelGrid().GetRowCount(), 0);
        QCOMPARE(e.GetDlgItemText(IDC_COUNT_TRANSPONDERS) + e.GetDlgItemText(IDC_COUNT_CHANNELS), std::string("00"));
        // The arrow keys move as clicks do; Enter and Escape close nothing.
        QTest::keyClick(&e.satelliteGrid(), Qt::Key_Down);
        QCOMPARE(e.transponderGrid().GetRowCount(), 2);
        QTest::keyClick(&e.transponderGrid(), Qt::Key_Down);
        QCOMPARE(e.channelGrid().GetRowCount(), 0);
        for (CGridCtrl* grid : {&e.satelliteGrid(), &e.transponderGrid(), &e.channelGrid()})
            for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
                QTest::keyClick(grid, key);
        QVERIFY(e.isVisible());

        // Deleting a transponder asks once for all its channels.
        run.messages.QueueAnswer(MessageService::Answer::No);
        QVERIFY(RightClickCommand(e.transponderGrid(), 0, ID_DELETE_TRANSPONDER));
        QCOMPARE(run.messages.last(), std::string("Delete transponder and channels?\n\n11000/27500/H\n   Das Erste\n"
                                                  "   Radio Eins\n   Sky Cinema HD\n   TRT T\xC3\xBCrk\n"));
        QCOMPARE(e.transponderGrid().GetRowCount(), 2);
        QVERIFY(RightClickCommand(e.transponderGrid(), 0, ID_DELETE_TRANSPONDER));
        QCOMPARE(Column(e.transponderGrid()), (QStringList{"12000/27500/V"}));
        QVERIFY(e.channelsChanged() && e.tables().channelCount() == 17 - 4);
        e.close();
        QVERIFY(!e.isVisible() && run.HandOverFilesLeft()); // written back
    }

    void contextMenusAreEnabledByTheirRowAndEdit()
    {
        SatListRun run(EditorTables());
        run.editor->m_wPreSatId = 101;
        CSatListDlg& e = run.Open();
        Enabled on;
        QVERIFY(RightClickCommand(e.transponderGrid(), 1, 0, &on));
        QVERIFY(RowChosen(e.transponderGrid(), 1));
        QCOMPARE(on, (Enabled{{ID_EDIT_TRANSPONDER, true}, {ID_ADD_TRANSPONDER, true}, {ID_DELETE_TRANSPONDER, true}}));
        // Transponder 12 has no channels: the menu still opens, with "Add Channel" alone.
        QVERIFY(RightClickCommand(e.channelGrid(), -1, 0, &on));
        QCOMPARE(on, (Enabled{{ID_EDIT_CHANNEL, false}, {ID_ADD_CHANNEL, true}, {ID_DELETE_CHANNEL, false}}));

        ClickRow(e.transponderGrid(), 0);
        QVERIFY(RightClickCommand(e.channelGrid(), 2, 0, &on));
        QVERIFY(RowChosen(e.channelGrid(), 2) && on[ID_EDIT_CHANNEL] && on[ID_DELETE_CHANNEL]);
        // Below the rows, the focused row is the context.
        QVERIFY(RightClickCommand(e.channelGrid(), -1, 0, &on));
        QCOMPARE(e.contextRow(), 2);
        // The menu key and Shift+F10 open the same menus for the focused row.
        QVERIFY(UseContextMenu([&] { QTest::keyClick(&e.channelGrid(), Qt::Key_Menu); }, 0, &on));
        QVERIFY(on[ID_DELETE_CHANNEL]);
        QVERIFY(UseContextMenu([&] { QTest::keyClick(&e.transponderGrid(), Qt::Key_F10, Qt::ShiftModifier); }, 0, &on));
        QVERIFY(on[ID_EDIT_TRANSPONDER]);
        QCOMPARE(e.contextRow(), 0);

        auto tpDialog = FillInAndEnter<CTpInfoDlg>({{IDC_TP_FREQUENCY, "11111"}});
        QVERIFY(RightClickCommand(e.transponderGrid(), 1, ID_EDIT_TRANSPONDER) && tpDialog.ran());
        QCOMPARE(e.transponderGrid().GetItemText(1, 0), QStringLiteral("11111/27500/V"));

        // Unlocking the radio with the PIN clears its lock mark; no channel came or went.
        ClickRow(e.transponderGrid(), 0);
        auto pin = AnswerPin("1234");
        auto channelDialog = FillInAndEnter<CChannelInfoDlg>({}, {{IDC_CH_LOCK, 0}});
        QVERIFY(RightClickCommand(e.channelGrid(), 1, ID_EDIT_CHANNEL) && channelDialog.ran() && pin.ran());
        QVERIFY(e.channelGrid().GetItemImage(1, 4) == -1 && !e.channelsChanged());

        QVERIFY(RightClickCommand(e.channelGrid(), 2, ID_DELETE_CHANNEL));
        QCOMPARE(run.messages.last(), std::string("Delete channel?\n\n   Sky Cinema HD"));
        QVERIFY(e.channelGrid().GetRowCount() == 3 && e.channelsChanged());
        QCOMPARE(e.tables().userListEntries(0, ListKind::Tv), (std::vector<std::int32_t>{0, 2}));
    }

    void addsTheFirstTransponderAndChannel()
    {
        SatListRun run(EditorTables());
        CSatListDlg& e = run.Open();
        ClickRow(e.satelliteGrid(), 0); // no transponders shown
        auto tpDialog = FillInAndEnter<CTpInfoDlg>({{IDC_TP_FREQUENCY, "12100"}, {IDC_TP_SYMBOL_RATE, "30000"}},
                                                   {{IDC_TP_SYSTEM, 0}, {IDC_TP_FEC, 3}, {IDC_TP_POLARIZATION, 1}, {IDC_TP_PILOT, 0}});
        QVERIFY(RightClickCommand(e.transponderGrid(), -1, ID_ADD_TRANSPONDER) && tpDialog.ran());
        QCOMPARE(run.messages.last(), std::string("Add transponder.\n\n12100/30000/H"));
        QCOMPARE(Column(e.transponderGrid()), (QStringList{"10700/27500/V", "12100/30000/H"}));
        QVERIFY(RowChosen(e.transponderGrid(), 1) && !e.channelsChanged());

        auto channelDialog = FillInAndEnter<CChannelInfoDlg>({{IDC_CH_NAME, "Fresh"}, {IDC_CH_SERVICE_ID, "77"},
                                                              {IDC_CH_PMT_PID, "77"}, {IDC_CH_VIDEO_PID, "77"},
                                                              {IDC_CH_AUDIO_PID, "77"}, {IDC_CH_PCR_PID, "77"}});
        QVERIFY(RightClickCommand(e.channelGrid(), -1, ID_ADD_CHANNEL) && channelDialog.ran());
        QCOMPARE(run.messages.last(), std::string("Add channel.\n\nFresh"));
        QCOMPARE(Column(e.channelGrid()), (QStringList{"   Fresh"}));
        QVERIFY(RowChosen(e.channelGrid(), 0) && e.channelsChanged());
    }

    void unreadableHandOverClosesAtOnce()
    {
        SatListRun run(EditorTables());
        std::filesystem::resize_file(run.folder / "chidx.dat", 1000);
        QCOMPARE(run.editor->DoModal(), IDCANCEL);
        QCOMPARE(run.messages.texts(), (std::vector<std::string>{"File read error!"}));
        QVERIFY(!run.editor->loaded() && !run.HandOverFilesLeft());
    }
};

REGISTER_QTEST(SatListEditorTest);
#include "SatListEditorTest.moc"
