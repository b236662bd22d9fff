#include "app/CConnectDlg.h"

#include "res/DialogTemplates.h"
#include "res/ResourceIds.h"

CConnectDlg::CConnectDlg(QWidget* parent) : CDialog(GetDialogTemplate(IDD_CONNECT), parent) {}

void CConnectDlg::OnInitDialog()
{
    SetDlgItemText(IDC_IPADDRESS, m_strAddress);
    GotoDlgCtrl(IDC_IPADDRESS);
}

void CConnectDlg::OnOK()
{
    m_strAddress = GetDlgItemText(IDC_IPADDRESS);
    EndDialog(IDOK);
}
