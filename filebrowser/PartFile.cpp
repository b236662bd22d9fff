#include "filebrowser/PartFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>

namespace {

constexpr std::size_t kBufferSize = 256 * 1024;
constexpr std::size_t kHoleBlock = 4096;

bool AllZero(const char* data, std::size_t size)
{
    static const char kZeros[kHoleBlock] = {};
    return std::memcmp(data, kZeros, size) == 0;
}

bool WriteAll(int fd, const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

bool PartFile::Create(const std::filesystem::path& target)
{
    Discard();
    target_ = target;
    static thread_local std::mt19937_64 random{std::random_device{}()};
    for (int attempt = 0; attempt < 16 && fd_ < 0; ++attempt) {
        char name[40];
        std::snprintf(name, sizeof name, ".channeltool-%016llx.part",
                      static_cast<unsigned long long>(random()));
        temp_ = target.parent_path() / name;
        // The permission bits a plain new file gets (the umask applies).
        fd_ = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd_ < 0 && errno != EEXIST)
            break;
    }
    ok_ = fd_ >= 0;
    size_ = 0;
    buffer_.clear();
    buffer_.reserve(kBufferSize);
    return fd_ >= 0;
}

void PartFile::Write(std::string_view bytes)
{
    while (!bytes.empty() && ok()) {
        const std::size_t take = std::min(bytes.size(), kBufferSize - buffer_.size());
        buffer_.insert(buffer_.end(), bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(take));
        bytes.remove_prefix(take);
        if (buffer_.size() == kBufferSize)
            Flush();
    }
}

void PartFile::Flush()
{
    // The buffer always starts at a multiple of its size, so the blocks are aligned in the file.
    const char* data = buffer_.data();
    std::size_t left = buffer_.size();
    while (left > 0 && ok_) {
        std::size_t run = 0;
        const bool hole = AllZero(data, std::min(left, kHoleBlock));
        while (run < left && AllZero(data + run, std::min(left - run, kHoleBlock)) == hole)
            run += std::min(left - run, kHoleBlock);
        ok_ = hole ? ::lseek(fd_, static_cast<off_t>(run), SEEK_CUR) >= 0 : WriteAll(fd_, data, run);
        data += run;
        left -= run;
    }
    size_ += static_cast<std::int64_t>(buffer_.size());
    buffer_.clear();
}

bool PartFile::Commit()
{
    if (!ok()) {
        Discard();
        return false;
    }
    Flush();
    // A file that ends in a hole gets its length here.
    ok_ = ok_ && ::ftruncate(fd_, static_cast<off_t>(size_)) == 0;
    struct stat old {};
    if (::lstat(target_.c_str(), &old) == 0 && S_ISREG(old.st_mode))
        ok_ = ok_ && ::fchmod(fd_, old.st_mode & 07777) == 0;
    ok_ = ::close(fd_) == 0 && ok_;
    fd_ = -1;
    if (ok_ && ::rename(temp_.c_str(), target_.c_str()) == 0) {
        temp_.clear();
        return true;
    }
    ::unlink(temp_.c_str());
    temp_.clear();
    return false;
}

void PartFile::Discard()
{
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temp_.empty()) {
        ::unlink(temp_.c_str());
        temp_.clear();
    }
    buffer_.clear();
}
