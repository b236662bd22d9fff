#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::string_view kDiskInfoEnd = "SIG_DISK_INFO_END";

// One choice of the disk selection: a partition, or a disk listed without partitions.
struct StbDisk {
    std::string device; // "/dev/sda1", sent with the mount request
    std::string label;  // "Disk 1", "Disk 2-1"
    std::int64_t size = 0;

    bool operator==(const StbDisk&) const = default;
};

// The fdisk-style disk report up to the line that begins with the end marker. Disks are
// numbered from 1 in report order; a disk with one partition is "Disk n", with more each is
// "Disk n-p". A disk without partition lines is listed whole (its header's byte count) only
// when another disk header follows it. A partition's size is (end - start + 1) units of the
// disk's bytes per unit. Nothing without the end line.
std::optional<std::vector<StbDisk>> ParseDiskInfo(std::string_view text);

// "Disk 1-2 (7 GB)", as the disk combo shows a choice.
std::string DiskChoiceText(const StbDisk& disk);
