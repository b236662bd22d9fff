#pragma once

#include "chdb/ChannelDatabase.h"
#include "util/MessageService.h"

#include <filesystem>
#include <optional>

// A backup file, or a folder holding chdata.dat, chidx.dat and menudata.dat.
std::optional<ChannelDatabase> LoadDatabaseSource(const std::filesystem::path& source,
                                                  MessageService& messages);

// Whether a target names a backup file (".ech", any case) rather than a folder.
bool IsBackupPath(const std::filesystem::path& path);

// Writes the three database files into `folder`, each replaced only by a complete new file.
bool SaveDatabaseFiles(const ChannelDatabase& db, const std::filesystem::path& folder,
                       MessageService& messages);
