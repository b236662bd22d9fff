#pragma once

#include "stblink/LinkOptions.h"
#include "stblink/StbConnection.h"
#include "util/MessageService.h"

#include <optional>
#include <string>
#include <string_view>

// The steps both transfer workers share.

// The reachability check, one connection and the mount request on it; each failure shows its
// message ("Connection failed!", "Server disconnected!", "Recv error!", "USB memory connect
// error!") and gives nothing.
std::optional<StbConnection> OpenAndMount(const std::string& address, const std::string& device,
                                          const LinkOptions& link, MessageService& messages);

// Sends a request and receives its one-chunk reply into `reply`. Gives the message of a lost
// link for the caller to show ("Connection failed!" for a short send, "Data error!" for 0 bytes
// or a receive error), or nothing when a reply arrived.
std::optional<MsgId> AskBox(StbConnection& box, std::string_view request, std::string& reply);

// Scratch space for file contents: 64 blocks of the protocol's 1023 bytes, moved in one system
// call where the socket or the file allows.
inline constexpr std::size_t kDataBufferSize = 64 * StbConnection::kChunkSize;
