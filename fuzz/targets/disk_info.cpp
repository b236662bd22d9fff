// The box's fdisk-style disk report.
#include "filebrowser/StbDisks.h"
#include "fuzz/support/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto disks = ParseDiskInfo(fuzz::Text(data, size));
    if (!disks)
        return 0;
    for (const StbDisk& disk : *disks) {
        FUZZ_CHECK(disk.size >= 0);
        FUZZ_CHECK(disk.label.starts_with("Disk "));
        FUZZ_CHECK(DiskChoiceText(disk).starts_with(disk.label + " ("));
    }
    return 0;
}
