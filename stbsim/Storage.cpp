#include "stbsim/Storage.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace storage {

namespace {

constexpr std::uint64_t kFolderKiB = 4;

bool Lstat(const fs::path& path, struct stat& st)
{
    return ::lstat(path.c_str(), &st) == 0;
}

// Names in byte order, as ls sorts in the C locale.
std::vector<std::string> SortedNames(const fs::path& folder)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        names.push_back(it->path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string Permissions(mode_t mode)
{
    std::string text = S_ISDIR(mode)    ? "d"
                       : S_ISLNK(mode)  ? "l"
                       : S_ISCHR(mode)  ? "c"
                       : S_ISBLK(mode)  ? "b"
                       : S_ISFIFO(mode) ? "p"
                       : S_ISSOCK(mode) ? "s"
                                        : "-";
    const char* letters = "rwxrwxrwx";
    for (int bit = 0; bit < 9; ++bit)
        text += (mode & (0400 >> bit)) ? letters[bit] : '-';
    return text;
}

std::string Date(std::time_t when, std::time_t now)
{
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::tm tm{};
    ::gmtime_r(&when, &tm);
    char text[32];
    constexpr std::time_t kHalfYear = 182 * 24 * 3600;
    if (when > now - kHalfYear && when <= now + 3600)
        std::snprintf(text, sizeof text, "%s %2d %02d:%02d", kMonths[tm.tm_mon % 12], tm.tm_mday,
                      tm.tm_hour, tm.tm_min);
    else
        std::snprintf(text, sizeof text, "%s %2d  %d", kMonths[tm.tm_mon % 12], tm.tm_mday,
                      tm.tm_year + 1900);
    return text;
}

// A name stays on its line: control characters show as '?', as ls -q prints them.
std::string Printable(std::string name)
{
    for (char& c : name)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = '?';
    return name;
}

std::uint64_t EntryKiB(const struct stat& st)
{
    if (S_ISDIR(st.st_mode))
        return kFolderKiB;
    return S_ISREG(st.st_mode) ? KiB(static_cast<std::uint64_t>(st.st_size)) : 0;
}

// Post-order: the lines of the subfolders first, then the folder's own; returns its KiB.
std::uint64_t UsageLines(const fs::path& folder, const std::string& shown, std::string& out)
{
    std::uint64_t total = kFolderKiB;
    // The folder itself is printed as given; names below it are joined without the
    // trailing slashes of the argument, as GNU du does.
    std::string base = shown;
    while (base.size() > 1 && base.back() == '/')
        base.pop_back();
    for (const std::string& name : SortedNames(folder)) {
        struct stat st {};
        if (!Lstat(folder / name, st))
            continue;
        if (S_ISDIR(st.st_mode))
            total += UsageLines(folder / name, base + "/" + name, out);
        else
            total += EntryKiB(st);
    }
    out += std::to_string(total) + "\t" + shown + "\n";
    return total;
}

} // namespace

std::uint64_t KiB(std::uint64_t bytes)
{
    return bytes / 1024 + (bytes % 1024 != 0 ? 1 : 0);
}

std::uint64_t UsedKiB(const fs::path& root)
{
    std::uint64_t used = 0;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(root, fs::directory_options::none, ec), end;
         !ec && it != end; it.increment(ec)) {
        struct stat st {};
        if (Lstat(it->path(), st) && S_ISREG(st.st_mode))
            used += KiB(static_cast<std::uint64_t>(st.st_size));
    }
    return used;
}

std::optional<std::string> ListFolder(const fs::path& folder, std::time_t now)
{
    struct stat self {};
    if (!Lstat(folder, self) || !S_ISDIR(self.st_mode))
        return std::nullopt;
    std::string lines;
    std::uint64_t total = 0;
    for (const std::string& name : SortedNames(folder)) {
        if (name.starts_with("."))
            continue;
        const fs::path path = folder / name;
        struct stat st {};
        if (!Lstat(path, st))
            continue;
        total += EntryKiB(st);
        const unsigned long long size =
            S_ISDIR(st.st_mode) ? 4096 : static_cast<unsigned long long>(st.st_size);
        char head[128];
        std::snprintf(head, sizeof head, "%s %4lu %-8s %-8s %10llu %s ",
                      Permissions(st.st_mode).c_str(), static_cast<unsigned long>(st.st_nlink),
                      "root", "root", size, Date(st.st_mtime, now).c_str());
        lines += head + Printable(name);
        if (S_ISLNK(st.st_mode)) {
            std::error_code ec;
            lines += " -> " + Printable(fs::read_symlink(path, ec).string());
        }
        lines += "\n";
    }
    return "total " + std::to_string(total) + "\n" + lines;
}

std::optional<std::string> DiskUsage(const fs::path& path, const std::string& shown)
{
    struct stat st {};
    if (!Lstat(path, st))
        return std::nullopt;
    if (!S_ISDIR(st.st_mode))
        return std::to_string(EntryKiB(st)) + "\t" + shown + "\n";
    std::string out;
    UsageLines(path, shown, out);
    return out;
}

std::string DiskFree(const std::string& device, std::uint64_t totalKiB, std::uint64_t usedKiB,
                     const std::string& mountedOn)
{
    const std::uint64_t used = std::min(usedKiB, totalKiB);
    const std::uint64_t percent = totalKiB == 0 ? 0 : (used * 100 + totalKiB - 1) / totalKiB;
    char line[256];
    std::snprintf(line, sizeof line, "%-20s %10llu %9llu %9llu %3llu%% %s\n", device.c_str(),
                  static_cast<unsigned long long>(totalKiB), static_cast<unsigned long long>(used),
                  static_cast<unsigned long long>(totalKiB - used),
                  static_cast<unsigned long long>(percent), mountedOn.c_str());
    return std::string("Filesystem           1K-blocks      Used Available Use% Mounted on\n") +
           line;
}

Result MakeFolder(const fs::path& path)
{
    struct stat st {};
    if (Lstat(path, st))
        return S_ISDIR(st.st_mode) ? Result::Ok : Result::Failed;
    return ::mkdir(path.c_str(), 0755) == 0 ? Result::Ok : Result::Failed;
}

Result RemoveFile(const fs::path& path)
{
    struct stat st {};
    if (!Lstat(path, st))
        return Result::Ok;
    if (S_ISDIR(st.st_mode))
        return Result::Failed;
    return ::unlink(path.c_str()) == 0 ? Result::Ok : Result::Failed;
}

Result RemoveTree(const fs::path& path)
{
    struct stat st {};
    if (!Lstat(path, st))
        return Result::Ok;
    std::error_code ec;
    fs::remove_all(path, ec);
    return ec ? Result::Failed : Result::Ok;
}

} // namespace storage
