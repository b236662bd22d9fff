#include "filebrowser/DownloadWorker.h"

#include "filebrowser/PartFile.h"
#include "filebrowser/StbListing.h"
#include "filebrowser/TransferConnection.h"
#include "stblink/StbKeywords.h"
#include "util/Decimal.h"

#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

// Makes the folders of `relative` below `base` one by one, never through a link (which could
// lead out of `base`); an existing folder is no error. False when something on the way is not
// a real folder or cannot be made.
bool MakeFoldersInside(const fs::path& base, const fs::path& relative)
{
    fs::path at = base;
    for (const fs::path& name : relative) {
        at /= name;
        struct stat st {};
        if (::lstat(at.c_str(), &st) == 0 ? !S_ISDIR(st.st_mode) : ::mkdir(at.c_str(), 0777) != 0)
            return false;
    }
    return true;
}

// True when the folders on the way to `relative` below `base` are real folders, not links.
bool FoldersOnTheWayAreReal(const fs::path& base, const fs::path& relative)
{
    fs::path at = base;
    for (const fs::path& name : relative.parent_path()) {
        at /= name;
        struct stat st {};
        if (::lstat(at.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
            return false;
    }
    return true;
}

} // namespace

DownloadWorker::DownloadWorker(TransferJob job, TransferHooks hooks)
    : job_(std::move(job)), hooks_(std::move(hooks)), buffer_(kDataBufferSize)
{
}

WorkerResult DownloadWorker::Run()
{
    std::optional<StbConnection> box =
        OpenAndMount(job_.address, job_.device, hooks_.link, hooks_.messages);
    if (!box)
        return WorkerResult::Failed;
    ProgressTracker tracker(hooks_.progress, job_.list.totalBytes, job_.list.fileCount);
    OverwritePolicy overwrite(hooks_.askOverwrite, hooks_.skipPause);
    for (const TransferItem& item : job_.list.items) {
        if (CancelConfirmed(hooks_.cancelRequested, hooks_.messages))
            return WorkerResult::Cancelled;
        if (item.isFolder()) {
            // A folder that cannot be made shows when its files cannot be written.
            MakeFoldersInside(job_.pcPath, item.path);
            continue;
        }
        switch (DownloadFile(*box, item, tracker, overwrite)) {
        case Step::Next:
            break;
        case Step::Failed:
            return WorkerResult::Failed;
        case Step::Cancelled:
            return WorkerResult::Cancelled;
        }
    }
    box->Close();
    tracker.Complete();
    return WorkerResult::Success;
}

DownloadWorker::Step DownloadWorker::Fail(MsgId id)
{
    ShowMessage(hooks_.messages, id);
    return Step::Failed;
}

DownloadWorker::Step DownloadWorker::Skip(ProgressTracker& tracker, MsgId id,
                                          const std::string& detail)
{
    ShowMessage(hooks_.messages, id, detail);
    tracker.FileSkipped();
    return Step::Next;
}

DownloadWorker::Step DownloadWorker::DownloadFile(StbConnection& box, const TransferItem& item,
                                                  ProgressTracker& tracker,
                                                  OverwritePolicy& overwrite)
{
    tracker.StartFile(item.name(), item.size);
    const fs::path target = fs::path(job_.pcPath) / item.path;
    const std::string boxPath = StbChildPath(job_.stbPath, item.path);
    if (!IsSendablePath(boxPath, true))
        return Skip(tracker, MsgId::FileNotExist, std::string(item.name()));

    if (!FoldersOnTheWayAreReal(job_.pcPath, item.path))
        return Skip(tracker, MsgId::FileWriteError, target.string());
    struct stat existing {};
    if (::lstat(target.c_str(), &existing) == 0) {
        if (S_ISDIR(existing.st_mode))
            return Skip(tracker, MsgId::FileWriteError, target.string());
        if (!overwrite.Replace(target.string())) {
            tracker.FileSkipped();
            return Step::Next;
        }
    }

    std::string reply;
    if (const auto lost = AskBox(box, std::string(stb::kGetFileInfo) + "|" + boxPath, reply))
        return Fail(*lost);
    const std::int64_t size = ParseDecimal64(ReplyText(reply));
    if (size <= 0)
        return Skip(tracker, MsgId::FileNotExist, std::string(item.name()));

    PartFile part;
    if (!part.Create(target))
        return Skip(tracker, MsgId::FileWriteError, target.string());
    if (!box.SendRequest(std::string(stb::kGetFileStart) + "|" + boxPath))
        return Fail(MsgId::ConnectionFailed); // the part file goes with `part`
    tracker.SetFileSize(size);
    std::int64_t count = 0;
    while (count < size) {
        const long received = box.ReceiveData(buffer_.data(), buffer_.size());
        if (received <= 0)
            return Fail(MsgId::ServerDisconnected);
        // What a box sends beyond the announced size is counted, never written.
        const std::int64_t wanted = size - count;
        part.Write(std::string_view(buffer_.data(),
                                    static_cast<std::size_t>(std::min<std::int64_t>(received, wanted))));
        count += received;
        tracker.AddBytes(received);
        if (CancelConfirmed(hooks_.cancelRequested, hooks_.messages))
            return Step::Cancelled;
    }
    if (!part.Commit())
        return Skip(tracker, MsgId::FileWriteError, target.string());
    if (count != size)
        return Skip(tracker, MsgId::DataError, target.string());
    tracker.FileDone(count);
    return Step::Next;
}
