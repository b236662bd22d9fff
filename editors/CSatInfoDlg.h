#pragma once

#include "chdb/ChannelDatabase.h"
#include "platform/ui/CDialog.h"

#include <QString>

#include <string>

class MessageService;

// "Edit Satellite Info": the tuning settings of one satellite. The caller copies the record in
// before the run and takes it back only after OK.
class CSatInfoDlg final : public CDialog {
    Q_OBJECT

public:
    // `tables` is what the name and positioner checks look through.
    CSatInfoDlg(const ChannelDatabase& tables, MessageService& messages, QWidget* parent = nullptr);

    // In: the satellite's record. Out after OK: its name, position, LNB, 22 kHz, DiSEqC,
    // DiSEqC 1.1, LNB power and positioner as edited; its id, transponder count and the bytes
    // the program does not interpret as they came.
    SatInfo m_satInfo;

protected:
    void OnInitDialog() override;
    void OnOK() override;

private:
    void FillTone22k(bool dualOscillator);
    std::string TypedName() const;

    const ChannelDatabase& m_tables;
    MessageService& m_messages;
    int m_nLnbChoice = -1; // the LNB entry last picked from the list; -1 once text is typed
    std::uint8_t m_nNameSelector = 0;
    QString m_strShownName;
};
