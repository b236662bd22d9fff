#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// One listed row of either side of the file browser: a folder or a file with its bare name
// and byte count. The parent row is the folder "..": no name the box sends can become one,
// because listings drop "." and ".." (see StbListing.h).
struct FileEntry {
    enum class Kind { Folder, File };

    Kind kind = Kind::File;
    std::string name;
    std::int64_t size = 0; // a file's byte count; a folder's is never used

    static FileEntry Folder(std::string name, std::int64_t size = 0)
    {
        return {Kind::Folder, std::move(name), size};
    }
    static FileEntry File(std::string name, std::int64_t size)
    {
        return {Kind::File, std::move(name), size};
    }
    static FileEntry Parent() { return Folder(".."); }

    bool isFolder() const { return kind == Kind::Folder; }
    bool isFile() const { return kind == Kind::File; }
    bool isParent() const { return kind == Kind::Folder && name == ".."; }

    bool operator==(const FileEntry&) const = default;
};

// A name that stands for one entry inside a folder: not empty, not "." or "..", without "/"
// and without a NUL byte.
inline bool IsPlainName(std::string_view name)
{
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string_view("/\0", 2)) == std::string_view::npos;
}
