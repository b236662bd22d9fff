#pragma once

#include "chdb/DatabaseState.h"
#include "stblink/LinkOptions.h"
#include "util/MessageService.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

// Asks for the box address, pre-filled; nothing when the user cancels. The GUI shows its
// connect dialog, the CLI passes the address it was given.
using AskAddress = std::function<std::optional<std::string>(const std::string& prefill)>;

inline constexpr const char* kReportFileName = "ChannelData.dat";
// A report is a few kilobytes; a box that streams far more is broken, and we do not let it
// fill the disk.
inline constexpr std::int64_t kMaxReportBytes = 4 * 1024 * 1024;

enum class DownloadStatus {
    Cancelled,      // nothing happened
    FailedDataKept, // a message was shown; the data shown before is still shown
    FailedNoData,   // the old data was cleared and the new could not be loaded or parsed
    Success,        // the new data is shown, TV selected
};

struct DownloadResult {
    DownloadStatus status = DownloadStatus::Cancelled;
    std::string report; // on success: the report exactly as the box sent it
};

// Downloads the three database files and the report through `workDir` into `state` (address
// dialog pre-filled with the current address, else "LastConnectIP"). On success the address
// becomes the current one and is stored before the files are loaded; the files are deleted
// from `workDir` after the load. Failures show their message; see DownloadStatus for the
// state they leave.
//
// A size reply above the file's fixed size is refused with "Data error!" before the data is
// requested, and a report above kMaxReportBytes ends the download with "Data error!", so a
// broken box cannot make the program write unbounded data.
DownloadResult DownloadDatabase(DatabaseState& state, const std::filesystem::path& workDir,
                                MessageService& messages, const AskAddress& askAddress,
                                const LinkOptions& options = {});

enum class UpdateStatus {
    Cancelled,   // no data shown, "Update STB?" answered No, or the address dialog cancelled
    Failed,      // the files did not all reach the box; nothing changed
    ApplyFailed, // the box took the files but did not apply them; address stored, still modified
    Success,     // applied: "Update STB" shown, modified flag cleared
};

// Sends the three images (each written to `workDir` first, where it stays) and tells the box
// to apply them. Asks "Update STB?" first; asks for the address only when there is no current
// one (pre-filled with "LastConnectIP"). Once all three files were accepted the address
// becomes the current one and is stored, whether or not the apply succeeded.
UpdateStatus UpdateDatabase(DatabaseState& state, const std::filesystem::path& workDir,
                            MessageService& messages, const AskAddress& askAddress,
                            const LinkOptions& options = {});
