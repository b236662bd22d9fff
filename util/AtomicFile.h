#pragma once

#include <cstddef>
#include <filesystem>

enum class AtomicWriteResult { Ok, OpenFailed, WriteFailed };

// Replaces `path` by a complete new file or leaves it as it was: the bytes go to a temporary
// file in the same folder, which is then renamed over the target. OpenFailed means nothing
// could be created; WriteFailed that the bytes or the rename did not go through.
AtomicWriteResult WriteFileAtomically(const std::filesystem::path& path, const void* data,
                                      std::size_t size);
