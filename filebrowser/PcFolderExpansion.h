#pragma once

#include "filebrowser/TransferList.h"
#include "filebrowser/WorkerControl.h"
#include "util/MessageService.h"

#include <atomic>
#include <string>
#include <vector>

// Expands selected folders of the PC side into a transfer list (busy dialog, mode 1): a
// pre-order walk in which each folder is followed by its files and then its subfolders. Only
// what the PC listing shows is taken (no hidden, read-only or special items, and links are
// never followed); sizes are 64-bit. Paths are relative to the PC folder.
class PcFolderExpansion final {
public:
    PcFolderExpansion(std::string pcPath, std::vector<std::string> folders, MessageService& messages,
                      std::atomic<bool>& cancelRequested);

    // Runs on the busy dialog's worker thread; it only ends early by a confirmed cancel.
    WorkerResult Run();
    const TransferList& result() const { return result_; }

private:
    bool Walk(const std::string& path);

    std::string pcPath_;
    std::vector<std::string> folders_;
    MessageService& messages_;
    std::atomic<bool>& cancelRequested_;
    TransferList result_;
};
