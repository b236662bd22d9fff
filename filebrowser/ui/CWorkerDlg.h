#pragma once

#include "filebrowser/WorkerControl.h"
#include "filebrowser/ui/BrowserServices.h"
#include "platform/SocketCancel.h"
#include "platform/ui/CDialog.h"

#include <QTimer>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

// What the busy window (CWaitDlg) and the progress window (CProgressDlg) share: one worker run
// behind a window that is on screen before the work starts and ends only when the work is over.
//
// OnInitDialog arms a start timer (10, 20 or 50); when it fires, the worker runs on a thread of
// its own. The worker reaches the window only through the platform layer: its message boxes
// (shown over this window while the worker waits for the answer), RunWithUser for its own
// questions, and at its end timer 30 (success) or 40 (failure or cancel), whose expiry ends the
// window with 1 or 2. "Cancel" sets the cancel request, which the worker polls and asks
// "Cancel?" about. A worker stuck in a call to a box that stopped answering cannot poll: when it
// has not taken the request after a second, the window takes it and asks itself, and Yes shuts
// the worker's connection so that the run ends at once, as cancelled; nothing the worker would
// still show comes up. Enter and Escape do nothing, and there is no close box.
class CWorkerDlg : public CDialog {
    Q_OBJECT

public:
    // The timer protocol: every timer has this period.
    static constexpr int kTimerMs = 500;
    static constexpr int kTimerSucceeded = 30;
    static constexpr int kTimerFailed = 40;

    ~CWorkerDlg() override;

protected:
    CWorkerDlg(const DialogTemplate& dialog, BrowserServices services, QWidget* parent);

    // Sets the timer that starts the worker; called from OnInitDialog.
    void ArmStartTimer(int id);
    // The work, on the worker thread, with the messages, cancel request and link it is to use.
    virtual WorkerResult RunWorker(MessageService& messages, std::atomic<bool>& cancelRequested,
                                   const LinkOptions& link) = 0;
    // On the window thread: as the worker starts, and once it is over before the window ends.
    virtual void OnWorkerStarted() {}
    virtual void OnWorkerFinished() {}
    // From the worker: runs `ask` on the window thread and waits for it. False, without running
    // it, once the run was cancelled from the window.
    bool RunWithUser(const std::function<void()>& ask);
    // Ends a worker still running (cancelled, its connection shut) and waits for it. Derived
    // windows call it first in their destructors, while what the worker uses still exists.
    void StopWorker();

    void OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    void OnTimer(int id) override;

private:
    class WorkerMessages;

    void StartWorker();
    void OnCancelButton();
    void TakeStalledRequest();

    BrowserServices services_;
    std::unique_ptr<WorkerMessages> messages_;
    SocketCancel socketCancel_;
    std::atomic<bool> cancelRequested_ = false;
    std::atomic<bool> done_ = false;
    std::atomic<bool> stopping_ = false;
    std::atomic<int> waitingOnUser_ = 0;
    bool cancelConfirmed_ = false; // window thread
    bool asking_ = false;          // window thread: its own "Cancel?" is open
    int startTimer_ = 0;
    QTimer stallWatch_;
    std::thread worker_;
};
