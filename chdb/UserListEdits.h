#pragma once

#include "chdb/ChannelDatabase.h"
#include "chdb/ChannelReport.h"
#include "chdb/RowMoves.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

class MessageService;

// What the user list editor does to its copy of the database: the channels its right grid
// offers and the edits of one list's part of the editor's kind (TV or radio). `list` is 0..9.

// The filter choices: "A-Z", "FTA/CAS", "SD/HD" (TV only), "All", then the satellites of the
// kind in report order.
std::vector<std::string> UserListFilters(const std::vector<SatListEntry>& satList, ListKind kind);
// "All", where the editor opens.
int DefaultUserListFilter(ListKind kind);

// Table indices of the channels of `kind` that filter `filter` offers, in its order:
// - "All", a satellite: table order;
// - "FTA/CAS": free channels, then scrambled ones; "SD/HD": SD, then HD; each in table order;
// - "A-Z": names that begin with an ASCII letter, then all others, each group in the box's
//   name order (NameSort.h), starting from table order.
// None for a filter that is not offered.
std::vector<int> UserListFilterRows(const ChannelDatabase& db,
                                    const std::vector<SatListEntry>& satList, ListKind kind,
                                    int filter);

// "Max. 6000 TV channels!" or "Max. 3999 Radio channels!".
std::string UserListFullMessage(ListKind kind);

struct UserListAddition {
    int first = 0; // rows first..first + added - 1 of the list are new
    int added = 0;
};
// Appends the channels at `tableIndices` in their order, skipping those the list already held.
// When the list is full it says so once through `messages` and stops; what was appended
// before stays.
UserListAddition AddToUserList(ChannelDatabase& db, int list, ListKind kind,
                               std::span<const int> tableIndices, MessageService& messages);
// Removes the entries on `rows`; the others keep their order. Returns the number removed.
int RemoveFromUserList(ChannelDatabase& db, int list, ListKind kind, std::span<const int> rows);
// Moves the entries on `selectedRows` one step up or down (RowMoves.h).
std::optional<RowMove> MoveUserListEntries(ChannelDatabase& db, int list, ListKind kind,
                                           std::span<const int> selectedRows,
                                           MoveDirection direction);

enum class RenameOutcome { Unchanged, NameExists, Renamed };
// Gives list `list` the stored name `name` (not empty), unless it is its display name already
// (Unchanged) or the display name of any list ("User %d" counts for an unnamed one; the
// comparison is exact): NameExists, nothing changes.
RenameOutcome RenameUserList(ChannelDatabase& db, int list, const std::string& name);
