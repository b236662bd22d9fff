#include "chdb/BackupFile.h"
#include "cli/CliCommands.h"
#include "cli/DatabaseSource.h"
#include "cli/DumpFormats.h"

namespace {

constexpr int kUsageError = 2;

} // namespace

int RunDump(const std::vector<std::string>& args, MessageService& messages, std::ostream& out)
{
    std::string format = "text";
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--format" && i + 1 < args.size())
            format = args[++i];
        else if (args[i].rfind("--format=", 0) == 0)
            format = args[i].substr(9);
        else
            positional.push_back(args[i]);
    }
    if (positional.size() != 1 || (format != "text" && format != "json" && format != "csv"))
        return kUsageError;
    const auto db = LoadDatabaseSource(positional[0], messages);
    if (!db)
        return 1;
    if (format == "json")
        WriteDatabaseJson(*db, out);
    else if (format == "csv")
        WriteDatabaseCsv(*db, out);
    else
        WriteDatabaseSummary(*db, out);
    return 0;
}

int RunPack(const std::vector<std::string>& args, MessageService& messages, std::ostream&)
{
    if (args.size() != 2)
        return kUsageError;
    ChannelDatabase db;
    if (!db.LoadFromFolder(args[0])) {
        ShowMessage(messages, MsgId::FileReadError);
        return 1;
    }
    return ExportBackup(db, args[1], messages) ? 0 : 1;
}

int RunUnpack(const std::vector<std::string>& args, MessageService& messages, std::ostream&)
{
    if (args.size() != 2)
        return kUsageError;
    const auto db = ReadBackup(args[0], messages);
    if (!db)
        return 1;
    return SaveDatabaseFiles(*db, args[1], messages) ? 0 : 1;
}
