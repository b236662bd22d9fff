#pragma once

#include <cstdint>
#include <filesystem>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

// A satellite that carries channels of one list (0 TV, 1 radio), from the box's report or
// rebuilt from the tables after an import.
struct SatListEntry {
    static constexpr std::size_t kNameSize = 26; // at most 25 characters are kept
    std::string name;
    std::uint16_t satelliteId = 0;
    std::int32_t list = 0;
    bool operator==(const SatListEntry&) const = default;
};

// A conditional-access system and its bit in the channels' CAS masks.
struct CasEntry {
    static constexpr std::size_t kNameSize = 16; // at most 15 characters are kept
    std::string name;
    std::uint32_t mask = 0;
    bool operator==(const CasEntry&) const = default;
};

struct ChannelReport {
    std::vector<SatListEntry> satellites;
    std::vector<CasEntry> cas;
    bool valid = false; // the "SIG_CHN_END" line was met
};

// Parses the text report ChannelData.dat. Lines are read in pieces of at most 1022 bytes, as
// through a 1023-byte line buffer; a piece longer than a name field is cut to the field.
ChannelReport ParseChannelReport(std::istream& in);
ChannelReport ParseChannelReport(std::string_view text);
// Reads the report file; a missing file gives an invalid report.
ChannelReport ParseChannelReportFile(const std::filesystem::path& path);
