#include "platform/ui/BusyCall.h"

#include "platform/ui/BusyIndicator.h"
#include "platform/ui/InputBlocker.h"
#include "platform/ui/UiThread.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <exception>
#include <memory>
#include <thread>

// Everything of one run. The worker reaches it only through RunOnUi and the cancel state;
// the clock and the indicator belong to the window thread.
class BusyCall::Session final : public QObject {
public:
    Session(QWidget* window, MessageService& messages) : window_(window), messages_(*this, messages)
    {
        delay_.setSingleShot(true);
        delay_.setTimerType(Qt::PreciseTimer);
        connect(&delay_, &QTimer::timeout, this, [this] { ShowIndicator(); });
    }

    bool Run(const std::function<void(BusyCall&)>& operation)
    {
        const InputBlocker blocker;
        QEventLoop loop;
        std::exception_ptr failure;
        BusyCall call(*this);
        sinceResume_.start();
        ScheduleIndicator();
        std::thread worker([&] {
            try {
                operation(call);
            } catch (...) {
                failure = std::current_exception();
            }
            finished_ = true;
            QMetaObject::invokeMethod(
                this, [&loop] { loop.quit(); }, Qt::QueuedConnection);
        });
        loop.exec();
        if (!finished_) {
            // The program is quitting (every event loop was told to end): call the exchange
            // off, and serve what it still asks of this thread until it has returned.
            cancelled_ = true;
            cancel_.Cancel();
            while (!finished_) {
                QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        }
        worker.join();
        delay_.stop();
        if (indicator_) {
            indicator_.reset();
            if (window_)
                window_->window()->activateWindow();
        }
        if (failure)
            std::rethrow_exception(failure);
        return cancelled_;
    }

    MessageService& messages() { return messages_; }
    SocketCancel& cancel() { return cancel_; }
    bool cancelled() const { return cancelled_; }

    void RunOnUi(const std::function<void()>& fn)
    {
        std::exception_ptr failure;
        // The session outlives the worker, so the call always runs.
        RunOnUiThread(this, [&] {
            PauseClock();
            try {
                fn();
            } catch (...) {
                failure = std::current_exception();
            }
            ResumeClock();
        });
        if (failure)
            std::rethrow_exception(failure);
    }

private:
    // The caller's service behind the worker: shown on the window thread, silent after Cancel.
    class Messages final : public MessageService {
    public:
        Messages(Session& session, MessageService& shown) : session_(session), shown_(shown) {}

        Answer Show(const std::string& text, Buttons buttons) override
        {
            Answer answer = buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
            if (!session_.cancelled())
                session_.RunOnUi([&] {
                    if (!session_.cancelled())
                        answer = shown_.Show(text, buttons);
                });
            return answer;
        }

    private:
        Session& session_;
        MessageService& shown_;
    };

    // The indicator counts only the time the operation waits for the box or the disk.
    void PauseClock()
    {
        if (paused_++ > 0)
            return;
        waited_ += sinceResume_.elapsed();
        delay_.stop();
    }

    void ResumeClock()
    {
        if (--paused_ > 0)
            return;
        sinceResume_.restart();
        ScheduleIndicator();
    }

    void ScheduleIndicator()
    {
        if (!indicator_)
            delay_.start(
                static_cast<int>(std::max<qint64>(0, kBusyIndicatorDelay.count() - waited_)));
    }

    void ShowIndicator()
    {
        // An operation that has just finished must not flash the indicator up.
        if (paused_ > 0 || indicator_ || finished_)
            return;
        indicator_ = std::make_unique<BusyIndicator>(window_.data());
        connect(indicator_.get(), &BusyIndicator::cancelRequested, this, [this] {
            cancelled_ = true;
            cancel_.Cancel();
        });
        indicator_->Popup();
    }

    QPointer<QWidget> window_;
    Messages messages_;
    SocketCancel cancel_;
    std::atomic<bool> cancelled_ = false;
    std::atomic<bool> finished_ = false;
    QTimer delay_;
    QElapsedTimer sinceResume_;
    qint64 waited_ = 0;
    int paused_ = 0;
    std::unique_ptr<BusyIndicator> indicator_;
};

MessageService& BusyCall::messages()
{
    return session_.messages();
}

SocketCancel& BusyCall::cancel()
{
    return session_.cancel();
}

bool BusyCall::cancelled() const
{
    return session_.cancelled();
}

void BusyCall::RunOnUi(const std::function<void()>& fn)
{
    session_.RunOnUi(fn);
}

bool RunBusyCall(QWidget* window, MessageService& messages,
                 const std::function<void(BusyCall& call)>& operation)
{
    BusyCall::Session session(window, messages);
    return session.Run(operation);
}
