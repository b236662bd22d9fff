#pragma once

#include "filebrowser/FileEntry.h"
#include "util/MessageService.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// One item of a transfer: a folder to make on the target side or a file to copy, named by
// its path below the source folder ("clip.ts", "Movies/Short clips/clip 01.ts"), every
// component a plain name. A folder always comes before what lies inside it.
struct TransferItem {
    FileEntry::Kind kind = FileEntry::Kind::File;
    std::string path;
    std::int64_t size = 0; // a file's byte count as listed

    bool isFolder() const { return kind == FileEntry::Kind::Folder; }
    // The last component: what the progress line and some messages show.
    std::string_view name() const;

    bool operator==(const TransferItem&) const = default;
};

// The flat, ordered list a transfer works through, with the file count and the sum of the
// file sizes (saturated, never negative) that progress and the free-space check use.
struct TransferList {
    std::vector<TransferItem> items;
    std::int64_t totalBytes = 0;
    int fileCount = 0;

    void AddFolder(std::string path);
    void AddFile(std::string path, std::int64_t size);
    void Append(const TransferList& other);
    bool empty() const { return items.empty(); }
};

// The selected rows of one side as a transfer starts: files go into the list at once, folders
// (never the parent row) are expanded first.
struct TransferSelection {
    TransferList files;
    std::vector<std::string> folders;
};
TransferSelection SplitSelection(const std::vector<FileEntry>& selectedRows);

// "Select file!" for an empty list, "Disk full!" when its bytes exceed the target side's free
// bytes (equality passes); true when the transfer may start.
bool CheckTransferStart(const TransferList& list, std::int64_t freeBytes, MessageService& messages);

// A path a request can carry: no control character (a box reads those as broken framing),
// and, where it is a "|"-joined argument of a file request, no "|" either.
bool IsSendablePath(std::string_view path, bool inFileRequest);
