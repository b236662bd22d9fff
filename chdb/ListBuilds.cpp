#include "chdb/ListBuilds.h"

#include "util/ParseHex.h"
#include "util/SplitFields.h"

#include <algorithm>
#include <unordered_map>

const char* const kBuiltInCasText = "others:0x1\n"
                                    "Mediaguard:0x2\n"
                                    "Eurodec:0x4\n"
                                    "Viaccess:0x8\n"
                                    "Irdeto:0x10\n"
                                    "Digicipher:0x20\n"
                                    "Videoguard:0x40\n"
                                    "Conax:0x80\n"
                                    "Cryptoworks:0x100\n"
                                    "PowerVu:0x200\n"
                                    "Betacrypt:0x400\n"
                                    "Nagravision:0x800\n"
                                    "Codicrypt:0x1000\n"
                                    "BISS:0x2000\n"
                                    "Accessgate:0x4000\n"
                                    "EasyCas:0x8000\n"
                                    "Alpahcrypt:0x10000\n"
                                    "Skypilot:0x20000\n"
                                    "Skycrypt:0x40000\n"
                                    "Neotion SHL:0x80000\n"
                                    "Dreamcrypt:0x100000\n"
                                    "Thalescrypt:0x200000\n"
                                    "KeyFly:0x400000\n"
                                    "DG-Crypt:0x800000\n"
                                    "X-Crypto:0x1000000\n"
                                    "Omnicrypt:0x2000000\n"
                                    "DRE_Crypt:0x4000000\n"
                                    "Z_Crypt:0x8000000\n"
                                    "Griffin:0x10000000\n"
                                    "RusCrypt:0x20000000";

std::vector<SatListEntry> BuildSatelliteList(const ChannelDatabase& db)
{
    // First satellite record per id, as a linear look-up would find it.
    std::unordered_map<std::uint16_t, int> satelliteById;
    for (int i = db.satelliteCount() - 1; i >= 0; --i)
        satelliteById[db.satellite(i).id()] = i;

    std::vector<SatListEntry> entries;
    const int channels = db.channelCount();
    for (std::int32_t list : {0, 1}) {
        std::vector<std::uint16_t> seen; // ids added in this pass
        for (int i = 0; i < channels; ++i) {
            const ChannelInfo channel = db.channel(i);
            if (static_cast<std::int32_t>(channel.type() & 1) != list)
                continue;
            const std::uint16_t id = channel.satelliteId();
            if (std::find(seen.begin(), seen.end(), id) != seen.end())
                continue;
            const auto found = satelliteById.find(id);
            if (found == satelliteById.end())
                continue;
            seen.push_back(id);
            SatListEntry entry{db.satellite(found->second).name(), id, list};
            if (entry.name.size() >= SatListEntry::kNameSize)
                entry.name.resize(SatListEntry::kNameSize - 1);
            entries.push_back(std::move(entry));
        }
    }
    return entries;
}

std::vector<CasEntry> BuildBuiltInCasList()
{
    std::vector<CasEntry> entries;
    for (const std::string& line : SplitFields(kBuiltInCasText, "\n")) {
        const std::vector<std::string> fields = SplitFields(line, ":");
        entries.push_back({fields[0], ParseHex(fields.size() > 1 ? fields[1] : std::string())});
    }
    return entries;
}

void RefreshSatelliteNames(std::vector<SatListEntry>& list, const ChannelDatabase& db)
{
    std::unordered_map<std::uint16_t, std::string> names;
    for (int i = db.satelliteCount() - 1; i >= 0; --i)
        names[db.satellite(i).id()] = db.satellite(i).name();
    for (SatListEntry& entry : list)
        if (const auto found = names.find(entry.satelliteId); found != names.end())
            entry.name = found->second;
}
