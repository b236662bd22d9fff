#pragma once

#include "filebrowser/FileEntry.h"
#include "filebrowser/WorkerControl.h"
#include "stblink/LinkOptions.h"
#include "util/MessageService.h"

#include <atomic>
#include <string>
#include <vector>

// Deletes selected rows of the box's browser folder (busy dialog, mode 2): one "rm -rf" with
// the quoted path per row, all on one connection. A row the box does not delete shows "File
// delete failed!" or "Directory delete failed!" with its path and the rest go on; what was
// deleted before a failure or a confirmed cancel stays deleted.
class StbDeletionWorker final {
public:
    StbDeletionWorker(std::string address, std::string stbPath, std::vector<FileEntry> rows,
                      MessageService& messages, std::atomic<bool>& cancelRequested,
                      LinkOptions link = {});

    // Runs on the busy dialog's worker thread. Failed after "Connection failed!", "Server
    // disconnected!" or "Recv error!"; Success once every row was tried.
    WorkerResult Run();
    // Rows the box would not delete.
    int undeletedCount() const { return undeleted_; }

private:
    std::string address_;
    std::string stbPath_;
    std::vector<FileEntry> rows_;
    MessageService& messages_;
    std::atomic<bool>& cancelRequested_;
    LinkOptions link_;
    int undeleted_ = 0;
};
