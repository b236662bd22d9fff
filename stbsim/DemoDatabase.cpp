#include "stbsim/DemoDatabase.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

struct Counts {
    int satellites;
    int transponders;
    int channels;
};

Counts CountsFor(DemoSize size)
{
    switch (size) {
    case DemoSize::Tiny:
        return {3, 8, 30};
    case DemoSize::Small:
        return {12, 90, 400};
    case DemoSize::Large:
        return {60, 700, 5000};
    case DemoSize::Full:
        break;
    }
    return {ChannelDatabase::kMaxSatellites, ChannelDatabase::kMaxTransponders,
            ChannelDatabase::kMaxChannels};
}

// std::mt19937's output is fixed by the standard, the distributions are not: ranges are
// mapped by hand so that a seed gives the same database everywhere.
class Random {
public:
    explicit Random(std::uint32_t seed) : engine_(seed) {}
    int Between(int low, int high)
    {
        return low + static_cast<int>(engine_() % static_cast<std::uint32_t>(high - low + 1));
    }
    bool Percent(int percent) { return Between(0, 99) < percent; }
    template <class T> const T& Pick(const std::vector<T>& items)
    {
        return items[static_cast<std::size_t>(Between(0, static_cast<int>(items.size()) - 1))];
    }
    std::uint8_t Byte() { return static_cast<std::uint8_t>(engine_()); }
    std::mt19937& engine() { return engine_; }

private:
    std::mt19937 engine_;
};

struct KnownSatellite {
    const char* name;
    int position; // tenths of a degree, negative = West
};

const std::vector<KnownSatellite> kKnownSatellites = {
    {"Astra 19.2E", 192},     {"Hotbird 13.0E", 130},    {"Astra 28.2E", 282},
    {"Eutelsat 9.0E", 90},    {"Eutelsat 7.0E", 70},     {"Astra 23.5E", 235},
    {"Eutelsat 16.0E", 160},  {"Turksat 42.0E", 420},    {"Badr 26.0E", 260},
    {"Eutelsat 36.0E", 360},  {"Hellas Sat 39.0E", 390}, {"Express 53.0E", 530},
    {"Yamal 90.0E", 900},     {"Astra 4.8E", 48},        {"Eutelsat 21.5E", 215},
    {"Eutelsat 10.0E", 100},  {"Arabsat 30.5E", 305},    {"Amos 4.0W", -40},
    {"Thor 0.8W", -8},        {"Nilesat 7.0W", -70},     {"Eutelsat 5.0W", -50},
    {"Hispasat 30.0W", -300}, {"Intelsat 24.5W", -245},  {"NSS 22.0W", -220},
    {"Telstar 15.0W", -150},  {"Express 14.0W", -140},   {"Intelsat 34.5W", -345},
    {"Eutelsat 8.0W", -80},   {"Azerspace 46.0E", 460},  {"Intelsat 62.0E", 620},
};

struct NamePart {
    std::uint8_t selector; // 0: none
    const char* bytes;
};

// Names with letters outside ASCII, each in the character table its selector names:
// ISO 8859-9 (0x05), ISO 8859-5 (0x01), UTF-8 (0x15), and the default table with its
// non-spacing accents (0xC2 acute, 0xC8 diaeresis) placed before the letter.
const std::vector<NamePart> kForeignNames = {
    {0x05, "TRT T\xFCrk"},
    {0x05, "Kanal \xC7ocuk"},
    {0x05, "Show T\xFCrk"},
    {0x05, "Ba\xFE Haber"},
    {0x01, "\xC0\xDE\xE1\xE1\xD8\xEF 1"}, // Россия 1
    {0x01, "\xBF\xD5\xE0\xD2\xEB\xD9"},   // Первый
    {0x15, "Espa\xC3\xB1"
           "a TV"},              // España TV
    {0x15, "M\xC3\xBCnchen TV"}, // München TV
    {0x00, "T\xC2"
           "el\xC2"
           "e Monte"}, // Télé Monte
    {0x00, "\xC8"
           "Osterreich 1"}, // Österreich 1
};

const std::vector<std::string> kTvBrands = {
    "Das Erste", "ZDF",        "RTL",      "Sat.1",     "ProSieben", "Arte",
    "BBC One",   "Euronews",   "CNN Intl", "Eurosport", "Rai Uno",   "TVE Intl",
    "France 24", "Al Jazeera", "Polsat",   "Nova",      "Sky News",  "Discovery",
    "Nat Geo",   "MTV",        "Cartoon",  "DW",        "NHK World", "TV5Monde",
};
const std::vector<std::string> kGenres = {
    "News", "Sport", "Movie",  "Music",  "Kids",    "Docu",    "Series", "Shop",
    "Info", "Arts",  "Comedy", "Travel", "Food",    "Motor",   "Nature", "History",
    "Gold", "Prime", "Action", "Family", "Fashion", "Science",
};
const std::vector<std::string> kRadioWords = {
    "Radio", "FM", "Klassik", "Jazz", "Rock", "Pop", "Talk", "Hits", "Oldies", "Folk",
};

// CAS bits as boxes meet them: a few systems are common, the others rare.
const std::vector<std::uint32_t> kCommonCas = {0x10, 0x8, 0x800, 0x80, 0x40, 0x2, 0x100, 0x2000};
const std::vector<std::uint32_t> kRareCas = {0x1,    0x4,    0x20,    0x200,    0x400,
                                             0x1000, 0x4000, 0x10000, 0x100000, 0x4000000};

std::uint16_t StoredPosition(int position)
{
    return static_cast<std::uint16_t>(position >= 0 ? position : 3600 + position);
}

std::string PositionName(int position)
{
    const int degrees = std::abs(position) / 10;
    const int tenths = std::abs(position) % 10;
    return "Sat " + std::to_string(degrees) + "." + std::to_string(tenths) +
           (position >= 0 ? "E" : "W");
}

void FillSatellites(ChannelDatabase& db, Random& random, int count, std::vector<std::uint16_t>& ids)
{
    std::set<int> positions;
    std::uint16_t id = 0xc0;
    int positioner = 1;
    for (int i = 0; i < count; ++i) {
        SatInfo sat;
        std::string name;
        int position;
        if (i < static_cast<int>(kKnownSatellites.size())) {
            name = kKnownSatellites[static_cast<std::size_t>(i)].name;
            position = kKnownSatellites[static_cast<std::size_t>(i)].position;
        } else {
            do
                position = random.Between(-600, 1800);
            while (positions.count(position) != 0 || position == 0);
            name = PositionName(position);
        }
        positions.insert(position);
        sat.setId(id);
        ids.push_back(id);
        id = static_cast<std::uint16_t>(id + random.Between(1, 3));
        sat.setName(name);
        sat.setPosition(StoredPosition(position));
        const int lnb = random.Between(0, 9);
        if (lnb < 6) { // Universal
            sat.setLnbType(0);
            sat.setLnbLow(9750);
            sat.setLnbHigh(10600);
            sat.setTone22k(2);
        } else if (lnb < 8) { // u9.75/10.75
            sat.setLnbType(0);
            sat.setLnbLow(9750);
            sat.setLnbHigh(10750);
            sat.setTone22k(2);
        } else if (lnb == 8) { // C band
            sat.setLnbType(1);
            sat.setLnbLow(5150);
            sat.setLnbHigh(5150);
            sat.setTone22k(0);
        } else {
            sat.setLnbType(2);
            sat.setLnbLow(10750);
            sat.setLnbHigh(10750);
            sat.setTone22k(static_cast<std::uint8_t>(random.Between(0, 1)));
        }
        sat.setDiseqc(static_cast<std::uint8_t>(i < 4 ? i + 1 : random.Between(0, 6)));
        sat.setDiseqc11Port(
            static_cast<std::uint8_t>(random.Percent(20) ? random.Between(1, 16) : 0));
        sat.setLnbPower(static_cast<std::uint8_t>(random.Percent(80) ? 3 : random.Between(0, 2)));
        sat.setPositioner(random.Percent(30) && positioner <= 47
                              ? static_cast<std::uint8_t>(positioner++)
                              : SatInfo::kNoPositioner);
        // Bytes the program carries along untouched.
        sat.bytes()[29] = static_cast<std::uint8_t>(i & 0x7F);
        sat.bytes()[35] = 0x5A;
        sat.bytes()[41] = random.Byte();
        db.setSatellite(i, sat);
    }
    db.setSatelliteCount(count);
}

// Every satellite gets at least one transponder (while there are enough), the rest at random.
std::vector<int> TransponderOwners(Random& random, int satellites, int transponders)
{
    std::vector<int> owners;
    for (int i = 0; i < transponders; ++i)
        owners.push_back(i < satellites ? i : random.Between(0, satellites - 1));
    std::sort(owners.begin(), owners.end());
    return owners;
}

void FillTransponders(ChannelDatabase& db, Random& random, int count,
                      const std::vector<std::uint16_t>& satIds, std::vector<TpInfo>& out)
{
    const std::vector<int> owners =
        TransponderOwners(random, static_cast<int>(satIds.size()), count);
    std::vector<int> perSatellite(satIds.size(), 0);
    const std::vector<std::uint16_t> symbolRates = {22000, 27500, 29900, 30000, 8000, 45000};
    for (int i = 0; i < count; ++i) {
        const int owner = owners[static_cast<std::size_t>(i)];
        ++perSatellite[static_cast<std::size_t>(owner)];
        const SatInfo sat = db.satellite(owner);
        TpInfo tp;
        tp.setId(static_cast<std::uint16_t>(i + 1));
        tp.setSatelliteId(satIds[static_cast<std::size_t>(owner)]);
        for (std::size_t b = 4; b < 28; ++b)
            tp.bytes()[b] = static_cast<std::uint8_t>((i + static_cast<int>(b)) & 0xFF);
        tp.setFrequency(static_cast<std::uint16_t>(
            sat.lnbType() == 1 ? random.Between(3400, 4200) : random.Between(10700, 12750)));
        tp.setSymbolRate(random.Pick(symbolRates));
        const bool s2 = random.Percent(40);
        tp.setFec(static_cast<std::uint8_t>(random.Between(0, 4) + (s2 ? 6 : 0)));
        tp.setPolarization(static_cast<std::uint8_t>(random.Between(0, 1)));
        tp.setPilot(static_cast<std::uint8_t>(s2 ? random.Between(0, 1) : 2));
        tp.bytes()[35] = 0x11;
        db.setTransponder(i, tp);
        out.push_back(tp);
    }
    db.setTransponderCount(count);
    for (std::size_t s = 0; s < satIds.size(); ++s) {
        SatInfo sat = db.satellite(static_cast<int>(s));
        sat.setTransponderCount(static_cast<std::uint8_t>(std::min(perSatellite[s], 255)));
        db.setSatellite(static_cast<int>(s), sat);
    }
}

class NameMaker {
public:
    explicit NameMaker(Random& random) : random_(random) {}

    // The stored name bytes: an optional selector byte, then the text.
    std::string Next(bool radio, bool hd)
    {
        std::string text;
        std::uint8_t selector = 0;
        const int kind = random_.Between(0, 99);
        if (!radio && kind < 8) {
            const NamePart& part = random_.Pick(kForeignNames);
            selector = part.selector;
            text = part.bytes;
        } else if (radio) {
            text = random_.Pick(kRadioWords) + " " + random_.Pick(kGenres);
        } else if (tvBrand_ < kTvBrands.size()) {
            text = kTvBrands[tvBrand_++];
        } else {
            text = random_.Pick(kGenres) + " " + random_.Pick(kGenres);
        }
        if (selector == 0 && kind >= 90)
            selector = 0x05; // boxes often mark plain names with a table too
        text = Unique(text);
        if (hd)
            text += " HD";
        std::string bytes;
        if (selector != 0)
            bytes += static_cast<char>(selector);
        bytes += text;
        if (bytes.size() > 24)
            bytes.resize(24);
        return bytes;
    }

private:
    std::string Unique(const std::string& text)
    {
        const int n = ++used_[text];
        return n == 1 ? text : text + " " + std::to_string(n);
    }

    Random& random_;
    std::size_t tvBrand_ = 0;
    std::map<std::string, int> used_;
};

void FillChannels(ChannelDatabase& db, Random& random, int count, const std::vector<TpInfo>& tps)
{
    std::vector<std::uint16_t> keys(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        keys[static_cast<std::size_t>(i)] = static_cast<std::uint16_t>(i + 1);
    // The box hands out keys in scan order; later moves on the box scramble them.
    for (std::size_t i = keys.size(); i > 1; --i)
        std::swap(keys[i - 1],
                  keys[static_cast<std::size_t>(random.Between(0, static_cast<int>(i) - 1))]);

    NameMaker names(random);
    std::uint16_t serviceId = 1000;
    int lastTp = -1;
    for (int i = 0; i < count; ++i) {
        const int tpIndex = static_cast<int>(static_cast<long long>(i) *
                                             static_cast<long long>(tps.size()) / count);
        const TpInfo& tp = tps[static_cast<std::size_t>(tpIndex)];
        if (tpIndex != lastTp) {
            serviceId = static_cast<std::uint16_t>(random.Between(1, 30000));
            lastTp = tpIndex;
        }
        const bool radio = random.Percent(18);
        const bool hd = !radio && random.Percent(20);
        ChannelInfo ch;
        ch.setSatelliteId(tp.satelliteId());
        ch.setTransponderId(tp.id());
        ch.setServiceId(serviceId);
        serviceId = static_cast<std::uint16_t>(serviceId + random.Between(1, 20));
        const int slot = i % 32;
        ch.setPmtPid(static_cast<std::uint16_t>(0x100 + slot));
        ch.setVideoPid(radio ? 0 : static_cast<std::uint16_t>(0x200 + slot * 16));
        ch.setAudioPid(static_cast<std::uint16_t>(0x200 + slot * 16 + 1));
        ch.setPcrPid(radio ? ch.audioPid() : ch.videoPid());
        ch.setWord14(static_cast<std::uint16_t>(random.Between(1, 300)));
        ch.setWord16(static_cast<std::uint16_t>(tp.id() + 1000));
        ch.setWord18(static_cast<std::uint16_t>(random.Between(0, 3)));
        if (random.Percent(25)) {
            std::uint32_t mask =
                random.Percent(85) ? random.Pick(kCommonCas) : random.Pick(kRareCas);
            if (random.Percent(20))
                mask |= random.Pick(kCommonCas);
            ch.setCasMask(mask);
        }
        ch.setType(radio ? ChannelInfo::kRadio : hd ? ChannelInfo::kHdtv : ChannelInfo::kSdtv);
        ch.setLock(random.Percent(4) ? 1 : 0);
        ch.bytes()[29] = 1; // 27..31 hold 0, 0, 1, 0, 0 as the box writes them
        ch.setKey(keys[static_cast<std::size_t>(i)]);
        ch.setName(names.Next(radio, hd));
        db.setChannel(i, ch);
    }
    db.setChannelCount(count);
}

std::vector<std::int32_t> PickEntries(Random& random, const std::vector<std::int32_t>& from,
                                      int want)
{
    std::vector<std::int32_t> pool = from;
    std::vector<std::int32_t> picked;
    while (static_cast<int>(picked.size()) < want && !pool.empty()) {
        const std::size_t at =
            static_cast<std::size_t>(random.Between(0, static_cast<int>(pool.size()) - 1));
        picked.push_back(pool[at]);
        pool.erase(pool.begin() + static_cast<std::ptrdiff_t>(at));
    }
    return picked;
}

void FillUserLists(ChannelDatabase& db, Random& random)
{
    std::vector<std::int32_t> tv;
    std::vector<std::int32_t> radio;
    for (int i = 0; i < db.channelCount(); ++i)
        (db.channel(i).isRadio() ? radio : tv).push_back(i);

    // Lists 1..4 named, 5..7 unnamed with entries, 8..10 unnamed and empty.
    const std::array<const char*, 4> names = {"Favourites", "News", "Sport", "Kids & Family"};
    for (int list = 0; list < 7; ++list) {
        const int tvWant = std::min<int>(static_cast<int>(tv.size()),
                                         5 + random.Between(0, 40) * (list == 0 ? 3 : 1));
        const int radioWant = std::min<int>(static_cast<int>(radio.size()), random.Between(0, 12));
        db.setUserListEntries(list, ListKind::Tv, PickEntries(random, tv, tvWant));
        db.setUserListEntries(list, ListKind::Radio, PickEntries(random, radio, radioWant));
        if (list < static_cast<int>(names.size()))
            db.setUserListName(list + 1, names[static_cast<std::size_t>(list)]);
    }
}

void FillPreservedBytes(ChannelDatabase& db, Random& random)
{
    auto chdata = db.image(ChannelDatabase::kChData);
    chdata[0] = 13; // the database format version the handshake names
    for (std::size_t i = chdata.size() - 4; i < chdata.size(); ++i)
        chdata[i] = random.Byte();
    auto chidx = db.image(ChannelDatabase::kChIdx);
    for (std::size_t i = 0; i < 2048; ++i)
        chidx[i] = random.Byte();
    auto menu = db.image(ChannelDatabase::kMenuData);
    for (std::size_t i = 0; i < 86; ++i)
        menu[i] = random.Byte();
    for (std::size_t i = 363; i < menu.size(); ++i)
        menu[i] = static_cast<std::uint8_t>(i);
}

} // namespace

std::optional<DemoSize> ParseDemoSize(std::string_view name)
{
    for (DemoSize size : {DemoSize::Tiny, DemoSize::Small, DemoSize::Large, DemoSize::Full})
        if (name == DemoSizeName(size))
            return size;
    return std::nullopt;
}

const char* DemoSizeName(DemoSize size)
{
    switch (size) {
    case DemoSize::Tiny:
        return "tiny";
    case DemoSize::Small:
        return "small";
    case DemoSize::Large:
        return "large";
    case DemoSize::Full:
        break;
    }
    return "full";
}

ChannelDatabase GenerateDemoDatabase(std::uint32_t seed, DemoSize size)
{
    const Counts counts = CountsFor(size);
    Random random(seed);
    ChannelDatabase db;
    FillPreservedBytes(db, random);
    std::vector<std::uint16_t> satIds;
    FillSatellites(db, random, counts.satellites, satIds);
    std::vector<TpInfo> tps;
    FillTransponders(db, random, counts.transponders, satIds, tps);
    FillChannels(db, random, counts.channels, tps);
    FillUserLists(db, random);
    db.setPin(static_cast<std::uint16_t>(random.Between(0, 9999)));
    return db;
}
