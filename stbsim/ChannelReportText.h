#pragma once

#include "chdb/ChannelDatabase.h"

#include <string>

// The text report ChannelData.dat as the box sends it for its database: the satellites that
// carry TV channels, then those that carry radio channels ("name:id:list", id in lower-case
// hex), then the CAS systems whose bits occur in any channel ("name:0xmask"), each line ended
// by a line feed, the last line "SIG_CHN_END".
std::string BuildChannelReport(const ChannelDatabase& db);

// The report without its end marker line, for senders that place the marker themselves.
std::string BuildChannelReportBody(const ChannelDatabase& db);
inline constexpr const char* kChannelReportEnd = "SIG_CHN_END\n";
