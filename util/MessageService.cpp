#include "util/MessageService.h"

void ShowMessage(MessageService& messages, MsgId id)
{
    messages.Show(GetMessageText(id), MessageService::Buttons::Ok);
}

void ShowMessage(MessageService& messages, MsgId id, const std::string& detail)
{
    messages.Show(GetMessageText(id) + "\n\n" + detail, MessageService::Buttons::Ok);
}

bool AskYesNo(MessageService& messages, MsgId id)
{
    return messages.Show(GetMessageText(id), MessageService::Buttons::YesNo) ==
           MessageService::Answer::Yes;
}
