#pragma once

#include "platform/TcpClientSocket.h"
#include "stblink/LinkOptions.h"
#include "util/MessageService.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// A reply compared as the box's text: the bytes up to the first NUL must equal the keyword
// exactly (a trailing newline does not match).
bool ReplyEquals(const std::string& reply, std::string_view keyword);
// The reply as text, cut at the first NUL.
std::string_view ReplyText(const std::string& reply);

// One connection to a box on TCP port 7777, for one operation; closed when it goes out of
// scope. Requests are plain text without terminator, replies are read with one receive of at
// most 1023 bytes (the protocol relies on each short reply arriving in one piece), and file
// contents move as raw bytes in chunks of at most 1023 bytes.
class StbConnection final {
public:
    static constexpr std::uint16_t kPort = 7777;
    static constexpr std::size_t kChunkSize = 1023;

    struct BlockResult {
        std::int64_t total = 0;   // bytes received
        bool writeFailed = false; // the file did not take them all
    };

    // Checks that the address answers an echo, then connects. Nothing when it does not answer
    // (no socket is opened; callers show "Connection failed!"). A refused connection is not
    // reported here: it shows up as a failed send of the first request, where each exchange
    // reports it in its own words.
    static std::optional<StbConnection> Open(const std::string& address,
                                             const LinkOptions& options);
    // Open and the format handshake of the database and streaming exchanges; shows
    // "Connection failed!", "Server disconnected!", "Recv error!" or "Version not matching!"
    // and gives nothing on failure.
    static std::optional<StbConnection> OpenWithHandshake(const std::string& address,
                                                          MessageService& messages,
                                                          const LinkOptions& options);

    // "SIG_BACKUP_DATA_CHECK|0xdeadc0ff:0xdeadc011:13:9999", answered by "SIG_BACKUP_DATA_OK".
    static std::string HandshakeRequest();
    bool Handshake(MessageService& messages);

    // One send of the whole text; true only when every byte went.
    bool SendRequest(std::string_view request);
    // One receive of at most 1023 bytes into `reply`. The count: 0 when the box closed the
    // connection, negative on an error or when the receive time-out passed.
    long ReceiveReply(std::string& reply);
    // Receives chunks of at most 1023 bytes into `file` until a receive gives 0 or less or the
    // total reaches or passes `size` (a box that sends more shows as a larger total).
    BlockResult ReceiveBlock(std::FILE* file, std::int64_t size);
    enum class SendBlockResult { Sent, ReadFailed, SendFailed };
    // Sends the file in chunks of 1023 bytes as read, stopping at the first failed send; the
    // box's next reply is what tells whether it got the data.
    SendBlockResult SendBlock(const std::filesystem::path& file);

    // Raw file contents for callers that keep their own buffers: one receive of at most
    // `size` bytes (the count as ReceiveReply gives it), and a whole buffer sent in as few
    // calls as the socket allows (false when a send fails).
    long ReceiveData(char* buffer, std::size_t size) { return socket_.Receive(buffer, size); }
    bool SendData(std::string_view bytes) { return socket_.SendAll(bytes.data(), bytes.size()); }

    void Close() { socket_.Close(); }

private:
    explicit StbConnection(TcpClientSocket socket) : socket_(std::move(socket)) {}

    TcpClientSocket socket_;
    std::array<char, kChunkSize + 1> buffer_{};
};
