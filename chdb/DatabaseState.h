#pragma once

#include "chdb/ChannelDatabase.h"
#include "chdb/ChannelReport.h"

#include <string>
#include <vector>

// What the main window holds for the whole run: the database, the lists derived from the
// box's report, the box address and the window's data state. The GUI, the CLI and the link
// operations share it so that all of them move through the same states.
struct DatabaseState {
    static constexpr int kNoData = -1;

    ChannelDatabase db;
    std::vector<SatListEntry> satList;
    std::vector<CasEntry> casList;
    std::string stbAddress;  // empty until a download, an update or the file browser set it
    int list = kNoData;      // -1 no data, 0 TV, 1 radio
    bool modified = false;   // positions changed since the box last got the table
    std::string pin = "0000";

    bool hasData() const { return list >= 0; }
    ListKind listKind() const { return list == 1 ? ListKind::Radio : ListKind::Tv; }

    // No data shown: lists released, selector -1, flag cleared, images zeroed.
    void ClearShownData();
    // Takes a database read from a backup file: the address is forgotten, the lists are rebuilt
    // from the tables and the built-in CAS list, TV is selected, and the data count as not yet
    // sent to the box.
    void ApplyImport(ChannelDatabase&& imported);
};
