#pragma once

#include "chdb/ChannelView.h"
#include "chdb/DatabaseState.h"
#include "chdb/RowMoves.h"

#include <functional>
#include <optional>
#include <span>
#include <vector>

// What the main window does to the channel table through the rows of its channel view: row r
// stands for the record at view.tableIndices[r]. Rows outside the view are ignored.

// Deletes the channels on `rows` with the compaction (user lists follow) and sets the modified
// flag when any went. Returns the number deleted.
int DeleteViewRows(DatabaseState& state, const ChannelView& view, std::span<const int> rows);

// Moves the selected rows one step up or down. The window's rows keep their table positions:
// the records change places among them, the view's copies follow, and every entry of the
// current kind's part of each user list that named a moved record names it at its new place.
// Sets the modified flag. None, with nothing changed, when no row can move or the window's
// rows do not stand for distinct records of the table.
std::optional<RowMove> MoveViewRows(DatabaseState& state, ChannelView& view,
                                    std::span<const int> selectedRows, MoveDirection direction);

// Locks the unlocked and unlocks the locked channels on `rows`, in row order. The first locked
// channel asks `confirmPin` once; refused, every locked channel stays locked while the
// unlocked ones are still locked. The table and the view's copies change alike; the modified
// flag does not (no record moves). Returns the rows whose lock changed.
std::vector<int> ToggleViewLocks(DatabaseState& state, ChannelView& view, std::span<const int> rows,
                                 const std::function<bool()>& confirmPin);
