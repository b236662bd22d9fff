#pragma once

#include "util/MessageService.h"

#include <ostream>
#include <string>
#include <vector>

// One command of channeltool-cli: its arguments (after the command word), the messages
// interface for failures, and the stream for regular output. Returns the exit status.
struct CliCommand {
    const char* name;
    const char* usage;
    const char* summary;
    int (*run)(const std::vector<std::string>& args, MessageService& messages, std::ostream& out);
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

// Every command, in the order `--help` lists them.
const std::vector<CliCommand>& CliCommandTable();

// The whole program: argv without the program name.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
