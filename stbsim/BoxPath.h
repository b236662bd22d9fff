#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Where the box shows the mounted partition.
inline constexpr std::string_view kMountPoint = "/mnt/link_to_pc";

// A path below the mount point, taken apart into its names. Only paths that start with the
// mount point are accepted; "." and empty names drop out, ".." and control characters are
// refused, so a parsed path can never name anything outside the partition by its text.
struct BoxPath {
    std::vector<std::string> names;

    static std::optional<BoxPath> Parse(std::string_view text);
    bool isRoot() const { return names.empty(); }
    // The same path in the partition's folder on the host.
    std::filesystem::path On(const std::filesystem::path& root) const;
    // True when every folder on the way to the last name is a real folder, not a link: the
    // box never follows a link, so a link cannot lead it out of the partition.
    bool ParentsAreFolders(const std::filesystem::path& root) const;
};
