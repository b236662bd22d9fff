#include "filebrowser/TransferConnection.h"

#include "filebrowser/StbStorage.h"

std::optional<StbConnection> OpenAndMount(const std::string& address, const std::string& device,
                                          const LinkOptions& link, MessageService& messages)
{
    std::optional<StbConnection> box = StbConnection::Open(address, link);
    if (!box) {
        ShowMessage(messages, MsgId::ConnectionFailed);
        return std::nullopt;
    }
    if (!RequestMount(*box, device, messages))
        return std::nullopt;
    return box;
}

std::optional<MsgId> AskBox(StbConnection& box, std::string_view request, std::string& reply)
{
    if (!box.SendRequest(request))
        return MsgId::ConnectionFailed;
    if (box.ReceiveReply(reply) <= 0)
        return MsgId::DataError;
    return std::nullopt;
}
