#include "platform/SocketCancel.h"

#include <sys/socket.h>

void SocketCancel::Cancel()
{
    const std::lock_guard lock(mutex_);
    cancelled_ = true;
    for (int fd : fds_)
        shutdown(fd, SHUT_RDWR);
}

bool SocketCancel::cancelled() const
{
    const std::lock_guard lock(mutex_);
    return cancelled_;
}

bool SocketCancel::Register(int fd)
{
    const std::lock_guard lock(mutex_);
    if (cancelled_)
        return false;
    fds_.insert(fd);
    return true;
}

void SocketCancel::Unregister(int fd)
{
    const std::lock_guard lock(mutex_);
    fds_.erase(fd);
}
