#include "app/CConnectDlg.h"
#include "app/ConnectAddress.h"
#include "platform/ui/CIPAddressCtrl.h"
#include "res/ResourceIds.h"
#include "tests/app/MainWindowHarness.h"
#include "tests/support/ui/QtTestMain.h"
#include "util/Settings.h"

class ConnectDialogTest final : public QObject {
    Q_OBJECT

private slots:
    // Pre-filled with the current address, else the stored one, else empty. What was typed
    // comes back unchecked (a partial address fails later, when the box is tried); Exit gives
    // nothing.
    void prefillPrefersTheCurrentAddressThenTheStoredOne()
    {
        struct Case {
            const char* stored;
            const char* current;
            const char* typed;
            const char* shown;
            std::optional<std::string> result; // nothing: press Exit
        };
        const Case cases[] = {
            {nullptr, "", nullptr, "", ""},
            {"127.0.0.21", "", nullptr, "127.0.0.21", "127.0.0.21"},
            {"127.0.0.21", "127.0.0.22", nullptr, "127.0.0.22", "127.0.0.22"},
            {nullptr, "127.0.0.1", "127.0.0.23", "127.0.0.1", "127.0.0.23"},
            {nullptr, "", "127.5", "", "127.5.0.0"},
            {nullptr, "127.0.0.24", nullptr, "127.0.0.24", std::nullopt},
        };
        for (const Case& c : cases) {
            RegistryScope registry;
            if (c.stored)
                WriteLastConnectIp(c.stored);
            QString shown;
            auto watcher = ModalWatcher::For<CConnectDlg>([&](CConnectDlg* dialog) {
                shown = dialog->DlgItem<CIPAddressCtrl>(IDC_IPADDRESS)->text();
                if (c.typed)
                    TypeAddressAndConnect(*dialog, c.typed);
                else
                    QTest::mouseClick(dialog->GetDlgItem(c.result ? IDOK : IDCANCEL), Qt::LeftButton);
            });
            QCOMPARE(AskConnectAddress(c.current, nullptr), c.result);
            QVERIFY(watcher.ran());
            QCOMPARE(shown, QString::fromLatin1(c.shown));
        }
    }
};

REGISTER_QTEST(ConnectDialogTest);
#include "ConnectDialogTest.moc"
