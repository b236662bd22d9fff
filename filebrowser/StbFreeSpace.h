#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

inline constexpr std::string_view kCommandEnd = "SIG_COMMAND_SUCCESS";

// The "df DEVICE" command line the free-space query sends; a device path that holds anything
// a shell would read specially goes quoted, so it can never run a command on the box.
std::string FreeSpaceCommand(std::string_view device);

// The free bytes of `device` in a df reply: the available 1 KiB blocks (the fourth field) of
// the last line that starts with the device, times 1024; 0 when no line does. The device
// must be followed by a blank, so "/dev/sda1" never reads the line of "/dev/sda10". Nothing
// without the line that begins with the end marker.
std::optional<std::int64_t> ParseFreeSpace(std::string_view text, std::string_view device);
