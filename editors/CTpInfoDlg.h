#pragma once

#include "chdb/ChannelDatabase.h"
#include "platform/ui/CDialog.h"

#include <vector>

class MessageService;

// "Edit Transponder Info", for an existing transponder or, in add mode, a new one.
class CTpInfoDlg final : public CDialog {
    Q_OBJECT

public:
    // `satelliteRows` are the table indices of the selected satellite's transponders, the
    // ones the duplicate check looks through.
    CTpInfoDlg(const ChannelDatabase& tables, std::vector<int> satelliteRows,
               MessageService& messages, QWidget* parent = nullptr);

    // In: the record (ids carried, not shown); all zero when adding. Out after OK: frequency,
    // symbol rate, FEC code, polarisation and pilot as edited.
    TpInfo m_tpInfo;
    int m_nOwnIndex = -1; // the record's table index; -1 when adding
    bool m_bAddMode = false;

protected:
    void OnInitDialog() override;
    void OnOK() override;

private:
    void FillFec(int system, int select);

    const ChannelDatabase& m_tables;
    std::vector<int> m_satelliteRows;
    MessageService& m_messages;
};
