#pragma once

#include "stbsim/DemoDatabase.h"

#include <cstdint>
#include <filesystem>

// The state directory of a simulated box:
//   DIR/db/chdata.dat, chidx.dat, menudata.dat   the channel database
//   DIR/disks.conf                               disks and partitions (see DiskLayout.h)
//   DIR/disks/NAME/                              one folder per partition, e.g. disks/sda1
//   DIR/tmp/                                     uploads while they arrive
namespace statedir {
inline constexpr const char* kDbFolder = "db";
inline constexpr const char* kDiskConfig = "disks.conf";
inline constexpr const char* kDisksFolder = "disks";
inline constexpr const char* kTempFolder = "tmp";
} // namespace statedir

// Fills `dir` (created when missing) with a fresh demo state: a demo database of the given
// size, the two-disk demo layout, and a few folders and files on the partitions: nested
// folders, names with spaces, non-ASCII letters, quotes, "$", "`" and "|", empty files, a long
// folder, an empty one, one symbolic link and a sparse file over 4 GiB on /dev/sdb2.
// Files already there are replaced. False when something cannot be written.
bool InitDemoState(const std::filesystem::path& dir, std::uint32_t seed = 1,
                   DemoSize size = DemoSize::Large);

// Only the demo folders and files, below an existing disks/ folder.
bool WriteDemoFiles(const std::filesystem::path& disksFolder, std::uint32_t seed);
