#include "filebrowser/ui/CWorkerDlg.h"

#include "platform/ui/UiThread.h"
#include "res/ResourceIds.h"

#include <QCoreApplication>
#include <QPushButton>

#include <chrono>

namespace {

// How long a worker may leave a cancel request untaken before the window concludes that it is
// stuck in a blocking call. A working transfer polls after every block.
constexpr int kStallPatienceMs = 1000;

} // namespace

// The worker's messages: shown on the window thread, where a cancel confirmed by the window is
// known without a race. After that nothing shows any more; a "Cancel?" the worker still asks is
// answered Yes, which is what the user said.
class CWorkerDlg::WorkerMessages final : public MessageService {
public:
    WorkerMessages(CWorkerDlg& dialog, MessageService& shown) : dialog_(dialog), shown_(shown) {}

    Answer Show(const std::string& text, Buttons buttons) override
    {
        Answer answer = buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
        dialog_.RunWithUser([&] { answer = shown_.Show(text, buttons); });
        return answer;
    }

private:
    CWorkerDlg& dialog_;
    MessageService& shown_;
};

CWorkerDlg::CWorkerDlg(const DialogTemplate& dialog, BrowserServices services, QWidget* parent)
    : CDialog(dialog, parent), services_(std::move(services)),
      messages_(std::make_unique<WorkerMessages>(*this, services_.messages))
{
    stallWatch_.setSingleShot(true);
    connect(&stallWatch_, &QTimer::timeout, this, [this] { TakeStalledRequest(); });
    MapCommand(IDC_BUTTON_CANCEL, [this] { OnCancelButton(); });
}

CWorkerDlg::~CWorkerDlg()
{
    StopWorker();
}

void CWorkerDlg::OnInitDialog()
{
    SetSwallowEnterEscape(true);
    if (auto* cancel = DlgItem<QPushButton>(IDC_BUTTON_CANCEL)) {
        cancel->setAutoDefault(false);
        cancel->setFocus(Qt::OtherFocusReason);
    }
}

void CWorkerDlg::ArmStartTimer(int id)
{
    startTimer_ = id;
    SetTimer(id, kTimerMs);
}

void CWorkerDlg::OnTimer(int id)
{
    if (id == startTimer_ && !worker_.joinable()) {
        KillTimer(id);
        StartWorker();
    } else if (id == kTimerSucceeded || id == kTimerFailed) {
        // The window's own question is open: end when it has been answered.
        if (asking_)
            return;
        KillTimer(id);
        stallWatch_.stop();
        if (worker_.joinable())
            worker_.join();
        OnWorkerFinished();
        // A run the user called off has not succeeded for the caller, even if its last step
        // went through meanwhile.
        EndDialog(id == kTimerSucceeded && !cancelConfirmed_ ? 1 : 2);
    }
}

void CWorkerDlg::StartWorker()
{
    LinkOptions link = services_.link;
    link.cancel = &socketCancel_;
    OnWorkerStarted();
    worker_ = std::thread([this, link] {
        WorkerResult result = WorkerResult::Failed;
        try {
            result = RunWorker(*messages_, cancelRequested_, link);
        } catch (...) {
            // Nothing may escape a thread; the run simply ends as failed.
        }
        done_ = true;
        SetTimer(result == WorkerResult::Success ? kTimerSucceeded : kTimerFailed, kTimerMs);
    });
}

void CWorkerDlg::StopWorker()
{
    if (!worker_.joinable())
        return;
    stopping_ = true;
    cancelConfirmed_ = true;
    cancelRequested_ = true;
    socketCancel_.Cancel();
    // A worker on its way into RunWithUser waits for this thread: serve that call (it asks
    // nothing any more) rather than join into a deadlock.
    while (!done_) {
        QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    worker_.join();
}

bool CWorkerDlg::RunWithUser(const std::function<void()>& ask)
{
    if (stopping_)
        return false;
    bool ran = false;
    ++waitingOnUser_;
    RunOnUiThread(this, [&] {
        if (!cancelConfirmed_) {
            ask();
            ran = true;
        }
    });
    --waitingOnUser_;
    return ran;
}

void CWorkerDlg::OnCancelButton()
{
    if (done_ || cancelConfirmed_)
        return;
    cancelRequested_ = true;
    stallWatch_.start(kStallPatienceMs);
}

void CWorkerDlg::TakeStalledRequest()
{
    if (done_ || !worker_.joinable())
        return;
    // The worker waits for the user, not for the box: look again once that is answered.
    if (waitingOnUser_ > 0) {
        stallWatch_.start(kStallPatienceMs);
        return;
    }
    if (!cancelRequested_.exchange(false))
        return; // the worker took it and asks itself
    asking_ = true;
    const bool confirmed = AskYesNo(services_.messages, MsgId::CancelQuestion);
    asking_ = false;
    if (!confirmed || done_)
        return;
    cancelConfirmed_ = true;
    cancelRequested_ = true;
    socketCancel_.Cancel();
}
