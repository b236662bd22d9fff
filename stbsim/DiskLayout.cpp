#include "stbsim/DiskLayout.h"

#include <charconv>
#include <cstdio>
#include <set>
#include <sstream>

namespace {

const char* SystemName(const std::string& id)
{
    if (id == "b")
        return "W95 FAT32";
    if (id == "c")
        return "W95 FAT32 (LBA)";
    if (id == "e")
        return "W95 FAT16 (LBA)";
    if (id == "7")
        return "HPFS/NTFS";
    if (id == "83")
        return "Linux";
    return "Unknown";
}

bool ValidDevice(std::string_view device)
{
    if (!device.starts_with("/dev/") || device.size() == 5 || device.size() > 5 + 16)
        return false;
    for (char c : device.substr(5))
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')))
            return false;
    return true;
}

bool ValidId(std::string_view id)
{
    if (id.empty() || id.size() > 2)
        return false;
    for (char c : id)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    return true;
}

bool ReadNumber(const std::string& text, std::uint32_t low, std::uint32_t high, std::uint32_t& out)
{
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && end == text.data() + text.size() && out >= low && out <= high;
}

} // namespace

std::vector<Volume> DiskLayout::Volumes() const
{
    std::vector<Volume> volumes;
    for (const DiskSpec& disk : disks) {
        if (disk.partitions.empty())
            volumes.push_back({disk.device, disk.bytes(), disk.device.substr(5)});
        for (const PartitionSpec& part : disk.partitions)
            volumes.push_back({part.device,
                               std::uint64_t{part.end - part.start + 1} * disk.unitBytes(),
                               part.device.substr(5)});
    }
    return volumes;
}

std::optional<Volume> DiskLayout::FindVolume(std::string_view device) const
{
    for (Volume& volume : Volumes())
        if (volume.device == device)
            return volume;
    return std::nullopt;
}

DiskLayout DemoDiskLayout()
{
    DiskLayout layout;
    DiskSpec sda{"/dev/sda", 975, 255, 63, {{"/dev/sda1", 1, 975, "c", true}}};
    DiskSpec sdb{"/dev/sdb",
                 1945,
                 255,
                 63,
                 {{"/dev/sdb1", 1, 1000, "c", false}, {"/dev/sdb2", 1001, 1945, "83", false}}};
    layout.disks = {sda, sdb};
    return layout;
}

std::optional<DiskLayout> ParseDiskConfig(std::string_view text, std::string& error)
{
    DiskLayout layout;
    std::set<std::string> devices;
    std::istringstream in{std::string(text)};
    std::string line;
    int number = 0;
    auto fail = [&](const std::string& why) {
        error = "disks.conf line " + std::to_string(number) + ": " + why;
        return std::nullopt;
    };
    while (std::getline(in, line)) {
        ++number;
        if (const std::size_t hash = line.find('#'); hash != std::string::npos)
            line.resize(hash);
        std::istringstream words(line);
        std::vector<std::string> f;
        for (std::string w; words >> w;)
            f.push_back(w);
        if (f.empty())
            continue;
        if (f.size() >= 2 && (!ValidDevice(f[1]) || !devices.insert(f[1]).second))
            return fail("bad or repeated device " + f[1]);
        if (f[0] == "disk" && (f.size() == 3 || f.size() == 5)) {
            DiskSpec disk;
            disk.device = f[1];
            if (!ReadNumber(f[2], 1, 1000000, disk.cylinders) ||
                (f.size() == 5 &&
                 (!ReadNumber(f[3], 1, 255, disk.heads) || !ReadNumber(f[4], 1, 63, disk.sectors))))
                return fail("bad geometry");
            layout.disks.push_back(disk);
        } else if (f[0] == "part" && f.size() >= 4 && f.size() <= 6) {
            if (layout.disks.empty())
                return fail("partition before any disk");
            DiskSpec& disk = layout.disks.back();
            PartitionSpec part;
            part.device = f[1];
            if (!ReadNumber(f[2], 1, disk.cylinders, part.start) ||
                !ReadNumber(f[3], part.start, disk.cylinders, part.end))
                return fail("partition outside its disk");
            for (std::size_t i = 4; i < f.size(); ++i) {
                if (f[i] == "boot")
                    part.boot = true;
                else if (i == 4 && ValidId(f[i]))
                    part.id = f[i];
                else
                    return fail("bad word " + f[i]);
            }
            disk.partitions.push_back(part);
        } else {
            return fail("expected a disk or part line");
        }
    }
    return layout;
}

std::string FormatDiskConfig(const DiskLayout& layout)
{
    std::string text =
        "# Disks of the simulated box, in the order its disk report lists them.\n"
        "# disk DEVICE CYLINDERS [HEADS SECTORS]  (one unit = HEADS*SECTORS*512 bytes)\n"
        "# part DEVICE START END [ID] [boot]       (units START..END of the disk above)\n"
        "# Each partition (or a disk without partitions) is the folder disks/NAME.\n";
    for (const DiskSpec& disk : layout.disks) {
        text += "disk " + disk.device + " " + std::to_string(disk.cylinders) + " " +
                std::to_string(disk.heads) + " " + std::to_string(disk.sectors) + "\n";
        for (const PartitionSpec& part : disk.partitions)
            text += "part " + part.device + " " + std::to_string(part.start) + " " +
                    std::to_string(part.end) + " " + part.id + (part.boot ? " boot" : "") + "\n";
    }
    return text;
}

std::string BuildDiskReport(const DiskLayout& layout)
{
    std::string text;
    char line[256];
    for (const DiskSpec& disk : layout.disks) {
        const unsigned long long bytes = disk.bytes();
        std::snprintf(line, sizeof line,
                      "\nDisk %s: %llu MB, %llu bytes\n"
                      "%u heads, %u sectors/track, %u cylinders\n"
                      "Units = cylinders of %u * 512 = %llu bytes\n\n",
                      disk.device.c_str(), bytes / 1000000, bytes, disk.heads, disk.sectors,
                      disk.cylinders, disk.heads * disk.sectors,
                      static_cast<unsigned long long>(disk.unitBytes()));
        text += line;
        if (disk.partitions.empty())
            continue;
        text += "   Device Boot      Start         End      Blocks   Id  System\n";
        for (const PartitionSpec& part : disk.partitions) {
            const unsigned long long partBytes =
                std::uint64_t{part.end - part.start + 1} * disk.unitBytes();
            std::snprintf(line, sizeof line, "%-11s %c %11u %11u %11llu%c %3s  %s\n",
                          part.device.c_str(), part.boot ? '*' : ' ', part.start, part.end,
                          partBytes / 1024, partBytes % 1024 != 0 ? '+' : ' ', part.id.c_str(),
                          SystemName(part.id));
            text += line;
        }
    }
    return text;
}
