#include "filebrowser/ui/COverwriteDlg.h"

#include "filebrowser/ui/DisplayName.h"
#include "filebrowser/ui/ElidedText.h"
#include "res/DialogTemplates.h"
#include "res/ResourceIds.h"

#include <QLabel>

COverwriteDlg::COverwriteDlg(QWidget* parent) : CDialog(GetDialogTemplate(IDD_OVERWRITE), parent) {}

void COverwriteDlg::OnInitDialog()
{
    SetElidedText(*DlgItem<QLabel>(IDC_STATIC_FILE), DisplayName(m_strPath));
    CheckRadioButton(IDC_RADIO_ALL_OVERWRITE, IDC_RADIO_ALL_SKIP, 0);
    m_nChoice = OverwriteMode::Ask;
}

void COverwriteDlg::OnOK()
{
    switch (GetCheckedRadioButton(IDC_RADIO_ALL_OVERWRITE, IDC_RADIO_ALL_SKIP)) {
    case IDC_RADIO_ALL_OVERWRITE:
        m_nChoice = OverwriteMode::All;
        break;
    case IDC_RADIO_ALL_SKIP:
        m_nChoice = OverwriteMode::Skip;
        break;
    default:
        m_nChoice = OverwriteMode::Ask;
    }
    EndDialog(IDOK);
}
