#pragma once

#include <cstddef>
#include <deque>
#include <mutex>
#include <ostream>
#include <string>
#include <vector>

// One line per request on the log stream ("stbsim 127.0.0.1: SIG_GET_CHDATA -> 700256
// bytes"), and the most recent requests for tests to look at.
class BoxLog {
public:
    BoxLog(std::ostream* stream, std::string address);

    void Request(const std::string& request, const std::string& outcome);
    void Note(const std::string& text);
    std::vector<std::string> Requests() const;

    // A request as it may be shown: control bytes escaped, long ones cut.
    static std::string Printable(const std::string& text);

private:
    static constexpr std::size_t kKept = 10000;

    mutable std::mutex mutex_;
    std::ostream* stream_;
    const std::string address_;
    std::deque<std::string> requests_;
};
