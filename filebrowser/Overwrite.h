#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>

// The overwrite mode of one transfer run, which is also the radio choice of the overwrite
// question: ask for each existing file, "All overwrite", "All skip".
enum class OverwriteMode { Ask = -1, All = 0, Skip = 1 };

// The overwrite question for one existing target, shown with `path`: nothing for "No" (skip
// this file), else "Yes" with the radio choice (Ask when none was checked). Called on the
// worker thread; it blocks until answered.
using AskOverwrite = std::function<std::optional<OverwriteMode>(const std::string& path)>;

// Decides, file by file, whether an existing target is replaced. While the mode is Ask it asks;
// "Yes" makes the answer's radio choice the mode. In "All skip" the file is skipped after a
// short pause (so that the progress line can be read), in "All overwrite" it is replaced.
class OverwritePolicy {
public:
    OverwritePolicy(AskOverwrite ask, std::chrono::milliseconds skipPause);
    bool Replace(const std::string& shownPath);

private:
    AskOverwrite ask_;
    std::chrono::milliseconds skipPause_;
    OverwriteMode mode_ = OverwriteMode::Ask;
};
