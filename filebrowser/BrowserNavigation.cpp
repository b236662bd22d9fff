#include "filebrowser/BrowserNavigation.h"

namespace {

std::optional<std::string> Open(const std::string& path, const FileEntry& row, bool pcSide)
{
    if (!row.isFolder())
        return std::nullopt;
    if (row.isParent()) {
        const std::size_t slash = path.rfind('/');
        const std::string up = slash == std::string::npos ? std::string() : path.substr(0, slash);
        return up.empty() ? "/" : up;
    }
    if (!IsPlainName(row.name))
        return std::nullopt;
    const bool atRoot = pcSide ? path.ends_with('/') : path == "/";
    return path + (atRoot ? "" : "/") + row.name;
}

} // namespace

std::optional<std::string> PcFolderAfterOpen(const std::string& pcPath, const FileEntry& row)
{
    return Open(pcPath, row, true);
}

std::optional<std::string> StbFolderAfterOpen(const std::string& stbPath, const FileEntry& row)
{
    return Open(stbPath, row, false);
}
