#pragma once

#include "chdb/ChannelDatabase.h"

#include <filesystem>
#include <fstream>
#include <random>

inline constexpr ChannelDatabase::File kImageFiles[] = {ChannelDatabase::kChData, ChannelDatabase::kChIdx,
                                                      ChannelDatabase::kMenuData};

// A channel as the list tests describe it.
struct Ch {
    std::string name;
    std::uint8_t type = ChannelInfo::kSdtv;
    std::uint16_t satellite = 1;
    std::uint32_t cas = 0;
    std::uint16_t transponder = 0;
    std::uint16_t serviceId = 0;
};

// Channels 0..n-1 with key 100 + index.
inline ChannelDatabase WithChannels(const std::vector<Ch>& channels)
{
    ChannelDatabase db;
    for (std::size_t i = 0; i < channels.size(); ++i) {
        ChannelInfo c;
        c.setSatelliteId(channels[i].satellite);
        c.setType(channels[i].type);
        c.setCasMask(channels[i].cas);
        c.setTransponderId(channels[i].transponder);
        c.setServiceId(channels[i].serviceId);
        c.setName(channels[i].name);
        c.setKey(static_cast<std::uint16_t>(100 + i));
        db.setChannel(static_cast<int>(i), c);
    }
    db.setChannelCount(static_cast<int>(channels.size()));
    return db;
}

// Changes channel `index` in place.
template <class Change> void EditChannel(ChannelDatabase& db, int index, Change change)
{
    ChannelInfo c = db.channel(index);
    change(c);
    db.setChannel(index, c);
}

// Channel keys in table order.
inline std::vector<int> Keys(const ChannelDatabase& db)
{
    std::vector<int> keys;
    for (int i = 0; i < db.channelCount(); ++i)
        keys.push_back(db.channel(i).key());
    return keys;
}

// Every byte of the three images random: counts far out of range included.
inline ChannelDatabase RandomImages(unsigned seed)
{
    ChannelDatabase db;
    std::mt19937 random(seed);
    for (auto file : kImageFiles)
        for (auto& b : db.image(file))
            b = static_cast<std::uint8_t>(random());
    return db;
}

inline std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::filesystem::path& path, std::span<const std::uint8_t> bytes)
{
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Tables for the editor's rules. Satellite 0 (id 7, "Astra 19.2E") owns transponders 0
// (id 11, 11000/27500/H) and 2 (id 13, 12000/27500/V); satellite 1 (id 8, "Hotbird",
// positioner 5) owns transponder 1 (id 12, 11000/27500/H). Channels 0..4 have keys 100 + i and
// sit on transponder 11 (0, 2, 4) or 12 (1, 3); channel 2 is "Radio One", a radio with a
// selector byte.
inline ChannelDatabase EditTables()
{
    ChannelDatabase db = WithChannels({{"ZDF", 0, 7, 0, 11}, {"arte", 0, 8, 0, 12},
                                       {"\x05Radio One", ChannelInfo::kRadio, 7, 0, 11},
                                       {"ch3", 0, 8, 0, 12}, {"ch4", 0, 7, 0, 11}});
    const char* sats[] = {"Astra 19.2E", "Hotbird"};
    for (int s = 0; s < 2; ++s) {
        SatInfo sat;
        sat.setId(static_cast<std::uint16_t>(7 + s));
        sat.setName(sats[s]);
        sat.setTransponderCount(s == 0 ? 2 : 1);
        sat.setPositioner(s == 1 ? 5 : SatInfo::kNoPositioner);
        db.setSatellite(s, sat);
    }
    db.setSatelliteCount(2);
    for (int t = 0; t < 3; ++t) {
        TpInfo tp;
        tp.setId(static_cast<std::uint16_t>(11 + t));
        tp.setSatelliteId(t == 1 ? 8 : 7);
        tp.setFrequency(t == 2 ? 12000 : 11000);
        tp.setSymbolRate(27500);
        tp.setPolarization(t == 2 ? 0 : 1);
        tp.bytes()[10] = static_cast<std::uint8_t>(0xA0 + t); // an uninterpreted byte
        db.setTransponder(t, tp);
    }
    db.setTransponderCount(3);
    return db;
}
