#include "util/MessageCatalog.h"

#include <array>
#include <cstring>

namespace {

constexpr std::array<const char*, kMessageCount> kEnglish = {
    "pelon-i",
    "vemo-i",
    "vemo-i-t",
    "vemo-i-d",
    "pelon-combo",
    "vemo-combo",
    "pelon-twin",
    "No channel name!",
    "Max. no. of characters",
    "Name already exists!",
    "Service ID range",
    "PMT PID range",
    "Video PID range",
    "Audio PID range",
    "PCR PID range",
    "Max. no. of transponders reached!",
    "Limit",
    "Add transponder.",
    "Delete transponder and channels?",
    "Max. no. of channels in a list reached!",
    "Add channel.",
    "Delete channel?",
    "No satellite name!",
    "Position range",
    "No LNB frequency!",
    "LNB range",
    "Invalid position no.",
    "Range",
    "Position already exists!",
    "Frequency range",
    "Symbol rate range",
    "Select FEC!",
    "Select Polarization!",
    "Select Pilot!",
    "Transponder already exists!",
    "Max.",
    "TV channels",
    "Radio channels",
    "Delete channels?",
    "Wrong PIN!",
    "Connection failed!",
    "Server disconnected!",
    "USB memory connect error!",
    "File write error!",
    "USB memory info error!",
    "Data error!",
    "USB memory free space error!",
    "Version not matching!",
    "Channel data do not exist!",
    "File read error!",
    "Update STB first!",
    "Error!",
    "Install VLC!",
    "Exit program?",
    "Update STB?",
    "Update error!",
    "Update STB",
    "File open error!",
    "Data exported!",
    "Channel number range",
    "Insert new name.",
    "No usb memory connected!",
    "Select file!",
    "Disk full!",
    "Cancel?",
    "Overwrite file?",
    "File not exist!",
    "File overwrite error!",
    "Send error!",
    "Recv error!",
    "Delete directory and files?",
    "Directory delete failed!",
    "File delete failed!",
};

} // namespace

std::string GetMessageText(int index)
{
    if (std::strcmp(kLanguageId, "LANG_ENG") != 0 || index < 0 || index >= kMessageCount)
        return {};
    return kEnglish[static_cast<std::size_t>(index)];
}

bool IsQuestion(MsgId id)
{
    switch (id) {
    case MsgId::DeleteTransponderAndChannels:
    case MsgId::DeleteChannel:
    case MsgId::DeleteChannels:
    case MsgId::ExitProgram:
    case MsgId::UpdateStbQuestion:
    case MsgId::CancelQuestion:
    case MsgId::DeleteDirectoryAndFiles:
        return true;
    default:
        return false;
    }
}
