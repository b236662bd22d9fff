#include "app/CChNumDisplayDlg.h"

#include "res/DialogTemplates.h"
#include "res/ResourceIds.h"
#include "util/MessageService.h"
#include "util/Settings.h"

#include <cstdio>

CChNumDisplayDlg::CChNumDisplayDlg(MessageService& messages, QWidget* parent)
    : CDialog(GetDialogTemplate(IDD_CH_NUM_DISPLAY), parent), messages_(messages)
{
}

void CChNumDisplayDlg::OnInitDialog()
{
    SetDlgItemInt(IDC_EDIT_ROW_COUNT, m_nRows);
    GotoDlgCtrl(IDC_EDIT_ROW_COUNT);
}

void CChNumDisplayDlg::OnOK()
{
    const int rows = GetDlgItemInt(IDC_EDIT_ROW_COUNT);
    if (rows < kGridRowsMin || rows > kGridRowsMax) {
        char text[128];
        std::snprintf(text, sizeof text, "%s : %d ~ %d",
                      GetMessageText(MsgId::ChannelNumberRange).c_str(), kGridRowsMin,
                      kGridRowsMax);
        messages_.Show(text, MessageService::Buttons::Ok);
        GotoDlgCtrl(IDC_EDIT_ROW_COUNT);
        return;
    }
    m_nRows = rows;
    EndDialog(IDOK);
}
