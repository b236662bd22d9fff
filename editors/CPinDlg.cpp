#include "editors/CPinDlg.h"

#include "res/DialogTemplates.h"
#include "res/ResourceIds.h"
#include "util/MessageService.h"

#include <QLineEdit>

CPinDlg::CPinDlg(MessageService& messages, QWidget* parent)
    : CDialog(GetDialogTemplate(IDD_PIN), parent), m_messages(messages)
{
    DlgItem<QLineEdit>(IDC_EDIT_PIN)->setEchoMode(QLineEdit::Password);
}

void CPinDlg::OnInitDialog()
{
    GotoDlgCtrl(IDC_EDIT_PIN);
}

void CPinDlg::OnOK()
{
    if (GetDlgItemText(IDC_EDIT_PIN) != m_strPin) {
        ShowMessage(m_messages, MsgId::WrongPin);
        GotoDlgCtrl(IDC_EDIT_PIN);
        return;
    }
    EndDialog(IDOK);
}
