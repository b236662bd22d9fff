#include "cli/TerminalProgress.h"

#include "util/FormatSize.h"

#include <algorithm>
#include <cstdio>

namespace {

// At most `limit` bytes of `name`, not cutting a UTF-8 character.
std::string Shortened(std::string_view name, std::size_t limit)
{
    if (name.size() <= limit)
        return std::string(name);
    std::size_t cut = limit - 3;
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
        --cut;
    return std::string(name.substr(0, cut)) + "...";
}

} // namespace

TerminalProgress::TerminalProgress(std::ostream& err, bool enabled) : err_(err), enabled_(enabled)
{
}

TerminalProgress::~TerminalProgress()
{
    if (shown_)
        err_ << '\n' << std::flush;
}

void TerminalProgress::Begin(std::int64_t totalBytes)
{
    totalBytes_ = totalBytes;
    start_ = std::chrono::steady_clock::now();
}

void TerminalProgress::Clear()
{
    if (shown_)
        err_ << "\r\x1b[K" << std::flush;
    shown_ = false;
}

void TerminalProgress::FileStarted(int number, int count, std::string_view name, std::int64_t)
{
    file_ = FileLineText(number, count, Shortened(name, 40), 0);
    file_.erase(file_.rfind(" (")); // the size stays off the terminal's line
    filePercent_ = 0;
    Draw(true);
}

void TerminalProgress::FilePercent(int percent)
{
    filePercent_ = percent;
    Draw(percent == 100);
}

void TerminalProgress::TotalPercent(int percent, std::int64_t doneBytes)
{
    totalPercent_ = percent;
    doneBytes_ = doneBytes;
    Draw(percent == 100);
}

void TerminalProgress::Draw(bool now)
{
    if (!enabled_)
        return;
    const auto at = std::chrono::steady_clock::now();
    if (!now && shown_ && at - drawn_ < std::chrono::milliseconds(100))
        return;
    drawn_ = at;
    const double seconds = std::chrono::duration<double>(at - start_).count();
    const double rate = seconds > 0.2 ? static_cast<double>(doneBytes_) / seconds : 0;
    char tail[96];
    std::snprintf(tail, sizeof tail, "  %3d %%  total %3d %%", filePercent_, totalPercent_);
    std::string line = file_ + tail;
    if (rate > 0) {
        line += "  " + FormatSize(rate, 1) + "/s";
        const auto left = static_cast<long long>(
            static_cast<double>(std::max<std::int64_t>(totalBytes_ - doneBytes_, 0)) / rate);
        std::snprintf(tail, sizeof tail, "  %lld:%02lld left", left / 60, left % 60);
        line += tail;
    }
    err_ << "\r" << line << "\x1b[K" << std::flush;
    shown_ = true;
}
