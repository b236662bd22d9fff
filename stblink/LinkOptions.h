#pragma once

#include "net/Ping.h"

#include <chrono>
#include <functional>
#include <string>

class SocketCancel;

// How long one receive or send on a box connection may wait. A box answers within
// milliseconds, but some requests make it work first (writing an applied database to flash,
// a "du" over a full USB disk), so the limit is generous; it exists so that a box which
// accepted the connection and then died cannot hang the program. It applies to each receive,
// not to a whole transfer.
inline constexpr std::chrono::milliseconds kDefaultReceiveTimeout{30000};
// A box that answered the echo accepts a connection at once; this only bounds a black hole.
inline constexpr std::chrono::milliseconds kDefaultConnectTimeout{10000};

// What a box exchange may have replaced: the reachability check and the time-outs; and how
// another thread may end it.
struct LinkOptions {
    std::function<bool(const std::string& address)> isReachable = IsReachable;
    std::chrono::milliseconds receiveTimeout = kDefaultReceiveTimeout;
    std::chrono::milliseconds connectTimeout = kDefaultConnectTimeout;
    // When set (it must outlive the exchange), a cancel there shuts the exchange's connection
    // at once: the exchange fails at the call it was in, as if the box had gone away, and
    // opens no further connection.
    SocketCancel* cancel = nullptr;
};
