#include "cli/DumpFormats.h"

#include "chdb/DvbText.h"

#include <nlohmann/json.hpp>

#include <map>

namespace {

std::string Hex(const std::string& bytes)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string out;
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        out += kDigits[b >> 4];
        out += kDigits[b & 15];
    }
    return out;
}

// RFC 4180 quoting where a field needs it.
std::string CsvField(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string out = "\"";
    for (char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + '"';
}

} // namespace

void WriteDatabaseJson(const ChannelDatabase& db, std::ostream& out)
{
    using nlohmann::json;
    json satellites = json::array();
    for (int i = 0; i < db.satelliteCount(); ++i) {
        const SatInfo s = db.satellite(i);
        satellites.push_back({{"index", i},
                              {"id", s.id()},
                              {"name", DecodeDvbText(s.name())},
                              {"position", s.position()},
                              {"lnb_type", s.lnbType()},
                              {"lnb_low", s.lnbLow()},
                              {"lnb_high", s.lnbHigh()},
                              {"tone_22k", s.tone22k()},
                              {"diseqc", s.diseqc()},
                              {"diseqc11_port", s.diseqc11Port()},
                              {"lnb_power", s.lnbPower()},
                              {"transponder_count", s.transponderCount()},
                              {"positioner", s.positioner()}});
    }
    json transponders = json::array();
    for (int i = 0; i < db.transponderCount(); ++i) {
        const TpInfo t = db.transponder(i);
        transponders.push_back({{"index", i},
                                {"id", t.id()},
                                {"satellite_id", t.satelliteId()},
                                {"frequency", t.frequency()},
                                {"symbol_rate", t.symbolRate()},
                                {"fec", t.fec()},
                                {"polarization", t.polarization()},
                                {"pilot", t.pilot()}});
    }
    json channels = json::array();
    for (int i = 0; i < db.channelCount(); ++i) {
        const ChannelInfo c = db.channel(i);
        channels.push_back({{"index", i},
                            {"satellite_id", c.satelliteId()},
                            {"transponder_id", c.transponderId()},
                            {"service_id", c.serviceId()},
                            {"pmt_pid", c.pmtPid()},
                            {"video_pid", c.videoPid()},
                            {"audio_pid", c.audioPid()},
                            {"pcr_pid", c.pcrPid()},
                            {"cas_mask", c.casMask()},
                            {"type", c.type()},
                            {"lock", c.lock()},
                            {"key", c.key()},
                            {"radio", c.isRadio()},
                            {"name", DecodeDvbText(c.name())},
                            {"name_hex", Hex(c.name())}});
    }
    json userLists = json::array();
    for (int k = 1; k <= ChannelDatabase::kUserListCount; ++k) {
        json name = db.isUserListNamed(k) ? json(DecodeDvbText(db.userListName(k))) : json(nullptr);
        userLists.push_back({{"number", k},
                             {"name", name},
                             {"tv", db.userListEntries(k - 1, ListKind::Tv)},
                             {"radio", db.userListEntries(k - 1, ListKind::Radio)}});
    }
    const json root = {{"satellites", satellites},
                       {"transponders", transponders},
                       {"channels", channels},
                       {"user_lists", userLists},
                       {"pin", db.pinText()}};
    out << root.dump(2, ' ', false, json::error_handler_t::replace) << '\n';
}

void WriteDatabaseCsv(const ChannelDatabase& db, std::ostream& out)
{
    out << "index,satellite_id,transponder_id,service_id,pmt_pid,video_pid,audio_pid,pcr_pid,"
           "cas_mask,type,lock,key,radio,name,name_hex\r\n";
    for (int i = 0; i < db.channelCount(); ++i) {
        const ChannelInfo c = db.channel(i);
        out << i << ',' << c.satelliteId() << ',' << c.transponderId() << ',' << c.serviceId() << ','
            << c.pmtPid() << ',' << c.videoPid() << ',' << c.audioPid() << ',' << c.pcrPid() << ','
            << c.casMask() << ',' << int(c.type()) << ',' << int(c.lock()) << ',' << c.key() << ','
            << (c.isRadio() ? "true" : "false") << ',' << CsvField(DecodeDvbText(c.name())) << ','
            << Hex(c.name()) << "\r\n";
    }
}

void WriteDatabaseSummary(const ChannelDatabase& db, std::ostream& out)
{
    int tv = 0, radio = 0, hd = 0, scrambled = 0, locked = 0;
    std::map<std::uint16_t, int> perSatellite;
    for (int i = 0; i < db.channelCount(); ++i) {
        const ChannelInfo c = db.channel(i);
        (c.isRadio() ? radio : tv)++;
        hd += c.isHd();
        scrambled += c.casMask() != 0;
        locked += c.lock() == 1;
        ++perSatellite[c.satelliteId()];
    }
    out << "Satellites:   " << db.satelliteCount() << '\n'
        << "Transponders: " << db.transponderCount() << '\n'
        << "Channels:     " << db.channelCount() << " (" << tv << " TV, " << radio << " radio, " << hd
        << " HD, " << scrambled << " scrambled, " << locked << " locked)\n"
        << "PIN:          " << db.pinText() << "\n\n";
    for (int i = 0; i < db.satelliteCount(); ++i) {
        const SatInfo s = db.satellite(i);
        const auto found = perSatellite.find(s.id());
        const int channels = found == perSatellite.end() ? 0 : found->second;
        out << "  " << DecodeDvbText(s.name()) << ": " << int(s.transponderCount())
            << " transponders, " << channels << " channels\n";
    }
    out << "\nUser lists:\n";
    for (int k = 1; k <= ChannelDatabase::kUserListCount; ++k)
        out << "  " << k << ". " << DecodeDvbText(db.userListDisplayName(k)) << ": "
            << db.userListSize(k - 1, ListKind::Tv) << " TV, " << db.userListSize(k - 1, ListKind::Radio)
            << " radio\n";
}
