#pragma once

#include "platform/ui/FileDialogs.h"
#include "stblink/PlayerLauncher.h"
#include "util/MessageService.h"

// Services for the windows under measure that never block on a user: every message gets the
// same answer, every file dialog is cancelled, no player starts.
class FixedAnswerMessages final : public MessageService {
public:
    explicit FixedAnswerMessages(Answer answer = Answer::Yes) : answer_(answer) {}
    Answer Show(const std::string&, Buttons) override { return answer_; }

private:
    Answer answer_;
};

class NoFiles final : public FileDialogs {
public:
    std::optional<std::string> SaveFile(const FileDialogRequest&) override { return {}; }
    std::optional<std::string> OpenFile(const FileDialogRequest&) override { return {}; }
    std::optional<std::string> PickFolder(const std::string&, const std::string&) override { return {}; }
};

class NoPlayer final : public PlayerLauncher {
public:
    bool Launch() override { return false; }
};
