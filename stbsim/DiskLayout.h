#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The box's USB disks and partitions. Sizes follow from the geometry exactly as the program
// computes them from the disk report: a partition holds (end - start + 1) units of
// heads * sectors * 512 bytes.
struct PartitionSpec {
    std::string device; // "/dev/sda1"
    std::uint32_t start = 1;
    std::uint32_t end = 1;
    std::string id = "c"; // partition type in hex, as fdisk shows it
    bool boot = false;
};

struct DiskSpec {
    std::string device; // "/dev/sda"
    std::uint32_t cylinders = 1;
    std::uint32_t heads = 255;
    std::uint32_t sectors = 63;
    std::vector<PartitionSpec> partitions;

    std::uint64_t unitBytes() const { return std::uint64_t{heads} * sectors * 512; }
    std::uint64_t bytes() const { return unitBytes() * cylinders; }
};

// What can be mounted: each partition, or a disk that has no partitions.
struct Volume {
    std::string device;
    std::uint64_t bytes = 0;
    std::string folder; // folder name under the state's disks/ folder, e.g. "sda1"
};

struct DiskLayout {
    std::vector<DiskSpec> disks;

    std::vector<Volume> Volumes() const;
    std::optional<Volume> FindVolume(std::string_view device) const;
};

// The two-disk demo: sda with one partition, sdb with two.
DiskLayout DemoDiskLayout();

// disks.conf: "disk DEVICE CYLINDERS [HEADS SECTORS]" lines, each followed by its
// "part DEVICE START END [ID] [boot]" lines; "#" starts a comment.
std::optional<DiskLayout> ParseDiskConfig(std::string_view text, std::string& error);
std::string FormatDiskConfig(const DiskLayout& layout);

// The fdisk-style report, without the end marker.
std::string BuildDiskReport(const DiskLayout& layout);
