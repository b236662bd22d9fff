#pragma once

#include "util/MessageService.h"

#include <istream>
#include <ostream>
#include <string>
#include <vector>

// The terminal around a run: where answers to questions are read, and whether standard input
// and the error stream are terminals (prompts and the progress bar need them). The default is
// no terminal at all, as in a pipe or a test.
struct CliConsole {
    std::istream* input = nullptr;
    bool inputIsTerminal = false;
    bool errorIsTerminal = false;

    // The process's own standard input and error.
    static CliConsole Process();
};

// One command of channeltool-cli: its arguments (after the command word), the messages
// interface for failures, and the stream for regular output. Returns the exit status.
// Commands that talk to the terminal (questions, a progress bar) have `runOnConsole` instead,
// which gets the error stream and the console.
struct CliCommand {
    const char* name;
    const char* usage;
    const char* summary;
    int (*run)(const std::vector<std::string>& args, MessageService& messages, std::ostream& out);
    int (*runOnConsole)(const std::vector<std::string>& args, MessageService& messages,
                        std::ostream& err, const CliConsole& console) = nullptr;
};

int RunDump(const std::vector<std::string>& args, MessageService& messages, std::ostream& out);
int RunPack(const std::vector<std::string>& args, MessageService& messages, std::ostream& out);
int RunUnpack(const std::vector<std::string>& args, MessageService& messages, std::ostream& out);
// Box commands: a download or upload over the box's protocol, and the reachability check.
int RunDownload(const std::vector<std::string>& args, MessageService& messages, std::ostream& out);
int RunUpload(const std::vector<std::string>& args, MessageService& messages, std::ostream& out);
// The backups kept of each box, and a database ordered like an older one.
int RunBackups(const std::vector<std::string>& args, MessageService& messages, std::ostream& out);
int RunReorder(const std::vector<std::string>& args, MessageService& messages, std::ostream& out);
int RunPing(const std::vector<std::string>& args, MessageService& messages, std::ostream& out);
// The box's USB storage: its disks, a folder listing and the free space of a partition.
int RunDisks(const std::vector<std::string>& args, MessageService& messages, std::ostream& out);
int RunLs(const std::vector<std::string>& args, MessageService& messages, std::ostream& out);
int RunDf(const std::vector<std::string>& args, MessageService& messages, std::ostream& out);
// Copying and deleting on the box's USB storage, with overwrite questions, a progress bar and
// Ctrl+C: exit status 0 when the run completed, 1 when it failed, 130 when it was cancelled.
int RunGet(const std::vector<std::string>& args, MessageService& messages, std::ostream& err,
           const CliConsole& console);
int RunPut(const std::vector<std::string>& args, MessageService& messages, std::ostream& err,
           const CliConsole& console);
int RunRm(const std::vector<std::string>& args, MessageService& messages, std::ostream& err,
          const CliConsole& console);

// Every command, in the order `--help` lists them.
const std::vector<CliCommand>& CliCommandTable();

// The whole program: argv without the program name.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const CliConsole& console = {});
