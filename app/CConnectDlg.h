#pragma once

#include "platform/ui/CDialog.h"

#include <string>

// Asks for the box's IPv4 address. The address goes into the control on initialisation and
// comes back from it on "Connect"; any text is taken, a wrong one fails when connecting.
class CConnectDlg final : public CDialog {
    Q_OBJECT

public:
    explicit CConnectDlg(QWidget* parent = nullptr);

    std::string m_strAddress;

protected:
    void OnInitDialog() override;
    void OnOK() override;
};
