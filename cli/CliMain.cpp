#include "cli/CliCommands.h"
#include "cli/CliMessages.h"
#include "util/Version.h"

#include <unistd.h>

#include <iostream>

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
        {"get", "get ADDRESS DEVICE REMOTE... LOCALDIR [--overwrite ask|all|skip] [--quiet]",
         "copy files and folders of one box folder into LOCALDIR", nullptr, RunGet},
        {"put", "put ADDRESS DEVICE LOCAL... REMOTEDIR [--overwrite ask|all|skip] [--quiet]",
         "copy files and folders of one PC folder into REMOTEDIR on the box", nullptr, RunPut},
        {"rm", "rm ADDRESS DEVICE REMOTE...", "delete files and folders of one box folder", nullptr,
         RunRm},
    };
    return table;
}

namespace {

void PrintUsage(std::ostream& out)
{
    out << "Usage: channeltool-cli COMMAND [ARGUMENTS]\n\n"
           "SOURCE is a backup file (.ech) or a folder holding chdata.dat, chidx.dat and\n"
           "menudata.dat. DEVICE is a partition as disks prints it (/dev/sda1); PATH is a\n"
           "folder of it from its top (/ or /Movies); REMOTE and LOCAL name files or folders,\n"
           "all in one folder. Existing files are asked about (--overwrite ask) when standard\n"
           "input is a terminal, else skipped. Failures print the program's message on stderr\n"
           "and exit with 1; Ctrl+C cancels a copy cleanly and exits with 130.\n"
           "Backups are kept in $CHANNELTOOL_HISTORY, else $XDG_DATA_HOME/channeltool/backups\n"
           "(~/.local/share/channeltool/backups).\n"
           "channeltool-cli --version prints the version; man channeltool-cli tells more.\n\n"
           "Commands:\n";
    for (const CliCommand& c : CliCommandTable())
        out << "  " << c.usage << "\n      " << c.summary << '\n';
}

} // namespace

CliConsole CliConsole::Process()
{
    return {&std::cin, ::isatty(STDIN_FILENO) == 1, ::isatty(STDERR_FILENO) == 1};
}

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const CliConsole& console)
{
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        PrintUsage(args.empty() ? err : out);
        return args.empty() ? 2 : 0;
    }
    if (args[0] == "--version") {
        out << "channeltool-cli " << kProgramVersion << '\n';
        return 0;
    }
    CliMessages messages(err);
    for (const CliCommand& c : CliCommandTable()) {
        if (args[0] != c.name)
            continue;
        const std::vector<std::string> rest(args.begin() + 1, args.end());
        const int status = c.runOnConsole ? c.runOnConsole(rest, messages, err, console)
                                          : c.run(rest, messages, out);
        if (status == 2)
            err << "Usage: channeltool-cli " << c.usage << '\n';
        return status;
    }
    err << "Unknown command: " << args[0] << "\n\n";
    PrintUsage(err);
    return 2;
}
