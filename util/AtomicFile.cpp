#include "util/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <optional>
#include <random>
#include <string>

namespace {

bool WriteAll(int fd, const void* data, std::size_t size)
{
    const auto* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t written = write(fd, bytes, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

// Creates a temporary file next to `target` that no one else has; -1 when none can be made.
int CreateTemporary(const std::filesystem::path& target, std::filesystem::path& temp)
{
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp = target;
        temp += ".tmp" + std::to_string(random() % 1000000u);
        const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

} // namespace

AtomicWriteResult WriteFileAtomically(const std::filesystem::path& path, const void* data,
                                      std::size_t size, const SyncFunction& sync)
{
    const auto flush = [&sync](int fd) { return sync ? sync(fd) : fsync(fd); };

    std::filesystem::path target = path;
    std::optional<mode_t> keptMode;
    struct stat info {};
    if (lstat(path.c_str(), &info) == 0) {
        if (S_ISLNK(info.st_mode)) {
            // Replacing the link by a file would cut it off from where the user keeps the file.
            std::error_code ec;
            target = std::filesystem::canonical(path, ec);
            if (ec || stat(target.c_str(), &info) != 0)
                return AtomicWriteResult::OpenFailed;
        }
        if (!S_ISREG(info.st_mode))
            return AtomicWriteResult::OpenFailed;
        keptMode = info.st_mode & 0777;
    }

    std::filesystem::path temp;
    const int fd = CreateTemporary(target, temp);
    if (fd < 0)
        return AtomicWriteResult::OpenFailed;
    if (keptMode)
        (void)fchmod(fd, *keptMode); // some file systems (FAT) have no modes to keep
    bool written = WriteAll(fd, data, size) && flush(fd) == 0;
    written = close(fd) == 0 && written;
    if (!written || std::rename(temp.c_str(), target.c_str()) != 0) {
        unlink(temp.c_str());
        return AtomicWriteResult::WriteFailed;
    }

    // The rename is done; a folder that cannot be flushed (some file systems refuse) does not
    // undo it.
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    const int folderFd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        (void)flush(folderFd);
        close(folderFd);
    }
    return AtomicWriteResult::Ok;
}
