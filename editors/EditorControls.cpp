#include "editors/EditorControls.h"

#include "chdb/DvbText.h"
#include "platform/ui/CDialog.h"
#include "res/ResourceIds.h"
#include "util/MessageService.h"

#include <QComboBox>

int FieldControlId(EditField field)
{
    switch (field) {
    case EditField::SatName:
        return IDC_SAT_NAME;
    case EditField::SatPosition:
        return IDC_SAT_POSITION;
    case EditField::SatLnb:
        return IDC_SAT_LNB;
    case EditField::SatPositioner:
        return IDC_SAT_POSITIONER;
    case EditField::TpFrequency:
        return IDC_TP_FREQUENCY;
    case EditField::TpSymbolRate:
        return IDC_TP_SYMBOL_RATE;
    case EditField::TpFec:
        return IDC_TP_FEC;
    case EditField::TpPolarization:
        return IDC_TP_POLARIZATION;
    case EditField::TpPilot:
        return IDC_TP_PILOT;
    case EditField::ChannelName:
        return IDC_CH_NAME;
    case EditField::ServiceId:
        return IDC_CH_SERVICE_ID;
    case EditField::PmtPid:
        return IDC_CH_PMT_PID;
    case EditField::VideoPid:
        return IDC_CH_VIDEO_PID;
    case EditField::AudioPid:
        return IDC_CH_AUDIO_PID;
    case EditField::PcrPid:
        return IDC_CH_PCR_PID;
    }
    return 0;
}

void ReportEditError(CDialog& dialog, MessageService& messages, const EditError& error)
{
    messages.Show(error.message, MessageService::Buttons::Ok);
    dialog.GotoDlgCtrl(FieldControlId(error.field));
}

void FillCombo(QComboBox& combo, std::initializer_list<const char*> entries, int select)
{
    combo.clear();
    for (const char* entry : entries)
        combo.addItem(QString::fromUtf8(entry));
    SelectComboIndex(combo, select);
}

void SelectComboIndex(QComboBox& combo, int index)
{
    combo.setCurrentIndex(index >= 0 && index < combo.count() ? index : -1);
}

QString NameForDisplay(const std::string& stored)
{
    return QString::fromStdString(DecodeDvbText(stored));
}

std::optional<std::string> EncodeTypedName(const QString& text, std::uint8_t selector)
{
    // Tables with single letters want them composed; the default table wants letter and mark.
    for (auto form : {QString::NormalizationForm_C, QString::NormalizationForm_D})
        if (auto bytes = EncodeDvbText(text.normalized(form).toStdString(), selector))
            return bytes;
    return std::nullopt;
}

DvbNameValidator::DvbNameValidator(std::uint8_t selector, QObject* parent)
    : QValidator(parent), selector_(selector)
{
}

QValidator::State DvbNameValidator::validate(QString& input, int&) const
{
    return EncodeTypedName(input, selector_) ? Acceptable : Invalid;
}
