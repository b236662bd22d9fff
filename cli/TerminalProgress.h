#pragma once

#include "filebrowser/TransferProgress.h"
#include "util/MessageService.h"

#include <chrono>
#include <ostream>
#include <string>

// The transfer progress as one line on a terminal, redrawn at most ten times a second:
// "(3/12) clip 01.ts  45 %  total 12 %  3.4 MB/s  0:12 left". Nothing at all when the stream
// is not a terminal or the user asked for quiet.
class TerminalProgress final : public TransferProgress {
public:
    TerminalProgress(std::ostream& err, bool enabled);
    ~TerminalProgress() override;

    // A run of `totalBytes` starts now.
    void Begin(std::int64_t totalBytes);
    // Takes the line off the screen, so that a message can be printed in its place.
    void Clear();

    void FileStarted(int number, int count, std::string_view name, std::int64_t size) override;
    void FilePercent(int percent) override;
    void TotalPercent(int percent, std::int64_t doneBytes) override;

private:
    void Draw(bool now);

    std::ostream& err_;
    bool enabled_;
    bool shown_ = false;
    std::chrono::steady_clock::time_point start_;
    std::chrono::steady_clock::time_point drawn_;
    std::int64_t totalBytes_ = 0;
    std::int64_t doneBytes_ = 0;
    std::string file_;
    int filePercent_ = 0;
    int totalPercent_ = 0;
};

// Messages with the progress line taken off the screen first.
class MessagesBesideProgress final : public MessageService {
public:
    MessagesBesideProgress(MessageService& messages, TerminalProgress& progress)
        : messages_(messages), progress_(progress)
    {
    }
    Answer Show(const std::string& text, Buttons buttons) override
    {
        progress_.Clear();
        return messages_.Show(text, buttons);
    }

private:
    MessageService& messages_;
    TerminalProgress& progress_;
};
