#pragma once

#include "chdb/ChannelDatabase.h"
#include "chdb/EditValidation.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// What the satellite list editor does to its working tables: the rows of its grids and the
// record edits behind its commands. The caller that owns the modified flag sets it when a
// function reports that channels were added or deleted.

// A satellite owns at most this many transponders: its stored count is one byte.
inline constexpr int kMaxTranspondersPerSatellite = 255;

// Table indices of the transponders of satellite `satIndex`, in table order; none when its
// stored transponder count is 0, whatever the records say.
std::vector<int> TransponderRows(const ChannelDatabase& db, int satIndex);
// Table indices of the channels, TV and radio, on one transponder of one satellite.
std::vector<int> ChannelRows(const ChannelDatabase& db, std::uint16_t satelliteId,
                             std::uint16_t transponderId);
// "%d/%d/%s": frequency, symbol rate, "H" or "V".
std::string TransponderRowText(const TpInfo& tp);

// The message that refuses a new transponder ("%s\n\n%s : %d": the table's 1500 or the
// satellite's 255), or none when one may be added.
std::optional<std::string> TransponderLimitMessage(const ChannelDatabase& db, int satIndex);
// The message that refuses a new channel (the table's 9999), or none.
std::optional<std::string> ChannelLimitMessage(const ChannelDatabase& db);

// Appends a transponder of satellite `satIndex` with no id yet (0xFFFF) and the frequency,
// symbol rate, FEC, polarisation and pilot of `values`; the slot's other bytes stay. Both
// counts go up. Returns its table index, or -1 when a limit refuses it.
int AddTransponder(ChannelDatabase& db, int satIndex, const TpInfo& values);
// Deletes transponder `tpIndex` of satellite `satIndex` with its channels (through the
// compaction, so they leave every user list); later records move down one slot and both
// counts go down. Returns the number of channels deleted.
int DeleteTransponder(ChannelDatabase& db, int satIndex, int tpIndex);
// Gives transponder `tpIndex` an id if it has none yet: the lowest from 0xF000 up that no
// transponder at `satelliteRows` carries. Returns its id.
std::uint16_t AssignTransponderId(ChannelDatabase& db, std::span<const int> satelliteRows,
                                  int tpIndex);

// The key of a new channel: the largest key of the table, but at least 2000, plus one. Should
// that pass 0xFFFF, the lowest key above 2000 that no channel uses.
std::uint16_t NextChannelKey(const ChannelDatabase& db);
// The stored form of a name typed on the PC: behind `selector` when there is one, the two
// together cut to 23 bytes (never inside a UTF-8 character); otherwise the text itself.
std::string StoredChannelName(std::uint8_t selector, std::string_view text);
// The selector byte a new channel's name takes over: channel 0's, or 0.
std::uint8_t NewChannelSelector(const ChannelDatabase& db);
// Appends a channel made on the PC on the given satellite and transponder (the bytes of a new
// record, a new key, the name behind channel 0's selector). Returns its table index, or -1
// when the table is full. User lists are not touched.
int AddChannel(ChannelDatabase& db, std::uint16_t satelliteId, std::uint16_t transponderId,
               const ChannelValues& values);
// Writes an edited channel's values back: the name behind the record's own selector byte, the
// five numbers, type and lock.
void ApplyChannelEdit(ChannelInfo& record, const ChannelValues& values);
