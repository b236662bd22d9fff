#include "res/DialogTemplates.h"

#include "res/ResourceIds.h"

#include <map>
#include <stdexcept>
#include <string>

namespace {

using K = ControlKind;

DialogTemplate MainDialog()
{
    // The caption is set at start-up; the grids are installed by the window. The radio
    // buttons are a little wider than the positions strictly need, so their labels fit in
    // the wider fonts of Linux desktops.
    return {IDD_MAIN,
            "",
            387,
            216,
            {
                {IDC_RADIO_TV, K::RadioButton, 17, 18, 60, 10, "TV Channels", kGroupStart},
                {IDC_RADIO_RADIO, K::RadioButton, 80, 18, 76, 10, "Radio Channels"},
                {IDC_FRAME_MAIN, K::GroupBox, 7, 2, 373, 207, ""},
                {IDC_GRID_CATEGORY, K::Custom, 17, 37, 60, 163},
                {IDC_GRID_GROUP, K::Custom, 87, 37, 77, 163},
                {IDC_GRID_CHANNEL, K::Custom, 174, 37, 196, 163},
                {IDC_PICTURE, K::Picture, 158, 72, 70, 70, "", kHidden},
            }};
}

DialogTemplate ConnectDialog()
{
    return {IDD_CONNECT,
            "Connect",
            169,
            67,
            {
                {kNoControlId, K::GroupBox, 7, 4, 155, 36, ""},
                {kNoControlId, K::Label, 16, 18, 46, 8, "IP Address :"},
                {IDC_IPADDRESS, K::IpAddress, 64, 15, 89, 14},
                {IDOK, K::DefPushButton, 58, 46, 50, 14, "Connect"},
                {IDCANCEL, K::PushButton, 112, 46, 50, 14, "Exit"},
            }};
}

DialogTemplate ChNumDisplayDialog()
{
    return {IDD_CH_NUM_DISPLAY,
            "channel number display",
            170,
            50,
            {
                {kNoControlId, K::Label, 10, 13, 100, 8, "channel number display : "},
                {IDC_EDIT_ROW_COUNT, K::Edit, 112, 10, 48, 14, "", kRightAligned},
                {IDOK, K::DefPushButton, 56, 31, 50, 14, "Apply"},
                {IDCANCEL, K::PushButton, 110, 31, 50, 14, "Exit"},
            }};
}

DialogTemplate BackupListDialog()
{
    // The caption and the default button's text name the command that opened it; "File..."
    // shows only where any backup file will do.
    return {IDD_BACKUP_LIST,
            "",
            300,
            172,
            {
                {IDC_GRID_BACKUPS, K::Custom, 7, 7, 286, 136},
                {IDC_BACKUP_FILE, K::PushButton, 7, 151, 50, 14, "File..."},
                {IDOK, K::DefPushButton, 189, 151, 50, 14, "Restore"},
                {IDCANCEL, K::PushButton, 243, 151, 50, 14, "Exit"},
            }};
}

const std::map<int, DialogTemplate>& Templates()
{
    static const std::map<int, DialogTemplate> templates = [] {
        std::map<int, DialogTemplate> all;
        for (DialogTemplate dialog :
             {MainDialog(), ConnectDialog(), ChNumDisplayDialog(), BackupListDialog()})
            all.emplace(dialog.id, std::move(dialog));
        return all;
    }();
    return templates;
}

} // namespace

const DialogTemplate& GetDialogTemplate(int id)
{
    const auto& templates = Templates();
    const auto it = templates.find(id);
    if (it == templates.end())
        throw std::out_of_range("no dialog resource " + std::to_string(id));
    return it->second;
}
