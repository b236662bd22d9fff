// The storage half of a session: disks, mount, listings, commands and file transfers.
#include "stbsim/BoxPath.h"
#include "stbsim/BoxSession.h"
#include "stbsim/DemoState.h"
#include "stbsim/ShellWords.h"
#include "stbsim/Storage.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr std::uint64_t kMaxFileSize = std::uint64_t{1} << 40;

struct Place {
    Volume volume;
    fs::path root;
    BoxPath path;
    fs::path host;
};

// A request's path on the mounted partition, or nothing when none is mounted, the path lies
// outside it, or a folder on the way is a link or missing.
std::optional<Place> Locate(const BoxState& state, std::string_view text)
{
    std::optional<Volume> volume = state.Mounted();
    std::optional<BoxPath> path = BoxPath::Parse(text);
    if (!volume || !path)
        return std::nullopt;
    const fs::path root = state.FolderOf(*volume);
    if (!path->ParentsAreFolders(root))
        return std::nullopt;
    fs::path host = path->On(root);
    return Place{std::move(*volume), root, std::move(*path), std::move(host)};
}

bool IsAllZero(std::span<const char> bytes)
{
    static const char kZeros[4096] = {};
    for (std::size_t at = 0; at < bytes.size(); at += sizeof kZeros)
        if (std::memcmp(bytes.data() + at, kZeros, std::min(sizeof kZeros, bytes.size() - at)) != 0)
            return false;
    return true;
}

bool HasShellSyntax(std::string_view text)
{
    return text.find_first_of("\"'\\$`") != std::string_view::npos;
}

} // namespace

BoxSession::Reply BoxSession::Mount(const std::string& args)
{
    return Reply::Of(context_.state.Mount(args) ? "SIG_MOUNT_SUCCESS" : "SIG_MOUNT_ERROR");
}

BoxSession::Reply BoxSession::Unmount()
{
    context_.state.Unmount();
    // The program reads no reply here; tests may wait for it.
    return Reply::Of("SIG_MOUNT_SUCCESS");
}

BoxSession::Reply BoxSession::DiskInfo() const
{
    return Reply::WithMarker(BuildDiskReport(context_.state.disks()), "SIG_DISK_INFO_END");
}

BoxSession::Reply BoxSession::Listing(const std::string& args) const
{
    const std::optional<Place> place = Locate(context_.state, args);
    std::optional<std::string> listing;
    if (place)
        listing = storage::ListFolder(place->host, std::time(nullptr));
    if (!listing)
        return Reply::Of("SIG_DISK_FILE_INFO_ERROR");
    return Reply::WithMarker(std::move(*listing), "SIG_DISK_FILE_INFO_END");
}

BoxSession::Reply BoxSession::Command(const std::string& line)
{
    const Reply failed = Reply::Of("SIG_COMMAND_ERROR");
    std::optional<std::vector<std::string>> words;
    // The program sends du paths without quotes; when nothing in them looks like shell
    // syntax, the whole rest of the line is the path, inner blanks included.
    if (line.starts_with("du ") && !HasShellSyntax(line)) {
        const std::size_t start = line.find_first_not_of(' ', 3);
        if (start == std::string::npos)
            return failed;
        words = std::vector<std::string>{"du", line.substr(start)};
    } else {
        words = SplitShellWords(line);
    }
    if (!words || words->empty())
        return failed;
    const std::string& verb = words->front();
    const std::vector<std::string> rest(words->begin() + 1, words->end());

    if (verb == "df") {
        std::vector<Volume> volumes;
        if (rest.empty())
            volumes = context_.state.disks().Volumes();
        else if (rest.size() == 1 && context_.state.disks().FindVolume(rest[0]))
            volumes.push_back(*context_.state.disks().FindVolume(rest[0]));
        else
            return failed;
        const std::optional<Volume> mounted = context_.state.Mounted();
        std::string table;
        for (const Volume& volume : volumes) {
            const std::uint64_t total = volume.bytes / 1024;
            const std::uint64_t free = context_.state.FreeBytes(volume) / 1024;
            const std::string on = mounted && mounted->device == volume.device
                                       ? std::string(kMountPoint)
                                       : "/media/" + volume.folder;
            const std::string lines = storage::DiskFree(volume.device, total, total - free, on);
            // One header for the table.
            table += table.empty() ? lines : lines.substr(lines.find('\n') + 1);
        }
        return Reply::WithMarker(std::move(table), "SIG_COMMAND_SUCCESS");
    }
    if (verb == "du" && rest.size() == 1) {
        const std::optional<Place> place = Locate(context_.state, rest[0]);
        std::optional<std::string> usage;
        if (place)
            usage = storage::DiskUsage(place->host, rest[0]);
        if (!usage)
            return failed;
        return Reply::WithMarker(std::move(*usage), "SIG_COMMAND_SUCCESS", true);
    }
    if (verb == "mkdir" && rest.size() == 1) {
        const std::optional<Place> place = Locate(context_.state, rest[0]);
        if (!place || storage::MakeFolder(place->host) != storage::Result::Ok)
            return failed;
        return Reply::Of("SIG_COMMAND_SUCCESS");
    }
    if (verb == "rm") {
        bool recursive = false;
        bool force = false;
        std::vector<std::string> operands;
        for (const std::string& word : rest) {
            if (operands.empty() && word.size() > 1 && word[0] == '-') {
                for (char option : word.substr(1)) {
                    if (option == 'r' || option == 'R')
                        recursive = true;
                    else if (option == 'f')
                        force = true;
                    else
                        return failed;
                }
            } else {
                operands.push_back(word);
            }
        }
        if (operands.size() != 1)
            return failed;
        const std::optional<Place> place = Locate(context_.state, operands[0]);
        if (!place || place->path.isRoot())
            return failed;
        struct stat st {};
        const bool exists = ::lstat(place->host.c_str(), &st) == 0;
        if (!force && !exists)
            return failed;
        const storage::Result result =
            recursive ? storage::RemoveTree(place->host) : storage::RemoveFile(place->host);
        if (exists && S_ISDIR(st.st_mode))
            context_.state.TreeRemoved(place->volume);
        else if (exists && S_ISREG(st.st_mode) && result == storage::Result::Ok)
            context_.state.FileChanged(place->volume, 0, static_cast<std::uint64_t>(st.st_size));
        return Reply::Of(result == storage::Result::Ok ? "SIG_COMMAND_SUCCESS"
                                                       : "SIG_COMMAND_ERROR");
    }
    return failed;
}

BoxSession::Reply BoxSession::FileSize(const std::string& args) const
{
    const std::optional<Place> place = Locate(context_.state, args);
    struct stat st {};
    if (!place || ::lstat(place->host.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return Reply::Of("0");
    return Reply::Of(std::to_string(st.st_size));
}

BoxSession::Reply BoxSession::FileContent(const std::string& args) const
{
    const std::optional<Place> place = Locate(context_.state, args);
    Reply reply;
    reply.kind = Reply::Kind::Nothing; // no such file: the connection closes
    if (!place)
        return reply;
    const int fd = ::open(place->host.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    struct stat st {};
    if (fd < 0)
        return reply;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return reply;
    }
    reply.kind = Reply::Kind::File;
    reply.fd = fd;
    reply.size = static_cast<std::uint64_t>(st.st_size);
    return reply;
}

BoxSession::Next BoxSession::UploadFile(const std::string& args, const std::string& request,
                                        const std::optional<Fault>& fault)
{
    const Reply refused = Reply::Of("SIG_SET_FILE_ERROR");
    const std::size_t bar = args.rfind('|');
    if (bar == std::string::npos)
        return Deliver(refused, fault, request);
    const std::optional<std::uint64_t> size =
        ParseCount(std::string_view(args).substr(bar + 1), kMaxFileSize);
    const std::optional<Place> place =
        Locate(context_.state, std::string_view(args).substr(0, bar));
    if (!size || !place || place->path.isRoot())
        return Deliver(refused, fault, request);
    struct stat st {};
    std::uint64_t replacing = 0;
    if (::lstat(place->host.c_str(), &st) == 0) {
        if (!S_ISREG(st.st_mode))
            return Deliver(refused, fault, request); // a folder or a link is never written through
        replacing = static_cast<std::uint64_t>(st.st_size);
    }
    if (!context_.state.Reserve(place->volume, *size, replacing)) {
        Reply full = refused;
        full.outcome = "SIG_SET_FILE_ERROR (no room)";
        return Deliver(full, fault, request);
    }
    // The bytes arrive in a file of their own that takes the final name only when complete,
    // so a broken upload leaves no half file behind.
    const fs::path tempFolder = context_.state.dir() / statedir::kTempFolder;
    std::error_code ec;
    fs::create_directories(tempFolder, ec);
    std::string temp = (tempFolder / "upload-XXXXXX").string();
    const int fd = ::mkstemp(temp.data());
    struct Cleanup {
        BoxState& state;
        const Volume& volume;
        std::uint64_t size;
        int fd;
        const std::string& temp;
        ~Cleanup()
        {
            if (fd >= 0) {
                ::close(fd);
                ::unlink(temp.c_str());
            }
            state.Release(volume, size);
        }
    } cleanup{context_.state, place->volume, *size, fd, temp};
    if (fd < 0)
        return Deliver(refused, fault, request);
    ::fchmod(fd, 0644);

    if (Deliver(Reply::Of("SIG_SET_FILE_OK"), fault, request) == Next::Close)
        return Next::Close;
    if (*size == 0)
        socket_.Pause(context_.emptyUploadPause);
    bool written = true;
    std::uint64_t received = 0;
    const bool complete = socket_.ReceiveExact(*size, [&](std::span<const char> piece) {
        received += piece.size();
        // After a write error the rest is still read, so that the dialogue stays in step.
        // Zero bytes become a hole: a sparse recording sent back stays sparse here too.
        const bool zeros = IsAllZero(piece);
        written = written &&
                  (zeros ? ::lseek(fd, static_cast<off_t>(piece.size()), SEEK_CUR) >= 0
                         : ::write(fd, piece.data(), piece.size()) ==
                               static_cast<ssize_t>(piece.size()));
        return true;
    });
    const std::string stored = BoxLog::Printable(request) + " data";
    if (!complete) {
        context_.log.Request(stored, "incomplete after " + std::to_string(received) +
                                         " bytes, removed, closed");
        return Next::Close;
    }
    const std::optional<Fault> after = TakeFault("SIG_SET_FILE_START", "", true);
    if (Refuses(after))
        return Refuse(*after, stored);
    written = ::ftruncate(fd, static_cast<off_t>(*size)) == 0 && ::close(fd) == 0 && written;
    cleanup.fd = -1;
    // The folder may have gone while the bytes came in; it is looked up again.
    const std::optional<Place> target =
        Locate(context_.state, std::string_view(args).substr(0, bar));
    const bool stored_ok = written && target && ::rename(temp.c_str(), target->host.c_str()) == 0;
    if (stored_ok)
        context_.state.FileChanged(place->volume, *size, replacing);
    if (!stored_ok) {
        ::unlink(temp.c_str());
        return Deliver(refused, after, stored);
    }
    return Deliver(Reply::Of("SIG_SET_FILE_OK"), after, stored);
}
