#pragma once

#include "filebrowser/TransferJob.h"
#include "filebrowser/WorkerControl.h"

#include <vector>

class OverwritePolicy;
class ProgressTracker;
class StbConnection;

// Copies the transfer list from the box's browser folder into the PC folder (progress dialog,
// direction 0), on one connection that mounts the partition first. Folders are made as they
// come; each file is asked for its size, then its bytes.
//
// A file arrives under a temporary name in its target folder and replaces an existing file
// only once all announced bytes are there, so a failed or cancelled download leaves the old
// file as it was and never a partial file under the real name. Bytes beyond the announced
// size are never written: the file keeps exactly the announced bytes and "Data error!" with
// its path is shown. A path holding "|" cannot be asked for unambiguously and is skipped with
// "File not exist!". Folders are made, and files written, only through real folders below the
// PC folder, never through a link, so nothing lands outside it whatever names the box sends.
class DownloadWorker final {
public:
    DownloadWorker(TransferJob job, TransferHooks hooks);
    // Runs on the progress dialog's worker thread.
    WorkerResult Run();

private:
    enum class Step { Next, Failed, Cancelled };
    Step DownloadFile(StbConnection& box, const TransferItem& item, ProgressTracker& tracker,
                      OverwritePolicy& overwrite);
    Step Fail(MsgId id);
    Step Skip(ProgressTracker& tracker, MsgId id, const std::string& detail);

    TransferJob job_;
    TransferHooks hooks_;
    std::vector<char> buffer_;
};
