// The box's USB storage: disks, listings and free space, over the file browser's core.
#include "cli/BoxStorage.h"
#include "cli/CliCommands.h"
#include "filebrowser/FolderSummary.h"
#include "filebrowser/StbStorage.h"

#include <nlohmann/json.hpp>

#include <cinttypes>
#include <cstdio>
#include <optional>

namespace {

constexpr int kUsageError = 2;

struct Arguments {
    std::vector<std::string> positional;
    std::string format = "text";
    bool valid = true;
};

// Positional arguments and "--format F" (or "--format=F", text or json when allowed).
Arguments ReadArguments(const std::vector<std::string>& args, bool formatAllowed)
{
    Arguments out;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (formatAllowed && args[i] == "--format" && i + 1 < args.size())
            out.format = args[++i];
        else if (formatAllowed && args[i].starts_with("--format="))
            out.format = args[i].substr(9);
        else if (args[i].starts_with("--"))
            out.valid = false;
        else
            out.positional.push_back(args[i]);
    }
    out.valid = out.valid && (out.format == "text" || out.format == "json");
    return out;
}

// Names from the box are bytes; JSON wants UTF-8, so what is not shows as U+FFFD.
void WriteJson(const nlohmann::ordered_json& value, std::ostream& out)
{
    out << value.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
}

} // namespace

int RunDisks(const std::vector<std::string>& args, MessageService& messages, std::ostream& out)
{
    const Arguments a = ReadArguments(args, true);
    if (!a.valid || a.positional.size() != 1)
        return kUsageError;
    StbStorage storage(a.positional[0], messages);
    const std::optional<std::vector<StbDisk>> disks = storage.QueryDisks();
    if (!disks)
        return 1;
    if (a.format == "json") {
        nlohmann::ordered_json list = nlohmann::ordered_json::array();
        for (const StbDisk& disk : *disks)
            list.push_back({{"device", disk.device}, {"label", disk.label}, {"size", disk.size}});
        WriteJson(list, out);
    } else {
        for (const StbDisk& disk : *disks)
            out << disk.label << '\t' << disk.device << '\t' << disk.size << '\n';
    }
    return 0;
}

int RunLs(const std::vector<std::string>& args, MessageService& messages, std::ostream& out)
{
    const Arguments a = ReadArguments(args, true);
    if (!a.valid || a.positional.size() < 2 || a.positional.size() > 3)
        return kUsageError;
    const std::optional<std::string> path =
        BrowserPath(a.positional.size() == 3 ? a.positional[2] : "/");
    if (!path)
        return kUsageError;
    StbStorage storage(a.positional[0], messages);
    std::optional<std::vector<FileEntry>> rows;
    std::optional<std::int64_t> freeBytes;
    {
        MountedDisk mounted(storage, a.positional[1]);
        if (!mounted || !(rows = storage.ListFolder(*path)) ||
            !(freeBytes = storage.QueryFreeSpace(a.positional[1])))
            return 1;
    }
    std::erase_if(*rows, [](const FileEntry& row) { return row.isParent(); });
    if (a.format == "json") {
        nlohmann::ordered_json entries = nlohmann::ordered_json::array();
        for (const FileEntry& row : *rows)
            entries.push_back({{"kind", row.isFolder() ? "folder" : "file"},
                               {"name", row.name},
                               {"size", row.size}});
        WriteJson({{"path", *path}, {"free", *freeBytes}, {"entries", entries}}, out);
        return 0;
    }
    for (const FileEntry& row : *rows) {
        char head[32];
        std::snprintf(head, sizeof head, "%c%14" PRId64 "  ", row.isFolder() ? 'd' : '-', row.size);
        out << head << row.name << '\n';
    }
    out << FormatFolderSummary(Summarize(*rows)) << '\n';
    return 0;
}

int RunDf(const std::vector<std::string>& args, MessageService& messages, std::ostream& out)
{
    const Arguments a = ReadArguments(args, false);
    if (!a.valid || a.positional.size() != 2)
        return kUsageError;
    StbStorage storage(a.positional[0], messages);
    std::optional<std::int64_t> freeBytes;
    {
        MountedDisk mounted(storage, a.positional[1]);
        if (!mounted || !(freeBytes = storage.QueryFreeSpace(a.positional[1])))
            return 1;
    }
    out << *freeBytes << '\n';
    return 0;
}
