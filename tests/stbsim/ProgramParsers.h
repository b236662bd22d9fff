#pragma once

#include <string>
#include <vector>

// How the program reads the box's text replies, written out from its rules so that tests
// check the box's texts against the reader that will meet them.

// The disk report: one entry per selectable disk or partition.
struct DiskEntry {
    std::string label;  // "Disk 1", "Disk 2-1"
    std::string device; // "/dev/sdb1"
    double size = 0;    // bytes
};
struct DiskReportReading {
    std::vector<DiskEntry> entries;
    bool complete = false; // the end line was met
};
DiskReportReading ReadDiskReport(const std::string& text);

// A folder listing: kind 0 folder, 1 file; other lines are dropped.
struct ListedEntry {
    int kind = 0;
    std::string name;
    std::string size;
};
struct ListingReading {
    std::vector<ListedEntry> entries;
    bool complete = false;
};
ListingReading ReadListing(const std::string& text);

// The du reply: the folder paths, parents first (the program reverses the du order).
std::vector<std::string> ReadDuFolders(const std::string& text, bool& complete);

// The df reply: available 1K blocks of `device`, -1 when no line matched.
long long ReadDfAvailable(const std::string& text, const std::string& device,
                          long long* total = nullptr);

// Lines of a text, line feeds removed, pieces of at most 1022 bytes.
std::vector<std::string> ReadLines(const std::string& text);
