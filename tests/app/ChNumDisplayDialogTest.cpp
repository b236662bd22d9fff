#include "app/CChNumDisplayDlg.h"
#include "res/ResourceIds.h"
#include "tests/support/RecordingMessages.h"
#include "tests/support/ui/ModalWatcher.h"
#include "tests/support/ui/QtTestMain.h"

#include <QLineEdit>

class ChNumDisplayDialogTest final : public QObject {
    Q_OBJECT

private slots:
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
            QCOMPARE(initial, QStringLiteral("12"));
            QCOMPARE(dialog.m_nRows, c.rows ? c.rows : 12);
            QCOMPARE(focusAfterRefusal, c.rows ? nullptr : dialog.GetDlgItem(IDC_EDIT_ROW_COUNT));
            QCOMPARE(messages.texts(),
                     c.rows ? std::vector<std::string>{}
                            : std::vector<std::string>{"Channel number range : 10 ~ 30"});
        }
    }
};

REGISTER_QTEST(ChNumDisplayDialogTest);
#include "ChNumDisplayDialogTest.moc"
