#pragma once

#include <mutex>
#include <set>

// Ends the blocking socket calls of one operation from another thread. The sockets of the
// operation register their descriptors while they are open; Cancel shuts each down, which
// wakes a receive (it returns 0), fails later sends and stops a connect in progress, and it
// refuses sockets that register afterwards. Nothing is reset: one object per operation, and it
// outlives the sockets registered with it.
class SocketCancel final {
public:
    SocketCancel() = default;
    SocketCancel(const SocketCancel&) = delete;
    SocketCancel& operator=(const SocketCancel&) = delete;

    // Any thread, any number of times.
    void Cancel();
    bool cancelled() const;

    // For the socket layer. Register is false once cancelled (the caller gives up); a socket
    // unregisters before it closes its descriptor, so a shutdown never hits a reused one.
    bool Register(int fd);
    void Unregister(int fd);

private:
    mutable std::mutex mutex_;
    std::set<int> fds_;
    bool cancelled_ = false;
};
