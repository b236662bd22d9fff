#include "tests/support/RecordingMessages.h"

MessageService::Answer RecordingMessages::Show(const std::string& text, Buttons buttons)
{
    std::lock_guard lock(mutex_);
    shown_.push_back({text, buttons});
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    if (answers_.empty())
        return Answer::Yes;
    const Answer answer = answers_.front();
    answers_.pop_front();
    return answer;
}

void RecordingMessages::QueueAnswer(Answer answer)
{
    std::lock_guard lock(mutex_);
    answers_.push_back(answer);
}

std::vector<RecordingMessages::Shown> RecordingMessages::shown() const
{
    std::lock_guard lock(mutex_);
    return shown_;
}

std::vector<std::string> RecordingMessages::texts() const
{
    std::lock_guard lock(mutex_);
    std::vector<std::string> texts;
    for (const Shown& s : shown_)
        texts.push_back(s.text);
    return texts;
}

std::string RecordingMessages::last() const
{
    std::lock_guard lock(mutex_);
    return shown_.empty() ? std::string() : shown_.back().text;
}

void RecordingMessages::clear()
{
    std::lock_guard lock(mutex_);
    shown_.clear();
    answers_.clear();
}
