#pragma once

#include "filebrowser/FileEntry.h"

#include <cstdint>
#include <string>
#include <vector>

// The rows of a PC folder: ".." first (except at "/"), then the folders, then the files, each
// in name order. Only plain folders and plain files are listed: hidden ones (name starting
// with "."), read-only ones (owner write bit clear), links and special files are not. Sizes
// are the files' real 64-bit sizes. A folder that cannot be read gives no rows at all.
std::vector<FileEntry> ReadPcFolder(const std::string& path);

// The free bytes of the file system holding `path` (every free block, not only those this
// user may fill); 0 when it cannot be asked.
std::int64_t PcFreeBytes(const std::string& path);
