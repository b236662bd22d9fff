#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// A small file-backed stand-in for the machine registry: text values under key paths, kept
// in one file that every write replaces as a whole. A missing, unreadable or corrupt file
// reads as "no values". The location is $CHANNELTOOL_REGISTRY when set, else
// $XDG_CONFIG_HOME/channeltool/registry (or ~/.config/channeltool/registry).
enum class RegRoot { LocalMachine, CurrentUser };
enum class RegType { String };

// Windows error codes, as the callers of the registry expect them.
inline constexpr long kRegSuccess = 0;
inline constexpr long kRegFileNotFound = 2;
inline constexpr long kRegAccessDenied = 5;
inline constexpr long kRegMoreData = 234;

// Copies the value's text into `out` and returns 0, or returns the error and leaves `out`
// unchanged. Values hold at most 1023 characters, like the 1024-byte buffer callers pass.
long RegReadString(RegRoot root, std::string_view keyPath, std::string_view valueName,
                   std::string& out);
// Stores the text (creating the key) and returns 0, or returns the error.
long RegWriteString(RegRoot root, std::string_view keyPath, std::string_view valueName,
                    RegType type, std::string_view text);

std::filesystem::path RegistryFilePath();
