#include "chdb/SatListEdits.h"

#include "chdb/ChannelCompaction.h"
#include "util/MessageCatalog.h"

#include <algorithm>
#include <set>

namespace {

constexpr std::size_t kMaxStoredName = 23;
constexpr std::uint8_t kUtf8Selector = 0x15;
constexpr int kMinChannelKey = 2000;
constexpr std::uint16_t kFirstPcTransponderId = 0xF000;

std::string LimitMessage(MsgId id, int limit)
{
    return GetMessageText(id) + "\n\n" + GetMessageText(MsgId::Limit) + " : " +
           std::to_string(limit);
}

} // namespace

std::vector<int> TransponderRows(const ChannelDatabase& db, int satIndex)
{
    std::vector<int> rows;
    const SatInfo sat = db.satellite(satIndex);
    if (satIndex < 0 || satIndex >= db.satelliteCount() || sat.transponderCount() == 0)
        return rows;
    for (int i = 0; i < db.transponderCount(); ++i)
        if (db.transponder(i).satelliteId() == sat.id())
            rows.push_back(i);
    return rows;
}

std::vector<int> ChannelRows(const ChannelDatabase& db, std::uint16_t satelliteId,
                             std::uint16_t transponderId)
{
    std::vector<int> rows;
    for (int i = 0; i < db.channelCount(); ++i) {
        const ChannelInfo c = db.channel(i);
        if (c.satelliteId() == satelliteId && c.transponderId() == transponderId)
            rows.push_back(i);
    }
    return rows;
}

std::string TransponderRowText(const TpInfo& tp)
{
    return std::to_string(tp.frequency()) + "/" + std::to_string(tp.symbolRate()) + "/" +
           (tp.polarization() == 1 ? "H" : "V");
}

std::optional<std::string> TransponderLimitMessage(const ChannelDatabase& db, int satIndex)
{
    if (db.transponderCount() >= ChannelDatabase::kMaxTransponders)
        return LimitMessage(MsgId::MaxTranspondersReached, ChannelDatabase::kMaxTransponders);
    if (db.satellite(satIndex).transponderCount() >= kMaxTranspondersPerSatellite)
        return LimitMessage(MsgId::MaxTranspondersReached, kMaxTranspondersPerSatellite);
    return std::nullopt;
}

std::optional<std::string> ChannelLimitMessage(const ChannelDatabase& db)
{
    if (db.channelCount() >= ChannelDatabase::kMaxChannels)
        return LimitMessage(MsgId::MaxChannelsInListReached, ChannelDatabase::kMaxChannels);
    return std::nullopt;
}

int AddTransponder(ChannelDatabase& db, int satIndex, const TpInfo& values)
{
    if (satIndex < 0 || satIndex >= db.satelliteCount() || TransponderLimitMessage(db, satIndex))
        return -1;
    SatInfo sat = db.satellite(satIndex);
    const int index = db.transponderCount();
    TpInfo tp = db.transponder(index);
    tp.setId(TpInfo::kNoId);
    tp.setSatelliteId(sat.id());
    tp.setFrequency(values.frequency());
    tp.setSymbolRate(values.symbolRate());
    tp.setFec(values.fec());
    tp.setPolarization(values.polarization());
    tp.setPilot(values.pilot());
    db.setTransponder(index, tp);
    db.setTransponderCount(index + 1);
    sat.setTransponderCount(static_cast<std::uint8_t>(sat.transponderCount() + 1));
    db.setSatellite(satIndex, sat);
    return index;
}

int DeleteTransponder(ChannelDatabase& db, int satIndex, int tpIndex)
{
    const int count = db.transponderCount();
    if (tpIndex < 0 || tpIndex >= count)
        return 0;
    const TpInfo tp = db.transponder(tpIndex);
    const std::vector<int> channels = ChannelRows(db, tp.satelliteId(), tp.id());
    const int deleted = channels.empty() ? 0 : CompactChannels(db, channels);
    // Later records move down; the slot after the new last one keeps its old copy.
    for (int i = tpIndex; i + 1 < count; ++i)
        db.setTransponder(i, db.transponder(i + 1));
    db.setTransponderCount(count - 1);
    if (satIndex >= 0 && satIndex < db.satelliteCount()) {
        SatInfo sat = db.satellite(satIndex);
        if (sat.transponderCount() > 0) // a broken count never wraps to 255
            sat.setTransponderCount(static_cast<std::uint8_t>(sat.transponderCount() - 1));
        db.setSatellite(satIndex, sat);
    }
    return deleted;
}

std::uint16_t AssignTransponderId(ChannelDatabase& db, std::span<const int> satelliteRows,
                                  int tpIndex)
{
    TpInfo tp = db.transponder(tpIndex);
    if (tp.id() != TpInfo::kNoId)
        return tp.id();
    std::set<std::uint16_t> used;
    for (int row : satelliteRows)
        used.insert(db.transponder(row).id());
    std::uint16_t id = kFirstPcTransponderId;
    while (used.count(id) && id < TpInfo::kNoId - 1)
        ++id;
    tp.setId(id);
    db.setTransponder(tpIndex, tp);
    return id;
}

std::uint16_t NextChannelKey(const ChannelDatabase& db)
{
    int largest = kMinChannelKey;
    std::vector<bool> used(0x10000, false);
    for (int i = 0; i < db.channelCount(); ++i) {
        const std::uint16_t key = db.channel(i).key();
        largest = std::max<int>(largest, key);
        used[key] = true;
    }
    if (largest < 0xFFFF)
        return static_cast<std::uint16_t>(largest + 1);
    // At most 9999 channels: a free key above 2000 always exists.
    int key = kMinChannelKey + 1;
    while (used[static_cast<std::size_t>(key)])
        ++key;
    return static_cast<std::uint16_t>(key);
}

std::string StoredChannelName(std::uint8_t selector, std::string_view text)
{
    if (selector == 0)
        return std::string(text);
    std::string name(1, static_cast<char>(selector));
    name += text;
    std::size_t size = std::min(name.size(), kMaxStoredName);
    if (selector == kUtf8Selector)
        while (size < name.size() && size > 1 &&
               (static_cast<unsigned char>(name[size]) & 0xC0) == 0x80)
            --size;
    name.resize(size);
    return name;
}

std::uint8_t NewChannelSelector(const ChannelDatabase& db)
{
    return db.channelCount() > 0 ? db.channel(0).selector() : 0;
}

int AddChannel(ChannelDatabase& db, std::uint16_t satelliteId, std::uint16_t transponderId,
               const ChannelValues& values)
{
    if (ChannelLimitMessage(db))
        return -1;
    ChannelInfo c; // every byte the list below does not name is 0
    c.setSatelliteId(satelliteId);
    c.setTransponderId(transponderId);
    c.setServiceId(values.serviceId);
    c.setPmtPid(values.pmtPid);
    c.setVideoPid(values.videoPid);
    c.setAudioPid(values.audioPid);
    c.setPcrPid(values.pcrPid);
    c.setWord14(0xFFFF);
    c.setWord16(0xFFFF);
    c.setWord18(0);
    c.setCasMask(0);
    c.setType(values.type);
    c.setLock(values.lock);
    c.bytes()[29] = 1; // bytes 27..31 of a new channel: 0, 0, 1, 0, 0
    c.setKey(NextChannelKey(db));
    c.setName(StoredChannelName(NewChannelSelector(db), values.name));
    const int index = db.channelCount();
    db.setChannel(index, c);
    db.setChannelCount(index + 1);
    return index;
}

void ApplyChannelEdit(ChannelInfo& record, const ChannelValues& values)
{
    record.setName(StoredChannelName(record.selector(), values.name));
    record.setServiceId(values.serviceId);
    record.setPmtPid(values.pmtPid);
    record.setVideoPid(values.videoPid);
    record.setAudioPid(values.audioPid);
    record.setPcrPid(values.pcrPid);
    record.setType(values.type);
    record.setLock(values.lock);
}
