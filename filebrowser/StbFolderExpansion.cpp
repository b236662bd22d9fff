#include "filebrowser/StbFolderExpansion.h"

#include "filebrowser/StbDiskUsage.h"
#include "filebrowser/StbFreeSpace.h"
#include "filebrowser/StbListing.h"
#include "filebrowser/StbStorage.h"
#include "stblink/StbKeywords.h"

StbFolderExpansion::StbFolderExpansion(std::string address, std::string stbPath,
                                       std::vector<std::string> folders, MessageService& messages,
                                       std::atomic<bool>& cancelRequested, LinkOptions link)
    : address_(std::move(address)), stbPath_(std::move(stbPath)), folders_(std::move(folders)),
      messages_(messages), cancelRequested_(cancelRequested), link_(std::move(link))
{
}

WorkerResult StbFolderExpansion::Run()
{
    result_ = {};
    cancelled_ = false;
    std::optional<StbConnection> box = StbConnection::Open(address_, link_);
    if (!box) {
        ShowMessage(messages_, MsgId::ConnectionFailed);
        return WorkerResult::Failed;
    }
    for (const std::string& name : folders_) {
        if (!ExpandFolder(*box, name))
            return cancelled_ ? WorkerResult::Cancelled : WorkerResult::Failed;
    }
    return WorkerResult::Success;
}

bool StbFolderExpansion::ExpandFolder(StbConnection& box, const std::string& name)
{
    if ((cancelled_ = CancelConfirmed(cancelRequested_, messages_)))
        return false;
    const std::string folder = StbChildPath(stbPath_, name);
    // A refusal ends like a reply without its end line.
    const std::optional<std::string> text =
        RequestText(box, std::string(stb::kCommandStart) + "|" + DiskUsageCommand(folder),
                    kCommandEnd, stb::kCommandError, MsgId::DataError, messages_);
    if (!text)
        return false;
    const std::optional<DiskUsageFolders> tree = ParseDiskUsage(*text, folder);
    if (!tree) {
        ShowMessage(messages_, MsgId::DataError);
        return false;
    }
    for (const std::string& path : tree->refused)
        ShowMessage(messages_, MsgId::FileNotExist, path);

    for (const std::string& below : tree->folders) {
        if ((cancelled_ = CancelConfirmed(cancelRequested_, messages_)))
            return false;
        const std::string path = below.empty() ? name : name + "/" + below;
        std::vector<std::string> refused;
        const std::optional<std::vector<FileEntry>> rows =
            RequestListing(box, StbChildPath(stbPath_, path), messages_, &refused);
        if (!rows)
            return false;
        result_.AddFolder(path);
        for (const std::string& file : refused)
            ShowMessage(messages_, MsgId::FileNotExist, file);
        // Subfolders come from the du list.
        for (const FileEntry& row : *rows)
            if (row.isFile())
                result_.AddFile(path + "/" + row.name, row.size);
    }
    return true;
}
