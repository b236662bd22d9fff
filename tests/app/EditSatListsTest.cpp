// "edit sat lists" from the main window: the hand-over through the private folder and what
// the window shows afterwards.
#include "chdb/ChannelView.h"
#include "editors/CSatInfoDlg.h"
#include "editors/CSatListDlg.h"
#include "grid/CGridCtrl.h"
#include "platform/ui/CommandTarget.h"
#include "res/ResourceIds.h"
#include "tests/app/MainWindowHarness.h"
#include "tests/support/ui/ModalWatcher.h"
#include "tests/support/ui/QtTestMain.h"
#include "tests/support/ui/UiDriving.h"

#include <QTest>

#include <algorithm>
#include <ranges>

namespace {

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

void DeleteChannelRow(CSatListDlg& editor, int row)
{
    QVERIFY(UseContextMenu([&] { ClickRow(editor.channelGrid(), row, Qt::RightButton); }, ID_DELETE_CHANNEL));
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
        CCmdUI enabled(ID_EDIT_SAT_LISTS);
        w.OnUpdateCommand(enabled);
        QVERIFY(!enabled.enabled()); // no data yet
        QVERIFY(h.ConnectThroughDialog("127.0.0.130"));

        // SAT / All: a channel further down whose transponder carries another one.
        const ChannelDatabase& db = w.state().db;
        auto partners = [&](const ChannelInfo& c) {
            return std::ranges::count_if(std::views::iota(0, db.channelCount()), [&](int i) {
                return db.channel(i).satelliteId() == c.satelliteId() && db.channel(i).transponderId() == c.transponderId();
            });
        };
        int pick = 30;
        while (partners(w.channelView().records[std::size_t(pick)]) < 2)
            ++pick;
        ClickRow(w.channelGrid(), pick);
        const int scroll = w.channelGrid().GetScrollPos();
        QVERIFY(scroll > 0);
        const ChannelInfo current = w.channelView().records[std::size_t(pick)];
        const int countBefore = db.channelCount();

        QVERIFY(RunEditor(w, [&](CSatListDlg& e) {
            QVERIFY(!HandOverFilesIn(h.privateDir())); // the editor took them
            const ChannelDatabase& t = e.tables();
            const int sat = e.satelliteGrid().GetFocusCell().row;
            const int tp = e.transponderGrid().GetFocusCell().row;
            const int channel = e.channelGrid().GetFocusCell().row;
            QCOMPARE(t.satellite(sat).id(), current.satelliteId());
            QCOMPARE(t.transponder(e.transponderRows()[std::size_t(tp)]).id(), current.transponderId());
            QVERIFY(channel >= 0);
            QCOMPARE(t.channel(e.channelRows()[std::size_t(channel)]).key(), current.key());

            auto rename = ModalWatcher::For<CSatInfoDlg>([](CSatInfoDlg* d) {
                TypeInto(d->GetDlgItem(IDC_SAT_NAME), "Renamed");
                PressEnter(*d);
            });
            ClickRow(e.satelliteGrid(), sat, Qt::RightButton);
            QVERIFY(rename.ran());
            DeleteChannelRow(e, channel == 0 ? 1 : 0); // another channel of the transponder
        }));
        QVERIFY(!HandOverFilesIn(h.privateDir()));
        QCOMPARE(w.state().db.channelCount(), countBefore - 1);
        QVERIFY(w.state().modified); // a channel went

        // The satellite list takes the new name; the current channel stays current and in view.
        for (const SatListEntry& entry : w.state().satList)
            if (entry.satelliteId == current.satelliteId())
                QCOMPARE(entry.name, std::string("Renamed"));
        const int focus = w.channelGrid().GetFocusCell().row;
        QVERIFY(focus >= 0 && w.channelGrid().IsCellSelected(focus, 0));
        QCOMPARE(w.channelView().records[std::size_t(focus)].key(), current.key());
        QCOMPARE(w.channelGrid().GetScrollPos(), scroll);
    }

    void noChannelChangeLeavesTheFlagAndTheData()
    {
        MainWindowHarness h;
        StbSimulator& box = h.StartBox("127.0.0.131");
        CMainDlg& w = h.Open();
        QVERIFY(h.ConnectThroughDialog("127.0.0.131"));
        ClickRow(w.groupGrid(), 2); // a satellite under "SAT", no channel current
        QVERIFY(RunEditor(w, [&](CSatListDlg& e) {
            QCOMPARE(e.tables().satellite(e.satelliteGrid().GetFocusCell().row).id(), SatelliteIdOfGroup(w.state(), 2));
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
