#include "tests/support/ui/UiDriving.h"

#include "grid/CGridCtrl.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CommandTarget.h"
#include "platform/ui/MenuBuilder.h"
#include "tests/support/ui/GridDriving.h"
#include "tests/support/ui/ModalWatcher.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

bool CommandEnabled(CDialog& dialog, int command)
{
    CCmdUI cmd(command);
    dialog.OnUpdateCommand(cmd);
    return cmd.enabled();
}

void ClickRadio(QWidget* radio)
{
    QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(6, radio->height() / 2));
}

void TypeInto(QWidget* control, const QString& text)
{
    if (auto* combo = qobject_cast<QComboBox*>(control))
        control = combo->lineEdit();
    control->setFocus();
    static_cast<QLineEdit*>(control)->selectAll();
    QTest::keyClick(control, Qt::Key_Delete);
    for (QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(control, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, control, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

void PickEntry(QWidget* combo, int index)
{
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Home);
    for (int i = 0; i < index; ++i)
        QTest::keyClick(combo, Qt::Key_Down);
}

void PressEnter(CDialog& dialog)
{
    QTest::keyClick(dialog.focusWidget() ? dialog.focusWidget() : &dialog, Qt::Key_Return);
}

bool UseContextMenu(const std::function<void()>& open, int command, std::map<int, bool>* enabled)
{
    if (enabled)
        enabled->clear();
    ModalWatcher watcher(
        [&](QWidget* w) {
            auto* menu = static_cast<QMenu*>(w);
            QAction* chosen = nullptr;
            for (QAction* action : menu->actions()) {
                if (enabled)
                    (*enabled)[CommandIdOf(action)] = action->isEnabled();
                if (CommandIdOf(action) == command)
                    chosen = action;
            }
            if (!chosen) {
                menu->close();
                return;
            }
            menu->setActiveAction(chosen);
            QTest::keyClick(menu, Qt::Key_Return);
        },
        ModalWatcher::IsA<QMenu>());
    open();
    return watcher.ran();
}

bool RightClickCommand(CGridCtrl& grid, int row, int command, std::map<int, bool>* enabled)
{
    return UseContextMenu([&] { ClickRow(grid, row, Qt::RightButton); }, command, enabled);
}

void PickRows(CGridCtrl& grid, const std::vector<int>& rows)
{
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    for (int row : rows) {
        grid.EnsureVisible(row, 0);
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, modifiers, grid.GetCellRect(row, 0).center());
        modifiers = Qt::ControlModifier;
    }
}
