#pragma once

#include "tests/support/ui/ModalWatcher.h"

#include <QString>

#include <functional>
#include <map>
#include <utility>
#include <vector>

class CDialog;
class CGridCtrl;
class QWidget;

// Driving dialogs as the user would: keys into the focused control, context menus by mouse.

// Whether `command` is enabled, as its menu item would show it.
bool CommandEnabled(CDialog& dialog, int command);

// Clicks a radio button on its round mark: it takes clicks on its mark and text only.
void ClickRadio(QWidget* radio);
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
// Runs `command` from the context menu that a right click on grid row `row` (-1: below the
// rows) opens; as UseContextMenu otherwise.
bool RightClickCommand(CGridCtrl& grid, int row, int command, std::map<int, bool>* enabled = nullptr);
// Selects grid rows as a user picks several: a click on the first, Ctrl+click on the others.
void PickRows(CGridCtrl& grid, const std::vector<int>& rows);

// Fills in the next modal Dialog: types `typed` into its edits (by control id), picks entries
// of its drop-down lists, then presses Enter.
template <class Dialog>
ModalWatcher FillInAndEnter(std::vector<std::pair<int, QString>> typed, std::vector<std::pair<int, int>> picked = {})
{
    return ModalWatcher::For<Dialog>([typed, picked](Dialog* d) {
        for (const auto& [id, text] : typed)
            TypeInto(d->GetDlgItem(id), text);
        for (const auto& [id, entry] : picked)
            PickEntry(d->GetDlgItem(id), entry);
        PressEnter(*d);
    });
}
