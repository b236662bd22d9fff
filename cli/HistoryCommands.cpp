// The kept backups of the boxes, and a list ordered like an older one.
#include "chdb/BackupFile.h"
#include "chdb/ReferenceOrder.h"
#include "cli/CliCommands.h"
#include "cli/DatabaseSource.h"
#include "history/BackupHistory.h"

#include <nlohmann/json.hpp>

namespace {

constexpr int kUsageError = 2;

} // namespace

int RunBackups(const std::vector<std::string>& args, MessageService&, std::ostream& out)
{
    std::string format = "text";
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--format" && i + 1 < args.size())
            format = args[++i];
        else if (args[i].starts_with("--format="))
            format = args[i].substr(9);
        else if (args[i].starts_with("--"))
            return kUsageError;
        else
            positional.push_back(args[i]);
    }
    if (positional.size() > 1 || (format != "text" && format != "json"))
        return kUsageError;
    if (!positional.empty() && !BoxFolderName(positional[0]))
        return kUsageError;

    const BackupHistory history;
    const std::vector<KeptBackup> kept =
        positional.empty() ? history.ListAll() : history.List(positional[0]);
    if (format == "json") {
        nlohmann::ordered_json list = nlohmann::ordered_json::array();
        for (const KeptBackup& b : kept)
            list.push_back({{"address", b.address},
                            {"time", b.date + " " + b.time},
                            {"kind", BackupKindName(b.kind)},
                            {"channels", b.channels},
                            {"path", b.path.string()}});
        out << list.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
        return 0;
    }
    for (const KeptBackup& b : kept)
        out << b.address << '\t' << b.date << ' ' << b.time << '\t' << BackupKindName(b.kind)
            << '\t' << b.channels << '\t' << b.path.string() << '\n';
    return 0;
}

int RunReorder(const std::vector<std::string>& args, MessageService& messages, std::ostream& out)
{
    if (args.size() != 3)
        return kUsageError;
    std::optional<ChannelDatabase> db = LoadDatabaseSource(args[0], messages);
    if (!db)
        return 1;
    const std::optional<ChannelDatabase> reference = LoadDatabaseSource(args[1], messages);
    if (!reference)
        return 1;
    const ReorderSummary summary = ApplyReferenceOrder(*db, *reference);
    const std::filesystem::path target = args[2];
    const bool written = IsBackupPath(target) ? ExportBackup(*db, target, messages)
                                              : SaveDatabaseFiles(*db, target, messages);
    if (!written)
        return 1;
    out << ReorderSummaryText(summary) << '\n';
    return 0;
}
