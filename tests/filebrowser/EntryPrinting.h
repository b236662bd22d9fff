#pragma once

#include "filebrowser/FileEntry.h"
#include "filebrowser/StbDisks.h"

#include <ostream>

// Readable failure output for the entry types.
inline void PrintTo(const FileEntry& entry, std::ostream* out)
{
    *out << (entry.isFolder() ? "Folder(\"" : "File(\"") << entry.name << "\", " << entry.size
         << ")";
}

inline void PrintTo(const StbDisk& disk, std::ostream* out)
{
    *out << "{" << disk.device << ", " << disk.label << ", " << disk.size << "}";
}

using Rows = std::vector<FileEntry>;
inline FileEntry Dir(const char* name, std::int64_t size = 0)
{
    return FileEntry::Folder(name, size);
}
inline FileEntry File(const char* name, std::int64_t size)
{
    return FileEntry::File(name, size);
}
