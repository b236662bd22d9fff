#pragma once

#include "chdb/ChannelDatabase.h"
#include "util/MessageService.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

// The backup file: the three database images between a start magic with a version and an end
// magic, exactly 1,140,884 bytes, no padding, no checksum.
inline constexpr std::uint32_t kBackupStartMagic = 0xDEADC0FF;
inline constexpr std::uint32_t kBackupEndMagic = 0xDEADC011;
inline constexpr std::uint32_t kBackupVersion = 13;
inline constexpr std::size_t kBackupFileSize = 1140884;

std::vector<std::uint8_t> BuildBackupImage(const ChannelDatabase& db);

// Writes the backup so that an existing file is replaced only by a complete new one. Shows
// "File open error!" or "File write error!" and returns false on failure; the success message
// is the caller's, since it names the path the user chose.
bool ExportBackup(const ChannelDatabase& db, const std::filesystem::path& path,
                  MessageService& messages);

// Reads and checks a backup file. Shows "Version not matching!", "File open error!" or
// "File read error!" and returns nothing on failure; nothing of the caller's changes then.
std::optional<ChannelDatabase> ReadBackup(const std::filesystem::path& path,
                                          MessageService& messages);

// The channel count of a backup file, read without loading the images: nothing when the file
// is not a backup file of the right size and identity. Shows nothing; for listing many files.
std::optional<int> PeekBackupChannelCount(const std::filesystem::path& path);
