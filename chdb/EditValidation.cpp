#include "chdb/EditValidation.h"

#include "chdb/RecordLookups.h"
#include "util/Decimal.h"
#include "util/MessageCatalog.h"

#include <algorithm>
#include <cctype>
#include <climits>

namespace {

constexpr std::size_t kMaxNameLength = 23;

std::string Text(MsgId id)
{
    return GetMessageText(id);
}

// "%s : 1000 ~ 65535" and the like.
EditError RangeError(MsgId id, const char* range, EditField field)
{
    return {Text(id) + " : " + range, field};
}

EditError TooLong(EditField field)
{
    return {Text(MsgId::MaxNoOfCharacters) + " : " + std::to_string(kMaxNameLength), field};
}

bool InRange(int value, int low, int high)
{
    return value >= low && value <= high;
}

// A selected combo index, or the stored value when nothing is selected.
std::uint8_t IndexOr(int index, std::uint8_t stored)
{
    return index >= 0 ? static_cast<std::uint8_t>(index) : stored;
}

} // namespace

SatPositionText FormatSatPosition(std::uint16_t stored)
{
    // In tenths, so that 1801 shows 179.9 without a rounding question.
    int tenths = stored;
    int hemisphere = 0;
    if (tenths > 1800) {
        tenths = 3600 - tenths;
        hemisphere = 1;
    }
    std::string text = tenths < 0 ? "-" : "";
    const int magnitude = tenths < 0 ? -tenths : tenths;
    text += std::to_string(magnitude / 10) + "." + std::to_string(magnitude % 10);
    return {text, hemisphere};
}

int ParseTenths(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    std::string digits;
    long long point = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i, ++point)
        digits += text[i];
    if (i < text.size() && text[i] == '.')
        for (++i; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
            digits += text[i];
    if (digits.empty())
        return 0;
    if (i + 1 < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        const bool down = text[j] == '-';
        if (text[j] == '+' || text[j] == '-')
            ++j;
        long long exponent = 0;
        for (; j < text.size() && std::isdigit(static_cast<unsigned char>(text[j])); ++j)
            exponent = std::min(exponent * 10 + (text[j] - '0'), 100000LL);
        point += down ? -exponent : exponent;
    }
    // The digits up to one place after the point, exactly: no binary fraction to round.
    long long value = 0;
    for (long long k = 0; k <= point; ++k) {
        const int digit = k < static_cast<long long>(digits.size())
                              ? digits[static_cast<std::size_t>(k)] - '0'
                              : 0;
        value = value * 10 + digit;
        if (value > INT_MAX)
            return negative ? INT_MIN : INT_MAX;
    }
    return static_cast<int>(negative ? -value : value);
}

int LnbChoiceOf(const SatInfo& sat)
{
    if (sat.lnbType() != 0)
        return -1;
    return sat.lnbLow() == 9750 && sat.lnbHigh() == 10600 ? kLnbUniversal : kLnbU975_1075;
}

std::optional<EditError> ValidateSatellite(const ChannelDatabase& db, const SatForm& form,
                                           SatInfo& values)
{
    if (form.name.empty())
        return EditError{Text(MsgId::NoSatelliteName), EditField::SatName};
    if (form.name.size() > kMaxNameLength)
        return TooLong(EditField::SatName);
    if (FindSatelliteByName(db, form.name, values.id()) >= 0)
        return EditError{Text(MsgId::NameAlreadyExists), EditField::SatName};
    values.setName(form.name);

    const int tenths = ParseTenths(form.position);
    if (!InRange(tenths, 0, 1800))
        return RangeError(MsgId::PositionRange, "0 ~ 180", EditField::SatPosition);
    values.setPosition(static_cast<std::uint16_t>(form.hemisphere == 1 ? 3600 - tenths : tenths));

    if (form.lnbChoice == kLnbUniversal || form.lnbChoice == kLnbU975_1075) {
        values.setLnbType(0);
        values.setLnbLow(9750);
        values.setLnbHigh(form.lnbChoice == kLnbUniversal ? 10600 : 10750);
        values.setTone22k(2);
    } else {
        const int mhz = ParseDecimal(form.lnbText);
        if (mhz == 0)
            return EditError{Text(MsgId::NoLnbFrequency), EditField::SatLnb};
        if (!InRange(mhz, 1000, 65535))
            return RangeError(MsgId::LnbRange, "1000 ~ 65535", EditField::SatLnb);
        values.setLnbType(mhz <= 7000 ? 1 : 2);
        values.setLnbLow(static_cast<std::uint16_t>(mhz));
        values.setLnbHigh(static_cast<std::uint16_t>(mhz));
        values.setTone22k(IndexOr(form.tone22k, 0));
    }

    values.setDiseqc(IndexOr(form.diseqc, values.diseqc()));
    values.setDiseqc11Port(IndexOr(form.diseqc11Port, values.diseqc11Port()));
    values.setLnbPower(IndexOr(form.lnbPower, values.lnbPower()));

    const int position = ParseDecimal(form.positioner);
    if (position == 0) {
        values.setPositioner(SatInfo::kNoPositioner);
        return std::nullopt;
    }
    if (!InRange(position, 1, 47))
        return EditError{Text(MsgId::InvalidPositionNo) + "\n\n" + Text(MsgId::Range) + " : 1 ~ 47",
                         EditField::SatPositioner};
    if (FindSatelliteByPositioner(db, static_cast<std::uint8_t>(position), values.id()) >= 0)
        return EditError{Text(MsgId::PositionAlreadyExists), EditField::SatPositioner};
    values.setPositioner(static_cast<std::uint8_t>(position));
    return std::nullopt;
}

std::optional<EditError> ValidateTransponder(const ChannelDatabase& db, std::span<const int> rows,
                                             int ownIndex, const TpForm& form, TpInfo& values)
{
    const int frequency = ParseDecimal(form.frequency);
    if (!InRange(frequency, 1000, 65535))
        return RangeError(MsgId::FrequencyRange, "1000 ~ 65535", EditField::TpFrequency);
    values.setFrequency(static_cast<std::uint16_t>(frequency));
    const int symbolRate = ParseDecimal(form.symbolRate);
    if (!InRange(symbolRate, 1000, 65535))
        return RangeError(MsgId::SymbolRateRange, "1000 ~ 65535", EditField::TpSymbolRate);
    values.setSymbolRate(static_cast<std::uint16_t>(symbolRate));
    if (form.system < 0 || form.fec < 0)
        return EditError{Text(MsgId::SelectFec), EditField::TpFec};
    values.setFec(
        static_cast<std::uint8_t>(form.fec + (form.system == kDvbS2 ? kDvbS2FecOffset : 0)));
    if (form.polarization < 0)
        return EditError{Text(MsgId::SelectPolarization), EditField::TpPolarization};
    values.setPolarization(static_cast<std::uint8_t>(form.polarization));
    if (form.pilot < 0)
        return EditError{Text(MsgId::SelectPilot), EditField::TpPilot};
    values.setPilot(static_cast<std::uint8_t>(form.pilot));
    if (FindTransponder(db, rows, values.frequency(), values.symbolRate(), values.polarization(),
                        ownIndex) >= 0)
        return EditError{Text(MsgId::TransponderAlreadyExists), EditField::TpFrequency};
    return std::nullopt;
}

ChannelValues ChannelValues::From(const ChannelInfo& channel)
{
    return {channel.visibleName(), channel.serviceId(), channel.pmtPid(), channel.videoPid(),
            channel.audioPid(),    channel.pcrPid(),    channel.type(),   channel.lock()};
}

std::optional<EditError> ValidateChannel(const ChannelDatabase& db,
                                         std::optional<std::uint16_t> exceptKey,
                                         const ChannelForm& form, ChannelValues& values)
{
    if (form.name.empty())
        return EditError{Text(MsgId::NoChannelName), EditField::ChannelName};
    if (form.name.size() > kMaxNameLength)
        return TooLong(EditField::ChannelName);
    if (FindChannelByName(db, form.name, exceptKey) >= 0)
        return EditError{Text(MsgId::NameAlreadyExists), EditField::ChannelName};
    values.name = form.name;
    values.type = static_cast<std::uint8_t>(form.type);

    struct Pid {
        const std::string& text;
        MsgId message;
        EditField field;
        std::uint16_t& value;
    };
    const bool radio = values.type == ChannelInfo::kRadio;
    if (radio)
        values.videoPid = 0xFFFF; // radio has no picture; its edit is not read
    const Pid pids[] = {
        {form.serviceId, MsgId::ServiceIdRange, EditField::ServiceId, values.serviceId},
        {form.pmtPid, MsgId::PmtPidRange, EditField::PmtPid, values.pmtPid},
        {form.videoPid, MsgId::VideoPidRange, EditField::VideoPid, values.videoPid},
        {form.audioPid, MsgId::AudioPidRange, EditField::AudioPid, values.audioPid},
        {form.pcrPid, MsgId::PcrPidRange, EditField::PcrPid, values.pcrPid},
    };
    for (const Pid& pid : pids) {
        if (radio && pid.field == EditField::VideoPid)
            continue;
        const int value = ParseDecimal(pid.text);
        if (!InRange(value, 1, 65535))
            return RangeError(pid.message, "1 ~ 65535", pid.field);
        pid.value = static_cast<std::uint16_t>(value);
    }
    return std::nullopt;
}
