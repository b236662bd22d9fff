#include "filebrowser/TransferList.h"

#include <algorithm>
#include <limits>

std::string_view TransferItem::name() const
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string_view(path) : std::string_view(path).substr(slash + 1);
}

void TransferList::AddFolder(std::string path)
{
    items.push_back({FileEntry::Kind::Folder, std::move(path), 0});
}

void TransferList::AddFile(std::string path, std::int64_t size)
{
    size = std::max<std::int64_t>(size, 0);
    items.push_back({FileEntry::Kind::File, std::move(path), size});
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    totalBytes = size > kMax - totalBytes ? kMax : totalBytes + size;
    ++fileCount;
}

void TransferList::Append(const TransferList& other)
{
    for (const TransferItem& item : other.items) {
        if (item.isFolder())
            AddFolder(item.path);
        else
            AddFile(item.path, item.size);
    }
}

TransferSelection SplitSelection(const std::vector<FileEntry>& selectedRows)
{
    TransferSelection selection;
    for (const FileEntry& row : selectedRows) {
        if (!IsPlainName(row.name))
            continue; // the parent row, and nothing else a listing can hold
        if (row.isFile())
            selection.files.AddFile(row.name, row.size);
        else
            selection.folders.push_back(row.name);
    }
    return selection;
}

bool CheckTransferStart(const TransferList& list, std::int64_t freeBytes, MessageService& messages)
{
    if (list.empty()) {
        ShowMessage(messages, MsgId::SelectFile);
        return false;
    }
    if (list.totalBytes > freeBytes) {
        ShowMessage(messages, MsgId::DiskFull);
        return false;
    }
    return true;
}

bool IsSendablePath(std::string_view path, bool inFileRequest)
{
    return std::none_of(path.begin(), path.end(), [inFileRequest](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7F || (inFileRequest && c == '|');
    });
}
