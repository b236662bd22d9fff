#include "stblink/DatabaseTransfer.h"
#include "stblink/StbConnection.h"
#include "stblink/TransferTable.h"
#include "util/Settings.h"

namespace {

bool Fail(MessageService& messages, MsgId id)
{
    ShowMessage(messages, id);
    return false;
}

bool ExpectUpdateOk(StbConnection& box, MessageService& messages)
{
    std::string reply;
    if (box.ReceiveReply(reply) < 1)
        return Fail(messages, MsgId::DataError);
    if (!ReplyEquals(reply, stb::kUpdateOk))
        return Fail(messages, MsgId::SendError);
    return true;
}

bool UploadFile(StbConnection& box, const ChannelDatabase& db, const TransferStep& step,
                const std::filesystem::path& workDir, MessageService& messages)
{
    if (!db.SaveToFolder(workDir, step.file))
        return Fail(messages, MsgId::FileWriteError);
    const std::string request =
        std::string(step.uploadRequest) + "|" + std::to_string(db.image(step.file).size());
    if (!box.SendRequest(request))
        return Fail(messages, MsgId::ConnectionFailed);
    if (!ExpectUpdateOk(box, messages))
        return false;
    // Send results are not checked chunk by chunk: the box's answer says whether all arrived.
    // Only a file that cannot be read back stops here, since the box would wait in vain.
    if (box.SendBlock(workDir / ChannelDatabase::FileName(step.file)) ==
        StbConnection::SendBlockResult::ReadFailed)
        return Fail(messages, MsgId::FileReadError);
    return ExpectUpdateOk(box, messages);
}

bool Apply(StbConnection& box, MessageService& messages)
{
    if (!box.SendRequest(stb::kUpdateChannel))
        return Fail(messages, MsgId::ConnectionFailed);
    std::string reply;
    if (box.ReceiveReply(reply) <= 0)
        return Fail(messages, MsgId::DataError);
    if (!ReplyEquals(reply, stb::kUpdateOk))
        return Fail(messages, MsgId::UpdateError);
    return true;
}

} // namespace

UpdateStatus UpdateDatabase(DatabaseState& state, const std::filesystem::path& workDir,
                            MessageService& messages, const AskAddress& askAddress,
                            const LinkOptions& options)
{
    // Without data shown there is nothing to send: an empty table would wipe the box.
    if (!state.hasData() || !AskYesNo(messages, MsgId::UpdateStbQuestion))
        return UpdateStatus::Cancelled;
    std::string address = state.stbAddress;
    if (address.empty()) {
        const std::optional<std::string> entered = askAddress(ReadLastConnectIp());
        if (!entered)
            return UpdateStatus::Cancelled;
        address = *entered;
    }

    bool applied = false;
    {
        std::optional<StbConnection> box =
            StbConnection::OpenWithHandshake(address, messages, options);
        if (!box)
            return UpdateStatus::Failed;
        for (const TransferStep& step : kTransferSteps)
            if (!UploadFile(*box, state.db, step, workDir, messages))
                return UpdateStatus::Failed;
        applied = Apply(*box, messages);
    }

    state.stbAddress = address;
    WriteLastConnectIp(address);
    if (!applied)
        return UpdateStatus::ApplyFailed;
    ShowMessage(messages, MsgId::UpdateStb);
    state.modified = false;
    return UpdateStatus::Success;
}
