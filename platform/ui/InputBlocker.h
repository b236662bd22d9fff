#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <vector>

// While it lives, the user's input to every window that was open when it was made (clicks,
// keys, wheel, shortcuts, the close box) is dropped before anything sees it, as a window
// blocked by a modal one would ignore it. Windows opened later (dialogs, message boxes, a
// busy indicator) take input as usual; their popups belong to them. UI thread only.
class InputBlocker final : public QObject {
public:
    InputBlocker();
    ~InputBlocker() override;
    InputBlocker(const InputBlocker&) = delete;
    InputBlocker& operator=(const InputBlocker&) = delete;

    // Whether input for `receiver` (a widget, a window, an action, ...) is dropped.
    bool IsBlocked(QObject* receiver) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::vector<QPointer<QWidget>> blocked_;
};
