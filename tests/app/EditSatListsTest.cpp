// "edit sat lists" from the main window: the hand-over through the private folder and what
// the window shows afterwards.
#include "chdb/ChannelView.h"
#include "editors/CSatInfoDlg.h"
#include "editors/CSatListDlg.h"
#include "grid/CGridCtrl.h"
#include "platform/ui/CommandTarget.h"
#include "platform/ui/MenuBuilder.h"
#include "res/ResourceIds.h"
#include "tests/app/MainWindowHarness.h"
#include "tests/support/ui/ModalWatcher.h"
#include "tests/support/ui/QtTestMain.h"

#include <QLineEdit>
#include <QMenu>
#include <QTest>

namespace {

bool Enabled(CMainDlg& window, int command)
{
    CCmdUI cmd(command);
    window.OnUpdateCommand(cmd);
    return cmd.enabled();
}

bool HandOverFilesIn(const std::filesystem::path& folder)
{
    return std::filesystem::exists(folder / "chdata.dat") || std::filesystem::exists(folder / "chidx.dat");
}

// Runs "edit sat lists" and `inside` on the editor, then closes it with its close box.
bool RunEditor(CMainDlg& window, const std::function<void(CSatListDlg&)>& inside)
{
    auto watcher = ModalWatcher::For<CSatListDlg>([&](CSatListDlg* editor) {
        inside(*editor);
        editor->close();
    });
    window.OnCommand(ID_EDIT_SAT_LISTS);
    return watcher.ran();
}

// Deletes the channel on row `row` of the editor's channel grid through its context menu.
void DeleteChannelRow(CSatListDlg& editor, int row)
{
    CGridCtrl& grid = editor.channelGrid();
    auto menu = ModalWatcher::For<QMenu>([](QMenu* m) {
        for (QAction* a : m->actions())
            if (CommandIdOf(a) == ID_DELETE_CHANNEL)
                m->setActiveAction(a);
        QTest::keyClick(m, Qt::Key_Return);
    });
    grid.EnsureVisible(row, 0);
    QTest::mouseClick(grid.viewport(), Qt::RightButton, Qt::NoModifier, grid.GetCellRect(row, 0).center());
    QVERIFY(menu.ran());
}

} // namespace

class EditSatListsTest final : public QObject {
    Q_OBJECT

private slots:
    void editorOpensOnTheCurrentChannelAndHandsBack()
    {
        MainWindowHarness h;
        h.StartBox("127.0.0.130");
        CMainDlg& w = h.Open();
        QVERIFY(!Enabled(w, ID_EDIT_SAT_LISTS));
        QVERIFY(h.ConnectThroughDialog("127.0.0.130"));
        QVERIFY(Enabled(w, ID_EDIT_SAT_LISTS));

        // SAT / All: a channel further down whose transponder carries another one.
        const ChannelView& view = w.channelView();
        int pick = 30;
        auto sameTransponder = [&](const ChannelInfo& a, const ChannelInfo& b) {
            return a.satelliteId() == b.satelliteId() && a.transponderId() == b.transponderId();
        };
        auto partners = [&](int row) {
            int n = 0;
            for (int i = 0; i < w.state().db.channelCount(); ++i)
                n += sameTransponder(w.state().db.channel(i), view.records[std::size_t(row)]);
            return n;
        };
        while (partners(pick) < 2)
            ++pick;
        ClickRow(w.channelGrid(), pick);
        const int scroll = w.channelGrid().GetScrollPos();
        QVERIFY(scroll > 0);
        const ChannelInfo current = view.records[std::size_t(pick)];
        const int countBefore = w.state().db.channelCount();
        std::string renamedTo;

        QVERIFY(RunEditor(w, [&](CSatListDlg& e) {
            QVERIFY(!HandOverFilesIn(h.privateDir())); // the editor took them
            const ChannelDatabase& t = e.tables();
            const int sat = e.satelliteGrid().GetFocusCell().row;
            QCOMPARE(t.satellite(sat).id(), current.satelliteId());
            const int tp = e.transponderGrid().GetFocusCell().row;
            QCOMPARE(t.transponder(e.transponderRows()[std::size_t(tp)]).id(), current.transponderId());
            const int channel = e.channelGrid().GetFocusCell().row;
            QVERIFY(channel >= 0);
            QCOMPARE(t.channel(e.channelRows()[std::size_t(channel)]).key(), current.key());

            auto rename = ModalWatcher::For<CSatInfoDlg>([&](CSatInfoDlg* d) {
                auto* name = d->DlgItem<QLineEdit>(IDC_SAT_NAME);
                name->selectAll();
                QTest::keyClicks(name, "Renamed");
                QTest::keyClick(name, Qt::Key_Return);
            });
            QTest::mouseClick(e.satelliteGrid().viewport(), Qt::RightButton, Qt::NoModifier,
                              e.satelliteGrid().GetCellRect(sat, 0).center());
            QVERIFY(rename.ran());
            renamedTo = t.satellite(sat).name();
            DeleteChannelRow(e, channel == 0 ? 1 : 0); // another channel of the transponder
        }));
        QCOMPARE(renamedTo, std::string("Renamed"));
        QVERIFY(!HandOverFilesIn(h.privateDir()));
        QCOMPARE(w.state().db.channelCount(), countBefore - 1);
        QVERIFY(w.state().modified); // a channel went

        // The names of the satellite list follow; the current channel stays current.
        bool found = false;
        for (const SatListEntry& entry : w.state().satList)
            if (entry.satelliteId == current.satelliteId())
                found = entry.name == "Renamed";
        QVERIFY(found);
        const int focus = w.channelGrid().GetFocusCell().row;
        QVERIFY(focus >= 0);
        QCOMPARE(w.channelView().records[std::size_t(focus)].key(), current.key());
        QVERIFY(w.channelGrid().IsCellSelected(focus, 0));
        QCOMPARE(w.channelGrid().GetScrollPos(), scroll);
    }

    void noChannelChangeLeavesTheFlagAndTheData()
    {
        MainWindowHarness h;
        StbSimulator& box = h.StartBox("127.0.0.131");
        CMainDlg& w = h.Open();
        QVERIFY(h.ConnectThroughDialog("127.0.0.131"));
        ClickRow(w.groupGrid(), 2); // a satellite under "SAT", no channel current
        const std::uint16_t satId = SatelliteIdOfGroup(w.state(), 2);
        QVERIFY(RunEditor(w, [&](CSatListDlg& e) {
            const int sat = e.satelliteGrid().GetFocusCell().row;
            QCOMPARE(e.tables().satellite(sat).id(), satId);
            QCOMPARE(e.transponderGrid().GetFocusCell().row, 0);
            QCOMPARE(e.channelGrid().GetFocusCell().row, -1);
        }));
        QVERIFY(!w.state().modified);
        QVERIFY(w.state().db == box.Database());
        QCOMPARE(w.groupGrid().GetFocusCell().row, 2);
        QVERIFY(h.messages.texts().empty());
    }

    void handOverFailuresKeepTheShownData()
    {
        MainWindowHarness h;
        h.StartBox("127.0.0.132", DemoSize::Tiny);
        CMainDlg& w = h.Open();
        QVERIFY(h.ConnectThroughDialog("127.0.0.132"));
        const ChannelDatabase before = w.state().db;

        // A folder where a hand-over file should go: the editor does not open.
        std::filesystem::create_directory(h.privateDir() / "chidx.dat");
        auto editor = ModalWatcher::For<CSatListDlg>([](CSatListDlg* e) { e->close(); }, 500);
        w.OnCommand(ID_EDIT_SAT_LISTS);
        QTest::qWait(600);
        QVERIFY(!editor.ran());
        QCOMPARE(h.messages.texts(), (std::vector<std::string>{"File write error!"}));
        std::filesystem::remove_all(h.privateDir() / "chidx.dat");

        // The editor cannot write back: nothing of its work arrives, the data stays as it was.
        h.messages.clear();
        QVERIFY(RunEditor(w, [&](CSatListDlg& e) {
            DeleteChannelRow(e, 0);
            std::filesystem::create_directory(h.privateDir() / "chdata.dat");
        }));
        QCOMPARE(h.messages.last(), std::string("File read error!"));
        QVERIFY(w.state().db == before);
        QVERIFY(!w.state().modified);
        QVERIFY(!HandOverFilesIn(h.privateDir()));
    }
};

REGISTER_QTEST(EditSatListsTest);
#include "EditSatListsTest.moc"
