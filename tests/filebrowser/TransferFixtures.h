#pragma once

#include "filebrowser/TransferJob.h"
#include "tests/support/RecordingMessages.h"

#include <chrono>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <ostream>
#include <sstream>

inline void PrintTo(const TransferItem& item, std::ostream* out)
{
    *out << (item.isFolder() ? "Folder(\"" : "File(\"") << item.path << "\", " << item.size << ")";
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

inline LinkOptions Reachable(std::chrono::milliseconds receiveTimeout = std::chrono::seconds(5))
{
    LinkOptions link;
    link.isReachable = [](const std::string&) { return true; };
    link.receiveTimeout = receiveTimeout;
    return link;
}

// What a worker reaches while it runs: messages, progress, overwrite answers (Yes with the
// radio choice, or nothing for No) and the cancel request.
struct WorkerWatch {
    RecordingMessages messages;
    RecordingProgress progress;
    std::deque<std::optional<OverwriteMode>> overwriteAnswers;
    std::vector<std::string> overwriteAsked;
    std::atomic<bool> cancel{false};
    LinkOptions link = Reachable();

    TransferHooks Hooks()
    {
        return {messages, progress,
                [this](const std::string& path) {
                    overwriteAsked.push_back(path);
                    std::optional<OverwriteMode> answer;
                    if (!overwriteAnswers.empty()) {
                        answer = overwriteAnswers.front();
                        overwriteAnswers.pop_front();
                    }
                    return answer;
                },
                cancel, std::chrono::milliseconds(0), link};
    }
};

// A folder tree as relative path -> contents ("/" for a folder).
inline std::map<std::string, std::string> ReadTree(const std::filesystem::path& root)
{
    std::map<std::string, std::string> tree;
    for (const auto& item : std::filesystem::recursive_directory_iterator(root)) {
        std::stringstream bytes;
        if (item.is_regular_file())
            bytes << std::ifstream(item.path(), std::ios::binary).rdbuf();
        tree[item.path().lexically_relative(root).string()] =
            item.is_directory() ? "/" : bytes.str();
    }
    return tree;
}
