#pragma once

#include <cstdio>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

// How the program reads the box's text replies, written out from its rules so that tests
// check the box's texts against the reader that will meet them. Each reader stops at the line
// that starts with its reply's end marker, and gives nothing without one: the program would
// wait for it. What a reader takes from each line comes back as one text per entry.
using Entries = std::optional<std::vector<std::string>>;

// Hands each line before the end line to `take`; the entries, or nothing without the end line.
template <class Take> Entries EachLineBefore(const std::string& text, const char* marker, Take take)
{
    std::vector<std::string> entries;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line); take(line, entries))
        if (line.rfind(marker, 0) == 0)
            return entries;
    return std::nullopt;
}

// The disk report: "LABEL DEVICE BYTES" for each disk without partitions and each partition;
// a disk's partitions are "Disk N-1", "Disk N-2" when it has several, else "Disk N".
inline Entries ReadDiskReport(const std::string& text)
{
    std::string disk; // listed only when no partition line follows it
    int disks = 0, partitions = 0;
    long long unit = 0;
    return EachLineBefore(text, "SIG_DISK_INFO_END", [&](const std::string& line, auto& entries) {
        char device[64];
        long long bytes = 0, start = 0, end = 0;
        const std::string label = "Disk " + std::to_string(disks);
        if (std::sscanf(line.c_str(), "Disk %63[^:]: %*s MB, %lld", device, &bytes) == 2) {
            if (disks++ > 0 && partitions == 0)
                entries.push_back(disk);
            disk = "Disk " + std::to_string(disks) + " " + device + " " + std::to_string(bytes);
            partitions = 0;
        }
        std::sscanf(line.c_str(), "Units = %*[^=]= %lld", &unit);
        if (line.rfind("/dev/", 0) == 0 &&
            (std::sscanf(line.c_str(), "%63s %lld %lld", device, &start, &end) == 3 ||
             std::sscanf(line.c_str(), "%63s * %lld %lld", device, &start, &end) == 3)) {
            if (++partitions == 2)
                entries.back().insert(label.size(), "-1");
            entries.push_back((partitions == 1 ? label : label + "-" + std::to_string(partitions)) +
                              " " + device + " " + std::to_string((end - start + 1) * unit));
        }
    });
}

// A folder listing: "NAME/" for a folder, "NAME SIZE" for a file; other lines (links) are
// dropped. Mode, links, owner, group, size, month, day and time come before the name.
inline Entries ReadListing(const std::string& text)
{
    return EachLineBefore(
        text, "SIG_DISK_FILE_INFO_END", [](const std::string& line, auto& entries) {
            std::istringstream in(line);
            std::string fields[8], name;
            for (std::string& field : fields)
                in >> field;
            std::getline(in >> std::ws, name);
            if (!line.empty() && (line[0] == 'd' || line[0] == '-'))
                entries.push_back(line[0] == 'd' ? name + "/" : name + " " + fields[4]);
        });
}

// The du reply: the folder paths, parents first (the program reverses the du order).
inline Entries ReadDuFolders(const std::string& text)
{
    return EachLineBefore(text, "SIG_COMMAND_SUCCESS", [](const std::string& line, auto& entries) {
        if (line.find('/') != std::string::npos)
            entries.insert(entries.begin(), line.substr(line.find('/')));
    });
}

// The df reply: the 1K blocks of `device` in all and available.
inline std::optional<std::pair<long long, long long>> ReadDf(const std::string& text,
                                                             const std::string& device)
{
    std::optional<std::pair<long long, long long>> blocks;
    const Entries lines =
        EachLineBefore(text, "SIG_COMMAND_SUCCESS", [&](const std::string& line, auto&) {
            long long total = 0, used = 0, available = 0;
            if (line.rfind(device + " ", 0) == 0 &&
                std::sscanf(line.c_str() + device.size(), "%lld %lld %lld", &total, &used,
                            &available) == 3)
                blocks = {total, available};
        });
    return lines ? blocks : std::nullopt;
}
