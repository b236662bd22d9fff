#pragma once

#include "chdb/ChannelDatabase.h"
#include "editors/CSatListDlg.h"
#include "tests/support/RecordingMessages.h"
#include "tests/support/TempDir.h"

#include <QString>

#include <memory>
#include <string>

class CGridCtrl;

// Tables that exercise the editor: 14 satellites (ids 100..113). Satellite 0 has a stored
// transponder count of 0 although transponder 0 names it; satellite 1 owns two transponders
// (ids 11, 12) with four channels on the first (a plain TV, a locked radio, a scrambled HD, a
// name with a selector byte); satellites 2..12 own one each; satellite 13 owns twelve (ids
// 1300..1311), the last with twelve channels. Keys are 3000 + table index.
ChannelDatabase EditorTables();

// An editor over `tables`, handed over through a folder of its own, as the main window does.
struct EditorRun {
    explicit EditorRun(const ChannelDatabase& tables);
    CSatListDlg& Open(); // shows the editor (its initialisation reads the files)
    void Close();        // the close box

    RecordingMessages messages;
    TempDir folder;
    std::unique_ptr<CSatListDlg> editor;
};

QStringList Column(const CGridCtrl& grid, int column = 0);
// Left or right click on a grid row as the user would; a row of -1 clicks below the last row.
void ClickRow(CGridCtrl& grid, int row, Qt::MouseButton button = Qt::LeftButton);
