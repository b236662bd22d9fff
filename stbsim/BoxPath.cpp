#include "stbsim/BoxPath.h"

#include <sys/stat.h>

std::optional<BoxPath> BoxPath::Parse(std::string_view text)
{
    if (!text.starts_with(kMountPoint))
        return std::nullopt;
    std::string_view rest = text.substr(kMountPoint.size());
    if (!rest.empty() && rest.front() != '/')
        return std::nullopt; // "/mnt/link_to_pcX" is another path
    BoxPath path;
    while (!rest.empty()) {
        const std::size_t slash = rest.find('/');
        const std::string_view name = rest.substr(0, slash);
        rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
        if (name.empty() || name == ".")
            continue;
        if (name == ".." || name.size() > 255)
            return std::nullopt;
        for (char c : name)
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
                return std::nullopt;
        path.names.emplace_back(name);
    }
    return path;
}

std::filesystem::path BoxPath::On(const std::filesystem::path& root) const
{
    std::filesystem::path out = root;
    for (const std::string& name : names)
        out /= name;
    return out;
}

bool BoxPath::ParentsAreFolders(const std::filesystem::path& root) const
{
    std::filesystem::path at = root;
    for (std::size_t i = 0; i + 1 < names.size(); ++i) {
        at /= names[i];
        struct stat st {};
        if (::lstat(at.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
            return false;
    }
    return true;
}
