#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// "du PATH" for the folder expansion; the path is quoted for the box's shell, so any name
// arrives whole, blanks and quotes included.
std::string DiskUsageCommand(std::string_view boxFolder);

struct DiskUsageFolders {
    // Below the folder the command named, as relative paths ("" is that folder itself,
    // "Short clips/Outtakes" a subfolder), parents before their subfolders: the reverse of
    // du's order.
    std::vector<std::string> folders;
    // Paths the box printed that do not lie below that folder, or that climb out of it with
    // "." or ".." or empty names: they are not taken.
    std::vector<std::string> refused;
};

// The folder lines of a du reply up to the line that begins with the end marker. Each line is
// a size, blanks and a path; the path runs from the first "/" to the end of the line. Lines
// without a "/" are skipped. Nothing without the end line.
std::optional<DiskUsageFolders> ParseDiskUsage(std::string_view text, std::string_view boxFolder);
