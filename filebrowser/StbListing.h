#pragma once

#include "filebrowser/FileEntry.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The box shows the mounted partition here; every browser path on the box is below it.
inline constexpr std::string_view kStbMountPoint = "/mnt/link_to_pc";
inline constexpr std::string_view kListingEnd = "SIG_DISK_FILE_INFO_END";

// The box path of a browser folder ("/" or "/a/b"): the mount point directly followed by it.
std::string StbListingPath(std::string_view stbPath);

// One line of the box's long listing: type and permissions, link count, owner, group, size,
// month, day, time or year, then the name (the rest of the line, its leading blanks lost).
// Only folders ("d") and files ("-") are entries. A name that is empty, "." or "..", or that
// holds "/" or a NUL byte is not a name inside the listed folder and gives nothing, so no
// listing can lead a caller out of it. A negative size counts as 0.
std::optional<FileEntry> ParseListingLine(std::string_view line);

// A listing reply up to the line that begins with the end marker: its folders, then its
// files, each in listing order. Nothing without the end line. The names of file lines that
// were refused go to `refusedFiles` when given.
std::optional<std::vector<FileEntry>> ParseStbListing(std::string_view text,
                                                      std::vector<std::string>* refusedFiles = nullptr);

// The box path of `relative` ("a.ts", "Movies/a.ts") below the browser folder `stbPath`.
std::string StbChildPath(std::string_view stbPath, std::string_view relative);
