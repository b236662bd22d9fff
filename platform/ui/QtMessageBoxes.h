#pragma once

#include "util/MessageService.h"

#include <QPointer>
#include <QWidget>

// The program's message boxes: caption "pelon-i" (catalogue entry 0), no icon, OK or Yes/No.
// A box is modal over the window in front (the active modal dialog, else the owner given
// here). Callable from any thread: from a worker the box runs on the UI thread and the worker
// waits for the answer.
class QtMessageBoxes final : public MessageService {
public:
    explicit QtMessageBoxes(QWidget* owner = nullptr);

    Answer Show(const std::string& text, Buttons buttons) override;
    void SetOwner(QWidget* owner);

private:
    Answer ShowHere(const std::string& text, Buttons buttons);

    QPointer<QWidget> owner_;
};
