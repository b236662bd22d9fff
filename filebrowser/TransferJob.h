#pragma once

#include "filebrowser/Overwrite.h"
#include "filebrowser/TransferList.h"
#include "filebrowser/TransferProgress.h"
#include "stblink/LinkOptions.h"
#include "util/MessageService.h"

#include <atomic>
#include <chrono>
#include <string>

// What a transfer worker reads; nobody changes it while the worker runs.
struct TransferJob {
    std::string address;
    std::string device;  // the partition, mounted again on the worker's connection
    std::string pcPath;  // the PC folder: the target of a download, the source of an upload
    std::string stbPath; // the browser folder on the box, "/" or "/a/b"
    TransferList list;
};

// How a transfer worker reaches whoever watches it. Everything here is called on the
// worker's thread: message boxes and the overwrite question block it until answered.
struct TransferHooks {
    MessageService& messages;
    TransferProgress& progress;
    AskOverwrite askOverwrite;
    std::atomic<bool>& cancelRequested;
    // How long "All skip" lingers on each skipped file, so that its line can be read.
    std::chrono::milliseconds skipPause{100};
    LinkOptions link{};
};
