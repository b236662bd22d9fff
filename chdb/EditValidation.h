#pragma once

#include "chdb/ChannelDatabase.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// The checks the satellite, transponder and channel dialogs run when the user presses their
// OK button. Each runs its checks in a fixed order and stops at the first that fails,
// returning its message and the field to put the focus on; every check that passes has
// already stored its value. Typed numbers are read as plain decimals (leading digits, anything
// else reads as 0) and their bounds tested afterwards.

enum class EditField {
    SatName,
    SatPosition,
    SatLnb,
    SatPositioner,
    TpFrequency,
    TpSymbolRate,
    TpFec,
    TpPolarization,
    TpPilot,
    ChannelName,
    ServiceId,
    PmtPid,
    VideoPid,
    AudioPid,
    PcrPid,
};

struct EditError {
    std::string message;
    EditField field;
    bool operator==(const EditError&) const = default;
};

// --- satellite

// The LNB choices that stand for a dual-oscillator LNB; every other entry is a frequency.
enum LnbChoice : int { kLnbUniversal = 0, kLnbU975_1075 = 1 };

// What the satellite dialog shows. Combo indices are -1 when nothing is selected; the
// DiSEqC, DiSEqC 1.1 and LNB power values are kept as stored then.
struct SatForm {
    std::string name;     // stored bytes
    std::string position; // degrees as typed
    int hemisphere = 0;   // 0 East, 1 West
    int lnbChoice = -1;   // the picked list entry of the LNB combo; -1 when typed
    std::string lnbText;
    int tone22k = 0;
    int diseqc = -1;
    int diseqc11Port = -1;
    int lnbPower = -1;
    std::string positioner; // empty for none
};

// Position text and hemisphere for a stored orbital position: "%03.1f" degrees, West above
// 180 degrees.
struct SatPositionText {
    std::string degrees;
    int hemisphere = 0;
};
SatPositionText FormatSatPosition(std::uint16_t stored);
// A decimal fraction as typed, times ten, cut toward zero ("13.05" gives 130); anything
// unreadable gives 0, and huge values saturate.
int ParseTenths(std::string_view text);
// The LNB combo entry a stored satellite selects: one of the dual choices, or -1 for a single
// oscillator (its frequency is shown as text).
int LnbChoiceOf(const SatInfo& sat);

// `values` comes in as the record being edited (its id, transponder count and untouched
// bytes stay) and leaves with every field that passed.
std::optional<EditError> ValidateSatellite(const ChannelDatabase& db, const SatForm& form,
                                           SatInfo& values);

// --- transponder

enum FecSystem : int { kDvbS = 0, kDvbS2 = 1 };
inline constexpr int kDvbS2FecOffset = 6; // DVB-S2 choices are stored with this added

struct TpForm {
    std::string frequency;
    std::string symbolRate;
    int system = -1; // FecSystem
    int fec = -1;    // index within the system's choices
    int polarization = -1;
    int pilot = -1;
};

// `rows` are the table indices of the satellite's transponders; `ownIndex` is the edited
// record's index, -1 when adding.
std::optional<EditError> ValidateTransponder(const ChannelDatabase& db, std::span<const int> rows,
                                             int ownIndex, const TpForm& form, TpInfo& values);

// --- channel

struct ChannelForm {
    std::string name; // the visible name's bytes, in the table of the channel's name
    int type = 0;
    std::string serviceId;
    std::string pmtPid;
    std::string videoPid;
    std::string audioPid;
    std::string pcrPid;
};

// The values the channel dialog carries in and out.
struct ChannelValues {
    std::string name; // visible name, without selector byte
    std::uint16_t serviceId = 0;
    std::uint16_t pmtPid = 0;
    std::uint16_t videoPid = 0;
    std::uint16_t audioPid = 0;
    std::uint16_t pcrPid = 0;
    std::uint8_t type = 0;
    std::uint8_t lock = 0;

    static ChannelValues From(const ChannelInfo& channel);
    bool operator==(const ChannelValues&) const = default;
};

// `exceptKey` is the edited channel's key, none when adding. The lock is the dialog's own
// business (it may need the PIN) and is not touched here.
std::optional<EditError> ValidateChannel(const ChannelDatabase& db,
                                         std::optional<std::uint16_t> exceptKey,
                                         const ChannelForm& form, ChannelValues& values);
