#include "chdb/RecordLookups.h"

int FindSatelliteByName(const ChannelDatabase& db, std::string_view name,
                        std::uint16_t exceptSatelliteId)
{
    for (int i = 0; i < db.satelliteCount(); ++i) {
        const SatInfo sat = db.satellite(i);
        if (sat.id() != exceptSatelliteId && sat.name() == name)
            return i;
    }
    return -1;
}

int FindSatelliteByPositioner(const ChannelDatabase& db, std::uint8_t position,
                              std::uint16_t exceptSatelliteId)
{
    for (int i = 0; i < db.satelliteCount(); ++i) {
        const SatInfo sat = db.satellite(i);
        if (sat.id() != exceptSatelliteId && sat.positioner() == position)
            return i;
    }
    return -1;
}

int FindTransponder(const ChannelDatabase& db, std::span<const int> rows, std::uint16_t frequency,
                    std::uint16_t symbolRate, std::uint8_t polarization, int exceptIndex)
{
    for (int index : rows) {
        if (index == exceptIndex)
            continue;
        const TpInfo tp = db.transponder(index);
        if (tp.frequency() == frequency && tp.symbolRate() == symbolRate &&
            tp.polarization() == polarization)
            return index;
    }
    return -1;
}

int FindChannelByName(const ChannelDatabase& db, std::string_view visibleName,
                      std::optional<std::uint16_t> exceptKey)
{
    for (int i = 0; i < db.channelCount(); ++i) {
        const ChannelInfo channel = db.channel(i);
        if (exceptKey && channel.key() == *exceptKey)
            continue;
        if (channel.visibleName() == visibleName)
            return i;
    }
    return -1;
}
