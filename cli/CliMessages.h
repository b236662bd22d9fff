#pragma once

#include "util/MessageService.h"

#include <ostream>

// Messages as single lines on a stream (stderr). Questions are answered Yes: running the
// command already was the user's confirmation.
class CliMessages final : public MessageService {
public:
    explicit CliMessages(std::ostream& out) : out_(out) {}
    Answer Show(const std::string& text, Buttons buttons) override;

private:
    std::ostream& out_;
};
