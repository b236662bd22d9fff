#pragma once

#include "platform/ui/FileDialogs.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

// Records every file-dialog request and answers from a script (cancel when it is empty).
// A folder request is recorded with its title and start in a FileDialogRequest.
class ScriptedFileDialogs final : public FileDialogs {
public:
    struct Call {
        FileDialogRequest request;
    };

    std::optional<std::string> SaveFile(const FileDialogRequest& request) override
    {
        return Answer(request);
    }
    std::optional<std::string> OpenFile(const FileDialogRequest& request) override
    {
        return Answer(request);
    }
    std::optional<std::string> PickFolder(const std::string& title,
                                          const std::string& start) override
    {
        return Answer({title, {}, {}, start});
    }

    // The next answer: a path, or std::nullopt for cancel.
    void QueueAnswer(std::optional<std::string> answer) { answers_.push_back(std::move(answer)); }
    const std::vector<Call>& calls() const { return calls_; }

private:
    std::optional<std::string> Answer(FileDialogRequest request)
    {
        calls_.push_back({std::move(request)});
        if (answers_.empty())
            return std::nullopt;
        auto answer = std::move(answers_.front());
        answers_.pop_front();
        return answer;
    }

    std::vector<Call> calls_;
    std::deque<std::optional<std::string>> answers_;
};
