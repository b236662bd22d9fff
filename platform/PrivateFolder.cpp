#include "platform/PrivateFolder.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

std::filesystem::path BaseFolder(std::error_code& ec)
{
    // The runtime folder is the user's own and is cleaned at logout; the temporary folder is
    // the fallback every system has.
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime && std::filesystem::is_directory(runtime, ec) &&
        access(runtime, W_OK | X_OK) == 0)
        return runtime;
    return std::filesystem::temp_directory_path(ec);
}

} // namespace

PrivateFolder::PrivateFolder()
{
    std::error_code ec;
    const std::filesystem::path base = BaseFolder(ec);
    if (ec) {
        error_ = "no temporary folder: " + ec.message();
        return;
    }
    // mkdtemp makes the folder with mode 0700.
    std::string pattern = (base / "channeltool-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        error_ = "cannot create a folder in " + base.string() + ": " + std::strerror(errno);
        return;
    }
    path_ = pattern;
}

PrivateFolder::~PrivateFolder()
{
    std::error_code ec;
    if (!path_.empty())
        std::filesystem::remove_all(path_, ec);
}
