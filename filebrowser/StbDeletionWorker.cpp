#include "filebrowser/StbDeletionWorker.h"

#include "filebrowser/ShellQuote.h"
#include "filebrowser/StbListing.h"
#include "filebrowser/TransferList.h"
#include "stblink/StbConnection.h"
#include "stblink/StbKeywords.h"

StbDeletionWorker::StbDeletionWorker(std::string address, std::string stbPath,
                                     std::vector<FileEntry> rows, MessageService& messages,
                                     std::atomic<bool>& cancelRequested, LinkOptions link)
    : address_(std::move(address)), stbPath_(std::move(stbPath)), rows_(std::move(rows)),
      messages_(messages), cancelRequested_(cancelRequested), link_(std::move(link))
{
}

WorkerResult StbDeletionWorker::Run()
{
    undeleted_ = 0;
    std::optional<StbConnection> box = StbConnection::Open(address_, link_);
    if (!box) {
        ShowMessage(messages_, MsgId::ConnectionFailed);
        return WorkerResult::Failed;
    }
    for (const FileEntry& row : rows_) {
        if (row.isParent())
            continue;
        if (CancelConfirmed(cancelRequested_, messages_))
            return WorkerResult::Cancelled;
        const std::string path = StbChildPath(stbPath_, row.name);
        const MsgId failed = row.isFolder() ? MsgId::DirectoryDeleteFailed : MsgId::FileDeleteFailed;
        if (!IsPlainName(row.name) || !IsSendablePath(path, false)) {
            ShowMessage(messages_, failed, path);
            ++undeleted_;
            continue;
        }
        if (!box->SendRequest(std::string(stb::kCommandStart) + "|rm -rf " + ShellQuoted(path))) {
            ShowMessage(messages_, MsgId::ConnectionFailed);
            return WorkerResult::Failed;
        }
        std::string reply;
        const long received = box->ReceiveReply(reply);
        if (received <= 0) {
            ShowMessage(messages_, received == 0 ? MsgId::ServerDisconnected : MsgId::RecvError);
            return WorkerResult::Failed;
        }
        if (!ReplyEquals(reply, stb::kCommandSuccess)) {
            ShowMessage(messages_, failed, path);
            ++undeleted_;
        }
    }
    return WorkerResult::Success;
}
