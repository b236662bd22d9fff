#include "filebrowser/StbDisks.h"

#include "filebrowser/ReplyLines.h"
#include "util/Decimal.h"
#include "util/FormatSize.h"

#include <algorithm>
#include <limits>

using namespace replylines;

namespace {

constexpr std::string_view kDiskHeader = "Disk /dev/";

// The text from `from` up to the next blank.
std::string_view UpToBlank(std::string_view line, std::size_t from)
{
    if (from >= line.size())
        return {};
    const std::string_view rest = line.substr(from);
    return rest.substr(0, rest.find(' '));
}

// (end - start + 1) * unit, saturated; a range that runs backwards is empty.
std::int64_t PartitionBytes(std::int64_t start, std::int64_t end, std::int64_t unit)
{
    if (end < start || unit <= 0)
        return 0;
    const __int128 bytes = (static_cast<__int128>(end) - start + 1) * unit;
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    return bytes > kMax ? kMax : static_cast<std::int64_t>(bytes);
}

class DiskReportReader {
public:
    // False at the end line.
    bool Take(std::string_view line)
    {
        if (line.starts_with(kDiskInfoEnd))
            return false;
        if (line.starts_with(kDiskHeader))
            DiskHeader(line);
        else if (line.find("sectors/track, ") != std::string_view::npos)
            ; // geometry: nothing in it is used
        else if (line.starts_with("Units"))
            UnitLine(line);
        else if (line.starts_with("/dev/"))
            PartitionLine(line);
        return true;
    }

    std::vector<StbDisk> Finish() { return std::move(disks_); }

private:
    std::string Label(int partition) const
    {
        std::string label = "Disk " + std::to_string(diskCount_);
        return partition == 0 ? label : label + "-" + std::to_string(partition);
    }

    void DiskHeader(std::string_view line)
    {
        if (diskCount_ > 0 && partitionCount_ == 0)
            disks_.push_back(
                {device_, Label(0), std::max<std::int64_t>(ParseDecimal64(diskBytes_), 0)});
        ++diskCount_;
        partitionCount_ = 0;
        unitBytes_ = 0;
        const std::size_t slash = line.find('/');
        device_ = std::string(line.substr(slash, line.find(':', slash) - slash));
        const std::size_t comma = line.find(',');
        diskBytes_ = comma == std::string_view::npos ? std::string()
                                                     : std::string(UpToBlank(line, comma + 2));
    }

    void UnitLine(std::string_view line)
    {
        const std::size_t first = line.find('=');
        const std::size_t second =
            first == std::string_view::npos ? first : line.find('=', first + 1);
        if (second != std::string_view::npos)
            unitBytes_ = ParseDecimal64(UpToBlank(line, second + 2));
    }

    void PartitionLine(std::string_view line)
    {
        std::string_view rest = line;
        const std::string device(TakeField(rest));
        if (rest.starts_with('*')) {
            rest.remove_prefix(1);
            TrimLeadingBlanks(rest);
        }
        const std::int64_t start = ParseDecimal64(TakeField(rest));
        const std::int64_t end = ParseDecimal64(TakeField(rest));
        const std::int64_t size = PartitionBytes(start, end, unitBytes_);
        if (partitionCount_ == 1)
            disks_.back().label = Label(1);
        disks_.push_back({device, Label(partitionCount_ == 0 ? 0 : partitionCount_ + 1), size});
        ++partitionCount_;
    }

    std::vector<StbDisk> disks_;
    int diskCount_ = 0;
    int partitionCount_ = 0;
    std::int64_t unitBytes_ = 0;
    std::string device_;
    std::string diskBytes_;
};

} // namespace

std::optional<std::vector<StbDisk>> ParseDiskInfo(std::string_view text)
{
    DiskReportReader reader;
    bool complete = false;
    ForEach(text, [&](std::string_view line) {
        complete = !reader.Take(line);
        return !complete;
    });
    if (!complete)
        return std::nullopt;
    return reader.Finish();
}

std::string DiskChoiceText(const StbDisk& disk)
{
    return disk.label + " (" + FormatSize(static_cast<double>(disk.size), 0) + ")";
}
