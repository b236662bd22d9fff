#pragma once

#include "filebrowser/DownloadWorker.h"
#include "filebrowser/UploadWorker.h"
#include "tests/stbsim/TestBox.h"
#include "tests/support/RecordingMessages.h"

#include <deque>
#include <map>
#include <ostream>

// Readable failure output for entries and items, and short ways to write them.
inline void PrintTo(const FileEntry& entry, std::ostream* out)
{
    *out << (entry.isFolder() ? "Folder(\"" : "File(\"") << entry.name << "\", " << entry.size
         << ")";
}
inline void PrintTo(const TransferItem& item, std::ostream* out)
{
    *out << (item.isFolder() ? "Folder(\"" : "File(\"") << item.path << "\", " << item.size << ")";
}

// Bytes no box should send: NULs, escapes, broken UTF-8, "|" and "..".
inline const std::string kGarbage("\x00\xFF\x1B[2J\r\x7F\xC3(\xF4\x90\x80\x80|..|/\x00\n", 22);

using Rows = std::vector<FileEntry>;
using Texts = std::vector<std::string>;
constexpr auto Dir = [](const char* name, std::int64_t size = 0) {
    return FileEntry::Folder(name, size);
};
constexpr auto File = &FileEntry::File;
inline TransferItem FileItem(const char* path, std::int64_t size = 5)
{
    return {FileEntry::Kind::File, path, size};
}
inline TransferItem FolderItem(const char* path)
{
    return {FileEntry::Kind::Folder, path, 0};
}

inline LinkOptions Reachable(std::chrono::milliseconds receiveTimeout = std::chrono::seconds(5))
{
    return {.isReachable = [](const std::string&) { return true; },
            .receiveTimeout = receiveTimeout};
}

// Progress as lines of text: "(1/2) a.bin (5.0 Byte)", "file 50", "total 25".
class RecordingProgress final : public TransferProgress {
public:
    std::vector<std::string> calls;
    std::function<void(int number)> onFileStarted;

    void FileStarted(int number, int count, std::string_view name, std::int64_t size) override
    {
        calls.push_back(FileLineText(number, count, name, size));
        if (onFileStarted)
            onFileStarted(number);
    }
    void FilePercent(int percent) override { calls.push_back("file " + std::to_string(percent)); }
    void TotalPercent(int percent, std::int64_t) override
    {
        calls.push_back("total " + std::to_string(percent));
    }
};

// What a worker reaches while it runs: messages, progress, overwrite answers (Yes with the
// radio choice, or nothing for No) and the cancel request.
struct WorkerWatch {
    RecordingMessages messages;
    RecordingProgress progress;
    std::deque<std::optional<OverwriteMode>> overwriteAnswers;
    std::atomic<bool> cancel{false};
    LinkOptions link = Reachable();

    TransferHooks Hooks()
    {
        return {messages,
                progress,
                [this](const std::string&) {
                    std::optional<OverwriteMode> answer;
                    if (!overwriteAnswers.empty()) {
                        answer = overwriteAnswers.front();
                        overwriteAnswers.pop_front();
                    }
                    return answer;
                },
                cancel,
                std::chrono::milliseconds(0),
                link};
    }
    // Runs a download or an upload of `items` between the PC folder and `stbPath` on /dev/sda1.
    WorkerResult Transfer(bool download, const std::string& address,
                          const std::filesystem::path& pc, std::string stbPath,
                          const std::vector<TransferItem>& items)
    {
        TransferJob job{address, "/dev/sda1", pc.string(), std::move(stbPath), {}};
        for (const TransferItem& item : items)
            item.isFolder() ? job.list.AddFolder(item.path)
                            : job.list.AddFile(item.path, item.size);
        return download ? DownloadWorker(std::move(job), Hooks()).Run()
                        : UploadWorker(std::move(job), Hooks()).Run();
    }
};

