// The checks of the satellite, transponder and channel dialogs, each in its order.
#include "chdb/EditValidation.h"
#include "tests/chdb/Tables.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>

namespace {

template <class Form> struct Case {
    std::function<void(Form&)> change;
    std::string message = "ok";
    EditField field = EditField::SatName;
};

// Each case changes the good form; the first failed check names its message and field.
template <class Form, class Validate>
void CheckInOrder(const Form& good, const std::vector<Case<Form>>& cases, Validate validate)
{
    for (const auto& c : cases) {
        Form form = good;
        c.change(form);
        const std::optional<EditError> error = validate(form);
        EXPECT_EQ(error ? error->message : "ok", c.message);
        EXPECT_EQ(error ? error->field : c.field, c.field) << c.message;
    }
}

} // namespace

TEST(SatellitePosition, ShownAndReadInTenths)
{
    const struct { std::uint16_t stored; const char* text; int west; } shown[] = {
        {0, "0.0", 0}, {130, "13.0", 0}, {1800, "180.0", 0}, {1801, "179.9", 1}, {3600, "0.0", 1}};
    for (const auto& s : shown)
        EXPECT_EQ(std::pair(FormatSatPosition(s.stored).degrees, FormatSatPosition(s.stored).hemisphere),
                  std::pair(std::string(s.text), s.west));
    const struct { const char* text; int tenths; } read[] = {
        {"13", 130}, {"13.05", 130}, {"180.09", 1800}, {"181", 1810}, {"abc", 0}, {" 2.3", 23},
        {"-1", -10}, {"-0.05", 0},   {"1e2", 1000},    {".5", 5},     {"99999999999", INT_MAX}};
    for (const auto& r : read)
        EXPECT_EQ(ParseTenths(r.text), r.tenths) << r.text;
}

TEST(ValidateSatellite, ChecksInOrderAndStoresWhatPassed)
{
    const ChannelDatabase db = EditTables();
    using F = SatForm;
    CheckInOrder<SatForm>(
        {"Astra 19.2E", "19.2", 0, -1, "5150", 1, 2, 3, 1, ""},
        {
            {[](F& f) { f.name = ""; f.position = "999"; }, "No satellite name!", EditField::SatName},
            {[](F& f) { f.name = std::string(24, 'x'); }, "Max. no. of characters : 23", EditField::SatName},
            {[](F& f) { f.name = "Hotbird"; f.lnbText = ""; }, "Name already exists!", EditField::SatName},
            {[](F& f) { f.position = "181"; f.lnbText = ""; }, "Position range : 0 ~ 180", EditField::SatPosition},
            {[](F& f) { f.lnbText = "abc"; f.positioner = "99"; }, "No LNB frequency!", EditField::SatLnb},
            {[](F& f) { f.lnbText = "65536"; }, "LNB range : 1000 ~ 65535", EditField::SatLnb},
            {[](F& f) { f.positioner = "48"; }, "Invalid position no.\n\nRange : 1 ~ 47", EditField::SatPositioner},
            {[](F& f) { f.positioner = "-1"; }, "Invalid position no.\n\nRange : 1 ~ 47", EditField::SatPositioner},
            {[](F& f) { f.positioner = "5"; }, "Position already exists!", EditField::SatPositioner},
            {[](F& f) { f.name = "HOTBIRD"; }}, // case counts; its own name is fine too
            {[](F& f) { f.name = std::string(23, 'x'); }},
        },
        [&](const SatForm& form) {
            SatInfo values = db.satellite(0);
            const auto error = ValidateSatellite(db, form, values);
            EXPECT_EQ(values.name(), error ? "Astra 19.2E" : form.name); // taken only once it passed
            return error;
        });
}

TEST(ValidateSatellite, ConvertsPositionLnbAndPositioner)
{
    const ChannelDatabase db = EditTables();
    const struct {
        SatForm form;
        std::vector<int> stored; // position, LNB type, low, high, 22 kHz tone, positioner
    } cases[] = {
        {{"A", "0", 1, kLnbUniversal, "", 1, 0, 0, 0, ""}, {3600, 0, 9750, 10600, 2, 255}},
        {{"A", "19.2", 0, kLnbU975_1075, "", 1, 0, 0, 0, "abc"}, {192, 0, 9750, 10750, 2, 255}},
        {{"A", "180.09", 0, -1, "5150", 1, 0, 0, 0, "47"}, {1800, 1, 5150, 5150, 1, 47}},
        {{"A", "30", 1, -1, "7000", 0, 0, 0, 0, ""}, {3300, 1, 7000, 7000, 0, 255}},
        {{"A", "letters", 0, 4, "7001", 1, 0, 0, 0, "1"}, {0, 2, 7001, 7001, 1, 1}},
    };
    for (const auto& c : cases) {
        SatInfo v = db.satellite(0);
        EXPECT_FALSE(ValidateSatellite(db, c.form, v)) << c.form.position;
        EXPECT_EQ((std::vector<int>{v.position(), v.lnbType(), v.lnbLow(), v.lnbHigh(), v.tone22k(), v.positioner()}),
                  c.stored);
    }
    // Combos without a selection keep what was stored; id and count never change.
    SatInfo v = db.satellite(0);
    v.setDiseqc(6);
    ValidateSatellite(db, {"A", "1", 0, 0, "", 0, -1, 16, 3, ""}, v);
    EXPECT_EQ((std::vector<int>{v.diseqc(), v.diseqc11Port(), v.lnbPower(), v.id(), v.transponderCount()}),
              (std::vector<int>{6, 16, 3, 7, 2}));
}

TEST(ValidateTransponder, ChecksInOrder)
{
    const ChannelDatabase db = EditTables();
    const int rows[] = {0, 2}; // satellite 0: 11000/27500/H and 12000/27500/V
    const TpForm good{"11000", "27500", kDvbS2, 3, 0, 2};
    using F = TpForm;
    int ownIndex = -1;
    const auto validate = [&](const TpForm& form) {
        TpInfo values;
        return ValidateTransponder(db, rows, ownIndex, form, values);
    };
    CheckInOrder<TpForm>(
        good,
        {
            {[](F& f) { f.frequency = "999"; f.system = -1; }, "Frequency range : 1000 ~ 65535", EditField::TpFrequency},
            {[](F& f) { f.symbolRate = "65536"; f.pilot = -1; }, "Symbol rate range : 1000 ~ 65535", EditField::TpSymbolRate},
            {[](F& f) { f.system = -1; f.polarization = -1; }, "Select FEC!", EditField::TpFec},
            {[](F& f) { f.fec = -1; }, "Select FEC!", EditField::TpFec},
            {[](F& f) { f.polarization = -1; f.pilot = -1; }, "Select Polarization!", EditField::TpPolarization},
            {[](F& f) { f.pilot = -1; }, "Select Pilot!", EditField::TpPilot},
            // FEC and pilot differ from transponder 0, but they do not count.
            {[](F& f) { f.polarization = 1; }, "Transponder already exists!", EditField::TpFrequency},
            {[](F&) {}}, // polarisation differs
        },
        validate);
    ownIndex = 0;
    CheckInOrder<TpForm>(good, {{[](F& f) { f.polarization = 1; }}}, validate); // itself
    TpInfo values;
    ASSERT_FALSE(ValidateTransponder(db, rows, -1, good, values));
    EXPECT_EQ(std::pair(int{values.fec()}, int{values.pilot()}), std::pair(3 + 6, 2)); // DVB-S2 codes are stored with 6 added
}

TEST(ValidateChannel, ChecksInOrder)
{
    const ChannelDatabase db = EditTables();
    const ChannelForm good{"New", ChannelInfo::kSdtv, "1", "2", "3", "4", "65535"};
    using F = ChannelForm;
    CheckInOrder<ChannelForm>(
        good,
        {
            {[](F& f) { f.name = ""; f.serviceId = ""; }, "No channel name!", EditField::ChannelName},
            {[](F& f) { f.name = std::string(24, 'n'); }, "Max. no. of characters : 23", EditField::ChannelName},
            {[](F& f) { f.name = "Radio One"; }, "Name already exists!", EditField::ChannelName}, // selector skipped
            {[](F& f) { f.serviceId = "0"; f.pmtPid = "0"; }, "Service ID range : 1 ~ 65535", EditField::ServiceId},
            {[](F& f) { f.pmtPid = "65536"; }, "PMT PID range : 1 ~ 65535", EditField::PmtPid},
            {[](F& f) { f.videoPid = ""; f.audioPid = ""; }, "Video PID range : 1 ~ 65535", EditField::VideoPid},
            {[](F& f) { f.audioPid = "-3"; }, "Audio PID range : 1 ~ 65535", EditField::AudioPid},
            {[](F& f) { f.pcrPid = "abc"; }, "PCR PID range : 1 ~ 65535", EditField::PcrPid},
            {[](F& f) { f.name = std::string(23, 'n'); }},
        },
        [&](const ChannelForm& form) {
            ChannelValues values;
            return ValidateChannel(db, std::nullopt, form, values);
        });
    // Its own name; a radio channel needs no video PID and keeps 0xFFFF.
    ChannelValues values;
    EXPECT_FALSE(ValidateChannel(db, 102, {"Radio One", ChannelInfo::kRadio, "1", "2", "garbage", "4", "65535"}, values));
    EXPECT_EQ(values, (ChannelValues{"Radio One", 1, 2, 0xFFFF, 4, 65535, ChannelInfo::kRadio, 0}));
}
