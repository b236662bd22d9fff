#pragma once

#include "filebrowser/FileEntry.h"

#include <ostream>

// Readable failure output for entries, and short ways to write them.
inline void PrintTo(const FileEntry& entry, std::ostream* out)
{
    *out << (entry.isFolder() ? "Folder(\"" : "File(\"") << entry.name << "\", " << entry.size
         << ")";
}

using Rows = std::vector<FileEntry>;
constexpr auto Dir = [](const char* name, std::int64_t size = 0) {
    return FileEntry::Folder(name, size);
};
constexpr auto File = &FileEntry::File;
