#pragma once

#include <QString>

#include <functional>
#include <initializer_list>
#include <map>

class CDialog;
class CGridCtrl;
class QWidget;

// Driving dialogs as the user would: keys into the focused control, context menus by mouse.

// Whether `command` is enabled, as its menu item would show it.
bool CommandEnabled(CDialog& dialog, int command);

// Replaces the text of an edit (or of an editable combo box) by typing `text`.
void TypeInto(QWidget* control, const QString& text);
// Picks entry `index` of a drop-down list with Home and the arrow keys.
void PickEntry(QWidget* combo, int index);
// Enter where the dialog's focus is.
void PressEnter(CDialog& dialog);
// Runs `open`, which opens a context menu; notes which commands it shows enabled and picks
// `command` with the keyboard (0 closes the menu). False when no menu opened.
bool UseContextMenu(const std::function<void()>& open, int command,
                    std::map<int, bool>* enabled = nullptr);
// Selects grid rows as a user picks several: a click on the first, Ctrl+click on the others.
void PickRows(CGridCtrl& grid, std::initializer_list<int> rows);
