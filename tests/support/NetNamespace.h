#pragma once

#include <functional>
#include <string>

// Runs `body` on a thread of its own inside a fresh network namespace, so that ICMP tests
// see only their own traffic and can set what the host must not change. Its loopback is down
// unless `loopbackUp`; `pingGroupRange` (e.g. "0 2147483647") sets which groups may open
// unprivileged ICMP sockets there. False, without running `body`, when the namespace cannot
// be made (no privilege): the caller skips.
bool RunInNewNetNamespace(const std::function<void()>& body, bool loopbackUp,
                          const std::string& pingGroupRange = {});
