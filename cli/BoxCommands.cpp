#include "chdb/BackupFile.h"
#include "cli/CliCommands.h"
#include "cli/DatabaseSource.h"
#include "history/BackupHistory.h"
#include "net/Ping.h"
#include "platform/PrivateFolder.h"
#include "stblink/DatabaseTransfer.h"
#include "util/AtomicFile.h"

#include <algorithm>
#include <filesystem>

namespace {

constexpr int kUsageError = 2;

// "Update STB" tells of success, so it goes to the regular output, not among the failures.
class SuccessNotice final : public MessageService {
public:
    SuccessNotice(MessageService& failures, std::ostream& out) : failures_(failures), out_(out) {}
    Answer Show(const std::string& text, Buttons buttons) override
    {
        if (buttons == Buttons::Ok && text == GetMessageText(MsgId::UpdateStb)) {
            out_ << text << '\n';
            return Answer::Ok;
        }
        return failures_.Show(text, buttons);
    }

private:
    MessageService& failures_;
    std::ostream& out_;
};

// The positional arguments; false when "--no-history" turned the history off.
bool TakeHistoryOption(std::vector<std::string>& args)
{
    const auto option = std::remove(args.begin(), args.end(), std::string("--no-history"));
    const bool wanted = option == args.end();
    args.erase(option, args.end());
    return wanted;
}

AskAddress Given(const std::string& address)
{
    return [address](const std::string&) { return std::optional<std::string>(address); };
}

} // namespace

int RunDownload(const std::vector<std::string>& arguments, MessageService& messages, std::ostream&)
{
    std::vector<std::string> args = arguments;
    const bool history = TakeHistoryOption(args);
    if (args.size() != 2)
        return kUsageError;
    const std::filesystem::path target = args[1];
    // The transfers pass their files through it, never through the user's folders.
    PrivateFolder work;
    if (work.path().empty()) {
        ShowMessage(messages, MsgId::FileWriteError);
        return 1;
    }
    DatabaseState state;
    const DownloadResult result = DownloadDatabase(state, work.path(), messages, Given(args[0]));
    if (result.status != DownloadStatus::Success)
        return 1;
    // A history file that cannot be written is reported and does not fail the download.
    if (history)
        BackupHistory().Save(state.db, args[0], BackupKind::Downloaded, messages);
    if (IsBackupPath(target))
        return ExportBackup(state.db, target, messages) ? 0 : 1;
    if (!SaveDatabaseFiles(state.db, target, messages))
        return 1;
    const std::filesystem::path report = target / kReportFileName;
    const AtomicWriteResult written =
        WriteFileAtomically(report, result.report.data(), result.report.size());
    if (written != AtomicWriteResult::Ok) {
        ShowMessage(messages,
                    written == AtomicWriteResult::OpenFailed ? MsgId::FileOpenError
                                                             : MsgId::FileWriteError,
                    report.string());
        return 1;
    }
    return 0;
}

int RunUpload(const std::vector<std::string>& arguments, MessageService& messages, std::ostream& out)
{
    std::vector<std::string> args = arguments;
    const bool history = TakeHistoryOption(args);
    if (args.size() != 2)
        return kUsageError;
    std::optional<ChannelDatabase> db = LoadDatabaseSource(args[0], messages);
    if (!db)
        return 1;
    PrivateFolder work;
    if (work.path().empty()) {
        ShowMessage(messages, MsgId::FileWriteError);
        return 1;
    }
    DatabaseState state;
    state.db = std::move(*db);
    state.list = 0;
    state.stbAddress = args[1];
    SuccessNotice notices(messages, out);
    if (UpdateDatabase(state, work.path(), notices, Given(args[1])) != UpdateStatus::Success)
        return 1;
    if (history)
        BackupHistory().Save(state.db, args[1], BackupKind::Uploaded, messages);
    return 0;
}

int RunPing(const std::vector<std::string>& args, MessageService& messages, std::ostream& out)
{
    if (args.size() != 1)
        return kUsageError;
    CPing ping;
    ping.Ping(args[0]);
    if (!ping.resultText().empty())
        out << ping.resultText() << '\n';
    if (ping.reply() == 1)
        return 0;
    ShowMessage(messages, MsgId::ConnectionFailed);
    return 1;
}
