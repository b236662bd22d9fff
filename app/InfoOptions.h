#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

// "--help" (or "-h") and "--version" anywhere on the command line: prints their text to `out`
// and returns the exit status. Answered before the toolkit starts, so that they work without
// a display. Returns nothing when the program should run.
std::optional<int> AnswerInfoOption(const std::vector<std::string>& args, std::ostream& out);
