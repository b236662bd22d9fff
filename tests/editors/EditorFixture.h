#pragma once

#include "chdb/ChannelDatabase.h"
#include "editors/CSatListDlg.h"
#include "editors/CUserListDlg.h"
#include "tests/support/RecordingMessages.h"
#include "tests/support/TempDir.h"
#include "tests/support/ui/PinAnswer.h"
#include "tests/support/ui/GridDriving.h"
#include "tests/support/ui/UiDriving.h"

#include <filesystem>
#include <memory>

// Tables that exercise the editor: 14 satellites (ids 100..113, "Sat 0".."Sat 13"). Satellite 0
// has a stored transponder count of 0 although transponder 0 names it; satellite 1 owns two
// transponders (ids 11: 11000/27500/H, 12: 12000/27500/V) with four channels on the first (a
// plain TV, a locked radio, a scrambled HD, a name in ISO 8859-9); satellites 2..12 own one
// each; satellite 13 owns twelve (ids 1300..1311), the last with twelve channels. Channel
// keys are 3000 + table index; user list 1 holds channels 0, 2, 3 (TV) and 1 (radio).
ChannelDatabase EditorTables();

// An editor over `tables`, handed over through a folder of its own as the main window does.
// The satellite list editor gets PIN "1234"; the user list editor shows the TV (0) or radio
// (1) lists, with the satellite list rebuilt from the tables.
template <class Editor> struct EditorRun {
    explicit EditorRun(const ChannelDatabase& tables, int list = 0);
    Editor& Open() // its initialisation reads the files
    {
        editor->show();
        return *editor;
    }
    bool HandOverFilesLeft() const { return !std::filesystem::is_empty(folder.path()); }

    RecordingMessages messages;
    TempDir folder;
    std::unique_ptr<Editor> editor = std::make_unique<Editor>(messages);
};
template <> EditorRun<CSatListDlg>::EditorRun(const ChannelDatabase& tables, int list);
template <> EditorRun<CUserListDlg>::EditorRun(const ChannelDatabase& tables, int list);
using SatListRun = EditorRun<CSatListDlg>;
using UserListRun = EditorRun<CUserListDlg>;
