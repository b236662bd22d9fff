#include "filebrowser/PcFolder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>

#include <algorithm>
#include <limits>

namespace {

// A plain folder or a plain file: not read-only (owner write bit set) and not a system item
// (anything but a folder or a regular file, links included). Hidden names never get here.
bool IsPlain(const struct stat& st)
{
    return (st.st_mode & S_IWUSR) != 0 && (S_ISDIR(st.st_mode) || S_ISREG(st.st_mode));
}

} // namespace

std::vector<FileEntry> ReadPcFolder(const std::string& path)
{
    DIR* dir = ::opendir(path.c_str());
    if (!dir)
        return {};
    std::vector<FileEntry> folders;
    std::vector<FileEntry> files;
    while (const dirent* item = ::readdir(dir)) {
        const std::string name = item->d_name;
        if (name.starts_with('.')) // hidden, and "." and ".." (added below)
            continue;
        struct stat st {};
        if (::fstatat(::dirfd(dir), item->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !IsPlain(st))
            continue;
        if (S_ISDIR(st.st_mode))
            folders.push_back(FileEntry::Folder(name));
        else
            files.push_back(FileEntry::File(name, static_cast<std::int64_t>(st.st_size)));
    }
    ::closedir(dir);
    const auto byName = [](const FileEntry& a, const FileEntry& b) { return a.name < b.name; };
    std::sort(folders.begin(), folders.end(), byName);
    std::sort(files.begin(), files.end(), byName);
    std::vector<FileEntry> rows;
    rows.reserve(folders.size() + files.size() + 1);
    // ".." is the way up, listed like a plain folder wherever there is an up.
    if (path != "/")
        rows.push_back(FileEntry::Parent());
    std::move(folders.begin(), folders.end(), std::back_inserter(rows));
    std::move(files.begin(), files.end(), std::back_inserter(rows));
    return rows;
}

std::int64_t PcFreeBytes(const std::string& path)
{
    struct statvfs fs {};
    if (::statvfs(path.c_str(), &fs) != 0 || fs.f_frsize == 0)
        return 0;
    const auto blocks = static_cast<unsigned long long>(fs.f_bfree);
    const auto fragment = static_cast<unsigned long long>(fs.f_frsize);
    constexpr auto kMax = static_cast<unsigned long long>(std::numeric_limits<std::int64_t>::max());
    return static_cast<std::int64_t>(blocks > kMax / fragment ? kMax : blocks * fragment);
}
