#include "filebrowser/PcDeletion.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace {

// Removes `path` and, when it is a real folder (not a link to one), everything inside first;
// goes on past what cannot be removed. True when all of it went.
bool RemoveTree(const fs::path& path)
{
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(path, ec);
    if (ec)
        return false;
    bool complete = true;
    if (status.type() == fs::file_type::directory) {
        fs::directory_iterator it(path, ec);
        for (; !ec && it != fs::directory_iterator(); it.increment(ec))
            complete = RemoveTree(it->path()) && complete;
        complete = complete && !ec;
    }
    return fs::remove(path, ec) && complete;
}

} // namespace

int DeletePcEntries(const std::string& pcPath, const std::vector<FileEntry>& rows,
                    MessageService& messages)
{
    int failed = 0;
    for (const FileEntry& row : rows) {
        if (row.isParent())
            continue;
        const fs::path path = fs::path(pcPath) / row.name;
        bool removed = false;
        if (IsPlainName(row.name)) {
            std::error_code ec;
            removed = row.isFolder() ? RemoveTree(path) : fs::remove(path, ec);
        }
        if (!removed) {
            ShowMessage(messages, row.isFolder() ? MsgId::DirectoryDeleteFailed : MsgId::FileDeleteFailed,
                        path.string());
            ++failed;
        }
    }
    return failed;
}
