#include "cli/BoxStorage.h"

std::optional<std::string> BrowserPath(const std::string& text)
{
    if (!text.starts_with('/'))
        return std::nullopt;
    std::string path;
    std::size_t start = 1;
    while (start <= text.size()) {
        const std::size_t slash = std::min(text.find('/', start), text.size());
        const std::string name = text.substr(start, slash - start);
        if (name == "." || name == ".." || name.find('\0') != std::string::npos)
            return std::nullopt;
        if (!name.empty())
            path += "/" + name;
        start = slash + 1;
    }
    return path.empty() ? "/" : path;
}

std::optional<BoxItem> SplitBoxPath(const std::string& text)
{
    const std::optional<std::string> path = BrowserPath(text);
    if (!path || *path == "/")
        return std::nullopt;
    const std::size_t slash = path->rfind('/');
    return BoxItem{slash == 0 ? "/" : path->substr(0, slash), path->substr(slash + 1)};
}
