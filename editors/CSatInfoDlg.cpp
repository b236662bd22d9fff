#include "editors/CSatInfoDlg.h"

#include "chdb/EditValidation.h"
#include "editors/EditorControls.h"
#include "res/DialogTemplates.h"
#include "res/ResourceIds.h"
#include "util/MessageService.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

QComboBox& Combo(const CDialog& dialog, int id)
{
    return *dialog.DlgItem<QComboBox>(id);
}

} // namespace

CSatInfoDlg::CSatInfoDlg(const ChannelDatabase& tables, MessageService& messages, QWidget* parent)
    : CDialog(GetDialogTemplate(IDD_SAT_EDIT), parent), m_tables(tables), m_messages(messages)
{
    QComboBox& lnb = Combo(*this, IDC_SAT_LNB);
    lnb.setEditable(true);
    lnb.setInsertPolicy(QComboBox::NoInsert);
    connect(&lnb, &QComboBox::activated, this, [this](int index) {
        m_nLnbChoice = index;
        FillTone22k(index == kLnbUniversal || index == kLnbU975_1075);
    });
    connect(lnb.lineEdit(), &QLineEdit::textEdited, this, [this] {
        m_nLnbChoice = -1;
        FillTone22k(false);
    });
}

void CSatInfoDlg::OnInitDialog()
{
    // A name that opens with a character-table selector keeps it; the edit shows the text.
    const std::string stored = m_satInfo.name();
    m_nNameSelector = !stored.empty() && IsSelectorByte(static_cast<std::uint8_t>(stored[0]))
                          ? static_cast<std::uint8_t>(stored[0])
                          : 0;
    m_strShownName = NameForDisplay(stored);
    auto* name = DlgItem<QLineEdit>(IDC_SAT_NAME);
    name->setValidator(new DvbNameValidator(m_nNameSelector, name));
    name->setText(m_strShownName);

    const SatPositionText position = FormatSatPosition(m_satInfo.position());
    SetDlgItemText(IDC_SAT_POSITION, position.degrees);
    FillCombo(Combo(*this, IDC_SAT_EAST_WEST), {"E", "W"}, position.hemisphere);

    QComboBox& lnb = Combo(*this, IDC_SAT_LNB);
    FillCombo(lnb,
              {"Universal", "u9.75/10.75", "5150", "5750", "9750", "10000", "10600", "10678",
               "10750", "11200", "11300", "11475", "11500"},
              -1);
    m_nLnbChoice = LnbChoiceOf(m_satInfo);
    if (m_nLnbChoice < 0) {
        lnb.setEditText(QString::number(m_satInfo.lnbLow()));
        FillTone22k(false);
        SelectComboIndex(Combo(*this, IDC_SAT_22KHZ), m_satInfo.tone22k());
    } else {
        lnb.setCurrentIndex(m_nLnbChoice);
        FillTone22k(true);
    }

    FillCombo(Combo(*this, IDC_SAT_DISEQC),
              {"Off", "DiSEqC A", "DiSEqC B", "DiSEqC C", "DiSEqC D", "Mini A", "Mini B"},
              m_satInfo.diseqc());
    FillCombo(Combo(*this, IDC_SAT_DISEQC11),
              {"Off", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14",
               "15", "16"},
              m_satInfo.diseqc11Port());
    FillCombo(Combo(*this, IDC_SAT_LNB_POWER), {"Off", "Vertical(14v)", "Horizontal(18V)", "Auto"},
              m_satInfo.lnbPower());
    if (m_satInfo.positioner() != SatInfo::kNoPositioner)
        SetDlgItemInt(IDC_SAT_POSITIONER, m_satInfo.positioner());
    GotoDlgCtrl(IDC_SAT_NAME);
}

void CSatInfoDlg::FillTone22k(bool dualOscillator)
{
    QComboBox& tone = Combo(*this, IDC_SAT_22KHZ);
    if (dualOscillator)
        FillCombo(tone, {"Auto"}, 0);
    else
        FillCombo(tone, {"Off", "On"}, 0);
}

std::string CSatInfoDlg::TypedName() const
{
    const QString text = DlgItem<QLineEdit>(IDC_SAT_NAME)->text();
    if (text == m_strShownName)
        return m_satInfo.name(); // untouched: the stored bytes, exactly
    const std::string selector = m_nNameSelector ? std::string(1, char(m_nNameSelector)) : "";
    return selector + EncodeTypedName(text, m_nNameSelector).value_or(text.toStdString());
}

void CSatInfoDlg::OnOK()
{
    SatForm form;
    form.name = TypedName();
    form.position = GetDlgItemText(IDC_SAT_POSITION);
    form.hemisphere = Combo(*this, IDC_SAT_EAST_WEST).currentIndex();
    form.lnbChoice = m_nLnbChoice;
    form.lnbText = GetDlgItemText(IDC_SAT_LNB);
    form.tone22k = Combo(*this, IDC_SAT_22KHZ).currentIndex();
    form.diseqc = Combo(*this, IDC_SAT_DISEQC).currentIndex();
    form.diseqc11Port = Combo(*this, IDC_SAT_DISEQC11).currentIndex();
    form.lnbPower = Combo(*this, IDC_SAT_LNB_POWER).currentIndex();
    form.positioner = GetDlgItemText(IDC_SAT_POSITIONER);

    // The checks work on a copy: Cancel after a failed OK leaves the values as they came.
    SatInfo values = m_satInfo;
    if (const auto error = ValidateSatellite(m_tables, form, values)) {
        ReportEditError(*this, m_messages, *error);
        return;
    }
    m_satInfo = values;
    EndDialog(IDOK);
}
