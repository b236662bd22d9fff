#pragma once

#include "platform/ui/CommandTarget.h"
#include "platform/ui/MenuTemplate.h"

#include <QPoint>

class QMenu;
class QMenuBar;
class QWidget;

// Menus built from menu resources. Each popup asks the target's update handler about every
// item when it opens; a chosen item goes to the target's command handler, and only while the
// handler still reports it enabled, so a stale or disabled item can never run its command.
// The target must outlive the menus.
QMenuBar* CreateMenuBar(const MenuTemplate& menu, CommandTarget& target, QWidget* parent);
QMenu* CreatePopupMenu(const PopupTemplate& popup, CommandTarget& target, QWidget* parent);

// Shows one popup of a menu resource as a context menu with its top-left corner at
// `globalPos` and runs the chosen command. Returns the command id, or 0 when nothing ran.
int TrackPopupMenu(const PopupTemplate& popup, CommandTarget& target, QWidget* parent,
                   QPoint globalPos);
// The same at the mouse cursor.
int TrackPopupMenu(const PopupTemplate& popup, CommandTarget& target, QWidget* parent);

// The command id an action built here carries (0 for anything else).
int CommandIdOf(const class QAction* action);
