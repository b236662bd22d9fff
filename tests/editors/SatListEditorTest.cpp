// The satellite list editor driven with the mouse and the keyboard over its hand-over files.
#include "editors/CChannelInfoDlg.h"
#include "editors/CPinDlg.h"
#include "editors/CSatInfoDlg.h"
#include "editors/CTpInfoDlg.h"
#include "grid/CGridCtrl.h"
#include "platform/ui/MenuBuilder.h"
#include "res/ResourceIds.h"
#include "tests/editors/EditorFixture.h"
#include "tests/support/ui/ModalWatcher.h"
#include "tests/support/ui/QtTestMain.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMenu>

#include <map>

namespace {

constexpr unsigned kHandOver = ChannelDatabase::kChData | ChannelDatabase::kChIdx;

bool RowShown(CGridCtrl& grid, int row)
{
    return grid.viewport()->rect().contains(grid.GetCellRect(row, 0));
}

bool RowSelected(CGridCtrl& grid, int row)
{
    for (int c = 0; c < grid.GetColumnCount(); ++c)
        if (!grid.IsCellSelected(row, c))
            return false;
    return grid.GetFocusCell().row == row;
}

// Opens a context menu with `open`, notes which commands it offers enabled, and picks
// `command` (0 closes the menu). False when no menu opened.
bool UseMenu(const std::function<void()>& open, int command, std::map<int, bool>* enabled = nullptr)
{
    if (enabled)
        enabled->clear();
    ModalWatcher watcher(
        [&](QWidget* w) {
            auto* menu = static_cast<QMenu*>(w);
            QAction* chosen = nullptr;
            for (QAction* action : menu->actions()) {
                if (enabled)
                    (*enabled)[CommandIdOf(action)] = action->isEnabled();
                if (CommandIdOf(action) == command)
                    chosen = action;
            }
            if (!chosen) {
                menu->close();
                return;
            }
            menu->setActiveAction(chosen);
            QTest::keyClick(menu, Qt::Key_Return);
        },
        ModalWatcher::IsA<QMenu>(), 5000);
    open();
    return watcher.ran();
}

void Type(QWidget* w, const char* text)
{
    w->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        edit->clear();
    QTest::keyClicks(w, text);
}

void Pick(CDialog& d, int id, int index)
{
    auto* combo = d.DlgItem<QComboBox>(id);
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Home);
    for (int i = 0; i < index; ++i)
        QTest::keyClick(combo, Qt::Key_Down);
}

void Enter(CDialog& d) { QTest::keyClick(d.focusWidget() ? d.focusWidget() : &d, Qt::Key_Return); }

} // namespace

class SatListEditorTest final : public QObject {
    Q_OBJECT

private slots:
    void opensOnThePreselectedChannelOnce()
    {
        EditorRun run(EditorTables());
        run.editor->m_wPreSatId = 113;
        run.editor->m_wPreTpId = 1311;
        run.editor->m_wPreChannelKey = 3000 + 16; // "Channel 11", the twelfth row
        CSatListDlg& e = run.Open();
        QVERIFY(e.loaded());
        QVERIFY(!std::filesystem::exists(run.folder / "chdata.dat"));
        QVERIFY(!std::filesystem::exists(run.folder / "chidx.dat"));
        QVERIFY(e.testAttribute(Qt::WA_WState_Visible));

        QVERIFY(RowSelected(e.satelliteGrid(), 13) && RowShown(e.satelliteGrid(), 13));
        QVERIFY(RowSelected(e.transponderGrid(), 11) && RowShown(e.transponderGrid(), 11));
        QVERIFY(RowSelected(e.channelGrid(), 11) && RowShown(e.channelGrid(), 11));
        QCOMPARE(e.GetDlgItemText(IDC_COUNT_SATELLITES), std::string("14"));
        QCOMPARE(e.GetDlgItemText(IDC_COUNT_TRANSPONDERS), std::string("12"));
        QCOMPARE(e.GetDlgItemText(IDC_COUNT_CHANNELS), std::string("12"));
        QCOMPARE(e.transponderGrid().GetItemText(0, 0), QStringLiteral("10800/27500/V"));
        QCOMPARE(e.channelGrid().GetItemText(11, 0), QStringLiteral("   Channel 11"));

        // The preselection is used once: a later fill starts at row 0 with no channel chosen.
        ClickRow(e.satelliteGrid(), 13);
        QVERIFY(RowSelected(e.transponderGrid(), 0));
        QCOMPARE(e.channelGrid().GetFocusCell().row, -1);
        QCOMPARE(e.channelGrid().GetSelectedCount(), 0);
    }

    void rowsShowNamesAndMarks()
    {
        EditorRun run(EditorTables());
        run.editor->m_wPreSatId = 101;
        CSatListDlg& e = run.Open();
        QCOMPARE(Column(e.transponderGrid()), (QStringList{"11000/27500/H", "12000/27500/V"}));
        CGridCtrl& g = e.channelGrid();
        QCOMPARE(Column(g), (QStringList{"   Das Erste", "   Radio Eins", "   Sky Cinema HD",
                                         QStringLiteral("   TRT Türk")}));
        enum { Hd, Scrambled, Lock, Tv, Radio };
        const int marks[4][4] = {{Tv, -1, -1, -1}, {Radio, -1, -1, Lock}, {Tv, Hd, Scrambled, -1},
                                 {Tv, -1, -1, -1}};
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c)
                QCOMPARE(g.GetItemImage(r, c + 1), marks[r][c]);
        QCOMPARE(g.GetImageList()->GetImageCount(), 5);

        // A satellite whose stored count is 0 shows nothing, even if a record names it.
        ClickRow(e.satelliteGrid(), 0);
        QCOMPARE(e.transponderGrid().GetRowCount(), 0);
        QCOMPARE(e.channelGrid().GetRowCount(), 0);
        QCOMPARE(e.GetDlgItemText(IDC_COUNT_TRANSPONDERS), std::string("0"));
        QCOMPARE(e.GetDlgItemText(IDC_COUNT_CHANNELS), std::string("0"));

        // The arrow keys move through the satellites and transponders as clicks do.
        e.satelliteGrid().setFocus();
        QTest::keyClick(&e.satelliteGrid(), Qt::Key_Down);
        QCOMPARE(e.transponderGrid().GetRowCount(), 2);
        QTest::keyClick(&e.transponderGrid(), Qt::Key_Down);
        QCOMPARE(e.transponderGrid().GetFocusCell().row, 1);
        QCOMPARE(e.channelGrid().GetRowCount(), 0);
    }

    void enterAndEscapeDoNotClose()
    {
        EditorRun run(EditorTables());
        CSatListDlg& e = run.Open();
        for (CGridCtrl* grid : {&e.satelliteGrid(), &e.transponderGrid(), &e.channelGrid()})
            for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
                QTest::keyClick(grid, key);
        QVERIFY(e.isVisible());
        run.Close();
        QVERIFY(!e.isVisible());
        QVERIFY(std::filesystem::exists(run.folder / "chdata.dat")); // handed back
    }

    void contextMenusAreEnabledByTheirRow()
    {
        EditorRun run(EditorTables());
        run.editor->m_wPreSatId = 101;
        CSatListDlg& e = run.Open();
        std::map<int, bool> on;
        QVERIFY(UseMenu([&] { ClickRow(e.transponderGrid(), 1, Qt::RightButton); }, 0, &on));
        QVERIFY(RowSelected(e.transponderGrid(), 1));
        QCOMPARE(on, (std::map<int, bool>{{ID_EDIT_TRANSPONDER, true}, {ID_ADD_TRANSPONDER, true},
                                          {ID_DELETE_TRANSPONDER, true}}));
        // The channel grid of transponder 12 is empty: only "Add Channel".
        QVERIFY(UseMenu([&] { ClickRow(e.channelGrid(), -1, Qt::RightButton); }, 0, &on));
        QCOMPARE(on, (std::map<int, bool>{{ID_EDIT_CHANNEL, false}, {ID_ADD_CHANNEL, true},
                                          {ID_DELETE_CHANNEL, false}}));
        QCOMPARE(e.contextRow(), -1);

        ClickRow(e.transponderGrid(), 0);
        QVERIFY(UseMenu([&] { ClickRow(e.channelGrid(), 2, Qt::RightButton); }, 0, &on));
        QVERIFY(RowSelected(e.channelGrid(), 2));
        QVERIFY(on[ID_EDIT_CHANNEL] && on[ID_DELETE_CHANNEL]);
        // Below the rows the focused row is still the context.
        QVERIFY(UseMenu([&] { ClickRow(e.channelGrid(), -1, Qt::RightButton); }, 0, &on));
        QCOMPARE(e.contextRow(), 2);
        QVERIFY(on[ID_EDIT_CHANNEL]);

        // The keyboard opens the same menus for the focused row.
        e.channelGrid().setFocus();
        QVERIFY(UseMenu([&] { QTest::keyClick(&e.channelGrid(), Qt::Key_Menu); }, 0, &on));
        QVERIFY(on[ID_DELETE_CHANNEL]);
        e.transponderGrid().setFocus();
        QVERIFY(UseMenu([&] { QTest::keyClick(&e.transponderGrid(), Qt::Key_F10, Qt::ShiftModifier); },
                        0, &on));
        QVERIFY(on.count(ID_ADD_TRANSPONDER));
        QCOMPARE(e.contextRow(), 0);
    }

    void addsTheFirstTransponderAndChannel()
    {
        EditorRun run(EditorTables());
        CSatListDlg& e = run.Open();
        ClickRow(e.satelliteGrid(), 0); // no transponders shown
        auto tpDialog = ModalWatcher::For<CTpInfoDlg>([](CTpInfoDlg* d) {
            Type(d->GetDlgItem(IDC_TP_FREQUENCY), "12100");
            Type(d->GetDlgItem(IDC_TP_SYMBOL_RATE), "30000");
            Pick(*d, IDC_TP_SYSTEM, 0);
            Pick(*d, IDC_TP_FEC, 3);
            Pick(*d, IDC_TP_POLARIZATION, 1);
            Pick(*d, IDC_TP_PILOT, 0);
            Enter(*d);
        });
        QVERIFY(UseMenu([&] { ClickRow(e.transponderGrid(), -1, Qt::RightButton); }, ID_ADD_TRANSPONDER));
        QVERIFY(tpDialog.ran());
        QCOMPARE(run.messages.last(), std::string("Add transponder.\n\n12100/30000/H"));
        QCOMPARE(Column(e.transponderGrid()), (QStringList{"10700/27500/V", "12100/30000/H"}));
        QVERIFY(RowSelected(e.transponderGrid(), 1));
        QCOMPARE(e.tables().satellite(0).transponderCount(), 1); // it was 0
        QCOMPARE(e.tables().transponder(e.tables().transponderCount() - 1).id(), 0xFFFF);
        QVERIFY(!e.channelsChanged());

        auto channelDialog = ModalWatcher::For<CChannelInfoDlg>([](CChannelInfoDlg* d) {
            Type(d->GetDlgItem(IDC_CH_NAME), "Fresh");
            for (int id : {IDC_CH_SERVICE_ID, IDC_CH_PMT_PID, IDC_CH_VIDEO_PID, IDC_CH_AUDIO_PID, IDC_CH_PCR_PID})
                Type(d->GetDlgItem(id), "77");
            Enter(*d);
        });
        QVERIFY(UseMenu([&] { ClickRow(e.channelGrid(), -1, Qt::RightButton); }, ID_ADD_CHANNEL));
        QVERIFY(channelDialog.ran());
        QCOMPARE(run.messages.last(), std::string("Add channel.\n\nFresh"));
        QCOMPARE(Column(e.channelGrid()), (QStringList{"   Fresh"}));
        QVERIFY(RowSelected(e.channelGrid(), 0));
        const ChannelDatabase& t = e.tables();
        const ChannelInfo added = t.channel(t.channelCount() - 1);
        QCOMPARE(t.transponder(t.transponderCount() - 1).id(), 0xF000);
        QCOMPARE(added.transponderId(), 0xF000);
        QCOMPARE(added.key(), 3016 + 1);
        QVERIFY(e.channelsChanged());
    }

    void deleteTransponderAsksOnceForAllItsChannels()
    {
        EditorRun run(EditorTables());
        run.editor->m_wPreSatId = 101;
        CSatListDlg& e = run.Open();
        run.messages.QueueAnswer(MessageService::Answer::No);
        QVERIFY(UseMenu([&] { ClickRow(e.transponderGrid(), 0, Qt::RightButton); }, ID_DELETE_TRANSPONDER));
        QCOMPARE(run.messages.last(), std::string("Delete transponder and channels?\n\n11000/27500/H\n"
                                                  "   Das Erste\n   Radio Eins\n   Sky Cinema HD\n"
                                                  "   TRT T\xC3\xBCrk\n"));
        QCOMPARE(e.transponderGrid().GetRowCount(), 2);

        QVERIFY(UseMenu([&] { ClickRow(e.transponderGrid(), 0, Qt::RightButton); }, ID_DELETE_TRANSPONDER));
        QCOMPARE(Column(e.transponderGrid()), (QStringList{"12000/27500/V"}));
        QCOMPARE(e.channelGrid().GetRowCount(), 0);
        QVERIFY(e.channelsChanged());
        run.Close();

        ChannelDatabase back;
        QVERIFY(back.ReadBackFromFolder(run.folder.path(), kHandOver));
        QCOMPARE(back.channelCount(), 17 - 4);
        QCOMPARE(back.transponderCount(), 25);
        QCOMPARE(back.satellite(1).transponderCount(), 1);
        QCOMPARE(back.userListSize(0, ListKind::Tv), 0);
        QCOMPARE(back.userListSize(0, ListKind::Radio), 0);
    }

    void editsSatelliteTransponderAndChannel()
    {
        EditorRun run(EditorTables());
        run.editor->m_wPreSatId = 101;
        CSatListDlg& e = run.Open();

        // A right click on a satellite edits it at once.
        auto satDialog = ModalWatcher::For<CSatInfoDlg>([](CSatInfoDlg* d) {
            Type(d->GetDlgItem(IDC_SAT_NAME), "Renamed");
            Enter(*d);
        });
        ClickRow(e.satelliteGrid(), 2, Qt::RightButton);
        QVERIFY(satDialog.ran());
        QVERIFY(RowSelected(e.satelliteGrid(), 2));
        QCOMPARE(e.satelliteGrid().GetItemText(2, 0), QStringLiteral("Renamed"));
        QCOMPARE(e.tables().satellite(2).name(), std::string("Renamed"));

        ClickRow(e.satelliteGrid(), 1);
        auto tpDialog = ModalWatcher::For<CTpInfoDlg>([](CTpInfoDlg* d) {
            Type(d->GetDlgItem(IDC_TP_FREQUENCY), "11111");
            Enter(*d);
        });
        QVERIFY(UseMenu([&] { ClickRow(e.transponderGrid(), 1, Qt::RightButton); }, ID_EDIT_TRANSPONDER));
        QVERIFY(tpDialog.ran());
        QCOMPARE(e.transponderGrid().GetItemText(1, 0), QStringLiteral("11111/27500/V"));

        // Unlocking the radio channel with the PIN clears its lock mark.
        ClickRow(e.transponderGrid(), 0);
        auto pin = ModalWatcher::For<CPinDlg>([](CPinDlg* d) {
            Type(d->GetDlgItem(IDC_EDIT_PIN), "1234");
            Enter(*d);
        });
        auto channelDialog = ModalWatcher::For<CChannelInfoDlg>([](CChannelInfoDlg* d) {
            Pick(*d, IDC_CH_LOCK, 0);
            Enter(*d);
        });
        QVERIFY(UseMenu([&] { ClickRow(e.channelGrid(), 1, Qt::RightButton); }, ID_EDIT_CHANNEL));
        QVERIFY(channelDialog.ran() && pin.ran());
        QCOMPARE(e.channelGrid().GetItemImage(1, 4), -1);
        QCOMPARE(e.tables().channel(1).lock(), 0);
        QVERIFY(!e.channelsChanged()); // no channel came or went

        QVERIFY(UseMenu([&] { ClickRow(e.channelGrid(), 2, Qt::RightButton); }, ID_DELETE_CHANNEL));
        QCOMPARE(run.messages.last(), std::string("Delete channel?\n\n   Sky Cinema HD"));
        QCOMPARE(e.channelGrid().GetRowCount(), 3);
        QCOMPARE(e.tables().userListEntries(0, ListKind::Tv), (std::vector<std::int32_t>{0, 2}));
        QVERIFY(e.channelsChanged());
    }

    void satelliteLimitRefusesBeforeTheDialog()
    {
        ChannelDatabase tables = EditorTables();
        SatInfo full = tables.satellite(1);
        full.setTransponderCount(255);
        tables.setSatellite(1, full);
        EditorRun run(tables);
        run.editor->m_wPreSatId = 101;
        CSatListDlg& e = run.Open();
        auto tpDialog = ModalWatcher::For<CTpInfoDlg>([](CTpInfoDlg* d) { d->reject(); }, 300);
        QVERIFY(UseMenu([&] { ClickRow(e.transponderGrid(), 0, Qt::RightButton); }, ID_ADD_TRANSPONDER));
        QCOMPARE(run.messages.last(), std::string("Max. no. of transponders reached!\n\nLimit : 255"));
        QTest::qWait(350);
        QVERIFY(!tpDialog.ran());
        QCOMPARE(e.tables().transponderCount(), 26);
    }

    void unreadableHandOverClosesAtOnce()
    {
        EditorRun run(EditorTables());
        std::filesystem::resize_file(run.folder / "chidx.dat", 1000);
        QCOMPARE(run.editor->DoModal(), IDCANCEL);
        QVERIFY(!run.editor->loaded());
        QCOMPARE(run.messages.texts(), (std::vector<std::string>{"File read error!"}));
        QVERIFY(!std::filesystem::exists(run.folder / "chdata.dat"));
        QVERIFY(!std::filesystem::exists(run.folder / "chidx.dat"));
    }

    void gridsGrowWithTheRowSetting()
    {
        EditorRun ten(EditorTables());
        EditorRun fifteen(EditorTables());
        fifteen.editor->m_nGridRows = 15;
        ten.Open();
        fifteen.Open();
        QCOMPARE(fifteen.editor->channelGrid().height() - ten.editor->channelGrid().height(), 5 * 24);
        QCOMPARE(fifteen.editor->height() - ten.editor->height(), 5 * 24);
        QCOMPARE(ten.editor->channelGrid().viewport()->height(), 10 * 24);
    }
};

REGISTER_QTEST(SatListEditorTest);
#include "SatListEditorTest.moc"
