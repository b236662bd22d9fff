#include "platform/ui/CDialog.h"
#include "tests/support/ui/ModalWatcher.h"
#include "tests/support/ui/QtTestMain.h"
#include "tests/support/ui/UiDriving.h"

#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QThread>

#include <chrono>
#include <thread>

namespace {

constexpr int kEdit = 1001;
constexpr int kGrid = 1003;
constexpr int kEndSeven = 1004;
constexpr int kRadioA = 1010;
constexpr int kRadioB = 1011;
constexpr int kConnect = 32771;
constexpr int kUpdate = 32776;

const MenuTemplate kMenu = {135, {{"&File", {{"connect", kConnect}, {"update", kUpdate}}}}};
const MenuTemplate kMenu2 = {
    136, {{"&File", {{"connect", kConnect}}}, {"&Edit", {{"other", 32790}, {"update", kUpdate}}}}};

DialogTemplate TestTemplate()
{
    using K = ControlKind;
    DialogTemplate dialog{500, "Test", 200, 120, {}};
    dialog.controls = {
        {kEdit, K::Edit, 7, 7, 80, 14},
        {kGrid, K::Custom, 100, 7, 90, 60},
        {kRadioA, K::RadioButton, 14, 50, 50, 10, "A", kGroupStart},
        {kRadioB, K::RadioButton, 14, 62, 50, 10, "B"},
        // Listed after the radio buttons it surrounds, as in real resources.
        {kNoControlId, K::GroupBox, 7, 42, 85, 34, "Frame"},
        {kEndSeven, K::PushButton, 7, 99, 50, 14, "Seven"},
        {IDOK, K::DefPushButton, 87, 99, 50, 14, "OK"},
        {IDCANCEL, K::PushButton, 143, 99, 50, 14, "Cancel"},
    };
    return dialog;
}

// Stands in for a grid: takes the focus and records the keys it gets.
class KeyRecorder final : public QWidget {
public:
    KeyRecorder() { setFocusPolicy(Qt::StrongFocus); }
    std::vector<int> keys;
    bool keepsTab = false; // plain Tab and Shift+Tab, as a grid moves between its cells

protected:
    bool event(QEvent* event) override
    {
        if (keepsTab && event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
            if (tab && !(key->modifiers() & Qt::ControlModifier))
                return true;
        }
        return QWidget::event(event);
    }
    void keyPressEvent(QKeyEvent* event) override
    {
        keys.push_back(event->key());
        event->ignore(); // as a grid leaves the keys it does not use to the dialog
    }
};

class TestDialog final : public CDialog {
public:
    TestDialog() : CDialog(TestTemplate())
    {
        MapCommand(kEndSeven, [this] { EndDialog(7); });
        for (int id : {kConnect, kUpdate})
            MapCommand(id, [this, id] { commands.push_back(id); });
        MapUpdateCommand(kUpdate, [this](CCmdUI& cmd) {
            ++updates;
            cmd.Enable(dataShown);
        });
    }

    int initCalls = 0;
    bool visibleDuringInit = false;
    bool endDuringInit = false;
    std::vector<int> timerIds;
    bool timersOnUiThread = true;
    std::function<void(int)> onTimer;
    bool dataShown = false; // enables "update"
    int updates = 0;
    std::vector<int> commands;

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
        timersOnUiThread = timersOnUiThread && QThread::currentThread() == thread();
        if (onTimer)
            onTimer(id);
    }
};

void Click(QWidget* dialog, int id)
{
    QTest::mouseClick(static_cast<CDialog*>(dialog)->GetDlgItem(id), Qt::LeftButton);
}

void ClickItem(QMenu* menu, QAction* item)
{
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
}

} // namespace

class CDialogTest final : public QObject {
    Q_OBJECT

private slots:
    // The base unit is the rounded average letter width; units scale and round to pixels,
    // and rectangles convert their edges, so side by side in units stays so in pixels.
    void dialogUnitsConvertToRoundedPixels()
    {
        // 6.48 rounds down, 6.5 up.
        QCOMPARE((std::pair{DialogUnits::BaseUnitX(337), DialogUnits::BaseUnitX(338)}), (std::pair{6, 7}));
        const DialogUnits units(6, 13);
        QCOMPARE(units.ToPixels(QSize(169, 67)), QSize(254, 109)); // 253.5 and 108.875
        QCOMPARE((std::pair{units.ToPixelsY(4), units.ToPixelsX(-2)}), (std::pair{7, -3})); // 6.5, -3
        // Left 10.5 -> 11, top 3.25 -> 3, right 570, bottom 339.625 -> 340.
        QCOMPARE(units.ToPixels(QRect(7, 2, 373, 207)), QRect(11, 3, 559, 337));
        const QRect left = units.ToPixels(QRect(17, 37, 60, 163));
        QCOMPARE(left.right() + 1, units.ToPixels(QRect(77, 37, 10, 163)).left());
    }

    void doModalReturnsTheEndCode()
    {
        // The buttons, Escape, the close box, Enter in an edit (the default button), and last
        // EndDialog in OnInitDialog, which returns without showing.
        const std::pair<std::function<void(QWidget*)>, int> cases[] = {
            {[](QWidget* d) { Click(d, IDOK); }, IDOK},
            {[](QWidget* d) { Click(d, IDCANCEL); }, IDCANCEL},
            {[](QWidget* d) { Click(d, kEndSeven); }, 7},
            {[](QWidget* d) { QTest::keyClick(d, Qt::Key_Escape); }, IDCANCEL},
            {[](QWidget* d) { d->close(); }, IDCANCEL},
            {[](QWidget* d) { QTest::keyClick(static_cast<CDialog*>(d)->GetDlgItem(kEdit), Qt::Key_Return); }, IDOK},
            {nullptr, 42},
        };
        for (const auto& [act, expected] : cases) {
            TestDialog dialog;
            dialog.endDuringInit = !act;
            // A dialog that shows although it ended in OnInitDialog is closed with -1.
            ModalWatcher watcher(act ? act : [](QWidget* d) { static_cast<QDialog*>(d)->done(-1); });
            QCOMPARE(dialog.DoModal(), expected);
            // OnInitDialog runs once, before the dialog shows.
            QVERIFY(watcher.ran() == bool(act) && dialog.initCalls == 1 && !dialog.visibleDuringInit);
        }
    }

    // Timer 10 repeats until killed and then sets timer 20 (so a slow start cannot change the
    // order); timer 20 starts a worker that ends the dialog the way workers do: only by setting
    // timer 30 from its own thread.
    void timersFireByIdUntilKilledAndAWorkerCanSetOne()
    {
        TestDialog dialog;
        std::thread worker;
        dialog.onTimer = [&](int id) {
            if (id == 10 && std::ranges::count(dialog.timerIds, 10) == 3) {
                dialog.KillTimer(10);
                dialog.SetTimer(20, 50);
            }
            if (id == 20) {
                dialog.KillTimer(20);
                worker = std::thread([&] {
                    std::this_thread::sleep_for(std::chrono::milliseconds(30));
                    dialog.SetTimer(30, 1);
                });
            }
            if (id == 30)
                dialog.EndDialog(IDOK);
        };
        dialog.SetTimer(10, 5);
        QCOMPARE(dialog.DoModal(), IDOK);
        worker.join();
        QVERIFY(dialog.timerIds == (std::vector<int>{10, 10, 10, 20, 30}) && dialog.timersOnUiThread);
    }

    // A window that swallows Enter and Escape closes on neither (other keys still reach its
    // controls, the close box still works); an edit dialog over it takes Enter as OK and
    // Escape as cancel. The grid is installed in its placeholder's place, as the main window
    // does it (whose test checks the grids' geometry).
    // The grid keeps plain Tab for its cells; Ctrl+Tab and Ctrl+Shift+Tab leave it along the
    // dialog's tab order. The menu bar's keyboard mode takes Enter and Escape: Alt, Right and
    // Enter open the second menu, Down and Enter run its second item; Escape closes a menu,
    // and again leaves the menu bar.
    void keyboardInAWindowThatSwallowsEnterAndEscape()
    {
        TestDialog main;
        QMenuBar* bar = main.SetMenu(kMenu2);
        main.SetSwallowEnterEscape(true);
        main.dataShown = true;
        auto* grid = new KeyRecorder;
        grid->keepsTab = true;
        QVERIFY(!main.GetDlgItem(4711) && main.InstallControl(kGrid, grid) == grid);
        QCOMPARE(main.GetDlgItem(kGrid), grid);
        main.show();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        QWidget* edit = main.GetDlgItem(kEdit);
        for (QWidget* target : {static_cast<QWidget*>(&main), edit, static_cast<QWidget*>(grid)})
            for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
                QTest::keyClick(target, key);
        QTest::keyClick(grid, Qt::Key_Down);
        QVERIFY(grid->keys == std::vector<int>{Qt::Key_Down} && main.isVisible());

        QWindow* window = main.windowHandle();
        grid->setFocus();
        QTest::keyClick(window, Qt::Key_Tab);
        QVERIFY(grid->hasFocus());
        QTest::keyClick(window, Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), main.GetDlgItem(kRadioA));
        QTest::keyClick(window, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), grid);
        QTest::keyClick(window, Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), edit);

        for (bool run : {true, false}) {
            // A window system gives the window its focus back when a popup closes; offscreen not.
            main.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&main));
            for (Qt::Key key : {Qt::Key_Alt, Qt::Key_Right, Qt::Key_Return})
                QTest::keyClick(window, key, key == Qt::Key_Alt ? Qt::AltModifier : Qt::NoModifier);
            QTRY_COMPARE(QApplication::activePopupWidget(), bar->actions().at(1)->menu());
            QWidget* menu = QApplication::activePopupWidget();
            if (run) {
                QTest::keyClick(menu, Qt::Key_Down);
                QTest::keyClick(menu, Qt::Key_Return);
            } else {
                QTest::keyClick(menu, Qt::Key_Escape);
                QVERIFY(bar->activeAction()); // back in the menu bar
                QTest::keyClick(window, Qt::Key_Escape);
            }
        }
        QVERIFY(!QApplication::activePopupWidget() && !bar->activeAction());
        QVERIFY(QApplication::focusWidget() == edit && main.commands == std::vector<int>{kUpdate});

        for (const auto& [key, expected] :
             {std::pair{Qt::Key_Escape, IDCANCEL}, {Qt::Key_Return, IDOK}, {Qt::Key_Enter, IDOK}}) {
            TestDialog over;
            over.setParent(&main, over.windowFlags());
            ModalWatcher watcher(
                [key](QWidget* d) { QTest::keyClick(static_cast<CDialog*>(d)->GetDlgItem(kEdit), key); });
            QVERIFY(over.DoModal() == expected && main.isVisible());
        }
        main.close();
        QVERIFY(!main.isVisible() && main.result() == IDCANCEL);
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
        dialog.CheckRadioButton(kRadioA, kRadioB, 0);
        QCOMPARE(dialog.GetCheckedRadioButton(kRadioA, kRadioB), 0);
        ClickRadio(a);
        ClickRadio(b);
        QVERIFY(!a->isChecked()); // still one exclusive group after clearing
    }

    void menuUpdateHandlersRunWhenThePopupOpensAndDisabledItemsDoNotRun()
    {
        TestDialog dialog;
        QMenu* file = dialog.SetMenu(kMenu)->actions().at(0)->menu();
        QAction* connect = file->actions().at(0);
        QAction* update = file->actions().at(1);
        dialog.show();
        QCOMPARE(dialog.updates, 0);
        for (bool shown : {false, true}) {
            dialog.dataShown = shown;
            file->popup(dialog.mapToGlobal(QPoint(10, 10)));
            QVERIFY(QTest::qWaitForWindowExposed(file));
            QVERIFY(dialog.updates == 1 + shown && update->isEnabled() == shown && connect->isEnabled());
            ClickItem(file, update);
            if (!shown)
                ClickItem(file, connect);
        }
        QCOMPARE(dialog.commands, (std::vector<int>{kConnect, kUpdate}));

        // An item enabled when its popup opened does not run once its command went away.
        emit file->aboutToShow();
        dialog.dataShown = false;
        update->trigger();
        QCOMPARE(dialog.commands, (std::vector<int>{kConnect, kUpdate}));
    }
};

REGISTER_QTEST(CDialogTest);
#include "CDialogTest.moc"
