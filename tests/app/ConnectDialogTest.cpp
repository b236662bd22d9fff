#include "app/CConnectDlg.h"
#include "app/ConnectAddress.h"
#include "platform/ui/CIPAddressCtrl.h"
#include "res/ResourceIds.h"
#include "tests/app/RegistryScope.h"
#include "tests/support/ui/ModalWatcher.h"
#include "tests/support/ui/QtTestMain.h"
#include "util/Settings.h"

#include <QApplication>
#include <QTest>

namespace {

// Answers the connect dialog: records what it showed, optionally types, then presses a button.
struct ConnectScript {
    QString shown;
    const char* typed = nullptr;
    int button = IDOK;

    void operator()(QWidget* w)
    {
        auto* dialog = static_cast<CConnectDlg*>(w);
        auto* ip = dialog->DlgItem<CIPAddressCtrl>(IDC_IPADDRESS);
        shown = ip->text();
        if (typed) {
            ip->clear();
            ip->setFieldFocus(0);
            for (const char* k = typed; *k; ++k)
                QTest::keyClick(dialog->focusWidget(), *k);
        }
        QTest::mouseClick(dialog->GetDlgItem(button), Qt::LeftButton);
    }
};

std::optional<std::string> Ask(const std::string& current, ConnectScript& script)
{
    ModalWatcher watcher([&script](QWidget* w) { script(w); }, ModalWatcher::IsA<CConnectDlg>());
    auto result = AskConnectAddress(current, nullptr);
    if (!watcher.ran())
        qWarning("the connect dialog did not show");
    return result;
}

} // namespace

class ConnectDialogTest final : public QObject {
    Q_OBJECT

private slots:
    void prefillPrefersTheCurrentAddressThenTheStoredOne()
    {
        RegistryScope registry;
        ConnectScript nothingStored;
        QCOMPARE(Ask("", nothingStored), std::optional<std::string>(""));
        QCOMPARE(nothingStored.shown, QString());

        WriteLastConnectIp("127.0.0.21");
        ConnectScript stored;
        QCOMPARE(Ask("", stored), std::optional<std::string>("127.0.0.21"));
        QCOMPARE(stored.shown, QStringLiteral("127.0.0.21"));

        ConnectScript current;
        QCOMPARE(Ask("127.0.0.22", current), std::optional<std::string>("127.0.0.22"));
        QCOMPARE(current.shown, QStringLiteral("127.0.0.22"));
    }

    void connectReturnsWhatWasTypedAndExitNothing()
    {
        RegistryScope registry;
        ConnectScript typed{{}, "127.0.0.23"};
        QCOMPARE(Ask("127.0.0.1", typed), std::optional<std::string>("127.0.0.23"));

        // No validation here: a partial address fails later, when the box is tried.
        ConnectScript partial{{}, "127.5"};
        QCOMPARE(Ask("", partial), std::optional<std::string>("127.5.0.0"));

        ConnectScript exit{{}, nullptr, IDCANCEL};
        QCOMPARE(Ask("127.0.0.24", exit), std::nullopt);
    }

    void rememberedAddressIsCurrentAndStored()
    {
        RegistryScope registry;
        std::string current;
        RememberAddress(current, "127.0.0.25");
        QCOMPARE(current, std::string("127.0.0.25"));
        QCOMPARE(ReadLastConnectIp(), std::string("127.0.0.25"));
        QCOMPARE(InitialConnectAddress(""), std::string("127.0.0.25"));

        // A store that cannot be written still leaves the address usable for this run.
        setenv("CHANNELTOOL_REGISTRY", (registry.dir() / "registry" / "below-a-file").c_str(), 1);
        RememberAddress(current, "127.0.0.26");
        QCOMPARE(current, std::string("127.0.0.26"));
    }
};

REGISTER_QTEST(ConnectDialogTest);
#include "ConnectDialogTest.moc"
