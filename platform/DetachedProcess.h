#pragma once

#include <filesystem>
#include <string>
#include <vector>

// Starts `program` with `arguments` (argv[1..], passed as they are, no shell) in a session of
// its own, with standard input from /dev/null, and does not wait for it: a background thread
// reaps it when it ends, so no zombie stays behind. Safe to call from any thread. False when
// the program could not be started.
bool StartDetachedProcess(const std::filesystem::path& program,
                          const std::vector<std::string>& arguments);
