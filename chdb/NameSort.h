#pragma once

#include "chdb/ChannelInfo.h"

#include <cstddef>
#include <span>
#include <vector>

// The box's order of channel names: a selection sort on lower-cased copies of the stored names
// (selector byte included), bytes compared unsigned. Each pass over the unsorted front part
// takes the first position holding its greatest name and swaps it with the part's last
// position, so equal names end up in the order those swaps leave rather than in a stable
// order. The box's lists show exactly that order, ties included, so it is reproduced here in
// n log n steps.
//
// Returns the permutation: entry k is the position in `records` of the record the sort puts
// at position k.
std::vector<std::size_t> BoxNameSortOrder(std::span<const ChannelInfo> records);
