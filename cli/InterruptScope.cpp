#include "cli/InterruptScope.h"

#include <csignal>

namespace {

std::atomic<bool> g_interrupted{false};
struct sigaction g_previous {};

extern "C" void OnInterrupt(int)
{
    g_interrupted.store(true);
}

} // namespace

static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");

InterruptScope::InterruptScope()
{
    g_interrupted.store(false);
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0; // no SA_RESTART: a prompt waiting for an answer gives up
    sigaction(SIGINT, &action, &g_previous);
}

InterruptScope::~InterruptScope()
{
    sigaction(SIGINT, &g_previous, nullptr);
}

std::atomic<bool>& InterruptScope::flag()
{
    return g_interrupted;
}
