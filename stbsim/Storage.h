#pragma once

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>

// What the box's shell tools print and do, on a folder of the host that stands for a
// partition. Links are shown but never followed; every path here has already been confined
// to the partition (BoxPath).
namespace storage {

// Bytes a file occupies in the box's accounting: its size rounded up to whole KiB.
std::uint64_t KiB(std::uint64_t bytes);
// KiB held by regular files anywhere below `root` (links and folders count nothing).
std::uint64_t UsedKiB(const std::filesystem::path& root);

// `ls -l` of a folder: "total N", then one line per entry in name order (names starting
// with "." are left out, as ls does); nullopt when `folder` is not a folder.
std::optional<std::string> ListFolder(const std::filesystem::path& folder, std::time_t now);

// `du` of a folder: one "KiB<TAB>path" line per folder, subfolders before the folders holding
// them; `shown` is the path as given, printed for the folder itself. A file gives its own
// line. nullopt when the path does not exist.
std::optional<std::string> DiskUsage(const std::filesystem::path& path, const std::string& shown);

// The df table for one volume.
std::string DiskFree(const std::string& device, std::uint64_t totalKiB, std::uint64_t usedKiB,
                     const std::string& mountedOn);

enum class Result { Ok, Failed };
// mkdir: an existing folder is no error; the parent must exist.
Result MakeFolder(const std::filesystem::path& path);
// rm -f: a missing path is no error, a folder is refused; a link is removed, not its target.
Result RemoveFile(const std::filesystem::path& path);
// rm -rf: a missing path is no error; links inside are removed, never followed.
Result RemoveTree(const std::filesystem::path& path);

} // namespace storage
