#include "platform/FindProgram.h"

#include "util/SplitFields.h"

#include <cstdlib>
#include <unistd.h>

std::optional<std::filesystem::path> FindProgramOnPath(std::string_view name)
{
    const char* path = std::getenv("PATH");
    if (!path || name.empty() || name.find('/') != std::string_view::npos)
        return std::nullopt;
    for (const std::string& folder : SplitFields(path, ":")) {
        if (folder.empty())
            continue;
        const std::filesystem::path candidate = std::filesystem::path(folder) / name;
        std::error_code ec;
        if (std::filesystem::is_regular_file(candidate, ec) && access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return std::nullopt;
}
