#include "filebrowser/WorkerControl.h"

bool CancelConfirmed(std::atomic<bool>& cancelRequested, MessageService& messages)
{
    // Taken, not only read: a dialog may take a request the worker is too busy to see and ask
    // itself, and the question must come up once.
    if (!cancelRequested.exchange(false))
        return false;
    if (!AskYesNo(messages, MsgId::CancelQuestion))
        return false;
    cancelRequested.store(true);
    return true;
}
