#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>

enum class AtomicWriteResult { Ok, OpenFailed, WriteFailed };

// Flushes a file or folder to the disk (fsync); a test may record the calls instead.
using SyncFunction = std::function<int(int fd)>;

// Replaces `path` by a complete new file or leaves it as it was: the bytes go to a temporary
// file in the same folder, are flushed to the disk, and the file is renamed over the target;
// then the folder is flushed so that the rename survives a power cut too. An existing target
// keeps its permission bits; a link is written through to the regular file it names.
// OpenFailed means nothing could be created or the target is not a regular file (a folder,
// a pipe, a link to one of them or to nothing); WriteFailed that the bytes, their flush or the
// rename did not go through. Either way the target is unchanged and no temporary file is left.
AtomicWriteResult WriteFileAtomically(const std::filesystem::path& path, const void* data,
                                      std::size_t size, const SyncFunction& sync = {});
