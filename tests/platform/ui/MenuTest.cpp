#include "platform/ui/CDialog.h"
#include "platform/ui/MenuBuilder.h"
#include "tests/support/ui/ModalWatcher.h"
#include "tests/support/ui/QtTestMain.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <vector>

namespace {

constexpr int kConnect = 32771;
constexpr int kUpdate = 32776;
constexpr int kExit = 32773;

MenuTemplate TestMenu()
{
    return {
        135,
        {
            {"&File", {{"connect", kConnect}, {"update", kUpdate}, {nullptr, 0}, {"exit", kExit}}},
        }};
}

class MenuDialog final : public CDialog {
public:
    MenuDialog() : CDialog(DialogTemplate{600, "Menu", 120, 60, {}})
    {
        for (int id : {kConnect, kUpdate, kExit})
            MapCommand(id, [this, id] { ran.push_back(id); });
        MapUpdateCommand(kUpdate, [this](CCmdUI& cmd) {
            ++updates;
            cmd.Enable(dataShown);
        });
    }
    bool dataShown = false;
    int updates = 0;
    std::vector<int> ran;
};

QAction* ActionFor(QMenu* menu, int id)
{
    for (QAction* action : menu->actions()) {
        if (CommandIdOf(action) == id)
            return action;
    }
    return nullptr;
}

void ClickItem(QMenu* menu, int id)
{
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(ActionFor(menu, id)).center());
}

} // namespace

class MenuTest final : public QObject {
    Q_OBJECT

private slots:
    void updateHandlersRunWhenThePopupOpens()
    {
        MenuDialog dialog;
        QMenuBar* bar = dialog.SetMenu(TestMenu());
        QCOMPARE(dialog.GetMenu(), bar);
        dialog.show();
        QMenu* file = bar->actions().at(0)->menu();
        QVERIFY(file);
        QCOMPARE(bar->actions().at(0)->text(), QStringLiteral("&File"));
        QCOMPARE(dialog.updates, 0);

        file->popup(dialog.mapToGlobal(QPoint(10, 10)));
        QVERIFY(QTest::qWaitForWindowExposed(file));
        QCOMPARE(dialog.updates, 1);
        QVERIFY(!ActionFor(file, kUpdate)->isEnabled());
        QVERIFY(ActionFor(file, kConnect)->isEnabled());
        ClickItem(file, kUpdate);
        ClickItem(file, kConnect);
        QCOMPARE(dialog.ran, std::vector<int>{kConnect});

        dialog.dataShown = true;
        file->popup(dialog.mapToGlobal(QPoint(10, 10)));
        QVERIFY(QTest::qWaitForWindowExposed(file));
        QVERIFY(ActionFor(file, kUpdate)->isEnabled());
        ClickItem(file, kUpdate);
        QCOMPARE(dialog.ran, (std::vector<int>{kConnect, kUpdate}));
        dialog.hide();
    }

    void aStaleItemDoesNotRunWhenItsCommandWentAway()
    {
        MenuDialog dialog;
        QMenu* file = dialog.SetMenu(TestMenu())->actions().at(0)->menu();
        dialog.dataShown = true;
        emit file->aboutToShow();
        QAction* update = ActionFor(file, kUpdate);
        QVERIFY(update->isEnabled());
        dialog.dataShown = false; // the state changed while the menu was up
        update->trigger();
        QVERIFY(dialog.ran.empty());
    }

    void contextMenuRunsTheChosenCommand()
    {
        MenuDialog dialog;
        dialog.show();
        const PopupTemplate popup = TestMenu().popups.at(0);
        // The first item is enabled, the second not: Down Down Return lands on "exit".
        {
            ModalWatcher watcher([](QWidget* menu) {
                QTest::keyClick(menu, Qt::Key_Down);
                QTest::keyClick(menu, Qt::Key_Down);
                QTest::keyClick(menu, Qt::Key_Return);
            });
            QCOMPARE(TrackPopupMenu(popup, dialog, &dialog, dialog.mapToGlobal(QPoint(5, 5))),
                     kExit);
            QVERIFY(watcher.ran());
        }
        {
            ModalWatcher watcher([](QWidget* menu) { QTest::keyClick(menu, Qt::Key_Escape); });
            QCOMPARE(dialog.TrackPopupMenu(popup), 0);
        }
        QCOMPARE(dialog.ran, std::vector<int>{kExit});
        dialog.hide();
    }
};

REGISTER_QTEST(MenuTest);
#include "MenuTest.moc"
