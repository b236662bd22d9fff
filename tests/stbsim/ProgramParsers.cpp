#include "tests/stbsim/ProgramParsers.h"

#include <cstdlib>
#include <cstring>

std::vector<std::string> ReadLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        const bool feed = end != std::string::npos;
        if (!feed)
            end = text.size();
        if (end - at > 1022) {
            lines.push_back(text.substr(at, 1022));
            at += 1022;
            continue;
        }
        lines.push_back(text.substr(at, end - at));
        at = feed ? end + 1 : end;
    }
    return lines;
}

DiskReportReading ReadDiskReport(const std::string& text)
{
    DiskReportReading out;
    int disks = 0;
    int partitions = 0;
    long long unit = 0;
    std::string diskDevice;
    std::string diskBytes;
    for (const std::string& line : ReadLines(text)) {
        if (line.rfind("SIG_DISK_INFO_END", 0) == 0) {
            out.complete = true;
            break;
        }
        if (line.compare(0, 10, "Disk /dev/") == 0) {
            if (disks > 0 && partitions == 0)
                out.entries.push_back(
                    {"Disk " + std::to_string(disks), diskDevice, std::atof(diskBytes.c_str())});
            ++disks;
            partitions = 0;
            unit = 0;
            const std::size_t slash = line.find('/');
            diskDevice = line.substr(slash, line.find(':') - slash);
            const std::size_t comma = line.find(',');
            const std::size_t start = comma + 2;
            diskBytes = line.substr(start, line.find(' ', start) - start);
            continue;
        }
        if (line.find("sectors/track, ") != std::string::npos)
            continue;
        if (line.compare(0, 5, "Units") == 0) {
            const std::size_t second = line.find('=', line.find('=') + 1);
            unit = std::atoll(line.c_str() + second + 2);
            continue;
        }
        if (line.compare(0, 5, "/dev/") == 0) {
            const std::string device = line.substr(0, line.find(' '));
            std::size_t at = device.size();
            at = line.find_first_not_of(' ', at);
            if (line[at] == '*')
                at = line.find_first_not_of(' ', at + 1);
            const long long start = std::atoll(line.c_str() + at);
            at = line.find_first_not_of(' ', line.find(' ', at));
            const long long end = std::atoll(line.c_str() + at);
            const double size = static_cast<double>((end - start + 1) * unit);
            const std::string disk = "Disk " + std::to_string(disks);
            if (partitions == 1)
                out.entries.back().label = disk + "-1";
            out.entries.push_back(
                {partitions == 0 ? disk : disk + "-" + std::to_string(partitions + 1), device,
                 size});
            ++partitions;
        }
    }
    return out;
}

namespace {

// Drops everything up to the next space, then the spaces.
void NextField(std::string& rest)
{
    const std::size_t space = rest.find(' ');
    rest = space == std::string::npos ? std::string() : rest.substr(space);
    rest.erase(0, rest.find_first_not_of(' ') == std::string::npos ? rest.size()
                                                                   : rest.find_first_not_of(' '));
}

} // namespace

ListingReading ReadListing(const std::string& text)
{
    ListingReading out;
    for (const std::string& line : ReadLines(text)) {
        if (line.rfind("SIG_DISK_FILE_INFO_END", 0) == 0) {
            out.complete = true;
            break;
        }
        const int kind = line.empty() ? 2 : line[0] == 'd' ? 0 : line[0] == '-' ? 1 : 2;
        if (kind == 2)
            continue;
        std::string rest = line;
        std::string size;
        for (int field = 1; field <= 8; ++field) {
            NextField(rest);
            if (field == 4)
                size = rest.substr(0, rest.find(' '));
        }
        out.entries.push_back({kind, rest, size});
    }
    return out;
}

std::vector<std::string> ReadDuFolders(const std::string& text, bool& complete)
{
    complete = false;
    std::vector<std::string> folders;
    for (const std::string& line : ReadLines(text)) {
        if (line.rfind("SIG_COMMAND_SUCCESS", 0) == 0) {
            complete = true;
            break;
        }
        const std::size_t slash = line.find('/');
        if (slash != std::string::npos)
            folders.insert(folders.begin(), line.substr(slash));
    }
    return folders;
}

long long ReadDfAvailable(const std::string& text, const std::string& device, long long* total)
{
    long long available = -1;
    for (const std::string& line : ReadLines(text)) {
        if (line.rfind("SIG_COMMAND_SUCCESS", 0) == 0)
            break;
        if (line.rfind(device, 0) != 0)
            continue;
        char* at = nullptr;
        const char* fields = line.c_str() + line.find(' ');
        const long long blocks = std::strtoll(fields, &at, 10);
        std::strtoll(at, &at, 10);
        available = std::strtoll(at, &at, 10);
        if (total)
            *total = blocks;
    }
    return available;
}
