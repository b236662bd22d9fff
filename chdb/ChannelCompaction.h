#pragma once

#include "chdb/ChannelDatabase.h"

#include <cstdint>
#include <utility>
#include <vector>

// Deletes the channel records at the given table indices (duplicates and indices outside the
// table are ignored), closes the gaps, and re-maps every user list through the channel keys so
// that each list still names the same channels; deleted channels leave the lists of their kind.
// Returns the number of records deleted. The caller sets its modified flag.
int CompactChannels(ChannelDatabase& db, const std::vector<int>& indicesToDelete);

// After records moved within the table: every entry of the `kind` part of each user list that
// held the old index of a moved record now holds its new index; each entry changes at most once.
void RemapUserListsAfterMove(ChannelDatabase& db, ListKind kind,
                             const std::vector<std::pair<int, int>>& oldToNew);
