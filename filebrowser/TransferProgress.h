#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Where a transfer worker shows its progress: the progress dialog with its file line and two
// bars (from the worker thread, so an implementation hands the values to the window thread),
// the CLI with a bar on the terminal. Calls come only when something visible changes: a
// percentage is reported only when it is greater than the one shown last, so a transfer makes
// at most a few hundred calls per file whatever its size.
class TransferProgress {
public:
    virtual ~TransferProgress() = default;
    // A file's turn, before any of it moves: the line above the bars (FileLineText), the file
    // bar back to 0 and "0 %". `number` counts from 1 every file reached, skipped ones too.
    virtual void FileStarted(int number, int count, std::string_view name, std::int64_t size) = 0;
    virtual void FilePercent(int percent) = 0;
    // `doneBytes`: the bytes the total is counted from (finished files and this one so far).
    virtual void TotalPercent(int percent, std::int64_t doneBytes) = 0;
};

// "(3/12) clip 01.ts (14.6 KB)"
std::string FileLineText(int number, int count, std::string_view name, std::int64_t size);

// The progress arithmetic of one transfer run: whole percentages in 64 bits, reported only
// when they grow; skipped and failed files count as finished with their listed size, so the
// total still reaches its end. A size of 0 is never divided by: an empty file shows 100 %
// once it is done, and a run of empty files only shows its total at the end.
class ProgressTracker {
public:
    ProgressTracker(TransferProgress& progress, std::int64_t totalBytes, int fileCount);

    // A file's turn: its line, the file bar back to 0, the total for what finished so far.
    // The file's percentage is taken of its listed size until SetFileSize says otherwise.
    void StartFile(std::string_view name, std::int64_t listedSize);
    // The size the box announced for the file (download).
    void SetFileSize(std::int64_t size);
    // After each block: the file percentage and, when it grew, the total.
    void AddBytes(std::int64_t count);
    // The file moved completely and counts `bytes` towards the total.
    void FileDone(std::int64_t bytes);
    // The file was skipped or failed: it counts with its listed size.
    void FileSkipped();
    // The run succeeded: the total shows 100 %.
    void Complete();

private:
    static int Percent(std::int64_t done, std::int64_t size);
    void ShowTotal();

    TransferProgress& progress_;
    std::int64_t totalBytes_;
    int fileCount_;
    int fileNumber_ = 0;
    std::int64_t finishedBytes_ = 0;
    std::int64_t listedSize_ = 0;
    std::int64_t fileSize_ = 0;
    std::int64_t fileBytes_ = 0;
    int lastFilePercent_ = 0;
    int lastTotalPercent_ = 0;
};
