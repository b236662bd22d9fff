#include "tests/support/NetNamespace.h"

#include <net/if.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <thread>

namespace {

bool BringLoopbackUp()
{
    const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    ifreq request{};
    std::strncpy(request.ifr_name, "lo", IFNAMSIZ - 1);
    bool ok = ioctl(fd, SIOCGIFFLAGS, &request) == 0;
    request.ifr_flags = static_cast<short>(request.ifr_flags | IFF_UP);
    ok = ok && ioctl(fd, SIOCSIFFLAGS, &request) == 0;
    close(fd);
    return ok;
}

bool WriteSysctl(const char* path, const std::string& value)
{
    std::ofstream out(path);
    out << value;
    out.close(); // the kernel checks the value on this write
    return !out.fail();
}

} // namespace

bool RunInNewNetNamespace(const std::function<void()>& body, bool loopbackUp,
                          const std::string& pingGroupRange)
{
    bool ready = false;
    // A thread of its own: the namespace change then leaves the rest of the process alone.
    std::thread([&] {
        if (unshare(CLONE_NEWNET) != 0)
            return;
        if (loopbackUp && !BringLoopbackUp())
            return;
        if (!pingGroupRange.empty() &&
            !WriteSysctl("/proc/sys/net/ipv4/ping_group_range", pingGroupRange))
            return;
        ready = true;
        body();
    }).join();
    return ready;
}
