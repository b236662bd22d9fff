#include "stblink/StbConnection.h"

#include "chdb/BackupFile.h"
#include "chdb/ChannelDatabase.h"
#include "stblink/StbKeywords.h"

#include <cstring>

bool ReplyEquals(const std::string& reply, std::string_view keyword)
{
    return ReplyText(reply) == keyword;
}

std::string_view ReplyText(const std::string& reply)
{
    return std::string_view(reply.data(), std::strlen(reply.c_str()));
}

std::optional<StbConnection> StbConnection::Open(const std::string& address,
                                                 const LinkOptions& options)
{
    if (!options.isReachable || !options.isReachable(address))
        return std::nullopt;
    TcpClientSocket socket;
    socket.Connect(address, kPort, options.connectTimeout, options.receiveTimeout, options.cancel);
    return StbConnection(std::move(socket));
}

std::optional<StbConnection> StbConnection::OpenWithHandshake(const std::string& address,
                                                              MessageService& messages,
                                                              const LinkOptions& options)
{
    std::optional<StbConnection> connection = Open(address, options);
    if (!connection) {
        ShowMessage(messages, MsgId::ConnectionFailed);
        return std::nullopt;
    }
    if (!connection->Handshake(messages))
        return std::nullopt;
    return connection;
}

std::string StbConnection::HandshakeRequest()
{
    char request[96];
    std::snprintf(request, sizeof request, "%s|0x%x:0x%x:%d:%d", stb::kBackupDataCheck,
                  kBackupStartMagic, kBackupEndMagic, static_cast<int>(kBackupVersion),
                  ChannelDatabase::kMaxChannels);
    return request;
}

bool StbConnection::Handshake(MessageService& messages)
{
    if (!SendRequest(HandshakeRequest())) {
        ShowMessage(messages, MsgId::ConnectionFailed);
        return false;
    }
    std::string reply;
    const long received = ReceiveReply(reply);
    if (received == 0) {
        ShowMessage(messages, MsgId::ServerDisconnected);
        return false;
    }
    if (received < 0) {
        ShowMessage(messages, MsgId::RecvError);
        return false;
    }
    if (!ReplyEquals(reply, stb::kBackupDataOk)) {
        ShowMessage(messages, MsgId::VersionNotMatching);
        return false;
    }
    return true;
}

bool StbConnection::SendRequest(std::string_view request)
{
    return socket_.Send(request.data(), request.size()) == static_cast<long>(request.size());
}

long StbConnection::ReceiveReply(std::string& reply)
{
    const long received = socket_.Receive(buffer_.data(), kChunkSize);
    reply.assign(buffer_.data(), received > 0 ? static_cast<std::size_t>(received) : 0);
    return received;
}

StbConnection::BlockResult StbConnection::ReceiveBlock(std::FILE* file, std::int64_t size)
{
    BlockResult result;
    while (result.total < size) {
        const long received = socket_.Receive(buffer_.data(), kChunkSize);
        if (received <= 0)
            break;
        const auto count = static_cast<std::size_t>(received);
        if (!result.writeFailed && std::fwrite(buffer_.data(), 1, count, file) != count)
            result.writeFailed = true;
        result.total += received;
    }
    return result;
}

StbConnection::SendBlockResult StbConnection::SendBlock(const std::filesystem::path& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return SendBlockResult::ReadFailed;
    bool sent = true;
    std::size_t count;
    while (sent && (count = std::fread(buffer_.data(), 1, kChunkSize, file)) > 0)
        sent = socket_.SendAll(buffer_.data(), count);
    const bool read = std::ferror(file) == 0;
    std::fclose(file);
    return !read  ? SendBlockResult::ReadFailed
           : sent ? SendBlockResult::Sent
                  : SendBlockResult::SendFailed;
}
