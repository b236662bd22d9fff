#include "platform/ui/CDialog.h"
#include "platform/ui/CIPAddressCtrl.h"
#include "tests/support/ui/ModalWatcher.h"
#include "tests/support/ui/QtTestMain.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QThread>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace {

constexpr int kEdit = 1001;
constexpr int kIp = 1002;
constexpr int kGrid = 1003;
constexpr int kEndSeven = 1004;
constexpr int kRadioA = 1010;
constexpr int kRadioB = 1011;

DialogTemplate TestTemplate()
{
    using K = ControlKind;
    return {500,
            "Test",
            200,
            120,
            {
                {kEdit, K::Edit, 7, 7, 80, 14},
                {kIp, K::IpAddress, 7, 25, 90, 14},
                {kGrid, K::Custom, 100, 7, 90, 60},
                {kRadioA, K::RadioButton, 14, 50, 50, 10, "A", kGroupStart},
                {kRadioB, K::RadioButton, 14, 62, 50, 10, "B"},
                // Listed after the radio buttons it surrounds, as in real resources.
                {kNoControlId, K::GroupBox, 7, 42, 85, 34, "Frame"},
                {kEndSeven, K::PushButton, 7, 99, 50, 14, "Seven"},
                {IDOK, K::DefPushButton, 87, 99, 50, 14, "OK"},
                {IDCANCEL, K::PushButton, 143, 99, 50, 14, "Cancel"},
            }};
}

// Stands in for a grid: takes the focus and records the keys it gets.
class KeyRecorder final : public QWidget {
public:
    KeyRecorder() { setFocusPolicy(Qt::StrongFocus); }
    std::vector<int> keys;

protected:
    void keyPressEvent(QKeyEvent* event) override { keys.push_back(event->key()); }
};

class TestDialog final : public CDialog {
public:
    TestDialog() : CDialog(TestTemplate())
    {
        MapCommand(kEndSeven, [this] { EndDialog(7); });
    }

    int initCalls = 0;
    bool visibleDuringInit = false;
    bool endDuringInit = false;
    std::vector<int> timerIds;
    std::vector<bool> timerOnUiThread;
    std::function<void(int)> onTimer;

protected:
    void OnInitDialog() override
    {
        ++initCalls;
        visibleDuringInit = isVisible();
        if (endDuringInit)
            EndDialog(42);
    }
    void OnTimer(int id) override
    {
        timerIds.push_back(id);
        timerOnUiThread.push_back(QThread::currentThread() == thread());
        if (onTimer)
            onTimer(id);
    }
};

// Clicks a radio button on its indicator, where it takes clicks.
void ClickRadio(QWidget* radio)
{
    QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(6, radio->height() / 2));
}

void Click(QWidget* dialog, int id)
{
    QTest::mouseClick(static_cast<CDialog*>(dialog)->GetDlgItem(id), Qt::LeftButton);
}

} // namespace

class CDialogTest final : public QObject {
    Q_OBJECT

private slots:
    void doModalReturnsTheEndCode()
    {
        struct Case {
            const char* name;
            std::function<void(QWidget*)> act;
            int expected;
        };
        const std::vector<Case> cases = {
            {"OK button", [](QWidget* d) { Click(d, IDOK); }, IDOK},
            {"Cancel button", [](QWidget* d) { Click(d, IDCANCEL); }, IDCANCEL},
            {"own code", [](QWidget* d) { Click(d, kEndSeven); }, 7},
            {"Escape", [](QWidget* d) { QTest::keyClick(d, Qt::Key_Escape); }, IDCANCEL},
            {"close box", [](QWidget* d) { d->close(); }, IDCANCEL},
            {"Enter in an edit presses the default button",
             [](QWidget* d) {
                 QTest::keyClick(static_cast<CDialog*>(d)->GetDlgItem(kEdit), Qt::Key_Return);
             },
             IDOK},
        };
        for (const Case& c : cases) {
            TestDialog dialog;
            ModalWatcher watcher(c.act);
            QCOMPARE(dialog.DoModal(), c.expected);
            QVERIFY2(watcher.ran(), c.name);
            QCOMPARE(dialog.initCalls, 1);
            QVERIFY2(!dialog.visibleDuringInit, "OnInitDialog runs before the dialog shows");
        }
    }

    void endingDuringInitReturnsWithoutShowing()
    {
        TestDialog dialog;
        dialog.endDuringInit = true;
        ModalWatcher watcher([](QWidget* d) { static_cast<QDialog*>(d)->done(-1); },
                             ModalWatcher::IsA<TestDialog>(), 300);
        QCOMPARE(dialog.DoModal(), 42);
        QTest::qWait(350);
        QVERIFY(!watcher.ran());
    }

    void timersFireByIdUntilKilled()
    {
        TestDialog dialog;
        dialog.onTimer = [&dialog](int id) {
            if (id == 10 && std::count(dialog.timerIds.begin(), dialog.timerIds.end(), 10) == 3)
                dialog.KillTimer(10);
            if (id == 20) {
                dialog.KillTimer(20);
                dialog.SetTimer(30, 1);
            }
            if (id == 30)
                dialog.EndDialog(IDOK);
        };
        dialog.SetTimer(10, 5);
        dialog.SetTimer(20, 200);
        QCOMPARE(dialog.DoModal(), IDOK);
        const std::vector<int> expected = {10, 10, 10, 20, 30};
        QCOMPARE(dialog.timerIds, expected);
    }

    // The worker protocol: the dialog starts its worker from timer 10, the worker ends the
    // dialog only by setting timer 30 from its own thread.
    void workerEndsTheDialogBySettingATimer()
    {
        TestDialog dialog;
        std::thread worker;
        std::atomic<bool> workerDone = false;
        dialog.onTimer = [&](int id) {
            dialog.KillTimer(id);
            if (id == 10) {
                worker = std::thread([&] {
                    std::this_thread::sleep_for(std::chrono::milliseconds(30));
                    dialog.SetTimer(30, 20);
                    workerDone = true;
                });
            } else if (id == 30) {
                dialog.EndDialog(1);
            }
        };
        dialog.SetTimer(10, 50);
        QCOMPARE(dialog.DoModal(), 1);
        worker.join();
        QVERIFY(workerDone);
        const std::vector<int> expected = {10, 30};
        QCOMPARE(dialog.timerIds, expected);
        for (bool onUi : dialog.timerOnUiThread)
            QVERIFY(onUi);
    }

    void swallowedEnterAndEscapeCloseNothing()
    {
        TestDialog dialog;
        dialog.SetSwallowEnterEscape(true);
        auto* grid = new KeyRecorder;
        dialog.InstallControl(kGrid, grid);
        ModalWatcher watcher([&](QWidget*) {
            for (QWidget* target : {static_cast<QWidget*>(&dialog), dialog.GetDlgItem(kEdit),
                                    static_cast<QWidget*>(grid)}) {
                for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
                    QTest::keyClick(target, key);
            }
            QTest::keyClick(grid, Qt::Key_Down); // other keys still arrive
            QVERIFY(dialog.isVisible());
            dialog.close(); // the close box still works
        });
        QCOMPARE(dialog.DoModal(), IDCANCEL);
        QVERIFY(watcher.ran());
        const std::vector<int> gridKeys = {Qt::Key_Down};
        QCOMPARE(grid->keys, gridKeys);
    }

    void controlsAreFoundAndReplacedById()
    {
        TestDialog dialog;
        QVERIFY(dialog.DlgItem<QLineEdit>(kEdit));
        QVERIFY(dialog.DlgItem<CIPAddressCtrl>(kIp));
        QVERIFY(!dialog.GetDlgItem(4711));

        dialog.SetDlgItemText(kEdit, "  12 rows");
        QCOMPARE(dialog.GetDlgItemText(kEdit), std::string("  12 rows"));
        QCOMPARE(dialog.GetDlgItemInt(kEdit), 12);
        dialog.SetDlgItemText(kIp, "10.0.0.7");
        QCOMPARE(dialog.GetDlgItemText(kIp), std::string("10.0.0.7"));
        dialog.SetDlgItemText(IDOK, "Apply");
        QCOMPARE(dialog.DlgItem<QPushButton>(IDOK)->text(), QStringLiteral("Apply"));

        const QRect placeholder = dialog.GetDlgItem(kGrid)->geometry();
        auto* grid = new KeyRecorder;
        QCOMPARE(dialog.InstallControl(kGrid, grid), grid);
        QCOMPARE(dialog.GetDlgItem(kGrid), grid);
        QCOMPARE(grid->geometry(), placeholder);
        QCOMPARE(grid->parentWidget(), dialog.client());
    }

    void radioButtonsInsideAFrameTakeClicksAndCanAllBeCleared()
    {
        TestDialog dialog;
        dialog.show();
        auto* a = dialog.DlgItem<QRadioButton>(kRadioA);
        auto* b = dialog.DlgItem<QRadioButton>(kRadioB);
        QCOMPARE(dialog.client()->childAt(a->geometry().topLeft() + QPoint(6, 6)), a);
        ClickRadio(b);
        QCOMPARE(dialog.GetCheckedRadioButton(kRadioA, kRadioB), kRadioB);
        dialog.CheckRadioButton(kRadioA, kRadioB, kRadioA);
        QVERIFY(a->isChecked() && !b->isChecked());
        dialog.CheckRadioButton(kRadioA, kRadioB, 0);
        QCOMPARE(dialog.GetCheckedRadioButton(kRadioA, kRadioB), 0);
        ClickRadio(a);
        ClickRadio(b);
        QVERIFY(!a->isChecked()); // still one exclusive group after clearing
        dialog.hide();
    }

    void runOnUiThreadWaitsForTheCall()
    {
        TestDialog dialog;
        std::atomic<bool> onUi = false;
        std::atomic<bool> returned = false;
        int value = 0;
        std::thread worker([&] {
            dialog.RunOnUiThread([&] {
                onUi = QThread::currentThread() == dialog.thread();
                QThread::msleep(20);
                value = 5;
            });
            returned = value == 5;
        });
        QTRY_VERIFY(returned);
        worker.join();
        QVERIFY(onUi);
        // On the UI thread itself it runs at once.
        bool inline_ = false;
        dialog.RunOnUiThread([&] { inline_ = true; });
        QVERIFY(inline_);
    }
};

REGISTER_QTEST(CDialogTest);
#include "CDialogTest.moc"
