#include "tests/editors/EditorFixture.h"

#include "grid/CGridCtrl.h"

#include <QTest>

namespace {

void AddChannel(ChannelDatabase& db, std::uint16_t sat, std::uint16_t tp, const std::string& name,
                std::uint8_t type = ChannelInfo::kSdtv)
{
    const int i = db.channelCount();
    ChannelInfo c;
    c.setSatelliteId(sat);
    c.setTransponderId(tp);
    c.setServiceId(static_cast<std::uint16_t>(10 + i));
    c.setPmtPid(static_cast<std::uint16_t>(100 + i));
    c.setVideoPid(type == ChannelInfo::kRadio ? 0xFFFF : static_cast<std::uint16_t>(200 + i));
    c.setAudioPid(static_cast<std::uint16_t>(300 + i));
    c.setPcrPid(static_cast<std::uint16_t>(400 + i));
    c.setType(type);
    c.setKey(static_cast<std::uint16_t>(3000 + i));
    c.setName(name);
    db.setChannel(i, c);
    db.setChannelCount(i + 1);
}

void AddTransponder(ChannelDatabase& db, std::uint16_t sat, std::uint16_t id, std::uint16_t mhz)
{
    const int i = db.transponderCount();
    TpInfo tp;
    tp.setId(id);
    tp.setSatelliteId(sat);
    tp.setFrequency(mhz);
    tp.setSymbolRate(27500);
    tp.setFec(3);
    tp.setPolarization(static_cast<std::uint8_t>(i % 2));
    db.setTransponder(i, tp);
    db.setTransponderCount(i + 1);
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
        sat.setLnbType(0);
        sat.setLnbLow(9750);
        sat.setLnbHigh(10600);
        sat.setTone22k(2);
        sat.setPositioner(SatInfo::kNoPositioner);
        sat.setTransponderCount(s == 0 ? 0 : s == 1 ? 2 : s == 13 ? 12 : 1);
        db.setSatellite(s, sat);
    }
    db.setSatelliteCount(14);
    AddTransponder(db, 100, 1, 10700);
    AddTransponder(db, 101, 11, 11000);
    AddTransponder(db, 101, 12, 12000);
    for (int s = 2; s < 13; ++s)
        AddTransponder(db, static_cast<std::uint16_t>(100 + s), static_cast<std::uint16_t>(s), 11500);
    for (int k = 0; k < 12; ++k)
        AddTransponder(db, 113, static_cast<std::uint16_t>(1300 + k), static_cast<std::uint16_t>(10800 + 50 * k));

    AddChannel(db, 101, 11, "Das Erste");
    AddChannel(db, 101, 11, "Radio Eins", ChannelInfo::kRadio);
    AddChannel(db, 101, 11, "Sky Cinema HD", ChannelInfo::kHdtv);
    AddChannel(db, 101, 11, "\x05TRT T\xFCrk");
    AddChannel(db, 100, 1, "Orphan");
    for (int k = 0; k < 12; ++k)
        AddChannel(db, 113, 1311, "Channel " + std::to_string(k));
    ChannelInfo radio = db.channel(1);
    radio.setLock(1);
    db.setChannel(1, radio);
    ChannelInfo hd = db.channel(2);
    hd.setCasMask(0x10);
    db.setChannel(2, hd);
    db.setUserListEntries(0, ListKind::Tv, {0, 2, 3});
    db.setUserListEntries(0, ListKind::Radio, {1});
    return db;
}

EditorRun::EditorRun(const ChannelDatabase& tables)
{
    tables.SaveToFolder(folder.path(), ChannelDatabase::kChData | ChannelDatabase::kChIdx);
    editor = std::make_unique<CSatListDlg>(messages);
    editor->m_strWorkDir = folder.path().string();
    editor->m_strPin = "1234";
}

CSatListDlg& EditorRun::Open()
{
    editor->show();
    return *editor;
}

void EditorRun::Close()
{
    editor->close();
}

QStringList Column(const CGridCtrl& grid, int column)
{
    QStringList texts;
    for (int r = 0; r < grid.GetRowCount(); ++r)
        texts << grid.GetItemText(r, column);
    return texts;
}

void ClickRow(CGridCtrl& grid, int row, Qt::MouseButton button)
{
    QPoint at;
    if (row >= 0) {
        grid.EnsureVisible(row, 0);
        at = grid.GetCellRect(row, 0).center();
    } else {
        at = QPoint(5, grid.viewport()->height() - 3);
    }
    QTest::mouseClick(grid.viewport(), button, Qt::NoModifier, at);
}
