#pragma once

#include "util/MessageCatalog.h"

#include <string>

// How the core reports problems and asks questions: the GUI shows a message box, the CLI
// writes to stderr, tests record. Implementations may be called from worker threads and
// block the caller until the answer is known.
class MessageService {
public:
    enum class Buttons { Ok, YesNo };
    enum class Answer { Ok, Yes, No };

    virtual ~MessageService() = default;
    virtual Answer Show(const std::string& text, Buttons buttons) = 0;
};

// A catalogue message in an OK box.
void ShowMessage(MessageService& messages, MsgId id);
// A catalogue message, a blank line and a detail such as a path ("%s\n\n%s").
void ShowMessage(MessageService& messages, MsgId id, const std::string& detail);
// A Yes/No question; true only for Yes.
bool AskYesNo(MessageService& messages, MsgId id);
