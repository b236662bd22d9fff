#pragma once

#include "filebrowser/TransferList.h"
#include "filebrowser/WorkerControl.h"
#include "stblink/LinkOptions.h"
#include "util/MessageService.h"

#include <atomic>
#include <string>
#include <vector>

// Expands selected folders of the box's side into a transfer list (busy dialog, mode 0): on
// one connection, "du" of each selected folder for its folder tree, then one listing per
// folder, parents first. Each folder comes before its files and subfolders; paths are
// relative to the browser folder.
//
// A path from du that does not lie below the selected folder, and a file line whose name is
// not a plain name, are not taken ("File not exist!" with the path or name), so nothing the
// box sends can lead a download out of its target folder.
class StbFolderExpansion final {
public:
    StbFolderExpansion(std::string address, std::string stbPath, std::vector<std::string> folders,
                       MessageService& messages, std::atomic<bool>& cancelRequested,
                       LinkOptions link = {});

    // Runs on the busy dialog's worker thread. Failures show their message: "Connection
    // failed!", "Server disconnected!", "Recv error!", "USB memory info error!", "Data error!".
    WorkerResult Run();
    // Read once Run has returned Success.
    const TransferList& result() const { return result_; }

private:
    bool ExpandFolder(class StbConnection& box, const std::string& name);

    std::string address_;
    std::string stbPath_;
    std::vector<std::string> folders_;
    MessageService& messages_;
    std::atomic<bool>& cancelRequested_;
    LinkOptions link_;
    TransferList result_;
    bool cancelled_ = false;
};
