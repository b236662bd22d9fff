// The kept backups in the main window: written by the exchanges, restored, and used as the
// order to apply.
#include "app/CBackupListDlg.h"
#include "chdb/BackupFile.h"
#include "grid/CGridCtrl.h"
#include "res/ResourceIds.h"
#include "tests/app/MainWindowHarness.h"
#include "tests/support/ui/QtTestMain.h"

#include <QTest>

#include <fstream>

namespace {

std::vector<KeptBackup> Kept(const MainWindowHarness& h, const std::string& address)
{
    return BackupHistory(h.scratch() / "history").List(address);
}

} // namespace

class HistoryCommandsTest final : public QObject {
    Q_OBJECT

private slots:
    // Download (kept), edit by applying an order, update (kept), restore the first, update
    // again: the box holds the first database again, byte for byte.
    void restoringTheFirstBackupPutsItBackOnTheBox()
    {
        MainWindowHarness h;
        StbSimulator& box = h.StartBox("127.0.0.232", DemoSize::Tiny);
        const ChannelDatabase original = box.Database();
        CMainDlg& w = h.Open();
        QVERIFY(h.ConnectThroughDialog("127.0.0.232"));
        QVERIFY2(h.messages.texts().empty(), h.messages.last().c_str());
        QVERIFY(Kept(h, "127.0.0.232").size() == 1 && h.Enabled(ID_RESTORE_BACKUP) && h.Enabled(ID_APPLY_ORDER));

        // The list offers the kept backup; "Exit" changes nothing, "File..." asks for any file.
        QVERIFY(h.RunDialog<CBackupListDlg>(ID_APPLY_ORDER, [](CBackupListDlg& d) {
            QTest::mouseClick(d.GetDlgItem(IDCANCEL), Qt::LeftButton);
        }));
        QVERIFY(h.messages.texts().empty() && h.files.calls().empty());
        // The reference holds the last channel alone: it goes to the top, the others follow.
        const int n = original.channelCount();
        ChannelDatabase lastAlone = original;
        lastAlone.setChannel(0, original.channel(n - 1));
        lastAlone.setChannelCount(1);
        const std::string reference = (h.work() / "last.ech").string();
        QVERIFY(ExportBackup(lastAlone, reference, h.messages));
        h.files.QueueAnswer(reference);
        QVERIFY(h.RunDialog<CBackupListDlg>(ID_APPLY_ORDER, [](CBackupListDlg& d) {
            QTest::mouseClick(d.GetDlgItem(IDC_BACKUP_FILE), Qt::LeftButton);
        }));
        QCOMPARE(h.messages.last(), "Order applied!\n\nMatched : 1\nMoved : " + std::to_string(n) +
                                        "\nNot found : " + std::to_string(n - 1));
        QVERIFY(w.state().modified && w.state().db.channel(0) == original.channel(n - 1));
        QCOMPARE(w.channelView().tableIndices, BuildChannelView(w.state(), 0, 0).tableIndices);
        const ChannelDatabase edited = w.state().db;

        h.messages.clear();
        w.OnCommand(ID_UPDATE_STB);
        QCOMPARE(h.messages.texts(), (std::vector<std::string>{"Update STB?", "Update STB"}));
        QVERIFY(box.Database() == edited && Kept(h, "127.0.0.232").size() == 2);

        // The restore lists both, newest first; the keyboard picks the older one.
        QVERIFY(h.RunDialog<CBackupListDlg>(ID_RESTORE_BACKUP, [](CBackupListDlg& d) {
            CGridCtrl& grid = d.grid();
            QVERIFY(Column(grid, 3) == (QStringList{"Kind", "uploaded", "downloaded"}) && d.focusWidget() == &grid);
            QTest::keyClick(&grid, Qt::Key_Down);
            QTest::keyClick(&grid, Qt::Key_Return);
        }));
        // As after "import data"; the file dialogs do not open in the history.
        QVERIFY(w.state().db == original && w.state().modified);
        QVERIFY(w.state().stbAddress.empty() && w.backupPath() == reference);

        h.messages.clear();
        QVERIFY(h.RunCommandAcceptingConnect(ID_UPDATE_STB));
        QCOMPARE(h.messages.texts(), (std::vector<std::string>{"Update STB?", "Update STB"}));
        QVERIFY(box.Database() == original && Kept(h, "127.0.0.232").size() == 3);

        // The order of a backup that is the list itself moves nothing and leaves the flag.
        QVERIFY(h.RunDialog<CBackupListDlg>(ID_APPLY_ORDER, [](CBackupListDlg& d) { DoubleClickRow(d.grid(), 1); }));
        QCOMPARE(h.messages.last(),
                 "Order applied!\n\nMatched : " + std::to_string(n) + "\nMoved : 0\nNot found : 0");
        QVERIFY(!w.state().modified);
    }

    // A history that cannot be written is said once; the exchanges succeed as ever.
    void aHistoryWriteFailureNeverFailsTheExchange()
    {
        MainWindowHarness h;
        StbSimulator& box = h.StartBox("127.0.0.233", DemoSize::Tiny);
        std::ofstream(h.scratch() / "history") << "a file where the folder should be";
        CMainDlg& w = h.Open();
        QVERIFY(h.ConnectThroughDialog("127.0.0.233"));
        const std::string failure = "File write error!\n\n" + (h.scratch() / "history/").string();
        QVERIFY(h.messages.texts().size() == 1 && h.messages.last().starts_with(failure));
        QVERIFY(w.state().db == box.Database() && w.channelGrid().GetRowCount() > 0);

        h.messages.clear();
        w.OnCommand(ID_UPDATE_STB);
        QCOMPARE(h.messages.texts().size(), std::size_t{3}); // "Update STB?", "Update STB", the failure
        QVERIFY(h.messages.texts()[1] == "Update STB" && h.messages.last().starts_with(failure));
    }
};

REGISTER_QTEST(HistoryCommandsTest);
#include "HistoryCommandsTest.moc"
