#include "filebrowser/FolderSummary.h"

#include "util/FormatSize.h"

#include <cstdio>
#include <limits>

FolderSummary Summarize(const std::vector<FileEntry>& rows)
{
    FolderSummary summary;
    for (const FileEntry& row : rows) {
        if (row.isFile()) {
            ++summary.files;
            // Saturates rather than overflow: no real folder gets there.
            constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
            const std::int64_t size = row.size > 0 ? row.size : 0;
            summary.totalBytes =
                size > kMax - summary.totalBytes ? kMax : summary.totalBytes + size;
        } else if (!row.isParent()) {
            ++summary.folders;
        }
    }
    return summary;
}

std::string FormatFolderSummary(const FolderSummary& summary)
{
    char text[64];
    std::snprintf(text, sizeof text, "%d Folder, %d Files, ", summary.folders, summary.files);
    return text + FormatSize(static_cast<double>(summary.totalBytes), 1);
}

std::string FormatFreeSpace(std::int64_t bytes)
{
    return "Free Space : " + FormatSize(static_cast<double>(bytes), 1);
}
