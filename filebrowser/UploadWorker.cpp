#include "filebrowser/UploadWorker.h"

#include "filebrowser/ShellQuote.h"
#include "filebrowser/StbListing.h"
#include "filebrowser/TransferConnection.h"
#include "stblink/StbKeywords.h"
#include "util/Decimal.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

namespace {

// One read of at most `size` bytes: the count, 0 at the end of the file, -1 on an error.
long ReadSome(int fd, char* buffer, std::size_t size)
{
    ssize_t got;
    do
        got = ::read(fd, buffer, size);
    while (got < 0 && errno == EINTR);
    return static_cast<long>(got);
}

struct FdCloser {
    int fd;
    ~FdCloser() { ::close(fd); }
};

} // namespace

UploadWorker::UploadWorker(TransferJob job, TransferHooks hooks)
    : job_(std::move(job)), hooks_(std::move(hooks)), buffer_(kDataBufferSize)
{
}

WorkerResult UploadWorker::Run()
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
        const Step step = item.isFolder() ? MakeFolder(*box, item)
                                          : UploadFile(*box, item, tracker, overwrite);
        if (step == Step::Failed)
            return WorkerResult::Failed;
        if (step == Step::Cancelled)
            return WorkerResult::Cancelled;
    }
    box->Close();
    tracker.Complete();
    return WorkerResult::Success;
}

UploadWorker::Step UploadWorker::Fail(MsgId id)
{
    ShowMessage(hooks_.messages, id);
    return Step::Failed;
}

UploadWorker::Step UploadWorker::Fail(MsgId id, const std::string& detail)
{
    ShowMessage(hooks_.messages, id, detail);
    return Step::Failed;
}

UploadWorker::Step UploadWorker::Skip(ProgressTracker& tracker, MsgId id)
{
    ShowMessage(hooks_.messages, id);
    tracker.FileSkipped();
    return Step::Next;
}

UploadWorker::Step UploadWorker::Skip(ProgressTracker& tracker, MsgId id, const std::string& detail)
{
    ShowMessage(hooks_.messages, id, detail);
    tracker.FileSkipped();
    return Step::Next;
}

UploadWorker::Step UploadWorker::MakeFolder(StbConnection& box, const TransferItem& item)
{
    const std::string folder = StbChildPath(job_.stbPath, item.path);
    if (!IsSendablePath(folder, false)) {
        // Its files are skipped one by one for the same reason.
        ShowMessage(hooks_.messages, MsgId::SendError, item.path);
        return Step::Next;
    }
    std::string reply;
    const std::string mkdir = std::string(stb::kCommandStart) + "|mkdir " + ShellQuoted(folder);
    if (const auto lost = AskBox(box, mkdir, reply))
        return Fail(*lost);
    return ReplyEquals(reply, stb::kCommandSuccess) ? Step::Next : Fail(MsgId::Error);
}

UploadWorker::Step UploadWorker::UploadFile(StbConnection& box, const TransferItem& item,
                                            ProgressTracker& tracker, OverwritePolicy& overwrite)
{
    tracker.StartFile(item.name(), item.size);
    const std::string boxPath = StbChildPath(job_.stbPath, item.path);
    if (!IsSendablePath(boxPath, true))
        return Skip(tracker, MsgId::SendError, std::string(item.name()));

    std::string reply;
    if (const auto lost = AskBox(box, std::string(stb::kGetFileInfo) + "|" + boxPath, reply))
        return Fail(*lost);
    if (ParseDecimal64(ReplyText(reply)) > 0) {
        if (!overwrite.Replace(boxPath.substr(kStbMountPoint.size()))) {
            tracker.FileSkipped();
            return Step::Next;
        }
        const std::string remove = std::string(stb::kCommandStart) + "|rm -f " + ShellQuoted(boxPath);
        if (const auto lost = AskBox(box, remove, reply))
            return Fail(*lost);
        if (!ReplyEquals(reply, stb::kCommandSuccess))
            return Skip(tracker, MsgId::FileOverwriteError);
    }

    const std::string source = (std::filesystem::path(job_.pcPath) / item.path).string();
    const int fd = ::open(source.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return Skip(tracker, MsgId::FileOpenError, source);
    const FdCloser closer{fd};

    const std::string start =
        std::string(stb::kSetFileStart) + "|" + boxPath + "|" + std::to_string(item.size);
    if (const auto lost = AskBox(box, start, reply))
        return Fail(*lost);
    if (!ReplyEquals(reply, stb::kSetFileOk))
        return Skip(tracker, MsgId::SendError);
    return SendContents(box, fd, item, source, tracker);
}

UploadWorker::Step UploadWorker::SendContents(StbConnection& box, int fd, const TransferItem& item,
                                              const std::string& source, ProgressTracker& tracker)
{
    std::int64_t count = 0;
    bool ended = false; // the file had fewer bytes than listed, or could not be read
    while (count < item.size) {
        const std::size_t want =
            static_cast<std::size_t>(std::min<std::int64_t>(buffer_.size(), item.size - count));
        const long got = ReadSome(fd, buffer_.data(), want);
        if (got <= 0) {
            ended = true;
            break;
        }
        if (!box.SendData(std::string_view(buffer_.data(), static_cast<std::size_t>(got))))
            return Fail(MsgId::ServerDisconnected);
        count += got;
        tracker.AddBytes(got);
        if (CancelConfirmed(hooks_.cancelRequested, hooks_.messages))
            return Step::Cancelled;
    }
    // Not a byte more than announced: a source that grew is as wrong as one that shrank.
    char probe;
    if (ended || ReadSome(fd, &probe, 1) != 0)
        return Fail(MsgId::SendError, source);

    std::string reply;
    if (box.ReceiveReply(reply) <= 0)
        return Fail(MsgId::DataError);
    if (!ReplyEquals(reply, stb::kSetFileOk))
        return Fail(MsgId::SendError, source);
    tracker.FileDone(item.size);
    return Step::Next;
}
