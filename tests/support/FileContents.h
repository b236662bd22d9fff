#pragma once

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

inline std::string ReadWholeFile(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

// Creates the folders on the way.
inline void WriteWholeFile(const std::filesystem::path& path, const std::string& bytes)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

// A folder tree as relative path -> contents ("/" for a folder).
using Tree = std::map<std::string, std::string>;
inline Tree ReadTree(const std::filesystem::path& root)
{
    Tree tree;
    for (const auto& item : std::filesystem::recursive_directory_iterator(root))
        tree[item.path().lexically_relative(root).string()] =
            item.is_directory() ? "/" : ReadWholeFile(item.path());
    return tree;
}
