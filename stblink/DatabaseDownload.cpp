#include "chdb/ChannelReport.h"
#include "stblink/DatabaseTransfer.h"
#include "stblink/StbConnection.h"
#include "stblink/TextReply.h"
#include "stblink/TransferTable.h"
#include "util/Decimal.h"
#include "util/Settings.h"

#include <cstdio>

namespace {

// Fails with the message; the callers stop at the first one.
bool Fail(MessageService& messages, MsgId id)
{
    ShowMessage(messages, id);
    return false;
}

std::size_t FixedSize(ChannelDatabase::File file)
{
    return file == ChannelDatabase::kChData  ? ChannelDatabase::kChDataSize
           : file == ChannelDatabase::kChIdx ? ChannelDatabase::kChIdxSize
                                             : ChannelDatabase::kMenuDataSize;
}

bool DownloadFile(StbConnection& box, const TransferStep& step,
                  const std::filesystem::path& workDir, MessageService& messages)
{
    if (!box.SendRequest(step.sizeRequest))
        return Fail(messages, MsgId::ConnectionFailed);
    std::string reply;
    if (box.ReceiveReply(reply) <= 0)
        return Fail(messages, MsgId::DataError);
    const int size = ParseDecimal(ReplyText(reply));
    if (size < 1)
        return Fail(messages, MsgId::ChannelDataDoNotExist);
    // More than the fixed file size can only be a broken box; refusing before the data is
    // requested keeps the amount written bounded.
    if (static_cast<std::size_t>(size) > FixedSize(step.file))
        return Fail(messages, MsgId::DataError);
    if (!box.SendRequest(step.downloadRequest))
        return Fail(messages, MsgId::ConnectionFailed);

    const std::filesystem::path path = workDir / ChannelDatabase::FileName(step.file);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return Fail(messages, MsgId::FileWriteError);
    const StbConnection::BlockResult block = box.ReceiveBlock(file, size);
    const bool closed = std::fclose(file) == 0;
    if (block.writeFailed || !closed)
        return Fail(messages, MsgId::FileWriteError);
    if (block.total != size)
        return Fail(messages, MsgId::DataError);
    return true;
}

// Every received byte goes to the file, the bytes after the end marker in its chunk too; the
// reception ends with the chunk in which the marker ends.
bool DownloadReport(StbConnection& box, const std::filesystem::path& workDir,
                    MessageService& messages, std::string& report)
{
    if (!box.SendRequest(stb::kChnStart))
        return Fail(messages, MsgId::ConnectionFailed);
    std::FILE* file = std::fopen((workDir / kReportFileName).c_str(), "w");
    if (!file)
        return Fail(messages, MsgId::FileWriteError);
    const TextReplyEnd end = ReceiveTextReply(
        box, {.endMarker = stb::kChnEnd, .maxBytes = kMaxReportBytes}, [&](std::string_view chunk) {
            report += chunk;
            return std::fwrite(chunk.data(), 1, chunk.size(), file) == chunk.size();
        });
    std::optional<MsgId> failure;
    switch (end) {
    case TextReplyEnd::Complete:
    case TextReplyEnd::ErrorReply: // none asked for
        break;
    case TextReplyEnd::Closed:
        failure = MsgId::ServerDisconnected;
        break;
    case TextReplyEnd::RecvError:
        failure = MsgId::RecvError;
        break;
    case TextReplyEnd::TooLarge:
        failure = MsgId::DataError;
        break;
    case TextReplyEnd::SinkFailed:
        failure = MsgId::FileWriteError;
        break;
    }
    if (std::fclose(file) != 0 && !failure)
        failure = MsgId::FileWriteError;
    return failure ? Fail(messages, *failure) : true;
}

} // namespace

DownloadResult DownloadDatabase(DatabaseState& state, const std::filesystem::path& workDir,
                                MessageService& messages, const AskAddress& askAddress,
                                const LinkOptions& options)
{
    const std::string prefill = state.stbAddress.empty() ? ReadLastConnectIp() : state.stbAddress;
    const std::optional<std::string> address = askAddress(prefill);
    if (!address)
        return {DownloadStatus::Cancelled, {}};

    std::string report;
    {
        std::optional<StbConnection> box =
            StbConnection::OpenWithHandshake(*address, messages, options);
        if (!box)
            return {DownloadStatus::FailedDataKept, {}};
        for (const TransferStep& step : kTransferSteps)
            if (!DownloadFile(*box, step, workDir, messages))
                return {DownloadStatus::FailedDataKept, {}};
        if (!DownloadReport(*box, workDir, messages, report))
            return {DownloadStatus::FailedDataKept, {}};
    }

    state.stbAddress = *address;
    WriteLastConnectIp(*address);
    state.ClearShownData();
    if (!state.db.LoadFromFolder(workDir)) {
        ShowMessage(messages, MsgId::FileReadError);
        return {DownloadStatus::FailedNoData, {}};
    }
    state.pin = state.db.pinText();
    ChannelReport parsed = ParseChannelReportFile(workDir / kReportFileName);
    ChannelDatabase::RemoveFiles(workDir);
    std::error_code ec;
    std::filesystem::remove(workDir / kReportFileName, ec);
    if (!parsed.valid) {
        ShowMessage(messages, MsgId::DataError);
        return {DownloadStatus::FailedNoData, {}};
    }
    state.satList = std::move(parsed.satellites);
    state.casList = std::move(parsed.cas);
    state.list = 0;
    return {DownloadStatus::Success, std::move(report)};
}
