// The rules of the satellite, transponder and channel dialogs: look-ups and validation order.
#include "chdb/DvbText.h"
#include "chdb/EditValidation.h"
#include "chdb/RecordLookups.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// Two satellites (ids 10 and 20, the second on positioner 5), three transponders, three
// channels: "ZDF" on 10, "Radio One" (radio, 8859-9 selector) on 20.
ChannelDatabase SmallDatabase()
{
    ChannelDatabase db;
    const char* names[] = {"Astra 19.2E", "Hotbird"};
    for (int i = 0; i < 2; ++i) {
        SatInfo sat;
        sat.setId(static_cast<std::uint16_t>(10 * (i + 1)));
        sat.setName(names[i]);
        sat.setPositioner(i == 1 ? 5 : SatInfo::kNoPositioner);
        db.setSatellite(i, sat);
    }
    db.setSatelliteCount(2);
    const int tps[][4] = {{1, 10, 11000, 1}, {2, 10, 12000, 0}, {3, 20, 11000, 1}};
    for (int i = 0; i < 3; ++i) {
        TpInfo tp;
        tp.setId(static_cast<std::uint16_t>(tps[i][0]));
        tp.setSatelliteId(static_cast<std::uint16_t>(tps[i][1]));
        tp.setFrequency(static_cast<std::uint16_t>(tps[i][2]));
        tp.setSymbolRate(27500);
        tp.setPolarization(static_cast<std::uint8_t>(tps[i][3]));
        db.setTransponder(i, tp);
    }
    db.setTransponderCount(3);
    const char* channels[] = {"ZDF", "\x05Radio One", "arte"};
    for (int i = 0; i < 3; ++i) {
        ChannelInfo c;
        c.setSatelliteId(i == 1 ? 20 : 10);
        c.setKey(static_cast<std::uint16_t>(100 + i));
        c.setType(i == 1 ? ChannelInfo::kRadio : ChannelInfo::kSdtv);
        c.setName(channels[i]);
        db.setChannel(i, c);
    }
    db.setChannelCount(3);
    return db;
}

std::string Message(const std::optional<EditError>& error) { return error ? error->message : "ok"; }

} // namespace

TEST(EditLookups, ExcludeTheEditedRecordAndCompareBytes)
{
    const ChannelDatabase db = SmallDatabase();
    EXPECT_EQ(FindSatelliteByName(db, "Hotbird", 10), 1);
    EXPECT_EQ(FindSatelliteByName(db, "Hotbird", 20), -1); // itself
    EXPECT_EQ(FindSatelliteByName(db, "HOTBIRD", 10), -1); // case counts
    EXPECT_EQ(FindSatelliteByPositioner(db, 5, 10), 1);
    EXPECT_EQ(FindSatelliteByPositioner(db, 5, 20), -1);
    const int rows[] = {0, 1};
    EXPECT_EQ(FindTransponder(db, rows, 11000, 27500, 1, -1), 0);
    EXPECT_EQ(FindTransponder(db, rows, 11000, 27500, 1, 0), -1);
    EXPECT_EQ(FindTransponder(db, rows, 11000, 27500, 0, -1), -1); // polarisation differs
    EXPECT_EQ(FindChannelByName(db, "Radio One", std::nullopt), 1); // selector skipped
    EXPECT_EQ(FindChannelByName(db, "Radio One", 101), -1);
    EXPECT_EQ(FindChannelByName(db, "zdf", std::nullopt), -1);
}

TEST(SatellitePosition, ShownAndReadInTenths)
{
    const struct {
        std::uint16_t stored;
        const char* text;
        int west;
    } shown[] = {{0, "0.0", 0},       {130, "13.0", 0},   {1800, "180.0", 0},
                 {1801, "179.9", 1}, {3600, "0.0", 1},   {3450, "15.0", 1}};
    for (const auto& s : shown) {
        EXPECT_EQ(FormatSatPosition(s.stored).degrees, s.text) << s.stored;
        EXPECT_EQ(FormatSatPosition(s.stored).hemisphere, s.west) << s.stored;
    }
    const struct {
        const char* text;
        int tenths;
    } read[] = {{"13", 130},  {"13.0", 130}, {"13.05", 130}, {"180.09", 1800}, {"181", 1810},
                {"abc", 0},   {"", 0},       {" 2.3", 23},   {"-1", -10},      {"-0.05", 0},
                {"1e2", 1000}, {".5", 5},    {"4.35", 43},   {"99999999999", INT_MAX}};
    for (const auto& r : read)
        EXPECT_EQ(ParseTenths(r.text), r.tenths) << r.text;
}

TEST(ValidateSatellite, ChecksInOrderAndStoresWhatPassed)
{
    const ChannelDatabase db = SmallDatabase();
    const SatForm good{"Astra 19.2E", "19.2", 0, -1, "5150", 1, 2, 3, 1, ""};
    const struct {
        std::function<void(SatForm&)> change;
        std::string message;
        EditField field;
    } cases[] = {
        {[](SatForm& f) { f.name = ""; f.position = "999"; }, "No satellite name!", EditField::SatName},
        {[](SatForm& f) { f.name = std::string(24, 'x'); }, "Max. no. of characters : 23", EditField::SatName},
        {[](SatForm& f) { f.name = "Hotbird"; f.position = "999"; }, "Name already exists!", EditField::SatName},
        {[](SatForm& f) { f.position = "181"; f.lnbText = ""; }, "Position range : 0 ~ 180", EditField::SatPosition},
        {[](SatForm& f) { f.position = "-1"; }, "Position range : 0 ~ 180", EditField::SatPosition},
        {[](SatForm& f) { f.lnbText = "abc"; f.positioner = "99"; }, "No LNB frequency!", EditField::SatLnb},
        {[](SatForm& f) { f.lnbText = "999"; }, "LNB range : 1000 ~ 65535", EditField::SatLnb},
        {[](SatForm& f) { f.lnbText = "65536"; }, "LNB range : 1000 ~ 65535", EditField::SatLnb},
        {[](SatForm& f) { f.positioner = "48"; }, "Invalid position no.\n\nRange : 1 ~ 47", EditField::SatPositioner},
        {[](SatForm& f) { f.positioner = "-1"; }, "Invalid position no.\n\nRange : 1 ~ 47", EditField::SatPositioner},
        {[](SatForm& f) { f.positioner = "5"; }, "Position already exists!", EditField::SatPositioner},
    };
    for (const auto& c : cases) {
        SatForm form = good;
        c.change(form);
        SatInfo values = db.satellite(0);
        const auto error = ValidateSatellite(db, form, values);
        ASSERT_TRUE(error) << c.message;
        EXPECT_EQ(*error, (EditError{c.message, c.field}));
    }

    // The name may stay, or differ from another only in case; 23 characters fit.
    for (const char* name : {"Astra 19.2E", "HOTBIRD", "12345678901234567890123"}) {
        SatForm form = good;
        form.name = name;
        SatInfo values = db.satellite(0);
        EXPECT_EQ(Message(ValidateSatellite(db, form, values)), "ok") << name;
        EXPECT_EQ(values.name(), name);
    }
}

TEST(ValidateSatellite, ConvertsPositionLnbAndPositioner)
{
    const ChannelDatabase db = SmallDatabase();
    const struct {
        SatForm form;
        std::uint16_t position;
        int lnbType, low, high, tone, positioner;
    } cases[] = {
        {{"A", "0", 1, kLnbUniversal, "", 1, 0, 0, 0, ""}, 3600, 0, 9750, 10600, 2, 255},
        {{"A", "19.2", 0, kLnbU975_1075, "", 1, 0, 0, 0, "abc"}, 192, 0, 9750, 10750, 2, 255},
        {{"A", "180.09", 0, -1, "5150", 1, 0, 0, 0, "47"}, 1800, 1, 5150, 5150, 1, 47},
        {{"A", "30", 1, -1, "7000", 0, 0, 0, 0, "5"}, 3300, 1, 7000, 7000, 0, 255 /*clash*/},
        {{"A", "30", 1, 4, "7001", 1, 0, 0, 0, "1"}, 3300, 2, 7001, 7001, 1, 1},
        {{"A", "letters", 0, -1, "10600", 0, 0, 0, 0, ""}, 0, 2, 10600, 10600, 0, 255},
    };
    for (const auto& c : cases) {
        SatInfo values = db.satellite(0);
        const auto error = ValidateSatellite(db, c.form, values);
        EXPECT_EQ(values.position(), c.position) << c.form.position;
        EXPECT_EQ(values.lnbType(), c.lnbType) << c.form.lnbText;
        EXPECT_EQ(values.lnbLow(), c.low);
        EXPECT_EQ(values.lnbHigh(), c.high);
        EXPECT_EQ(values.tone22k(), c.tone);
        EXPECT_EQ(values.positioner(), c.positioner);
        EXPECT_EQ(error.has_value(), c.form.positioner == "5");
    }
    // The combo values are taken as selected; an empty selection keeps what was stored.
    SatInfo values = db.satellite(0);
    values.setDiseqc(6);
    ValidateSatellite(db, {"A", "1", 0, 0, "", 0, -1, 16, 3, ""}, values);
    EXPECT_EQ(values.diseqc(), 6);
    EXPECT_EQ(values.diseqc11Port(), 16);
    EXPECT_EQ(values.lnbPower(), 3);
    EXPECT_EQ(values.id(), 10);
}

TEST(ValidateTransponder, ChecksInOrder)
{
    const ChannelDatabase db = SmallDatabase();
    const int rows[] = {0, 1};
    const TpForm good{"11000", "27500", kDvbS2, 3, 0, 2};
    const struct {
        std::function<void(TpForm&)> change;
        int ownIndex;
        std::string message;
    } cases[] = {
        {[](TpForm& f) { f.frequency = "999"; f.system = -1; }, -1, "Frequency range : 1000 ~ 65535"},
        {[](TpForm& f) { f.frequency = "x"; }, -1, "Frequency range : 1000 ~ 65535"},
        {[](TpForm& f) { f.symbolRate = "65536"; f.pilot = -1; }, -1, "Symbol rate range : 1000 ~ 65535"},
        {[](TpForm& f) { f.system = -1; f.polarization = -1; }, -1, "Select FEC!"},
        {[](TpForm& f) { f.fec = -1; }, -1, "Select FEC!"},
        {[](TpForm& f) { f.polarization = -1; f.pilot = -1; }, -1, "Select Polarization!"},
        {[](TpForm& f) { f.pilot = -1; }, -1, "Select Pilot!"},
        {[](TpForm& f) { f.polarization = 1; }, -1, "Transponder already exists!"}, // FEC, pilot differ
        {[](TpForm& f) { f.polarization = 1; }, 0, "ok"},                           // itself
        {[](TpForm&) {}, -1, "ok"},                                                  // polarisation differs
    };
    const EditField fields[] = {EditField::TpFrequency, EditField::TpFrequency, EditField::TpSymbolRate,
                                EditField::TpFec, EditField::TpFec, EditField::TpPolarization,
                                EditField::TpPilot, EditField::TpFrequency};
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        TpForm form = good;
        cases[i].change(form);
        TpInfo values;
        const auto error = ValidateTransponder(db, rows, cases[i].ownIndex, form, values);
        EXPECT_EQ(Message(error), cases[i].message) << i;
        if (error && i < std::size(fields)) {
            EXPECT_EQ(error->field, fields[i]) << i;
        }
    }
    TpInfo values;
    ASSERT_FALSE(ValidateTransponder(db, rows, -1, good, values));
    EXPECT_EQ(values.fec(), 3 + 6); // DVB-S2 codes are stored with 6 added
    EXPECT_EQ(values.frequency(), 11000);
    EXPECT_EQ(values.pilot(), 2);
}

TEST(ValidateChannel, ChecksInOrder)
{
    const ChannelDatabase db = SmallDatabase();
    const ChannelForm good{"New", ChannelInfo::kSdtv, "1", "2", "3", "4", "65535"};
    const struct {
        std::function<void(ChannelForm&)> change;
        std::optional<std::uint16_t> except;
        std::string message;
        EditField field;
    } cases[] = {
        {[](ChannelForm& f) { f.name = ""; f.serviceId = ""; }, {}, "No channel name!", EditField::ChannelName},
        {[](ChannelForm& f) { f.name = std::string(24, 'n'); }, {}, "Max. no. of characters : 23", EditField::ChannelName},
        {[](ChannelForm& f) { f.name = "Radio One"; }, {}, "Name already exists!", EditField::ChannelName},
        {[](ChannelForm& f) { f.serviceId = "0"; f.pmtPid = "0"; }, {}, "Service ID range : 1 ~ 65535", EditField::ServiceId},
        {[](ChannelForm& f) { f.pmtPid = "65536"; }, {}, "PMT PID range : 1 ~ 65535", EditField::PmtPid},
        {[](ChannelForm& f) { f.videoPid = ""; f.audioPid = ""; }, {}, "Video PID range : 1 ~ 65535", EditField::VideoPid},
        {[](ChannelForm& f) { f.audioPid = "-3"; }, {}, "Audio PID range : 1 ~ 65535", EditField::AudioPid},
        {[](ChannelForm& f) { f.pcrPid = "abc"; }, {}, "PCR PID range : 1 ~ 65535", EditField::PcrPid},
    };
    for (const auto& c : cases) {
        ChannelForm form = good;
        c.change(form);
        ChannelValues values;
        const auto error = ValidateChannel(db, c.except, form, values);
        ASSERT_TRUE(error) << c.message;
        EXPECT_EQ(*error, (EditError{c.message, c.field}));
    }

    // Its own name, 23 characters; a radio channel needs no video PID and keeps 0xFFFF.
    ChannelForm radio = good;
    radio.name = "Radio One";
    radio.type = ChannelInfo::kRadio;
    radio.videoPid = "garbage";
    ChannelValues values;
    EXPECT_EQ(Message(ValidateChannel(db, 101, radio, values)), "ok");
    EXPECT_EQ(values, (ChannelValues{"Radio One", 1, 2, 0xFFFF, 4, 65535, ChannelInfo::kRadio, 0}));
    ChannelForm longest = good;
    longest.name = std::string(23, 'n');
    EXPECT_EQ(Message(ValidateChannel(db, std::nullopt, longest, values)), "ok");
}

TEST(EncodeDvbText, WritesTypedTextInTheNamesTable)
{
    const struct {
        const char* utf8;
        std::uint8_t selector;
        std::optional<std::string> bytes;
    } cases[] = {
        {"ZDF HD", 0, "ZDF HD"},
        {"Cafe\xCC\x81", 0, "Caf\xC2"
                            "e"},                  // mark before its letter
        {"\xE2\x82\xAC 5", 0, "\xA4 5"},           // euro
        {"\xCC\x81", 0, std::nullopt},             // a mark alone
        {"\xD0\x9F", 0, std::nullopt},             // Cyrillic is not in the default table
        {"T\xC3\x9CRK", 0x05, "T\xDCRK"},          // ISO 8859-9
        {"\xD0\x9F\xD0\xB5", 0x01, "\xBF\xD5"},    // ISO 8859-5
        {"\xD0\x9F", 0x05, std::nullopt},
        {"\xC3\xA9t\xC3\xA9", 0x15, "\xC3\xA9t\xC3\xA9"},
        {"a\tb", 0x15, std::nullopt},              // no control characters
        {"\xC3", 0x15, std::nullopt},              // broken UTF-8
        {"", 0, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EncodeDvbText(c.utf8, c.selector), c.bytes) << c.utf8;
        if (c.bytes) {
            const std::string stored = (c.selector ? std::string(1, char(c.selector)) : "") + *c.bytes;
            EXPECT_EQ(DecodeDvbText(stored), c.utf8);
        }
    }
}
