#pragma once

#include <atomic>

// While one lives, Ctrl+C (SIGINT) does not end the process: it sets flag(), which the workers
// poll as their cancel request, so that a copy ends cleanly (no temporary file left, the disk
// released). A blocking read of an answer is interrupted too. The previous handling comes back
// when it goes. One at a time.
class InterruptScope final {
public:
    InterruptScope();
    ~InterruptScope();
    InterruptScope(const InterruptScope&) = delete;
    InterruptScope& operator=(const InterruptScope&) = delete;

    std::atomic<bool>& flag();
};
