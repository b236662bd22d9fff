#pragma once

#include "chdb/EditValidation.h"
#include "platform/ui/CDialog.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <string>

class MessageService;

// "Edit Channel Info", for an existing channel or, in add mode, a new one. Unlocking a locked
// channel asks for the PIN.
class CChannelInfoDlg final : public CDialog {
    Q_OBJECT

public:
    // `tables` is what the name check looks through.
    CChannelInfoDlg(const ChannelDatabase& tables, MessageService& messages,
                    QWidget* parent = nullptr);

    // In: the channel's values (all zero when adding). Out after OK: as edited.
    ChannelValues m_values;
    std::optional<std::uint16_t> m_nKey; // the edited channel, left out of the name check
    std::uint8_t m_nSelector = 0;        // the character table the name is stored in
    std::string m_strPin;                // what unlocking needs
    bool m_bAddMode = false;

protected:
    void OnInitDialog() override;
    void OnOK() override;

private:
    void FollowType(int type);
    std::string TypedName() const;

    const ChannelDatabase& m_tables;
    MessageService& m_messages;
    QString m_strShownName;
};
