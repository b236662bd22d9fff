#include "cli/CliMessages.h"

MessageService::Answer CliMessages::Show(const std::string& text, Buttons buttons)
{
    if (buttons == Buttons::YesNo)
        return Answer::Yes;
    // "message\n\ndetail" becomes "message: detail" so that every message is one line.
    std::string line = text;
    for (std::size_t at; (at = line.find("\n\n")) != std::string::npos;)
        line.replace(at, 2, ": ");
    for (char& c : line)
        if (c == '\n')
            c = ' ';
    out_ << line << '\n';
    return Answer::Ok;
}
