// Copying and deleting on the box's USB storage, over the file browser's workers.
#include "cli/BoxStorage.h"
#include "cli/CliCommands.h"
#include "cli/InterruptScope.h"
#include "cli/TerminalProgress.h"
#include "filebrowser/DownloadWorker.h"
#include "filebrowser/PcFolder.h"
#include "filebrowser/PcFolderExpansion.h"
#include "filebrowser/StbDeletionWorker.h"
#include "filebrowser/StbFolderExpansion.h"
#include "filebrowser/UploadWorker.h"

#include <filesystem>
#include <functional>

namespace fs = std::filesystem;

namespace {

constexpr int kUsageError = 2;

struct Arguments {
    std::vector<std::string> positional;
    std::string overwrite; // "" until given
    bool quiet = false;
    bool valid = true;
};

// Positional arguments, "--overwrite MODE" (or "--overwrite=MODE") and "--quiet" where copying.
Arguments ReadArguments(const std::vector<std::string>& args, bool copying)
{
    Arguments out;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (copying && args[i] == "--overwrite" && i + 1 < args.size())
            out.overwrite = args[++i];
        else if (copying && args[i].starts_with("--overwrite="))
            out.overwrite = args[i].substr(12);
        else if (copying && args[i] == "--quiet")
            out.quiet = true;
        else if (args[i].starts_with("--"))
            out.valid = false;
        else
            out.positional.push_back(args[i]);
    }
    out.valid = out.valid && (out.overwrite.empty() || out.overwrite == "ask" ||
                              out.overwrite == "all" || out.overwrite == "skip");
    return out;
}

int ExitStatus(WorkerResult result)
{
    return result == WorkerResult::Success ? 0 : result == WorkerResult::Failed ? 1 : 130;
}

// The box items REMOTE... as one folder and the names in it; nothing when they are not all
// in one folder (or one is "/" or not a box path).
std::optional<BoxItem> CommonBoxFolder(const std::vector<std::string>& paths,
                                       std::vector<std::string>& names)
{
    std::optional<BoxItem> folder;
    for (const std::string& path : paths) {
        const std::optional<BoxItem> item = SplitBoxPath(path);
        if (!item || (folder && item->parent != folder->parent))
            return std::nullopt;
        folder = item;
        names.push_back(item->name);
    }
    return folder;
}

// The rows of `listing` named by `names`, in the order given, as a selection in the browser
// would hold them. A name the listing does not have shows `missing` with `shown[i]`.
std::optional<std::vector<FileEntry>> Pick(const std::vector<FileEntry>& listing,
                                           const std::vector<std::string>& names,
                                           const std::vector<std::string>& shown, MsgId missing,
                                           MessageService& messages)
{
    std::vector<FileEntry> rows;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const auto row = std::find_if(listing.begin(), listing.end(), [&](const FileEntry& entry) {
            return !entry.isParent() && entry.name == names[i];
        });
        if (row == listing.end()) {
            ShowMessage(messages, missing, shown[i]);
            return std::nullopt;
        }
        rows.push_back(*row);
    }
    return rows;
}

// What happens to a file that exists already: the mode given, else a question on the terminal
// when standard input is one, else skipped. Each skipped file is named.
class OverwriteAnswers final {
public:
    OverwriteAnswers(const std::string& mode, const CliConsole& console, std::ostream& err,
                     TerminalProgress& progress, std::atomic<bool>& interrupted)
        : mode_(!mode.empty() ? mode : console.inputIsTerminal ? "ask" : "skip"),
          input_(console.input), err_(err), progress_(progress), interrupted_(interrupted)
    {
    }

    // Yes without a radio choice replaces this one file: the CLI keeps "all" and "skip"
    // itself, so that every skipped file is named and no file waits.
    std::optional<OverwriteMode> operator()(const std::string& path)
    {
        while (mode_ == "ask") {
            progress_.Clear();
            err_ << "Overwrite " << path << "? [y]es, [n]o, [a]ll, [s]kip all: " << std::flush;
            std::string answer;
            if (!input_ || !std::getline(*input_, answer) || interrupted_) {
                err_ << '\n';
                return Skipped(path);
            }
            if (answer == "y" || answer == "yes")
                return OverwriteMode::Ask;
            if (answer == "n" || answer == "no")
                return Skipped(path);
            if (answer == "a" || answer == "all")
                mode_ = "all";
            else if (answer == "s" || answer == "skip all")
                mode_ = "skip";
        }
        return mode_ == "all" ? std::optional(OverwriteMode::Ask) : Skipped(path);
    }

private:
    std::optional<OverwriteMode> Skipped(const std::string& path)
    {
        progress_.Clear();
        err_ << "Skipped, it exists: " << path << '\n';
        return std::nullopt;
    }

    std::string mode_;
    std::istream* input_;
    std::ostream& err_;
    TerminalProgress& progress_;
    std::atomic<bool>& interrupted_;
};

// Everything a copy needs around its worker, in the order it must be taken down: the disk is
// released before Ctrl+C gets its old meaning back and before the last line is finished.
struct CopySession {
    CopySession(MessageService& messages, std::ostream& err, const CliConsole& console,
                const Arguments& a)
        : progress(err, console.errorIsTerminal && !a.quiet), messages(messages, progress),
          answers(a.overwrite, console, err, progress, interrupt.flag()),
          storage(a.positional[0], this->messages)
    {
    }

    TransferHooks Hooks()
    {
        return {messages, progress, std::ref(answers), interrupt.flag(), std::chrono::milliseconds(0)};
    }

    TerminalProgress progress;
    MessagesBesideProgress messages;
    InterruptScope interrupt;
    OverwriteAnswers answers;
    StbStorage storage;
};

} // namespace

int RunGet(const std::vector<std::string>& args, MessageService& messages, std::ostream& err,
           const CliConsole& console)
{
    const Arguments a = ReadArguments(args, true);
    if (!a.valid || a.positional.size() < 4)
        return kUsageError;
    const std::vector<std::string> remote(a.positional.begin() + 2, a.positional.end() - 1);
    std::vector<std::string> names;
    const std::optional<BoxItem> folder = CommonBoxFolder(remote, names);
    const std::string& localDir = a.positional.back();
    if (!folder)
        return kUsageError;
    if (!fs::is_directory(localDir)) {
        err << "Not a folder: " << localDir << '\n';
        return kUsageError;
    }
    CopySession session(messages, err, console, a);
    MountedDisk mounted(session.storage, a.positional[1]);
    std::optional<std::vector<FileEntry>> listing;
    std::optional<std::vector<FileEntry>> rows;
    if (!mounted || !(listing = session.storage.ListFolder(folder->parent)) ||
        !(rows = Pick(*listing, names, remote, MsgId::FileNotExist, session.messages)))
        return 1;
    TransferSelection selection = SplitSelection(*rows);
    if (!selection.folders.empty()) {
        StbFolderExpansion expansion(a.positional[0], folder->parent, selection.folders,
                                     session.messages, session.interrupt.flag());
        if (const WorkerResult result = expansion.Run(); result != WorkerResult::Success)
            return ExitStatus(result);
        selection.files.Append(expansion.result());
    }
    if (!CheckTransferStart(selection.files, PcFreeBytes(localDir), session.messages))
        return 1;
    session.progress.Begin(selection.files.totalBytes);
    DownloadWorker worker(
        {a.positional[0], a.positional[1], localDir, folder->parent, std::move(selection.files)},
        session.Hooks());
    return ExitStatus(worker.Run());
}

int RunPut(const std::vector<std::string>& args, MessageService& messages, std::ostream& err,
           const CliConsole& console)
{
    const Arguments a = ReadArguments(args, true);
    if (!a.valid || a.positional.size() < 4)
        return kUsageError;
    const std::optional<std::string> remoteDir = BrowserPath(a.positional.back());
    const std::vector<std::string> local(a.positional.begin() + 2, a.positional.end() - 1);
    std::optional<fs::path> folder;
    std::vector<std::string> names;
    for (const std::string& path : local) {
        fs::path source = fs::absolute(path).lexically_normal();
        if (!source.has_filename())
            source = source.parent_path();
        if (!IsPlainName(source.filename().string()) ||
            (folder && source.parent_path() != *folder))
            return kUsageError;
        folder = source.parent_path();
        names.push_back(source.filename().string());
    }
    if (!remoteDir)
        return kUsageError;

    CopySession session(messages, err, console, a);
    const std::optional<std::vector<FileEntry>> rows =
        Pick(ReadPcFolder(folder->string()), names, local, MsgId::FileOpenError, session.messages);
    if (!rows)
        return 1;
    TransferSelection selection = SplitSelection(*rows);
    PcFolderExpansion expansion(folder->string(), selection.folders, session.messages,
                                session.interrupt.flag());
    if (const WorkerResult result = expansion.Run(); result != WorkerResult::Success)
        return ExitStatus(result);
    selection.files.Append(expansion.result());

    MountedDisk mounted(session.storage, a.positional[1]);
    std::optional<std::int64_t> freeBytes;
    if (!mounted || !session.storage.ListFolder(*remoteDir) ||
        !(freeBytes = session.storage.QueryFreeSpace(a.positional[1])) ||
        !CheckTransferStart(selection.files, *freeBytes, session.messages))
        return 1;
    session.progress.Begin(selection.files.totalBytes);
    UploadWorker worker({a.positional[0], a.positional[1], folder->string(), *remoteDir,
                         std::move(selection.files)},
                        session.Hooks());
    return ExitStatus(worker.Run());
}

int RunRm(const std::vector<std::string>& args, MessageService& messages, std::ostream&,
          const CliConsole&)
{
    const Arguments a = ReadArguments(args, false);
    if (!a.valid || a.positional.size() < 3)
        return kUsageError;
    const std::vector<std::string> remote(a.positional.begin() + 2, a.positional.end());
    std::vector<std::string> names;
    const std::optional<BoxItem> folder = CommonBoxFolder(remote, names);
    if (!folder)
        return kUsageError;
    InterruptScope interrupt;
    StbStorage storage(a.positional[0], messages);
    MountedDisk mounted(storage, a.positional[1]);
    std::optional<std::vector<FileEntry>> listing;
    std::optional<std::vector<FileEntry>> rows;
    if (!mounted || !(listing = storage.ListFolder(folder->parent)) ||
        !(rows = Pick(*listing, names, remote, MsgId::FileNotExist, messages)))
        return 1;
    StbDeletionWorker worker(a.positional[0], folder->parent, std::move(*rows), messages,
                             interrupt.flag());
    return ExitStatus(worker.Run());
}
