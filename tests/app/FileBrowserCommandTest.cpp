// "file browser" from the main window: connect dialog, disk choice, browser, address kept.
#include "filebrowser/ui/CFileBrowserDlg.h"
#include "filebrowser/ui/CSelectDiskDlg.h"
#include "grid/CGridCtrl.h"
#include "res/ResourceIds.h"
#include "tests/app/MainWindowHarness.h"
#include "tests/support/ui/QtTestMain.h"
#include "util/Settings.h"

class FileBrowserCommandTest final : public QObject {
    Q_OBJECT

private slots:
    void opensTheChosenDiskAndRemembersTheAddressAfterwards()
    {
        MainWindowHarness h;
        StbSimulator& box = h.StartBox("127.0.0.182", DemoSize::Tiny);
        CMainDlg& w = h.Open();

        auto select = ModalWatcher::For<CSelectDiskDlg>([](CSelectDiskDlg* dialog) {
            QTest::keyClick(&dialog->grid(), Qt::Key_End, Qt::ControlModifier); // "Disk 2-2"
            QTest::keyClick(&dialog->grid(), Qt::Key_Return);
        });
        std::optional<std::string> mounted;
        std::string pcPath;
        auto browser = ModalWatcher::For<CFileBrowserDlg>([&](CFileBrowserDlg* dialog) {
            mounted = box.MountedDevice();
            pcPath = dialog->pcPath();
            dialog->close();
        });
        QVERIFY(h.RunCommandTypingAddress(ID_FILE_BROWSER, "127.0.0.182"));
        QVERIFY(select.ran() && browser.ran());
        QVERIFY2(h.messages.texts().empty(), h.messages.last().c_str());
        QCOMPARE(mounted, std::optional<std::string>("/dev/sdb2"));
        // The PC side starts in the current folder, not in the program's private one.
        QVERIFY(std::filesystem::equivalent(pcPath, h.work()));
        QVERIFY(w.state().stbAddress == "127.0.0.182" && ReadLastConnectIp() == "127.0.0.182");
        QTRY_COMPARE(box.MountedDevice(), std::nullopt);

        // No disk choice, no browser, and the address stays the one that worked.
        QVERIFY(h.RunCommandTypingAddress(ID_FILE_BROWSER, "127.0.0.183"));
        QCOMPARE(h.messages.texts(), std::vector<std::string>{"Connection failed!"});
        QVERIFY(w.state().stbAddress == "127.0.0.182" && ReadLastConnectIp() == "127.0.0.182");
    }
};

REGISTER_QTEST(FileBrowserCommandTest);
#include "FileBrowserCommandTest.moc"
