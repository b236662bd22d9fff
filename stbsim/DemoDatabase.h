#pragma once

#include "chdb/ChannelDatabase.h"

#include <cstdint>
#include <optional>
#include <string_view>

// How much a demo database holds; Full fills every table to capacity (150 satellites, 1500
// transponders, 9999 channels).
enum class DemoSize { Tiny, Small, Large, Full };

std::optional<DemoSize> ParseDemoSize(std::string_view name); // "tiny", "small", "large", "full"
const char* DemoSizeName(DemoSize size);

// A realistic database, the same for the same seed and size: TV, radio and HD channels,
// scrambled and locked ones, names with and without a character-table selector byte and with
// non-ASCII letters, named and unnamed user lists and a PIN. Bytes the program does not
// interpret hold patterns of their own, so tests can see that they survive a round trip.
ChannelDatabase GenerateDemoDatabase(std::uint32_t seed, DemoSize size);
