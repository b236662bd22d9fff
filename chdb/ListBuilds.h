#pragma once

#include "chdb/ChannelDatabase.h"
#include "chdb/ChannelReport.h"

#include <vector>

// The satellite list derived from the tables when no report from the box is at hand: per list
// (TV first, then radio) each satellite that carries such channels, in order of first
// appearance in the channel table. Channels whose satellite is not in the table add nothing.
std::vector<SatListEntry> BuildSatelliteList(const ChannelDatabase& db);

// After the satellites were edited: each entry takes the name of the satellite with its id
// (entries of satellites no longer in the table keep theirs).
void RefreshSatelliteNames(std::vector<SatListEntry>& list, const ChannelDatabase& db);

// The 30 conditional-access systems the program knows by itself, one "name:mask" per line.
extern const char* const kBuiltInCasText;
std::vector<CasEntry> BuildBuiltInCasList();
