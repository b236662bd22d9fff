#include "editors/CTpInfoDlg.h"

#include "chdb/EditValidation.h"
#include "editors/EditorControls.h"
#include "res/DialogTemplates.h"
#include "res/ResourceIds.h"
#include "util/MessageService.h"

#include <QComboBox>

namespace {

QComboBox& Combo(const CDialog& dialog, int id)
{
    return *dialog.DlgItem<QComboBox>(id);
}

} // namespace

CTpInfoDlg::CTpInfoDlg(const ChannelDatabase& tables, std::vector<int> satelliteRows,
                       MessageService& messages, QWidget* parent)
    : CDialog(GetDialogTemplate(IDD_TP_EDIT), parent), m_tables(tables),
      m_satelliteRows(std::move(satelliteRows)), m_messages(messages)
{
    // The FEC choices follow the system; a new system starts with no FEC chosen.
    connect(&Combo(*this, IDC_TP_SYSTEM), &QComboBox::activated, this,
            [this](int system) { FillFec(system, -1); });
}

void CTpInfoDlg::FillFec(int system, int select)
{
    QComboBox& fec = Combo(*this, IDC_TP_FEC);
    if (system == kDvbS2)
        FillCombo(fec,
                  {"QPSK 1/2", "QPSK 3/5", "QPSK 2/3", "QPSK 3/4", "QPSK 4/5", "QPSK 5/6",
                   "QPSK 8/9", "QPSK 9/10", "8PSK 3/5", "8PSK 2/3", "8PSK 3/4", "8PSK 5/6",
                   "8PSK 8/9", "8PSK 9/10"},
                  select);
    else if (system == kDvbS)
        FillCombo(fec, {"Auto", "1/2", "2/3", "3/4", "5/6", "7/8"}, select);
    else
        fec.clear();
}

void CTpInfoDlg::OnInitDialog()
{
    QComboBox& system = Combo(*this, IDC_TP_SYSTEM);
    FillCombo(system, {"DVB-S", "DVB-S2"}, -1);
    FillCombo(Combo(*this, IDC_TP_POLARIZATION), {"Vertical", "Horizontal"}, -1);
    FillCombo(Combo(*this, IDC_TP_PILOT), {"On", "Off", "Ignore"}, -1);
    if (m_bAddMode) {
        setWindowTitle(QStringLiteral("Add Transponder"));
        SetDlgItemText(IDOK, "Add");
    } else {
        SetDlgItemInt(IDC_TP_FREQUENCY, m_tpInfo.frequency());
        SetDlgItemInt(IDC_TP_SYMBOL_RATE, m_tpInfo.symbolRate());
        SelectComboIndex(Combo(*this, IDC_TP_POLARIZATION), m_tpInfo.polarization());
        SelectComboIndex(Combo(*this, IDC_TP_PILOT), m_tpInfo.pilot());
        const int code = m_tpInfo.fec();
        const int chosen = code >= kDvbS2FecOffset ? kDvbS2 : kDvbS;
        system.setCurrentIndex(chosen);
        FillFec(chosen, chosen == kDvbS2 ? code - kDvbS2FecOffset : code);
    }
    GotoDlgCtrl(IDC_TP_FREQUENCY);
}

void CTpInfoDlg::OnOK()
{
    TpForm form;
    form.frequency = GetDlgItemText(IDC_TP_FREQUENCY);
    form.symbolRate = GetDlgItemText(IDC_TP_SYMBOL_RATE);
    form.system = Combo(*this, IDC_TP_SYSTEM).currentIndex();
    form.fec = Combo(*this, IDC_TP_FEC).currentIndex();
    form.polarization = Combo(*this, IDC_TP_POLARIZATION).currentIndex();
    form.pilot = Combo(*this, IDC_TP_PILOT).currentIndex();
    TpInfo values = m_tpInfo;
    if (const auto error =
            ValidateTransponder(m_tables, m_satelliteRows, m_nOwnIndex, form, values)) {
        ReportEditError(*this, m_messages, *error);
        return;
    }
    m_tpInfo = values;
    EndDialog(IDOK);
}
