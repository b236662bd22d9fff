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
    enum class Kind { Save, Open, Folder };
    struct Call {
        Kind kind;
        FileDialogRequest request;
    };

    std::optional<std::string> SaveFile(const FileDialogRequest& request) override;
    std::optional<std::string> OpenFile(const FileDialogRequest& request) override;
    std::optional<std::string> PickFolder(const std::string& title,
                                          const std::string& start) override;

    // The next answer: a path, or std::nullopt for cancel.
    void QueueAnswer(std::optional<std::string> answer);
    const std::vector<Call>& calls() const { return calls_; }

private:
    std::optional<std::string> Answer(Kind kind, FileDialogRequest request);

    std::vector<Call> calls_;
    std::deque<std::optional<std::string>> answers_;
};
