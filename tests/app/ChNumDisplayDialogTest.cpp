#include "app/CChNumDisplayDlg.h"
#include "res/ResourceIds.h"
#include "tests/support/RecordingMessages.h"
#include "tests/support/ui/ModalWatcher.h"
#include "tests/support/ui/QtTestMain.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

namespace {

void Enter(CChNumDisplayDlg& dialog, const char* text)
{
    auto* edit = dialog.DlgItem<QLineEdit>(IDC_EDIT_ROW_COUNT);
    edit->selectAll();
    QTest::keyClicks(edit, QString::fromLatin1(text));
    QTest::mouseClick(dialog.GetDlgItem(IDOK), Qt::LeftButton);
}

} // namespace

class ChNumDisplayDialogTest final : public QObject {
    Q_OBJECT

private slots:
    void outOfRangeSaysSoAndKeepsTheDialogOpen()
    {
        RecordingMessages messages;
        CChNumDisplayDlg dialog(messages);
        dialog.m_nRows = 12;
        QString initial;
        ModalWatcher watcher([&](QWidget*) {
            auto* edit = dialog.DlgItem<QLineEdit>(IDC_EDIT_ROW_COUNT);
            initial = edit->text();
            for (const char* bad : {"31", "9", "0", "abc", "-12"}) {
                messages.clear();
                dialog.GetDlgItem(IDCANCEL)->setFocus(); // the edit must get it back
                Enter(dialog, bad);
                QCOMPARE(messages.texts(),
                         std::vector<std::string>{"Channel number range : 10 ~ 30"});
                QVERIFY2(dialog.isVisible(), bad);
                QCOMPARE(dialog.focusWidget(), edit);
            }
            Enter(dialog, "25");
        });
        QCOMPARE(dialog.DoModal(), IDOK);
        QVERIFY(watcher.ran());
        QCOMPARE(initial, QStringLiteral("12"));
        QCOMPARE(dialog.m_nRows, 25);
    }

    void theLimitsAreAcceptedAndExitKeepsTheValue()
    {
        for (const char* good : {"10", "30", " 20 rows"}) {
            RecordingMessages messages;
            CChNumDisplayDlg dialog(messages);
            dialog.m_nRows = 15;
            ModalWatcher watcher([&](QWidget*) { Enter(dialog, good); });
            QCOMPARE(dialog.DoModal(), IDOK);
            QVERIFY(messages.texts().empty());
            QCOMPARE(dialog.m_nRows, std::atoi(good));
        }
        RecordingMessages messages;
        CChNumDisplayDlg dialog(messages);
        dialog.m_nRows = 15;
        ModalWatcher watcher([&](QWidget*) {
            dialog.SetDlgItemText(IDC_EDIT_ROW_COUNT, "22");
            QTest::mouseClick(dialog.GetDlgItem(IDCANCEL), Qt::LeftButton);
        });
        QCOMPARE(dialog.DoModal(), IDCANCEL);
        QCOMPARE(dialog.m_nRows, 15);
    }
};

REGISTER_QTEST(ChNumDisplayDialogTest);
#include "ChNumDisplayDialogTest.moc"
