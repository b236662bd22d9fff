#pragma once

#include <cstddef>
#include <filesystem>

// Replaces `path` by a complete new file or leaves it as it was: the bytes go to a temporary
// file in the same folder, which is then renamed over the target.
bool WriteFileAtomically(const std::filesystem::path& path, const void* data, std::size_t size);
