#pragma once

#include "util/MessageService.h"

#include <deque>
#include <mutex>
#include <string>
#include <vector>

// Records every message and answers questions from a script (Yes when the script is empty).
class RecordingMessages final : public MessageService {
public:
    struct Shown {
        std::string text;
        Buttons buttons;
    };

    Answer Show(const std::string& text, Buttons buttons) override;

    void QueueAnswer(Answer answer);
    std::vector<Shown> shown() const;
    std::vector<std::string> texts() const;
    // The most recent text, or empty.
    std::string last() const;
    void clear();

private:
    mutable std::mutex mutex_;
    std::vector<Shown> shown_;
    std::deque<Answer> answers_;
};
