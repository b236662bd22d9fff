#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

// Drives a modal window that a test is about to open: polls the event loop, and when a new
// modal window (or popup menu) that `accepts` appears, runs `action` on it once. If none
// appears in time it closes whatever modal window is open, so the test fails instead of
// hanging.
class ModalWatcher {
public:
    using Match = std::function<bool(QWidget*)>;
    using Action = std::function<void(QWidget*)>;

    explicit ModalWatcher(Action action, Match accepts = {}, int timeoutMs = 10000);
    ModalWatcher(const ModalWatcher&) = delete;
    ModalWatcher& operator=(const ModalWatcher&) = delete;

    bool ran() const { return ran_; }

    template <class T> static Match IsA()
    {
        return [](QWidget* w) { return dynamic_cast<T*>(w) != nullptr; };
    }
    // Runs `action` on the next new modal window that is a T.
    template <class T, class Fn> static ModalWatcher For(Fn action, int timeoutMs = 10000)
    {
        return ModalWatcher([action](QWidget* w) { action(static_cast<T*>(w)); }, IsA<T>(),
                            timeoutMs);
    }

private:
    void Poll();

    Action action_;
    Match accepts_;
    int timeoutMs_;
    QPointer<QWidget> before_;
    QTimer timer_;
    QElapsedTimer clock_;
    bool ran_ = false;
};
