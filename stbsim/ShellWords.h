#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Splits one simple command line into words the way a POSIX shell reads quotes and
// backslashes: blanks separate words; outside quotes a backslash keeps the next character;
// single quotes keep everything; inside double quotes a backslash escapes only $ ` " \ and
// newline. Anything a shell would expand, redirect or treat as another command ($, `, |, &, ;,
// <, >, (, ), glob characters, a leading ~ or #, an unquoted newline) is refused rather than
// taken literally, and so is an unterminated quote. Nothing is ever run.
std::optional<std::vector<std::string>> SplitShellWords(std::string_view line);
