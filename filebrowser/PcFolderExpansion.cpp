#include "filebrowser/PcFolderExpansion.h"

#include "filebrowser/PcFolder.h"

#include <filesystem>

PcFolderExpansion::PcFolderExpansion(std::string pcPath, std::vector<std::string> folders,
                                     MessageService& messages, std::atomic<bool>& cancelRequested)
    : pcPath_(std::move(pcPath)), folders_(std::move(folders)), messages_(messages),
      cancelRequested_(cancelRequested)
{
}

WorkerResult PcFolderExpansion::Run()
{
    result_ = {};
    for (const std::string& name : folders_)
        if (IsPlainName(name) && !Walk(name))
            return WorkerResult::Cancelled;
    return WorkerResult::Success;
}

bool PcFolderExpansion::Walk(const std::string& path)
{
    if (CancelConfirmed(cancelRequested_, messages_))
        return false;
    result_.AddFolder(path);
    const std::vector<FileEntry> rows = ReadPcFolder((std::filesystem::path(pcPath_) / path).string());
    for (const FileEntry& row : rows)
        if (row.isFile())
            result_.AddFile(path + "/" + row.name, row.size);
    for (const FileEntry& row : rows)
        if (row.isFolder() && !row.isParent() && !Walk(path + "/" + row.name))
            return false;
    return true;
}
