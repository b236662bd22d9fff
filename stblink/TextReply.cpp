#include "stblink/TextReply.h"

TextReplyEnd ReceiveTextReply(StbConnection& connection, const TextReplyOptions& options,
                              const std::function<bool(std::string_view chunk)>& sink)
{
    const std::string_view marker = options.endMarker;
    // The end of what came before, as long as a marker that began there could still be.
    const std::size_t keep = marker.empty() ? 0 : marker.size() - 1;
    std::string window;
    std::string chunk;
    std::int64_t total = 0;
    for (;;) {
        const long received = connection.ReceiveReply(chunk);
        if (received == 0)
            return TextReplyEnd::Closed;
        if (received < 0)
            return TextReplyEnd::RecvError;
        if (!options.errorReply.empty() && ReplyEquals(chunk, options.errorReply))
            return TextReplyEnd::ErrorReply;
        total += received;
        if (total > options.maxBytes)
            return TextReplyEnd::TooLarge;
        if (!sink(chunk))
            return TextReplyEnd::SinkFailed;
        window += chunk;
        if (window.find(marker) != std::string::npos)
            return TextReplyEnd::Complete;
        if (window.size() > keep)
            window.erase(0, window.size() - keep);
    }
}

TextReplyEnd ReceiveTextReply(StbConnection& connection, const TextReplyOptions& options,
                              std::string& text)
{
    return ReceiveTextReply(connection, options, [&text](std::string_view chunk) {
        text += chunk;
        return true;
    });
}
