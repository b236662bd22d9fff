#include "filebrowser/StbDiskUsage.h"

#include "filebrowser/FileEntry.h"
#include "filebrowser/ReplyLines.h"
#include "filebrowser/ShellQuote.h"
#include "filebrowser/StbFreeSpace.h"

#include <algorithm>

namespace {

// The path of `path` below `folder`, if it lies there and names only plain components.
std::optional<std::string> Below(std::string_view path, std::string_view folder)
{
    if (path == folder)
        return std::string();
    if (!path.starts_with(folder) || path.size() <= folder.size() + 1 || path[folder.size()] != '/')
        return std::nullopt;
    const std::string_view rest = path.substr(folder.size() + 1);
    for (std::size_t start = 0; start <= rest.size();) {
        const std::size_t slash = std::min(rest.find('/', start), rest.size());
        if (!IsPlainName(rest.substr(start, slash - start)))
            return std::nullopt;
        start = slash + 1;
    }
    return std::string(rest);
}

} // namespace

std::string DiskUsageCommand(std::string_view boxFolder)
{
    return "du " + ShellQuoted(boxFolder);
}

std::optional<DiskUsageFolders> ParseDiskUsage(std::string_view text, std::string_view boxFolder)
{
    DiskUsageFolders out;
    bool complete = false;
    replylines::ForEach(text, [&](std::string_view line) {
        if (line.starts_with(kCommandEnd)) {
            complete = true;
            return false;
        }
        const std::size_t slash = line.find('/');
        if (slash == std::string_view::npos)
            return true;
        const std::string_view path = line.substr(slash);
        if (std::optional<std::string> relative = Below(path, boxFolder))
            out.folders.push_back(std::move(*relative));
        else
            out.refused.emplace_back(path);
        return true;
    });
    if (!complete)
        return std::nullopt;
    std::reverse(out.folders.begin(), out.folders.end());
    return out;
}
