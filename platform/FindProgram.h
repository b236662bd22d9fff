#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

// The first executable regular file called `name` in the folders of $PATH. Empty entries
// (which would mean the current folder) are skipped: a program is never picked up from
// wherever the user happens to be.
std::optional<std::filesystem::path> FindProgramOnPath(std::string_view name);
