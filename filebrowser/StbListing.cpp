#include "filebrowser/StbListing.h"

#include "filebrowser/ReplyLines.h"
#include "util/Decimal.h"

using namespace replylines;

std::string StbListingPath(std::string_view stbPath)
{
    std::string path(kStbMountPoint);
    path += stbPath;
    return path;
}

std::string StbChildPath(std::string_view stbPath, std::string_view relative)
{
    std::string path = StbListingPath(stbPath);
    if (!path.ends_with('/'))
        path += '/';
    path += relative;
    return path;
}

namespace {

struct ListingLine {
    std::string_view name;
    std::int64_t size = 0;
};

// The name and size of a folder or file line, plain or not.
std::optional<ListingLine> CutListingLine(std::string_view line)
{
    if (line.empty() || (line[0] != 'd' && line[0] != '-'))
        return std::nullopt;
    std::string_view rest = line;
    for (int field = 1; field < 5; ++field)
        TakeField(rest);
    const std::int64_t size = ParseDecimal64(TakeField(rest));
    for (int field = 6; field < 9; ++field)
        TakeField(rest);
    return ListingLine{rest, size > 0 ? size : 0};
}

} // namespace

std::optional<FileEntry> ParseListingLine(std::string_view line)
{
    const std::optional<ListingLine> cut = CutListingLine(line);
    if (!cut || !IsPlainName(cut->name))
        return std::nullopt;
    return FileEntry{line[0] == 'd' ? FileEntry::Kind::Folder : FileEntry::Kind::File,
                     std::string(cut->name), cut->size};
}

std::optional<std::vector<FileEntry>> ParseStbListing(std::string_view text,
                                                      std::vector<std::string>* refusedFiles)
{
    std::vector<FileEntry> folders;
    std::vector<FileEntry> files;
    bool complete = false;
    ForEach(text, [&](std::string_view line) {
        if (line.starts_with(kListingEnd)) {
            complete = true;
            return false;
        }
        if (std::optional<FileEntry> entry = ParseListingLine(line))
            (entry->isFolder() ? folders : files).push_back(std::move(*entry));
        else if (refusedFiles && line.starts_with('-') && !CutListingLine(line)->name.empty())
            refusedFiles->emplace_back(CutListingLine(line)->name);
        return true;
    });
    if (!complete)
        return std::nullopt;
    folders.insert(folders.end(), std::make_move_iterator(files.begin()),
                   std::make_move_iterator(files.end()));
    return folders;
}
