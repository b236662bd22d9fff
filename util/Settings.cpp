#include "util/Settings.h"

#include "util/Decimal.h"
#include "util/MessageCatalog.h"
#include "util/Registry.h"

std::string SettingsKey()
{
    return "SOFTWARE\\" + GetMessageText(MsgId::ModelName);
}

int GridRowCountFromText(std::string_view text)
{
    const int rows = ParseDecimal(text);
    return rows < kGridRowsMin || rows > kGridRowsMax ? kGridRowsDefault : rows;
}

int ReadGridRowCount()
{
    std::string text;
    if (RegReadString(RegRoot::LocalMachine, SettingsKey(), "GridRowCount", text) != kRegSuccess)
        return kGridRowsDefault;
    return GridRowCountFromText(text);
}

void WriteGridRowCount(int rows)
{
    RegWriteString(RegRoot::LocalMachine, SettingsKey(), "GridRowCount", RegType::String,
                   std::to_string(rows));
}

std::string ReadLastConnectIp()
{
    std::string address;
    RegReadString(RegRoot::LocalMachine, SettingsKey(), "LastConnectIP", address);
    return address;
}

void WriteLastConnectIp(const std::string& address)
{
    RegWriteString(RegRoot::LocalMachine, SettingsKey(), "LastConnectIP", RegType::String,
                   address);
}
