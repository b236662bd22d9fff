#pragma once

#include "platform/ui/CDialog.h"

class MessageService;

// Asks for the number of grid rows shown without scrolling (10..30). "Apply" closes with the
// value only when it is in range; otherwise it says the range and the edit gets the focus.
class CChNumDisplayDlg final : public CDialog {
    Q_OBJECT

public:
    explicit CChNumDisplayDlg(MessageService& messages, QWidget* parent = nullptr);

    int m_nRows = 0;

protected:
    void OnInitDialog() override;
    void OnOK() override;

private:
    MessageService& messages_;
};
