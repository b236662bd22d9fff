#pragma once

#include "chdb/ChannelDatabase.h"

// Small tables for the editor's rules. Satellite 0 (id 7, "Astra 19.2E") owns transponders 0
// (id 11, 11000/27500/H) and 2 (id 13, 12000/27500/V); satellite 1 (id 8, "Hotbird",
// positioner 5) owns transponder 1 (id 12, 11000/27500/H). Channels 0..4 have keys 100 + i and
// sit on transponder 11 (0, 2, 4) or 12 (1, 3); channel 2 is "Radio One", a radio with a
// selector byte.
inline ChannelDatabase EditTables()
{
    ChannelDatabase db;
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
    const char* names[] = {"ZDF", "arte", "\x05Radio One", "ch3", "ch4"};
    for (int i = 0; i < 5; ++i) {
        ChannelInfo c;
        c.setSatelliteId(i % 2 ? 8 : 7);
        c.setTransponderId(i % 2 ? 12 : 11);
        c.setKey(static_cast<std::uint16_t>(100 + i));
        c.setType(i == 2 ? ChannelInfo::kRadio : ChannelInfo::kSdtv);
        c.setName(names[i]);
        db.setChannel(i, c);
    }
    db.setChannelCount(5);
    return db;
}
