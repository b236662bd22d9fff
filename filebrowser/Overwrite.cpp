#include "filebrowser/Overwrite.h"

#include <thread>

OverwritePolicy::OverwritePolicy(AskOverwrite ask, std::chrono::milliseconds skipPause)
    : ask_(std::move(ask)), skipPause_(skipPause)
{
}

bool OverwritePolicy::Replace(const std::string& shownPath)
{
    if (mode_ == OverwriteMode::Ask) {
        const std::optional<OverwriteMode> answer = ask_ ? ask_(shownPath) : std::nullopt;
        if (!answer)
            return false;
        mode_ = *answer;
    }
    if (mode_ == OverwriteMode::Skip) {
        if (skipPause_.count() > 0)
            std::this_thread::sleep_for(skipPause_);
        return false;
    }
    return true;
}
