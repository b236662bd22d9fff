#pragma once

#include "platform/ui/CDialog.h"

#include <string>

class MessageService;

// "Enter PIN": ends with OK only when the typed text equals the expected PIN exactly.
class CPinDlg final : public CDialog {
    Q_OBJECT

public:
    explicit CPinDlg(MessageService& messages, QWidget* parent = nullptr);

    std::string m_strPin; // the expected PIN, set before the run

protected:
    void OnInitDialog() override;
    void OnOK() override;

private:
    MessageService& m_messages;
};
