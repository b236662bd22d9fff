#pragma once

#include "chdb/ChannelDatabase.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

// The duplicate checks of the edit dialogs, run on the satellite list editor's working tables.
// Each returns the table index of the clashing record, or -1. Names compare byte for byte.

// A satellite other than `exceptSatelliteId` whose stored name equals `name`.
int FindSatelliteByName(const ChannelDatabase& db, std::string_view name,
                        std::uint16_t exceptSatelliteId);
// A satellite other than `exceptSatelliteId` on positioner position `position`.
int FindSatelliteByPositioner(const ChannelDatabase& db, std::uint8_t position,
                              std::uint16_t exceptSatelliteId);
// Among the transponders at table indices `rows` (one satellite's), one other than
// `exceptIndex` with the same frequency, symbol rate and polarisation; FEC and pilot do not
// count.
int FindTransponder(const ChannelDatabase& db, std::span<const int> rows, std::uint16_t frequency,
                    std::uint16_t symbolRate, std::uint8_t polarization, int exceptIndex);
// Any channel, TV or radio, on any satellite, whose visible name (selector byte skipped)
// equals `visibleName`; the channel with key `exceptKey` is left out.
int FindChannelByName(const ChannelDatabase& db, std::string_view visibleName,
                      std::optional<std::uint16_t> exceptKey);
