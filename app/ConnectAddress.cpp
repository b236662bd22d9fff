#include "app/ConnectAddress.h"

#include "app/CConnectDlg.h"
#include "util/Settings.h"

std::string InitialConnectAddress(const std::string& current)
{
    return current.empty() ? ReadLastConnectIp() : current;
}

std::optional<std::string> AskConnectAddress(const std::string& current, QWidget* parent)
{
    CConnectDlg dialog(parent);
    dialog.m_strAddress = InitialConnectAddress(current);
    if (dialog.DoModal() != IDOK)
        return std::nullopt;
    return dialog.m_strAddress;
}

void RememberAddress(std::string& current, const std::string& address)
{
    current = address;
    WriteLastConnectIp(address);
}
