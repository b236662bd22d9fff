#pragma once

#include "cli/CliCommands.h"

#include <optional>
#include <sstream>
#include <string>
#include <vector>

// One run of channeltool-cli with its exit status and both output streams.
struct CliRun {
    int status;
    std::string out;
    std::string err;

    // The exit status and the error output in one text, so that a failed check shows both.
    std::string result() const { return std::to_string(status) + " " + err; }
};

// With `answers`, standard input is a terminal that types them.
inline CliRun Cli(const std::vector<std::string>& args, const std::optional<std::string>& answers = {})
{
    std::istringstream input(answers.value_or(""));
    std::ostringstream out, err;
    const int status = RunCli(args, out, err, answers ? CliConsole{&input, true, false} : CliConsole{});
    return {status, out.str(), err.str()};
}
