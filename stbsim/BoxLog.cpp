#include "stbsim/BoxLog.h"

#include <cstdio>

BoxLog::BoxLog(std::ostream* stream, std::string address)
    : stream_(stream), address_(std::move(address))
{
}

std::string BoxLog::Printable(const std::string& text)
{
    constexpr std::size_t kShown = 160;
    std::string out;
    for (std::size_t i = 0; i < text.size() && i < kShown; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 || c == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", c);
            out += escaped;
        } else {
            out += static_cast<char>(c);
        }
    }
    if (text.size() > kShown)
        out += "... (" + std::to_string(text.size()) + " bytes)";
    return out;
}

void BoxLog::Request(const std::string& request, const std::string& outcome)
{
    std::lock_guard lock(mutex_);
    requests_.push_back(request);
    if (requests_.size() > kKept)
        requests_.pop_front();
    if (stream_)
        *stream_ << "stbsim " << address_ << ": " << Printable(request) << " -> " << outcome
                 << std::endl;
}

void BoxLog::Note(const std::string& text)
{
    std::lock_guard lock(mutex_);
    if (stream_)
        *stream_ << "stbsim " << address_ << ": " << text << std::endl;
}

std::vector<std::string> BoxLog::Requests() const
{
    std::lock_guard lock(mutex_);
    return {requests_.begin(), requests_.end()};
}
