#pragma once

#include "chdb/ChannelDatabase.h"

#include <string>

struct ReorderSummary {
    int matched = 0;  // channels of the table that were found in the reference
    int moved = 0;    // channels whose table position changed
    int notFound = 0; // channels not in the reference; they now follow the matched ones

    bool operator==(const ReorderSummary&) const = default;
};

// Orders the channel table like `reference`, an older list of the same box: after a new
// channel search the box returns its channels in its own order and without favourites, and
// this brings back the user's order and lists.
//
// A channel is found in the reference by what tunes it: its satellite's orbital position,
// its transponder's frequency and polarisation, its service id, and its kind (TV or radio).
// Where that is not unique on both sides, the same tuning and visible name pair up in table
// order (duplicates), and what is still left pairs by visible name alone when the name is
// unique on both sides (a service that moved). Every channel pairs at most once.
//
// The matched channels take the reference's relative order at the top of the table; the
// others keep their relative order after them. The ten user lists and their names become the
// reference's, with each entry pointing at the matched channel; entries whose channel was not
// found, or that name no channel of their kind, are dropped. Records move whole, so keys stay
// unique and the channel count stays. The caller sets its modified flag when channels moved.
ReorderSummary ApplyReferenceOrder(ChannelDatabase& db, const ChannelDatabase& reference);

// "Order applied!", then one "%s : %d" line per count, for a message box or a terminal.
std::string ReorderSummaryText(const ReorderSummary& summary);
