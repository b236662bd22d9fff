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

DialogTemplate PinDialog()
{
    return {IDD_PIN,
            "Enter PIN",
            150,
            56,
            {
                {kNoControlId, K::GroupBox, 7, 4, 136, 28, ""},
                {IDC_EDIT_PIN, K::Edit, 40, 12, 70, 14, "", kCentered},
                {IDOK, K::DefPushButton, 39, 37, 50, 14, "OK"},
                {IDCANCEL, K::PushButton, 93, 37, 50, 14, "Exit"},
            }};
}

// The three grids side by side, a counter above each; the grids are made exactly ten rows
// high by the window, which grows with the row setting.
DialogTemplate SatListDialog()
{
    return {IDD_SAT_LIST,
            "edit sat lists",
            488,
            198,
            {
                {IDC_FRAME_MAIN, K::GroupBox, 7, 2, 474, 189, ""},
                {kNoControlId, K::Label, 17, 13, 44, 8, "Satellite :"},
                {IDC_COUNT_SATELLITES, K::Label, 62, 13, 30, 8, "0"},
                {IDC_GRID_SATELLITE, K::Custom, 17, 24, 86, 160},
                {kNoControlId, K::Label, 111, 13, 52, 8, "Transponder :"},
                {IDC_COUNT_TRANSPONDERS, K::Label, 164, 13, 30, 8, "0"},
                {IDC_GRID_TRANSPONDER, K::Custom, 111, 24, 86, 160},
                {kNoControlId, K::Label, 205, 13, 36, 8, "Channel :"},
                {IDC_COUNT_CHANNELS, K::Label, 242, 13, 30, 8, "0"},
                {IDC_GRID_CHANNEL, K::Custom, 205, 24, 266, 160},
            }};
}

// Labels on the left, fields on the right, in tab order from top to bottom.
DialogTemplate SatEditDialog()
{
    return {IDD_SAT_EDIT,
            "Edit Satellite Info",
            206,
            196,
            {
                {kNoControlId, K::GroupBox, 7, 4, 192, 164, ""},
                {kNoControlId, K::Label, 15, 17, 72, 8, "Satellite Name :"},
                {IDC_SAT_NAME, K::Edit, 90, 14, 100, 14},
                {kNoControlId, K::Label, 15, 35, 72, 8, "Position :"},
                {IDC_SAT_POSITION, K::Edit, 90, 32, 52, 14, "", kRightAligned},
                {IDC_SAT_EAST_WEST, K::ComboBox, 146, 32, 44, 60},
                {kNoControlId, K::Label, 15, 53, 72, 8, "LNB :"},
                {IDC_SAT_LNB, K::ComboBox, 90, 50, 100, 150},
                {kNoControlId, K::Label, 15, 71, 72, 8, "22 KHz :"},
                {IDC_SAT_22KHZ, K::ComboBox, 90, 68, 100, 60},
                {kNoControlId, K::Label, 15, 89, 72, 8, "DiSEqC :"},
                {IDC_SAT_DISEQC, K::ComboBox, 90, 86, 100, 100},
                {kNoControlId, K::Label, 15, 107, 72, 8, "DiSEqC 1.1 :"},
                {IDC_SAT_DISEQC11, K::ComboBox, 90, 104, 100, 150},
                {kNoControlId, K::Label, 15, 125, 72, 8, "LNB power :"},
                {IDC_SAT_LNB_POWER, K::ComboBox, 90, 122, 100, 80},
                {kNoControlId, K::Label, 15, 143, 72, 8, "Satelite position :"},
                {IDC_SAT_POSITIONER, K::Edit, 90, 140, 52, 14, "", kRightAligned},
                {IDOK, K::DefPushButton, 95, 175, 50, 14, "save"},
                {IDCANCEL, K::PushButton, 149, 175, 50, 14, "exit"},
            }};
}

DialogTemplate TpEditDialog()
{
    return {IDD_TP_EDIT,
            "Edit Transponder Info",
            206,
            132,
            {
                {kNoControlId, K::GroupBox, 7, 4, 192, 102, ""},
                {kNoControlId, K::Label, 15, 17, 62, 8, "Frequency :"},
                {IDC_TP_FREQUENCY, K::Edit, 80, 14, 52, 14, "", kRightAligned},
                {kNoControlId, K::Label, 15, 35, 62, 8, "Symbol Rate :"},
                {IDC_TP_SYMBOL_RATE, K::Edit, 80, 32, 52, 14, "", kRightAligned},
                {kNoControlId, K::Label, 15, 53, 62, 8, "FEC :"},
                {IDC_TP_SYSTEM, K::ComboBox, 80, 50, 46, 60},
                {IDC_TP_FEC, K::ComboBox, 130, 50, 60, 160},
                {kNoControlId, K::Label, 15, 71, 62, 8, "Polar :"},
                {IDC_TP_POLARIZATION, K::ComboBox, 80, 68, 110, 60},
                {kNoControlId, K::Label, 15, 89, 62, 8, "Pilot :"},
                {IDC_TP_PILOT, K::ComboBox, 80, 86, 110, 60},
                {IDOK, K::DefPushButton, 95, 111, 50, 14, "save"},
                {IDCANCEL, K::PushButton, 149, 111, 50, 14, "exit"},
            }};
}

DialogTemplate ChannelEditDialog()
{
    return {IDD_CHANNEL_EDIT,
            "Edit Channel Info",
            206,
            186,
            {
                {kNoControlId, K::GroupBox, 7, 4, 192, 156, ""},
                {kNoControlId, K::Label, 15, 17, 62, 8, "Channel name :"},
                {IDC_CH_NAME, K::Edit, 80, 14, 110, 14},
                {kNoControlId, K::Label, 15, 35, 62, 8, "Channel type :"},
                {IDC_CH_TYPE, K::ComboBox, 80, 32, 110, 60, "", kDisabled},
                {kNoControlId, K::Label, 15, 53, 62, 8, "Service ID :"},
                {IDC_CH_SERVICE_ID, K::Edit, 80, 50, 52, 14, "", kRightAligned},
                {kNoControlId, K::Label, 15, 71, 62, 8, "PMT PID :"},
                {IDC_CH_PMT_PID, K::Edit, 80, 68, 52, 14, "", kRightAligned},
                {kNoControlId, K::Label, 15, 89, 62, 8, "Video PID :"},
                {IDC_CH_VIDEO_PID, K::Edit, 80, 86, 52, 14, "", kRightAligned},
                {kNoControlId, K::Label, 15, 107, 62, 8, "Audio PID :"},
                {IDC_CH_AUDIO_PID, K::Edit, 80, 104, 52, 14, "", kRightAligned},
                {kNoControlId, K::Label, 15, 125, 62, 8, "PCR PID :"},
                {IDC_CH_PCR_PID, K::Edit, 80, 122, 52, 14, "", kRightAligned},
                {kNoControlId, K::Label, 15, 143, 62, 8, "Lock :"},
                {IDC_CH_LOCK, K::ComboBox, 80, 140, 110, 40},
                {IDOK, K::DefPushButton, 95, 165, 50, 14, "save"},
                {IDCANCEL, K::PushButton, 149, 165, 50, 14, "exit"},
            }};
}

DialogTemplate RenameDialog()
{
    return {IDD_RENAME,
            "Rename",
            187,
            68,
            {
                {kNoControlId, K::GroupBox, 7, 4, 173, 34, ""},
                {IDC_EDIT_NAME, K::Edit, 17, 14, 153, 14},
                {IDOK, K::DefPushButton, 76, 46, 50, 14, "OK"},
                {IDCANCEL, K::PushButton, 130, 46, 50, 14, "Exit"},
            }};
}

// The list on the left with its choice and "Rename" above it, the channels to pick from on the
// right with their filter above them, "<<" and "X" between the grids. The grids are made
// exactly ten rows high by the window, which grows with the row setting.
DialogTemplate UserListDialog()
{
    return {IDD_USER_LIST,
            "edit user lists",
            446,
            232,
            {
                {IDC_FRAME_MAIN, K::GroupBox, 7, 2, 432, 207, ""},
                {IDC_COMBO_USER_LIST, K::ComboBox, 17, 14, 120, 160},
                {IDC_BUTTON_RENAME, K::PushButton, 141, 13, 50, 14, "Rename"},
                {IDC_GRID_USER_LIST, K::Custom, 17, 34, 190, 163},
                {IDC_BUTTON_ADD, K::PushButton, 211, 96, 24, 14, "<<"},
                {IDC_BUTTON_REMOVE, K::PushButton, 211, 116, 24, 14, "X"},
                {IDC_COMBO_FILTER, K::ComboBox, 239, 14, 120, 200},
                {IDC_GRID_CHANNEL, K::Custom, 239, 34, 190, 163},
                {IDCANCEL, K::PushButton, 389, 213, 50, 14, "Exit"},
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

// The file line over two bars, each with its caption and percentage, "Cancel" below; no title
// bar, so nothing but the run's end closes it.
DialogTemplate ProgressDialog()
{
    return {IDD_PROGRESS,
            "",
            260,
            78,
            {
                {IDC_STATIC_FILE, K::Label, 10, 7, 240, 10, ""},
                {kNoControlId, K::Label, 10, 23, 30, 10, "File :"},
                {IDC_PROGRESS_FILE, K::ProgressBar, 42, 23, 180, 10},
                {IDC_STATIC_FILE_PERCENT, K::Label, 224, 23, 26, 10, "0 %", kRightAligned},
                {kNoControlId, K::Label, 10, 39, 30, 10, "Total :"},
                {IDC_PROGRESS_TOTAL, K::ProgressBar, 42, 39, 180, 10},
                {IDC_STATIC_TOTAL_PERCENT, K::Label, 224, 39, 26, 10, "0 %", kRightAligned},
                {IDC_BUTTON_CANCEL, K::PushButton, 105, 57, 50, 14, "Cancel"},
            },
            kNoCaption};
}

// The animation above "Cancel", nothing else: the busy window of the folder scans and of
// deleting on the box. The picture is roomier than a frame, so no font shrinks it below one.
DialogTemplate WaitDialog()
{
    return {IDD_WAIT,
            "",
            70,
            68,
            {
                {IDC_WAIT_PICTURE, K::Picture, 17, 5, 36, 38},
                {IDC_BUTTON_CANCEL, K::PushButton, 10, 47, 50, 14, "Cancel"},
            },
            kNoCaption};
}

DialogTemplate OverwriteDialog()
{
    return {
        IDD_OVERWRITE,
        "Overwrite",
        240,
        84,
        {
            {kNoControlId, K::Label, 10, 8, 220, 10, "Overwrite?"},
            {IDC_STATIC_FILE, K::Label, 10, 22, 220, 10, ""},
            {IDC_RADIO_ALL_OVERWRITE, K::RadioButton, 10, 41, 80, 10, "All overwrite", kGroupStart},
            {IDC_RADIO_ALL_SKIP, K::RadioButton, 96, 41, 80, 10, "All skip"},
            {IDOK, K::DefPushButton, 126, 63, 50, 14, "Yes"},
            {IDCANCEL, K::PushButton, 180, 63, 50, 14, "No"},
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
             {MainDialog(), ConnectDialog(), ChNumDisplayDialog(), PinDialog(), SatListDialog(),
              SatEditDialog(), TpEditDialog(), ChannelEditDialog(), SelectDiskDialog(),
              FileBrowserDialog(), BackupListDialog(), RenameDialog(), UserListDialog(),
              ProgressDialog(), WaitDialog(), OverwriteDialog()})
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
