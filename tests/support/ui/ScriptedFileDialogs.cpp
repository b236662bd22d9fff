#include "tests/support/ui/ScriptedFileDialogs.h"

std::optional<std::string> ScriptedFileDialogs::SaveFile(const FileDialogRequest& request)
{
    return Answer(Kind::Save, request);
}

std::optional<std::string> ScriptedFileDialogs::OpenFile(const FileDialogRequest& request)
{
    return Answer(Kind::Open, request);
}

std::optional<std::string> ScriptedFileDialogs::PickFolder(const std::string& title,
                                                           const std::string& start)
{
    return Answer(Kind::Folder, FileDialogRequest{title, {}, {}, start});
}

void ScriptedFileDialogs::QueueAnswer(std::optional<std::string> answer)
{
    answers_.push_back(std::move(answer));
}

std::optional<std::string> ScriptedFileDialogs::Answer(Kind kind, FileDialogRequest request)
{
    calls_.push_back({kind, std::move(request)});
    if (answers_.empty())
        return std::nullopt;
    auto answer = std::move(answers_.front());
    answers_.pop_front();
    return answer;
}
