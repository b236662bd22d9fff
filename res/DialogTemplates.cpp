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

DialogTemplate SelectDiskDialog()
{
    // The grid is installed by the dialog: a header and six rows without scrolling.
    return {IDD_SELECT_DISK,
            "Select Disk",
            164,
            127,
            {
                {kNoControlId, K::GroupBox, 7, 4, 150, 96, ""},
                {IDC_GRID_DISK, K::Custom, 14, 12, 136, 82},
                {IDOK, K::DefPushButton, 53, 106, 50, 14, "Select"},
                {IDCANCEL, K::PushButton, 107, 106, 50, 14, "Exit"},
            }};
}

DialogTemplate FileBrowserDialog()
{
    // The PC side on the left, the box's on the right, the copy buttons between them; each
    // side's summary and free space under its grid. The grids are installed by the dialog.
    return {IDD_FILE_BROWSER,
            "File Browser",
            486,
            256,
            {
                {IDC_BUTTON_PC, K::PushButton, 7, 7, 28, 14, "PC"},
                {IDC_EDIT_PC_PATH, K::Edit, 38, 7, 186, 14, "", kReadOnly},
                {IDC_GRID_PC, K::Custom, 7, 25, 217, 200},
                {IDC_STATIC_PC_SUMMARY, K::Label, 7, 229, 217, 10, ""},
                {IDC_STATIC_PC_FREE, K::Label, 7, 241, 217, 10, "Free Space : "},
                {IDC_BUTTON_UPLOAD, K::PushButton, 231, 111, 24, 14, ">>"},
                {IDC_BUTTON_DOWNLOAD, K::PushButton, 231, 129, 24, 14, "<<"},
                {IDC_COMBO_DISK, K::ComboBox, 262, 7, 84, 80, ""},
                {IDC_EDIT_STB_PATH, K::Edit, 350, 7, 129, 14, "", kReadOnly},
                {IDC_GRID_STB, K::Custom, 262, 25, 217, 200},
                {IDC_STATIC_STB_SUMMARY, K::Label, 262, 229, 217, 10, ""},
                {IDC_STATIC_STB_FREE, K::Label, 262, 241, 217, 10, "FreeSpace : "},
            }};
}

const std::map<int, DialogTemplate>& Templates()
{
    static const std::map<int, DialogTemplate> templates = [] {
        std::map<int, DialogTemplate> all;
        for (DialogTemplate dialog : {MainDialog(), ConnectDialog(), ChNumDisplayDialog(),
                                      SelectDiskDialog(), FileBrowserDialog()})
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
