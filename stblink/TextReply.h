#pragma once

#include "stblink/StbConnection.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// Long text replies (the report, listings, disk reports, df, du) arrive in as many receives
// as TCP makes of them, and their end marker may straddle two of them.

enum class TextReplyEnd { Complete, Closed, RecvError, ErrorReply, TooLarge, SinkFailed };

struct TextReplyOptions {
    // Reply complete once this text has arrived (anywhere).
    std::string_view endMarker;
    // A chunk that is exactly this text (whole receive) ends with ErrorReply.
    std::string_view errorReply{};
    // More than this in all ends with TooLarge; the excess never reaches the sink.
    std::int64_t maxBytes = 64 * 1024 * 1024;
};

// Receives chunks of at most 1023 bytes and hands each, in full (bytes after the marker included),
// to `sink`; stops after the chunk in which the marker ends, also when it began in the previous
// chunk(s). 0 bytes received -> Closed, a receive error/time-out -> RecvError; sink returning false
// -> SinkFailed. The error reply is compared as ReplyEquals does and never reaches the sink; a
// chunk that would take the total past maxBytes does not reach it either.
TextReplyEnd ReceiveTextReply(StbConnection& connection, const TextReplyOptions& options,
                              const std::function<bool(std::string_view chunk)>& sink);
// The same, collecting the reply into `text`.
TextReplyEnd ReceiveTextReply(StbConnection& connection, const TextReplyOptions& options,
                              std::string& text);
