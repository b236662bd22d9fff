#include "filebrowser/WorkerControl.h"

bool CancelConfirmed(std::atomic<bool>& cancelRequested, MessageService& messages)
{
    if (!cancelRequested.load())
        return false;
    if (AskYesNo(messages, MsgId::CancelQuestion))
        return true;
    cancelRequested.store(false);
    return false;
}
