#pragma once

#include "chdb/DatabaseState.h"

#include <cstddef>
#include <cstdint>

namespace fuzz {

// The small demo database, made once per process.
const ChannelDatabase& DemoDatabase();

// The demo database with the input laid over its three images as patches (see
// ImagePatches.h); offsets run through chdata.dat, chidx.dat and menudata.dat in turn.
ChannelDatabase PatchedDatabase(const std::uint8_t* data, std::size_t size);

// Everything the program does with a database it did not make: every record accessor, every
// category and group view of both lists (with the state's own satellite and CAS lists), the
// sort, the dumps, a compaction, and a save that must read back unchanged.
void WalkDatabase(const DatabaseState& state);

// The same after an import: the lists are rebuilt from the tables.
void WalkImported(const ChannelDatabase& db);

} // namespace fuzz
