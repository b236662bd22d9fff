#pragma once

#include "net/Ping.h"

#include <chrono>
#include <functional>
#include <string>

// How long one receive or send on a box connection may wait. A box answers within
// milliseconds, but some requests make it work first (writing an applied database to flash,
// a "du" over a full USB disk), so the limit is generous; it exists so that a box which
// accepted the connection and then died cannot hang the program. It applies to each receive,
// not to a whole transfer.
inline constexpr std::chrono::milliseconds kDefaultReceiveTimeout{30000};
// A box that answered the echo accepts a connection at once; this only bounds a black hole.
inline constexpr std::chrono::milliseconds kDefaultConnectTimeout{10000};

// What a box exchange may have replaced: the reachability check and the time-outs.
struct LinkOptions {
    std::function<bool(const std::string& address)> isReachable = IsReachable;
    std::chrono::milliseconds receiveTimeout = kDefaultReceiveTimeout;
    std::chrono::milliseconds connectTimeout = kDefaultConnectTimeout;
};
