#include "stblink/Streaming.h"

#include "stblink/StbConnection.h"
#include "stblink/StbKeywords.h"

namespace {

bool RequestStream(const std::string& address, int index, MessageService& messages,
                   const LinkOptions& options)
{
    std::optional<StbConnection> box = StbConnection::OpenWithHandshake(address, messages, options);
    if (!box)
        return false;
    if (!box->SendRequest(std::string(stb::kStrStart) + "|" + std::to_string(index))) {
        ShowMessage(messages, MsgId::ConnectionFailed);
        return false;
    }
    std::string reply;
    const long received = box->ReceiveReply(reply);
    if (received <= 0) {
        ShowMessage(messages, received == 0 ? MsgId::ServerDisconnected : MsgId::RecvError);
        return false;
    }
    if (!ReplyEquals(reply, stb::kStrSuccess)) {
        ShowMessage(messages, MsgId::Error);
        return false;
    }
    return true;
}

} // namespace

bool StartStreaming(DatabaseState& state, int channelTableIndex, MessageService& messages,
                    const std::function<bool()>& confirmPin, PlayerLauncher& player,
                    const LinkOptions& options)
{
    if (state.modified) {
        ShowMessage(messages, MsgId::UpdateStbFirst);
        return false;
    }
    if (channelTableIndex < 0 || channelTableIndex >= state.db.channelCount())
        return false;
    if (state.db.channel(channelTableIndex).lock() == 1 && !(confirmPin && confirmPin()))
        return false;
    if (!RequestStream(state.stbAddress, channelTableIndex, messages, options))
        return false;
    if (!player.Launch()) {
        ShowMessage(messages, MsgId::InstallVlc);
        return false;
    }
    return true;
}
