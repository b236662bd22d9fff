#include "filebrowser/StbStorage.h"

#include "filebrowser/StbFreeSpace.h"
#include "filebrowser/StbListing.h"
#include "stblink/StbKeywords.h"
#include "stblink/TextReply.h"

namespace {

// Shows the message; the exchange gives nothing.
std::nullopt_t Fail(MessageService& messages, MsgId id)
{
    ShowMessage(messages, id);
    return std::nullopt;
}

bool Refuse(MessageService& messages, MsgId id)
{
    ShowMessage(messages, id);
    return false;
}

} // namespace

std::optional<std::string> RequestText(StbConnection& box, std::string_view request,
                                       std::string_view endMarker, std::string_view errorReply,
                                       MsgId errorMessage, MessageService& messages)
{
    if (!box.SendRequest(request))
        return Fail(messages, MsgId::ConnectionFailed);
    std::string text;
    switch (ReceiveTextReply(box, {endMarker, errorReply, kMaxStbReplyBytes}, text)) {
    case TextReplyEnd::Complete:
        return text;
    case TextReplyEnd::Closed:
        return Fail(messages, MsgId::ServerDisconnected);
    case TextReplyEnd::RecvError:
        return Fail(messages, MsgId::RecvError);
    case TextReplyEnd::ErrorReply:
        return Fail(messages, errorMessage);
    case TextReplyEnd::TooLarge:
    case TextReplyEnd::SinkFailed:
        break;
    }
    return Fail(messages, MsgId::DataError);
}

bool RequestMount(StbConnection& box, const std::string& device, MessageService& messages)
{
    if (!box.SendRequest(std::string(stb::kMountStart) + "|" + device))
        return Refuse(messages, MsgId::ConnectionFailed);
    std::string reply;
    const long received = box.ReceiveReply(reply);
    if (received <= 0)
        return Refuse(messages, received == 0 ? MsgId::ServerDisconnected : MsgId::RecvError);
    if (!ReplyEquals(reply, stb::kMountSuccess))
        return Refuse(messages, MsgId::UsbMemoryConnectError);
    return true;
}

std::optional<std::vector<FileEntry>> RequestListing(StbConnection& box, const std::string& boxPath,
                                                     MessageService& messages,
                                                     std::vector<std::string>* refusedFiles)
{
    const std::optional<std::string> text =
        RequestText(box, std::string(stb::kGetDiskFileInfo) + "|" + boxPath, kListingEnd,
                    stb::kDiskFileInfoError, MsgId::UsbMemoryInfoError, messages);
    if (!text)
        return std::nullopt;
    std::optional<std::vector<FileEntry>> entries = ParseStbListing(*text, refusedFiles);
    if (!entries)
        return Fail(messages, MsgId::DataError);
    return entries;
}

std::optional<std::int64_t> RequestFreeSpace(StbConnection& box, const std::string& device,
                                             MessageService& messages)
{
    const std::optional<std::string> text =
        RequestText(box, std::string(stb::kCommandStart) + "|" + FreeSpaceCommand(device),
                    kCommandEnd, stb::kCommandError, MsgId::UsbMemoryFreeSpaceError, messages);
    if (!text)
        return std::nullopt;
    const std::optional<std::int64_t> bytes = ParseFreeSpace(*text, device);
    if (!bytes)
        return Fail(messages, MsgId::DataError);
    return bytes;
}

std::optional<std::vector<StbDisk>> RequestDiskInfo(StbConnection& box, MessageService& messages)
{
    const std::optional<std::string> text =
        RequestText(box, stb::kGetDiskInfo, kDiskInfoEnd, stb::kDiskInfoError,
                    MsgId::UsbMemoryInfoError, messages);
    if (!text)
        return std::nullopt;
    std::optional<std::vector<StbDisk>> disks = ParseDiskInfo(*text);
    if (!disks)
        return Fail(messages, MsgId::DataError);
    if (disks->empty())
        return Fail(messages, MsgId::NoUsbMemoryConnected);
    return disks;
}

StbStorage::StbStorage(std::string address, MessageService& messages, LinkOptions options)
    : address_(std::move(address)), messages_(messages), options_(std::move(options))
{
}

std::optional<StbConnection> StbStorage::Connect()
{
    std::optional<StbConnection> box = StbConnection::Open(address_, options_);
    if (!box)
        ShowMessage(messages_, MsgId::ConnectionFailed);
    return box;
}

std::optional<std::vector<StbDisk>> StbStorage::QueryDisks()
{
    std::optional<StbConnection> box = Connect();
    return box ? RequestDiskInfo(*box, messages_) : std::nullopt;
}

bool StbStorage::Mount(const std::string& device)
{
    std::optional<StbConnection> box = Connect();
    return box && RequestMount(*box, device, messages_);
}

std::optional<std::vector<FileEntry>> StbStorage::ListFolder(const std::string& stbPath)
{
    std::optional<StbConnection> box = Connect();
    if (!box)
        return std::nullopt;
    std::optional<std::vector<FileEntry>> entries =
        RequestListing(*box, StbListingPath(stbPath), messages_);
    if (entries && stbPath != "/")
        entries->insert(entries->begin(), FileEntry::Parent());
    return entries;
}

std::optional<std::int64_t> StbStorage::QueryFreeSpace(const std::string& device)
{
    std::optional<StbConnection> box = Connect();
    return box ? RequestFreeSpace(*box, device, messages_) : std::nullopt;
}

void StbStorage::Unmount()
{
    if (std::optional<StbConnection> box = StbConnection::Open(address_, options_))
        box->SendRequest(stb::kMountEnd);
}
