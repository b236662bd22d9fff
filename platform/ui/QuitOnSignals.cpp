#include "platform/ui/QuitOnSignals.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Read by the handler, on whichever thread the signal lands: set before the handlers go in.
volatile std::sig_atomic_t g_writeEnd = -1;

extern "C" void WriteSignalNumber(int signal)
{
    const int savedErrno = errno;
    const unsigned char number = static_cast<unsigned char>(signal);
    // A full pipe already holds a signal, which is all that matters.
    [[maybe_unused]] const ssize_t written = ::write(g_writeEnd, &number, 1);
    errno = savedErrno;
}

} // namespace

QuitOnSignals::QuitOnSignals()
{
    if (::pipe2(pipe_.data(), O_CLOEXEC | O_NONBLOCK) != 0) {
        pipe_ = {-1, -1};
        return;
    }
    g_writeEnd = pipe_[1];
    notifier_ = new QSocketNotifier(pipe_[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] { OnPipeReadable(); });
    struct sigaction action {};
    action.sa_handler = WriteSignalNumber;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < kSignals.size(); ++i) {
        sigaction(kSignals[i], nullptr, &previous_[i]);
        // Ignored on purpose (nohup, a background job): stays so.
        if (previous_[i].sa_handler != SIG_IGN)
            sigaction(kSignals[i], &action, nullptr);
    }
    installed_ = true;
}

QuitOnSignals::~QuitOnSignals()
{
    RestoreHandlers();
    g_writeEnd = -1;
    for (const int fd : pipe_) {
        if (fd >= 0)
            ::close(fd);
    }
}

void QuitOnSignals::RestoreHandlers()
{
    if (!installed_)
        return;
    for (std::size_t i = 0; i < kSignals.size(); ++i)
        sigaction(kSignals[i], &previous_[i], nullptr);
    installed_ = false;
}

void QuitOnSignals::OnPipeReadable()
{
    unsigned char number = 0;
    if (::read(pipe_[0], &number, 1) != 1 || received_ != 0)
        return;
    received_ = number;
    RestoreHandlers();
    notifier_->setEnabled(false);
    QCoreApplication::exit(128 + received_);
}
