#pragma once

#include <QObject>

#include <array>
#include <csignal>

class QSocketNotifier;

// While one lives, SIGTERM, SIGINT and SIGHUP do not kill the process: the window thread ends
// every event loop as the program's own exit would (open dialogs return as if cancelled, box
// exchanges and workers are called off), so that destructors run and the private folder goes.
// The signal handler only writes the signal's number into a pipe; a notifier on the window
// thread reads it. After the first signal the previous handling is back, so a second one ends
// a program that is stuck on the way out. A signal that was ignored when it was made (nohup, a
// background job) stays ignored. One at a time.
class QuitOnSignals final : public QObject {
    Q_OBJECT

public:
    static constexpr std::array<int, 3> kSignals{SIGTERM, SIGINT, SIGHUP};

    QuitOnSignals();
    ~QuitOnSignals() override;
    QuitOnSignals(const QuitOnSignals&) = delete;
    QuitOnSignals& operator=(const QuitOnSignals&) = delete;

    // The signal that arrived, or 0.
    int received() const { return received_; }

private:
    void OnPipeReadable();
    void RestoreHandlers();

    std::array<int, 2> pipe_{-1, -1};
    QSocketNotifier* notifier_ = nullptr;
    std::array<struct sigaction, kSignals.size()> previous_{};
    bool installed_ = false;
    int received_ = 0;
};
