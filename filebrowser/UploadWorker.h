#pragma once

#include "filebrowser/TransferJob.h"
#include "filebrowser/WorkerControl.h"

#include <vector>

class OverwritePolicy;
class ProgressTracker;
class StbConnection;

// Copies the transfer list from the PC folder into the box's browser folder (progress dialog,
// direction 1), on one connection that mounts the partition first: "mkdir" for each folder,
// and for each file its size question (an existing file is removed with "rm -f" once the user
// agreed), the announcement, the bytes and the box's confirmation.
//
// Paths in command lines are quoted for the box's shell. A file is announced with its listed
// size and exactly that many bytes are sent: a source that has shrunk or grown since it was
// listed ends the run with "Send error!" and its path. A path holding "|" or a control
// character cannot be announced unambiguously and is skipped with "Send error!".
class UploadWorker final {
public:
    UploadWorker(TransferJob job, TransferHooks hooks);
    // Runs on the progress dialog's worker thread.
    WorkerResult Run();

private:
    enum class Step { Next, Failed, Cancelled };
    Step MakeFolder(StbConnection& box, const TransferItem& item);
    Step UploadFile(StbConnection& box, const TransferItem& item, ProgressTracker& tracker,
                    OverwritePolicy& overwrite);
    Step SendContents(StbConnection& box, int fd, const TransferItem& item,
                      const std::string& source, ProgressTracker& tracker);
    Step Fail(MsgId id);
    Step Fail(MsgId id, const std::string& detail);
    Step Skip(ProgressTracker& tracker, MsgId id);
    Step Skip(ProgressTracker& tracker, MsgId id, const std::string& detail);

    TransferJob job_;
    TransferHooks hooks_;
    std::vector<char> buffer_;
};
