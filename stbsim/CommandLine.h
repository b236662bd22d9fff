#pragma once

#include "stbsim/Fault.h"
#include "stbsim/StbSimulator.h"

#include <string>
#include <vector>

// The stbsim command line.
struct CommandLine {
    StbSimulator::Options options;
    std::vector<FaultRule> faults;
    bool help = false;
    bool version = false;
    std::string error; // not empty when the line is wrong
};

CommandLine ParseCommandLine(const std::vector<std::string>& args);
// The text of --help: options, the state directory and the fault modes.
const char* HelpText();
