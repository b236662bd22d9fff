#pragma once

#include "chdb/ChannelDatabase.h"

#include <ostream>

// The database as scripts and people read it: one JSON object, one CSV row per channel, or a
// short text summary.
void WriteDatabaseJson(const ChannelDatabase& db, std::ostream& out);
void WriteDatabaseCsv(const ChannelDatabase& db, std::ostream& out);
void WriteDatabaseSummary(const ChannelDatabase& db, std::ostream& out);
