#include "editors/CChannelInfoDlg.h"

#include "editors/CPinDlg.h"
#include "editors/EditorControls.h"
#include "res/DialogTemplates.h"
#include "res/ResourceIds.h"
#include "util/MessageService.h"

#include <QComboBox>
#include <QLineEdit>

#include <algorithm>

namespace {

QComboBox& Combo(const CDialog& dialog, int id)
{
    return *dialog.DlgItem<QComboBox>(id);
}

constexpr int kPidEdits[] = {IDC_CH_SERVICE_ID, IDC_CH_PMT_PID, IDC_CH_VIDEO_PID, IDC_CH_AUDIO_PID,
                             IDC_CH_PCR_PID};

} // namespace

CChannelInfoDlg::CChannelInfoDlg(const ChannelDatabase& tables, MessageService& messages,
                                 QWidget* parent)
    : CDialog(GetDialogTemplate(IDD_CHANNEL_EDIT), parent), m_tables(tables), m_messages(messages)
{
    connect(&Combo(*this, IDC_CH_TYPE), &QComboBox::activated, this,
            [this](int type) { FollowType(type); });
}

void CChannelInfoDlg::FollowType(int type)
{
    // A radio channel has no picture, so no video PID to type.
    GetDlgItem(IDC_CH_VIDEO_PID)->setEnabled(type != ChannelInfo::kRadio);
}

void CChannelInfoDlg::OnInitDialog()
{
    auto* name = DlgItem<QLineEdit>(IDC_CH_NAME);
    name->setValidator(new DvbNameValidator(m_nSelector, name));
    QComboBox& type = Combo(*this, IDC_CH_TYPE);
    if (m_bAddMode) {
        setWindowTitle(QStringLiteral("Add Channel"));
        SetDlgItemText(IDOK, "Add");
        type.setEnabled(true);
        FillCombo(type, {"SDTV", "Radio", "HDTV"}, ChannelInfo::kSdtv);
        FillCombo(Combo(*this, IDC_CH_LOCK), {"Unlock", "Lock"}, 0);
    } else {
        const std::string selector = m_nSelector ? std::string(1, char(m_nSelector)) : "";
        m_strShownName = NameForDisplay(selector + m_values.name);
        name->setText(m_strShownName);
        FillCombo(type, {"SDTV", "Radio", "HDTV"}, m_values.type);
        const std::uint16_t numbers[] = {m_values.serviceId, m_values.pmtPid, m_values.videoPid,
                                         m_values.audioPid, m_values.pcrPid};
        for (std::size_t i = 0; i < std::size(kPidEdits); ++i)
            SetDlgItemInt(kPidEdits[i], numbers[i]);
        if (m_values.type == ChannelInfo::kRadio)
            SetDlgItemText(IDC_CH_VIDEO_PID, "");
        FillCombo(Combo(*this, IDC_CH_LOCK), {"Unlock", "Lock"}, m_values.lock);
        FollowType(m_values.type);
    }
    GotoDlgCtrl(IDC_CH_NAME);
}

std::string CChannelInfoDlg::TypedName() const
{
    const QString text = DlgItem<QLineEdit>(IDC_CH_NAME)->text();
    if (!m_bAddMode && text == m_strShownName)
        return m_values.name; // untouched: the stored bytes, exactly
    return EncodeTypedName(text, m_nSelector).value_or(text.toStdString());
}

void CChannelInfoDlg::OnOK()
{
    ChannelForm form;
    form.name = TypedName();
    const int type = Combo(*this, IDC_CH_TYPE).currentIndex();
    form.type = type >= 0 ? type : m_values.type; // a type the list does not know stays
    form.serviceId = GetDlgItemText(IDC_CH_SERVICE_ID);
    form.pmtPid = GetDlgItemText(IDC_CH_PMT_PID);
    form.videoPid = GetDlgItemText(IDC_CH_VIDEO_PID);
    form.audioPid = GetDlgItemText(IDC_CH_AUDIO_PID);
    form.pcrPid = GetDlgItemText(IDC_CH_PCR_PID);
    ChannelValues values = m_values;
    if (const auto error = ValidateChannel(m_tables, m_nKey, form, values)) {
        ReportEditError(*this, m_messages, *error);
        return;
    }
    const int lock = Combo(*this, IDC_CH_LOCK).currentIndex();
    if (m_values.lock == 1 && lock == 0) {
        CPinDlg pin(m_messages, this);
        pin.m_strPin = m_strPin;
        if (pin.DoModal() != IDOK)
            return; // still locked; the dialog stays open
    }
    values.lock = lock >= 0 ? static_cast<std::uint8_t>(lock) : m_values.lock;
    m_values = values;
    EndDialog(IDOK);
}
