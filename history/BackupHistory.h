#pragma once

#include "chdb/ChannelDatabase.h"
#include "util/MessageService.h"

#include <ctime>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What the program saw of each box: after every download and every applied update a backup
// file of what the box holds, kept per box in
//   FOLDER/<address>/YYYYMMDD-HHMMSS-<downloaded|uploaded>[-N].ech
// (local time; -2, -3... when another backup of the same second is kept). The newest
// kBackupsKeptPerBox of each box stay; older ones are removed as new ones come.

enum class BackupKind { Downloaded, Uploaded };
const char* BackupKindName(BackupKind kind); // "downloaded", "uploaded"

inline constexpr int kBackupsKeptPerBox = 30;

struct KeptBackup {
    std::string address; // the box, dotted
    std::string date;    // "YYYY-MM-DD", local time of saving
    std::string time;    // "HH:MM:SS"
    BackupKind kind = BackupKind::Downloaded;
    int channels = 0;
    std::filesystem::path path;
    int sequence = 1; // 2, 3... for the later backups of the same second
};

// $CHANNELTOOL_HISTORY when set, else $XDG_DATA_HOME/channeltool/backups, else
// ~/.local/share/channeltool/backups.
std::filesystem::path DefaultHistoryFolder();

// The box's folder name: the address in plain dotted form ("127.0.0.1"), or nothing for a
// text that is no IPv4 address. Only digits and dots, so it never leaves the history folder.
std::optional<std::string> BoxFolderName(std::string_view address);

class BackupHistory {
public:
    using Clock = std::function<std::time_t()>;

    explicit BackupHistory(std::filesystem::path folder = DefaultHistoryFolder(), Clock now = {});

    const std::filesystem::path& folder() const { return folder_; }

    // Writes the database as a new backup of the box (replacing nothing), then removes the
    // box's backups beyond the newest kBackupsKeptPerBox. Returns the new file's path; when it
    // cannot be written, shows "File write error!" and the path once and returns nothing.
    std::optional<std::filesystem::path> Save(const ChannelDatabase& db, std::string_view address,
                                              BackupKind kind, MessageService& messages) const;

    // The backups of one box, or of every box, newest first. Files that are not intact backup
    // files are left out.
    std::vector<KeptBackup> List(std::string_view address) const;
    std::vector<KeptBackup> ListAll() const;
    // Whether any box has a backup kept; looks at names only.
    bool HasAny() const;

private:
    std::filesystem::path folder_;
    Clock now_;
};

// The backups to offer for a restore: those of `currentAddress`, else of the stored
// "LastConnectIP", else of every box; newest first.
std::vector<KeptBackup> BackupsToOffer(const BackupHistory& history,
                                       const std::string& currentAddress);
