#include "history/BackupHistory.h"

#include "chdb/BackupFile.h"
#include "util/AtomicFile.h"
#include "util/Settings.h"

#include <arpa/inet.h>

#include <algorithm>
#include <cstdlib>
#include <tuple>

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kExtension = ".ech";
constexpr std::size_t kStampSize = 15; // YYYYMMDD-HHMMSS

struct BackupName {
    std::string stamp;
    BackupKind kind = BackupKind::Downloaded;
    int sequence = 1;
    fs::path path;
};

// Newest first: by time, then by the number the later ones of one second get.
bool Newer(const BackupName& a, const BackupName& b)
{
    return std::tie(a.stamp, a.sequence) > std::tie(b.stamp, b.sequence);
}

bool AllDigits(std::string_view text)
{
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::optional<BackupName> ParseName(std::string_view name)
{
    if (name.size() < kStampSize + kExtension.size() || !name.ends_with(kExtension))
        return std::nullopt;
    name.remove_suffix(kExtension.size());
    const std::string_view stamp = name.substr(0, kStampSize);
    if (!AllDigits(stamp.substr(0, 8)) || stamp[8] != '-' || !AllDigits(stamp.substr(9)))
        return std::nullopt;
    BackupName parsed;
    parsed.stamp = stamp;
    std::string_view rest = name.substr(kStampSize);
    bool known = false;
    for (BackupKind kind : {BackupKind::Downloaded, BackupKind::Uploaded}) {
        const std::string word = std::string("-") + BackupKindName(kind);
        if (rest.starts_with(word)) {
            parsed.kind = kind;
            rest.remove_prefix(word.size());
            known = true;
        }
    }
    if (!known)
        return std::nullopt;
    if (rest.empty())
        return parsed;
    // "-N" with N from 2 up, no leading zero, short enough to be a count.
    if (rest.size() < 2 || rest.size() > 7 || rest[0] != '-' || rest[1] == '0' ||
        !AllDigits(rest.substr(1)))
        return std::nullopt;
    parsed.sequence = std::atoi(std::string(rest.substr(1)).c_str());
    return parsed.sequence >= 2 ? std::optional(parsed) : std::nullopt;
}

std::string FileName(const std::string& stamp, BackupKind kind, int sequence)
{
    std::string name = stamp + "-" + BackupKindName(kind);
    if (sequence > 1)
        name += "-" + std::to_string(sequence);
    return name + std::string(kExtension);
}

// The backups in one box's folder by name, newest first. Only regular files count: a link
// or a folder that looks like one is not ours to list or remove.
std::vector<BackupName> Names(const fs::path& boxFolder)
{
    std::vector<BackupName> names;
    std::error_code ec;
    for (fs::directory_iterator it(boxFolder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code statEc;
        if (!fs::is_regular_file(it->symlink_status(statEc)))
            continue;
        if (auto name = ParseName(it->path().filename().string())) {
            name->path = it->path();
            names.push_back(std::move(*name));
        }
    }
    std::sort(names.begin(), names.end(), Newer);
    return names;
}

std::vector<fs::path> BoxFolders(const fs::path& folder)
{
    std::vector<fs::path> boxes;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        std::error_code statEc;
        if (BoxFolderName(name) == name && it->is_directory(statEc))
            boxes.push_back(it->path());
    }
    return boxes;
}

std::vector<KeptBackup> Describe(const std::string& address, const std::vector<BackupName>& names)
{
    std::vector<KeptBackup> kept;
    for (const BackupName& n : names) {
        const std::optional<int> channels = PeekBackupChannelCount(n.path);
        if (!channels)
            continue;
        const std::string& s = n.stamp;
        kept.push_back({address, s.substr(0, 4) + "-" + s.substr(4, 2) + "-" + s.substr(6, 2),
                        s.substr(9, 2) + ":" + s.substr(11, 2) + ":" + s.substr(13, 2), n.kind,
                        *channels, n.path, n.sequence});
    }
    return kept;
}

} // namespace

const char* BackupKindName(BackupKind kind)
{
    return kind == BackupKind::Uploaded ? "uploaded" : "downloaded";
}

fs::path DefaultHistoryFolder()
{
    if (const char* over = std::getenv("CHANNELTOOL_HISTORY"); over && *over)
        return over;
    // A relative XDG_DATA_HOME is invalid and ignored, as the base directory rules say.
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg == '/')
        return fs::path(xdg) / "channeltool" / "backups";
    const char* home = std::getenv("HOME");
    return fs::path(home && *home ? home : ".") / ".local" / "share" / "channeltool" / "backups";
}

std::optional<std::string> BoxFolderName(std::string_view address)
{
    // The forms the connection accepts (inet_aton), written the one plain way: "127.1" and
    // "127.0.0.1" are the same box.
    in_addr parsed{};
    if (address.empty() || address.find('\0') != std::string_view::npos ||
        inet_aton(std::string(address).c_str(), &parsed) == 0)
        return std::nullopt;
    char text[INET_ADDRSTRLEN] = {};
    if (!inet_ntop(AF_INET, &parsed, text, sizeof text))
        return std::nullopt;
    return std::string(text);
}

BackupHistory::BackupHistory(fs::path folder, Clock now)
    : folder_(std::move(folder)), now_(std::move(now))
{
}

std::optional<fs::path> BackupHistory::Save(const ChannelDatabase& db, std::string_view address,
                                            BackupKind kind, MessageService& messages) const
{
    const std::optional<std::string> box = BoxFolderName(address);
    if (!box) {
        ShowMessage(messages, MsgId::FileWriteError, std::string(address));
        return std::nullopt;
    }
    const fs::path boxFolder = folder_ / *box;
    const std::time_t now = now_ ? now_() : std::time(nullptr);
    std::tm local{};
    char stamp[32] = {};
    if (!localtime_r(&now, &local) ||
        std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local) != kStampSize) {
        ShowMessage(messages, MsgId::FileWriteError, boxFolder.string());
        return std::nullopt;
    }

    std::error_code ec;
    fs::create_directories(boxFolder, ec);
    std::vector<BackupName> names = Names(boxFolder);
    // Later backups of the same second count on from the greatest number kept, so that the
    // names sort in the order the backups were made, whatever their kind.
    int sequence = 1;
    for (const BackupName& n : names)
        if (n.stamp == stamp)
            sequence = std::max(sequence, n.sequence + 1);
    const fs::path path = boxFolder / FileName(stamp, kind, sequence);
    const std::vector<std::uint8_t> image = BuildBackupImage(db);
    if (WriteFileAtomically(path, image.data(), image.size()) != AtomicWriteResult::Ok) {
        ShowMessage(messages, MsgId::FileWriteError, path.string());
        return std::nullopt;
    }

    names = Names(boxFolder);
    for (std::size_t i = kBackupsKeptPerBox; i < names.size(); ++i)
        fs::remove(names[i].path, ec);
    return path;
}

std::vector<KeptBackup> BackupHistory::List(std::string_view address) const
{
    const std::optional<std::string> box = BoxFolderName(address);
    if (!box)
        return {};
    return Describe(*box, Names(folder_ / *box));
}

std::vector<KeptBackup> BackupHistory::ListAll() const
{
    std::vector<KeptBackup> all;
    for (const fs::path& box : BoxFolders(folder_)) {
        std::vector<KeptBackup> kept = Describe(box.filename().string(), Names(box));
        all.insert(all.end(), kept.begin(), kept.end());
    }
    std::sort(all.begin(), all.end(), [](const KeptBackup& a, const KeptBackup& b) {
        return std::tie(b.date, b.time, b.sequence, a.address) <
               std::tie(a.date, a.time, a.sequence, b.address);
    });
    return all;
}

bool BackupHistory::HasAny() const
{
    const std::vector<fs::path> boxes = BoxFolders(folder_);
    return std::any_of(boxes.begin(), boxes.end(),
                       [](const fs::path& box) { return !Names(box).empty(); });
}

std::vector<KeptBackup> BackupsToOffer(const BackupHistory& history,
                                       const std::string& currentAddress)
{
    for (const std::string& address : {currentAddress, ReadLastConnectIp()})
        if (std::vector<KeptBackup> kept = history.List(address); !kept.empty())
            return kept;
    return history.ListAll();
}
