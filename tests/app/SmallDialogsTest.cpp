// The connect and grid height dialogs: what they show and what they give back.
#include "app/CChNumDisplayDlg.h"
#include "app/CConnectDlg.h"
#include "app/ConnectAddress.h"
#include "platform/ui/CIPAddressCtrl.h"
#include "res/ResourceIds.h"
#include "tests/app/MainWindowHarness.h"
#include "tests/support/ui/QtTestMain.h"
#include "util/Settings.h"

#include <QLineEdit>

class SmallDialogsTest final : public QObject {
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
            QVERIFY(watcher.ran() && shown == c.shown);
        }
    }

    // 10 to 30 rows close the dialog with that number (text after it does not count);
    // anything else says so, gives the edit the focus back and keeps the dialog open, where
    // Exit keeps the old value.
    void rowCountOutsideTenToThirtyIsRefused()
    {
        struct Case {
            const char* typed;
            int rows; // 0: refused
        };
        for (const Case& c : {Case{"10", 10}, Case{"30", 30}, Case{" 25 rows", 25}, Case{"31", 0},
                              Case{"9", 0}, Case{"0", 0}, Case{"abc", 0}, Case{"-12", 0}}) {
            RecordingMessages messages;
            CChNumDisplayDlg dialog(messages);
            dialog.m_nRows = 12;
            QString initial;
            QWidget* focusAfterRefusal = nullptr;
            ModalWatcher watcher([&](QWidget*) {
                auto* edit = dialog.DlgItem<QLineEdit>(IDC_EDIT_ROW_COUNT);
                initial = edit->text();
                dialog.GetDlgItem(IDCANCEL)->setFocus();
                edit->selectAll();
                QTest::keyClicks(edit, QString::fromLatin1(c.typed));
                QTest::mouseClick(dialog.GetDlgItem(IDOK), Qt::LeftButton);
                if (dialog.isVisible()) {
                    focusAfterRefusal = dialog.focusWidget();
                    QTest::mouseClick(dialog.GetDlgItem(IDCANCEL), Qt::LeftButton);
                }
            });
            QCOMPARE(dialog.DoModal(), c.rows ? IDOK : IDCANCEL);
            QVERIFY(initial == "12" && dialog.m_nRows == (c.rows ? c.rows : 12));
            QCOMPARE(focusAfterRefusal, c.rows ? nullptr : dialog.GetDlgItem(IDC_EDIT_ROW_COUNT));
            QCOMPARE(messages.texts(),
                     c.rows ? std::vector<std::string>{} : std::vector<std::string>{"Channel number range : 10 ~ 30"});
        }
    }
};

REGISTER_QTEST(SmallDialogsTest);
#include "SmallDialogsTest.moc"
