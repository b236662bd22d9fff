// "edit sat lists" and "edit user lists" from the main window: what the editors are given, the
// hand-over through the private folder and what the window shows afterwards.
#include "chdb/ChannelView.h"
#include "editors/CRenameDlg.h"
#include "editors/CSatInfoDlg.h"
#include "editors/CSatListDlg.h"
#include "editors/CUserListDlg.h"
#include "grid/CGridCtrl.h"
#include "res/ResourceIds.h"
#include "tests/app/MainWindowHarness.h"
#include "tests/support/ui/QtTestMain.h"

#include <QComboBox>
#include <QTest>

#include <algorithm>
#include <ranges>

namespace {

using Texts = std::vector<std::string>;

} // namespace

class EditorCommandsTest final : public QObject {
    Q_OBJECT

private slots:
    void satListEditorOpensOnTheCurrentChannelAndHandsBack()
    {
        MainWindowHarness h;
        QVERIFY2(h.OpenConnected("127.0.0.130"), h.messages.last().c_str());
        CMainDlg& w = h.window();

        // A satellite under "SAT", no channel current; no channel changes: flag and data stay.
        ClickRow(w.groupGrid(), 2);
        QVERIFY(h.RunDialog<CSatListDlg>(ID_EDIT_SAT_LISTS, [&](CSatListDlg& e) {
            QCOMPARE(e.tables().satellite(e.satelliteGrid().GetFocusCell().row).id(), SatelliteIdOfGroup(w.state(), 2));
            QVERIFY(e.transponderGrid().GetFocusCell().row == 0 && e.channelGrid().GetFocusCell().row == -1);
        }));
        QVERIFY(!w.state().modified && w.state().db == h.box().Database());
        QVERIFY(w.groupGrid().GetFocusCell().row == 2 && h.messages.texts().empty());
        ClickRow(w.groupGrid(), 0);

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

        QVERIFY(h.RunDialog<CSatListDlg>(ID_EDIT_SAT_LISTS, [&](CSatListDlg& e) {
            // The current channel chosen: its satellite and transponder were found too.
            const int channel = e.channelGrid().GetFocusCell().row;
            QVERIFY(channel >= 0);
            QCOMPARE(e.tables().channel(e.channelRows()[std::size_t(channel)]).key(), current.key());
            auto rename = FillInAndEnter<CSatInfoDlg>({{IDC_SAT_NAME, "Renamed"}});
            ClickRow(e.satelliteGrid(), e.satelliteGrid().GetFocusCell().row, Qt::RightButton);
            QVERIFY(rename.ran());
            // Another channel of the transponder.
            QVERIFY(RightClickCommand(e.channelGrid(), channel == 0 ? 1 : 0, ID_DELETE_CHANNEL));
        }));
        QVERIFY(!h.PrivateFilesLeft() && w.state().db.channelCount() == countBefore - 1 && w.state().modified);

        // The satellite list takes the new name; the current channel stays current and in view.
        for (const SatListEntry& entry : w.state().satList)
            if (entry.satelliteId == current.satelliteId())
                QCOMPARE(entry.name, std::string("Renamed"));
        const int focus = w.channelGrid().GetFocusCell().row;
        QVERIFY(focus >= 0 && w.channelGrid().IsCellSelected(focus, 0) && w.channelGrid().GetScrollPos() == scroll);
        QCOMPARE(w.channelView().records[std::size_t(focus)].key(), current.key());
    }

    void userListEditorOpensOnTheShownListAndRefreshesItUnlessTheHandOverFails()
    {
        MainWindowHarness h;
        QVERIFY2(h.OpenConnected("127.0.0.143"), h.messages.last().c_str());
        CMainDlg& w = h.window();

        // "User", list 3, its second channel chosen.
        ClickRow(w.categoryGrid(), 1);
        ClickRow(w.groupGrid(), 2);
        ClickRow(w.channelGrid(), 1);
        const std::uint16_t chosen = w.channelView().records[1].key();
        const int rows = w.channelGrid().GetRowCount();
        std::int32_t added = -1;
        QVERIFY(h.RunDialog<CUserListDlg>(ID_EDIT_USER_LISTS, [&](CUserListDlg& e) {
            QCOMPARE(e.currentList(), 2);
            // A channel that is not in the list yet, added with Enter.
            int pick = 0;
            const auto held = e.tables().userListEntries(2, ListKind::Tv);
            while (std::ranges::find(held, e.channelRows()[std::size_t(pick)]) != held.end())
                ++pick;
            added = e.channelRows()[std::size_t(pick)];
            ClickRow(e.channelGrid(), pick);
            QTest::keyClick(&e.channelGrid(), Qt::Key_Return);
            auto rename = FillInAndEnter<CRenameDlg>({{IDC_EDIT_NAME, "Sports"}});
            QTest::keyClick(&e.listGrid(), Qt::Key_F2);
            QVERIFY(rename.ran());
        }));
        QVERIFY(!h.PrivateFilesLeft() && !w.state().modified); // no record moved

        // The list names, the same group row, the new entry and the same channel chosen.
        QVERIFY(w.groupGrid().GetItemText(2, 0) == "Sports" && w.groupGrid().GetFocusCell().row == 2);
        QVERIFY(w.channelGrid().GetRowCount() == rows + 1 && w.channelView().tableIndices.back() == added);
        QVERIFY(w.channelGrid().GetSelectedRows() == std::vector<int>{1} && w.channelView().records[1].key() == chosen);
        QVERIFY(h.messages.texts().empty());

        // Outside "User" (here a satellite's radio channels) the editor opens on the first list,
        // and the view is left as it was.
        QTest::mouseClick(w.GetDlgItem(IDC_RADIO_RADIO), Qt::LeftButton);
        ClickRow(w.groupGrid(), 1);
        ClickRow(w.channelGrid(), 0);
        const ChannelView shown = w.channelView();
        QVERIFY(h.RunDialog<CUserListDlg>(ID_EDIT_USER_LISTS, [&](CUserListDlg& e) {
            QVERIFY(e.currentList() == 0 && e.filterCombo().currentText() == "All");
            ClickRow(e.listGrid(), 0);
            QTest::keyClick(&e.listGrid(), Qt::Key_Delete); // answered Yes
        }));
        QVERIFY(w.channelView().records == shown.records && w.channelGrid().GetSelectedRows() == std::vector<int>{0});
        QCOMPARE(h.messages.texts(), Texts{"Delete channels?"});
        h.messages.clear();

        // A hand-over file that cannot be written keeps the editor shut; one that the editor
        // cannot write back brings none of its work. Either way the data stays as it was.
        const ChannelDatabase before = w.state().db;
        const struct {
            int command;
            const char* blockedOut;
            const char* blockedBack;
            std::function<void(CDialog&)> edit;
        } cases[] = {
            {ID_EDIT_SAT_LISTS, "chidx.dat", "chdata.dat",
             [](CDialog& e) { QVERIFY(RightClickCommand(static_cast<CSatListDlg&>(e).channelGrid(), 0, ID_DELETE_CHANNEL)); }},
            {ID_EDIT_USER_LISTS, "menudata.dat", "chidx.dat",
             [](CDialog& e) { QTest::keyClick(&static_cast<CUserListDlg&>(e).channelGrid(), Qt::Key_Return); }},
        };
        for (const auto& c : cases) {
            std::filesystem::create_directory(h.privateDir() / c.blockedOut);
            QVERIFY(!h.RunDialog<CDialog>(c.command, [](CDialog&) {}, 500));
            QCOMPARE(h.messages.texts(), Texts{"File write error!"});
            std::filesystem::remove_all(h.privateDir() / c.blockedOut);

            h.messages.clear();
            QVERIFY(h.RunDialog<CDialog>(c.command, [&](CDialog& e) {
                c.edit(e);
                std::filesystem::create_directory(h.privateDir() / c.blockedBack);
            }));
            QCOMPARE(h.messages.last(), std::string("File read error!"));
            QVERIFY(w.state().db == before && !w.state().modified);
            std::filesystem::remove_all(h.privateDir() / c.blockedBack);
            QVERIFY(!h.PrivateFilesLeft());
            h.messages.clear();
        }
    }
};

REGISTER_QTEST(EditorCommandsTest);
#include "EditorCommandsTest.moc"
