#include "stbsim/ChannelReportText.h"

#include "chdb/ListBuilds.h"

#include <cstdio>

namespace {

// A name is one field of one line: a line feed would end the line and a bar would turn it
// into a section header, so both become blanks.
std::string FieldText(std::string name)
{
    for (char& c : name)
        if (c == '\n' || c == '\r' || c == '|')
            c = ' ';
    return name;
}

std::string Hex(std::uint32_t value, bool prefix)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, prefix ? "0x%x" : "%x", value);
    return buffer;
}

} // namespace

std::string BuildChannelReportBody(const ChannelDatabase& db)
{
    const std::vector<SatListEntry> satellites = BuildSatelliteList(db);
    std::string text = "SIG_SAT_LIST_START|" + std::to_string(satellites.size()) + "\n";
    for (const SatListEntry& sat : satellites)
        text += FieldText(sat.name) + ":" + Hex(sat.satelliteId, false) + ":" +
                std::to_string(sat.list) + "\n";

    std::uint32_t used = 0;
    for (int i = 0; i < db.channelCount(); ++i)
        used |= db.channel(i).casMask();
    std::vector<CasEntry> cas;
    for (const CasEntry& entry : BuildBuiltInCasList())
        if ((entry.mask & used) != 0)
            cas.push_back(entry);
    text += "SIG_CAS_LIST_START|" + std::to_string(cas.size()) + "\n";
    for (const CasEntry& entry : cas)
        text += FieldText(entry.name) + ":" + Hex(entry.mask, true) + "\n";
    return text;
}

std::string BuildChannelReport(const ChannelDatabase& db)
{
    return BuildChannelReportBody(db) + kChannelReportEnd;
}
