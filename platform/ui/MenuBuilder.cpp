#include "platform/ui/MenuBuilder.h"

#include <QAction>
#include <QCursor>
#include <QMenu>
#include <QMenuBar>

#include <memory>

namespace {

const char* const kCommandProperty = "ctCommandId";
const char* const kRanProperty = "ctRanCommand";

void UpdateActions(QMenu& menu, CommandTarget& target)
{
    for (QAction* action : menu.actions()) {
        const int id = CommandIdOf(action);
        if (id == 0)
            continue;
        CCmdUI cmd(id);
        target.OnUpdateCommand(cmd);
        action->setEnabled(cmd.enabled());
        action->setCheckable(cmd.checked());
        action->setChecked(cmd.checked());
    }
}

bool IsEnabledNow(CommandTarget& target, int id)
{
    CCmdUI cmd(id);
    target.OnUpdateCommand(cmd);
    return cmd.enabled();
}

} // namespace

int CommandIdOf(const QAction* action)
{
    return action ? action->property(kCommandProperty).toInt() : 0;
}

QMenu* CreatePopupMenu(const PopupTemplate& popup, CommandTarget& target, QWidget* parent)
{
    auto* menu = new QMenu(QString::fromUtf8(popup.text), parent);
    for (const MenuItemTemplate& item : popup.items) {
        if (!item.text) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(QString::fromUtf8(item.text));
        action->setProperty(kCommandProperty, item.id);
        const int id = item.id;
        QObject::connect(action, &QAction::triggered, menu, [menu, &target, id] {
            if (!IsEnabledNow(target, id))
                return;
            menu->setProperty(kRanProperty, id);
            target.OnCommand(id);
        });
    }
    QObject::connect(menu, &QMenu::aboutToShow, menu,
                     [menu, &target] { UpdateActions(*menu, target); });
    return menu;
}

QMenuBar* CreateMenuBar(const MenuTemplate& menu, CommandTarget& target, QWidget* parent)
{
    auto* bar = new QMenuBar(parent);
    for (const PopupTemplate& popup : menu.popups)
        bar->addMenu(CreatePopupMenu(popup, target, bar));
    return bar;
}

int TrackPopupMenu(const PopupTemplate& popup, CommandTarget& target, QWidget* parent,
                   QPoint globalPos)
{
    const std::unique_ptr<QMenu> menu(CreatePopupMenu(popup, target, parent));
    menu->exec(globalPos);
    return menu->property(kRanProperty).toInt();
}

int TrackPopupMenu(const PopupTemplate& popup, CommandTarget& target, QWidget* parent)
{
    return TrackPopupMenu(popup, target, parent, QCursor::pos());
}
