#include "editors/CRenameDlg.h"

#include "chdb/ChannelInfo.h"
#include "editors/EditorControls.h"
#include "res/DialogTemplates.h"
#include "res/ResourceIds.h"
#include "util/MessageService.h"

#include <QLineEdit>

CRenameDlg::CRenameDlg(MessageService& messages, QWidget* parent)
    : CDialog(GetDialogTemplate(IDD_RENAME), parent), m_messages(messages)
{
}

void CRenameDlg::OnInitDialog()
{
    // A name that opens with a character-table selector keeps it; the edit shows the text.
    if (!m_strName.empty() && IsSelectorByte(static_cast<std::uint8_t>(m_strName[0])))
        m_nSelector = static_cast<std::uint8_t>(m_strName[0]);
    auto* edit = DlgItem<QLineEdit>(IDC_EDIT_NAME);
    edit->setValidator(new DvbNameValidator(m_nSelector, edit));
    edit->setText(NameForDisplay(m_strName));
    GotoDlgCtrl(IDC_EDIT_NAME);
}

void CRenameDlg::OnOK()
{
    auto* edit = DlgItem<QLineEdit>(IDC_EDIT_NAME);
    const QString text = edit->text().trimmed();
    if (text.isEmpty()) {
        ShowMessage(m_messages, MsgId::InsertNewName);
        edit->clear();
        GotoDlgCtrl(IDC_EDIT_NAME);
        return;
    }
    std::optional<std::string> stored = EncodeTypedName(text, m_nSelector);
    if (stored && m_nSelector != 0)
        stored->insert(stored->begin(), static_cast<char>(m_nSelector));
    if (stored && static_cast<int>(stored->size()) < m_nLimit) {
        m_strName = *stored;
        EndDialog(IDOK);
        return;
    }
    m_messages.Show(GetMessageText(MsgId::MaxNoOfCharacters) + " : " + std::to_string(m_nLimit - 1),
                    MessageService::Buttons::Ok);
    GotoDlgCtrl(IDC_EDIT_NAME);
}
