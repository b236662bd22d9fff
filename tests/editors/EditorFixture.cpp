#include "tests/editors/EditorFixture.h"

#include "chdb/ListBuilds.h"

namespace {

void AddTransponder(ChannelDatabase& db, int sat, int id, int mhz)
{
    const int i = db.transponderCount();
    TpInfo tp;
    tp.setId(static_cast<std::uint16_t>(id));
    tp.setSatelliteId(static_cast<std::uint16_t>(100 + sat));
    tp.setFrequency(static_cast<std::uint16_t>(mhz));
    tp.setSymbolRate(27500);
    tp.setFec(3);
    tp.setPolarization(static_cast<std::uint8_t>(i % 2));
    db.setTransponder(i, tp);
    db.setTransponderCount(i + 1);
}

void AddChannel(ChannelDatabase& db, int sat, int tp, const std::string& name, int type = 0)
{
    const int i = db.channelCount();
    ChannelInfo c;
    c.setSatelliteId(static_cast<std::uint16_t>(100 + sat));
    c.setTransponderId(static_cast<std::uint16_t>(tp));
    c.setServiceId(static_cast<std::uint16_t>(10 + i));
    c.setPmtPid(static_cast<std::uint16_t>(100 + i));
    c.setVideoPid(type == ChannelInfo::kRadio ? 0xFFFF : static_cast<std::uint16_t>(200 + i));
    c.setAudioPid(static_cast<std::uint16_t>(300 + i));
    c.setPcrPid(static_cast<std::uint16_t>(400 + i));
    c.setType(static_cast<std::uint8_t>(type));
    c.setLock(type == ChannelInfo::kRadio);
    c.setCasMask(type == ChannelInfo::kHdtv ? 0x10 : 0);
    c.setKey(static_cast<std::uint16_t>(3000 + i));
    c.setName(name);
    db.setChannel(i, c);
    db.setChannelCount(i + 1);
}

} // namespace

ChannelDatabase EditorTables()
{
    ChannelDatabase db;
    for (int s = 0; s < 14; ++s) {
        SatInfo sat;
        sat.setId(static_cast<std::uint16_t>(100 + s));
        sat.setName("Sat " + std::to_string(s));
        sat.setPosition(static_cast<std::uint16_t>(100 * s));
        sat.setLnbLow(9750);
        sat.setLnbHigh(10600);
        sat.setTone22k(2);
        sat.setPositioner(SatInfo::kNoPositioner);
        sat.setTransponderCount(s == 0 ? 0 : s == 1 ? 2 : s == 13 ? 12 : 1);
        db.setSatellite(s, sat);
    }
    db.setSatelliteCount(14);
    AddTransponder(db, 0, 1, 10700);
    AddTransponder(db, 1, 11, 11000);
    AddTransponder(db, 1, 12, 12000);
    for (int s = 2; s < 13; ++s)
        AddTransponder(db, s, s, 11500);
    for (int k = 0; k < 12; ++k)
        AddTransponder(db, 13, 1300 + k, 10800 + 50 * k);
    AddChannel(db, 1, 11, "Das Erste");
    AddChannel(db, 1, 11, "Radio Eins", ChannelInfo::kRadio);
    AddChannel(db, 1, 11, "Sky Cinema HD", ChannelInfo::kHdtv);
    AddChannel(db, 1, 11, "\x05TRT T\xFCrk");
    AddChannel(db, 0, 1, "Orphan");
    for (int k = 0; k < 12; ++k)
        AddChannel(db, 13, 1311, "Channel " + std::to_string(k));
    db.setUserListEntries(0, ListKind::Tv, {0, 2, 3});
    db.setUserListEntries(0, ListKind::Radio, {1});
    return db;
}

template <> EditorRun<CSatListDlg>::EditorRun(const ChannelDatabase& tables, int list)
{
    tables.SaveToFolder(folder.path(), ChannelDatabase::kChData | ChannelDatabase::kChIdx);
    editor->m_strWorkDir = folder.path().string();
    editor->m_strPin = "1234";
    editor->m_nList = list;
}

template <> EditorRun<CUserListDlg>::EditorRun(const ChannelDatabase& tables, int list)
{
    tables.SaveToFolder(folder.path());
    editor->m_strWorkDir = folder.path().string();
    editor->m_nList = list;
    editor->m_satList = BuildSatelliteList(tables);
}

