#include "filebrowser/TransferProgress.h"

#include "util/FormatSize.h"

#include <algorithm>
#include <limits>

std::string FileLineText(int number, int count, std::string_view name, std::int64_t size)
{
    std::string line = "(";
    line.append(std::to_string(number)).append("/").append(std::to_string(count)).append(") ");
    line.append(name).append(" (").append(FormatSize(static_cast<double>(size), 1)).append(")");
    return line;
}

ProgressTracker::ProgressTracker(TransferProgress& progress, std::int64_t totalBytes, int fileCount)
    : progress_(progress), totalBytes_(totalBytes), fileCount_(fileCount)
{
}

int ProgressTracker::Percent(std::int64_t done, std::int64_t size)
{
    if (size <= 0 || done <= 0)
        return 0;
    if (done >= size)
        return 100;
    return static_cast<int>(static_cast<__int128>(done) * 100 / size);
}

namespace {

std::int64_t SaturatingSum(std::int64_t a, std::int64_t b)
{
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    return b > kMax - a ? kMax : a + b;
}

} // namespace

void ProgressTracker::ShowTotal()
{
    const std::int64_t done = SaturatingSum(finishedBytes_, fileBytes_);
    const int percent = Percent(done, totalBytes_);
    if (percent > lastTotalPercent_) {
        lastTotalPercent_ = percent;
        progress_.TotalPercent(percent, done);
    }
}

void ProgressTracker::StartFile(std::string_view name, std::int64_t listedSize)
{
    ++fileNumber_;
    listedSize_ = std::max<std::int64_t>(listedSize, 0);
    fileSize_ = listedSize_;
    fileBytes_ = 0;
    lastFilePercent_ = 0;
    progress_.FileStarted(fileNumber_, fileCount_, name, listedSize_);
    ShowTotal();
}

void ProgressTracker::SetFileSize(std::int64_t size)
{
    fileSize_ = size;
}

void ProgressTracker::AddBytes(std::int64_t count)
{
    fileBytes_ = SaturatingSum(fileBytes_, std::max<std::int64_t>(count, 0));
    const int percent = Percent(fileBytes_, fileSize_);
    if (percent > lastFilePercent_) {
        lastFilePercent_ = percent;
        progress_.FilePercent(percent);
        ShowTotal();
    }
}

void ProgressTracker::FileDone(std::int64_t bytes)
{
    if (lastFilePercent_ < 100 && fileSize_ <= 0) {
        lastFilePercent_ = 100;
        progress_.FilePercent(100);
    }
    finishedBytes_ = SaturatingSum(finishedBytes_, std::max<std::int64_t>(bytes, 0));
    fileBytes_ = 0;
}

void ProgressTracker::FileSkipped()
{
    finishedBytes_ = SaturatingSum(finishedBytes_, listedSize_);
    fileBytes_ = 0;
}

void ProgressTracker::Complete()
{
    if (lastTotalPercent_ < 100) {
        lastTotalPercent_ = 100;
        progress_.TotalPercent(100, SaturatingSum(finishedBytes_, fileBytes_));
    }
}
