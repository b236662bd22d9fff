#include "cli/CliCommands.h"
#include "cli/CliMessages.h"

const std::vector<CliCommand>& CliCommandTable()
{
    static const std::vector<CliCommand> table = {
        {"dump", "dump SOURCE [--format text|json|csv]",
         "show a backup file or a folder of database files", RunDump},
        {"pack", "pack FOLDER BACKUP", "make a backup file from a folder's three database files",
         RunPack},
        {"unpack", "unpack BACKUP FOLDER",
         "write a backup file's three database files into a folder", RunUnpack},
        {"download", "download ADDRESS TARGET [--no-history]",
         "download the box's database into a backup file (.ech) or a folder; a copy is kept "
         "among the box's backups unless --no-history",
         RunDownload},
        {"upload", "upload SOURCE ADDRESS [--no-history]",
         "send a backup file's or a folder's database to the box and apply it; what the box "
         "then holds is kept among its backups unless --no-history",
         RunUpload},
        {"backups", "backups [ADDRESS] [--format text|json]",
         "list the kept backups of the box (of every box without ADDRESS), newest first: "
         "address, date and time, downloaded or uploaded, channels, path",
         RunBackups},
        {"reorder", "reorder NEW LIKE OUTPUT",
         "order NEW's channels like LIKE's and take LIKE's user lists; write OUTPUT (.ech: a "
         "backup file, else a folder) and print how many channels were matched, moved and "
         "not found",
         RunReorder},
        {"ping", "ping ADDRESS",
         "check that the box answers an echo request (exit 1 when it does not)", RunPing},
        {"disks", "disks ADDRESS [--format text|json]",
         "list the box's USB disks and partitions: label, device, size in bytes", RunDisks},
        {"ls", "ls ADDRESS DEVICE [PATH] [--format text|json]",
         "mount DEVICE (as disks prints it) and list PATH of it (default /), then release it",
         RunLs},
        {"df", "df ADDRESS DEVICE", "mount DEVICE and print its free bytes, then release it",
         RunDf},
    };
    return table;
}

namespace {

void PrintUsage(std::ostream& out)
{
    out << "Usage: channeltool-cli COMMAND [ARGUMENTS]\n\n"
           "SOURCE is a backup file (.ech) or a folder holding chdata.dat, chidx.dat and\n"
           "menudata.dat. DEVICE is a partition as disks prints it (/dev/sda1); PATH is a\n"
           "folder of it from its top (/ or /Movies). Failures print the program's message on\n"
           "stderr and exit with 1. Backups are kept in $CHANNELTOOL_HISTORY, else\n"
           "$XDG_DATA_HOME/channeltool/backups (~/.local/share/channeltool/backups).\n\n"
           "Commands:\n";
    for (const CliCommand& c : CliCommandTable())
        out << "  " << c.usage << "\n      " << c.summary << '\n';
}

} // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        PrintUsage(args.empty() ? err : out);
        return args.empty() ? 2 : 0;
    }
    CliMessages messages(err);
    for (const CliCommand& c : CliCommandTable()) {
        if (args[0] != c.name)
            continue;
        const int status = c.run({args.begin() + 1, args.end()}, messages, out);
        if (status == 2)
            err << "Usage: channeltool-cli " << c.usage << '\n';
        return status;
    }
    err << "Unknown command: " << args[0] << "\n\n";
    PrintUsage(err);
    return 2;
}
