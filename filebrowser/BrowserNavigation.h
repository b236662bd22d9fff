#pragma once

#include "filebrowser/FileEntry.h"

#include <optional>
#include <string>

// Where a double-click on `row` leads from the current folder, or nothing: files do not
// navigate, nor does a name that is not one plain name (empty, ".", holding "/" or NUL).
// ".." cuts the last component ("/" when none is left); any other name is appended as one
// component. So whatever a listing holds, the result is the folder itself, a folder directly
// inside it, or its parent.
//
// PC paths are absolute, "/" the root, without a trailing "/" elsewhere.
std::optional<std::string> PcFolderAfterOpen(const std::string& pcPath, const FileEntry& row);
// Box paths are below the mount point and start with "/", which is the partition itself.
std::optional<std::string> StbFolderAfterOpen(const std::string& stbPath, const FileEntry& row);
