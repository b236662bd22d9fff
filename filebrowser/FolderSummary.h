#pragma once

#include "filebrowser/FileEntry.h"

#include <cstdint>
#include <string>
#include <vector>

// What the status line under a listing counts: folders without the parent row, files and
// the bytes of the files.
struct FolderSummary {
    int folders = 0;
    int files = 0;
    std::int64_t totalBytes = 0;

    bool operator==(const FolderSummary&) const = default;
};

FolderSummary Summarize(const std::vector<FileEntry>& rows);
// "3 Folder, 12 Files, 3.4 MB"
std::string FormatFolderSummary(const FolderSummary& summary);
// "Free Space : 1.2 GB"
std::string FormatFreeSpace(std::int64_t bytes);
