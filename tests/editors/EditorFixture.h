#pragma once

#include "chdb/ChannelDatabase.h"
#include "editors/CSatListDlg.h"
#include "editors/CUserListDlg.h"
#include "tests/support/RecordingMessages.h"
#include "tests/support/TempDir.h"

#include <QStringList>

#include <memory>

class CGridCtrl;

// Tables that exercise the editor: 14 satellites (ids 100..113, "Sat 0".."Sat 13"). Satellite 0
// has a stored transponder count of 0 although transponder 0 names it; satellite 1 owns two
// transponders (ids 11: 11000/27500/H, 12: 12000/27500/V) with four channels on the first (a
// plain TV, a locked radio, a scrambled HD, a name in ISO 8859-9); satellites 2..12 own one
// each; satellite 13 owns twelve (ids 1300..1311), the last with twelve channels. Channel
// keys are 3000 + table index; user list 1 holds channels 0, 2, 3 (TV) and 1 (radio).
ChannelDatabase EditorTables();

// An editor over `tables`, handed over through a folder of its own as the main window does;
// PIN "1234".
struct EditorRun {
    explicit EditorRun(const ChannelDatabase& tables);
    CSatListDlg& Open() { editor->show(); return *editor; } // its initialisation reads the files

    RecordingMessages messages;
    TempDir folder;
    std::unique_ptr<CSatListDlg> editor;
};

// A user list editor over `tables` for the TV (0) or radio (1) lists, handed over through a
// folder of its own as the main window does; the satellite list rebuilt from the tables.
struct UserListRun {
    explicit UserListRun(const ChannelDatabase& tables, int list = 0);
    CUserListDlg& Open() { editor->show(); return *editor; }

    RecordingMessages messages;
    TempDir folder;
    std::unique_ptr<CUserListDlg> editor;
};

QStringList Column(const CGridCtrl& grid, int column = 0);
// Clicks a grid row as the user would; row -1 clicks below the rows.
void ClickRow(CGridCtrl& grid, int row, Qt::MouseButton button = Qt::LeftButton);
