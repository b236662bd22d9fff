#pragma once

#include "chdb/DatabaseState.h"

#include <string>
#include <vector>

// The main window's three linked lists: a category, a group within it, and the channels the
// pair selects. Texts are the stored bytes; the window decodes them for display.
enum class Category : int { Sat = 0, User = 1, AToZ = 2, FtaCas = 3, SdHd = 4 };

// "SAT", "User", "A-Z", "FTA/CAS" and, for TV only, "SD/HD".
std::vector<std::string> CategoryRows(ListKind kind);

// The group rows of a category for the state's current list.
std::vector<std::string> GroupRows(const DatabaseState& state, Category category);

// The channels shown for a category and group row: copies in display order and, for each,
// its index in the channel table.
struct ChannelView {
    std::vector<ChannelInfo> records;
    std::vector<int> tableIndices;

    int size() const { return static_cast<int>(records.size()); }
    bool empty() const { return records.empty(); }
};

// The id of the satellite that group row `group` (1..) of category "SAT" stands for; 0 for
// "All" or a row out of range.
std::uint16_t SatelliteIdOfGroup(const DatabaseState& state, int group);

// Empty when either row is negative or out of range.
ChannelView BuildChannelView(const DatabaseState& state, int category, int group);

// Orders the view by name the way the box's lists do: a selection sort on lower-cased stored
// names (selector byte included), bytes compared unsigned; among equal names the first one in
// the remaining range goes last. Kept exactly, ties included, so rows match the box.
void SortViewByName(ChannelView& view);
