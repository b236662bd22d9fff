#pragma once

#include <vector>

// A dialog resource as data: the window's client size and its controls, all in dialog units,
// so every dialog keeps its proportions whatever font the desktop uses. res/DialogTemplates
// holds one of these per dialog id; CDialog builds the widgets from it.

enum class ControlKind {
    PushButton,
    DefPushButton, // the button that Enter presses
    Label,
    GroupBox,
    Edit,
    RadioButton,
    CheckBox,
    ComboBox, // drop-down list; the height is the list's, the field takes its natural height
    ProgressBar,
    IpAddress,
    Picture, // an image the dialog sets at run time
    Custom,  // a placeholder the dialog replaces with CDialog::InstallControl (grids)
};

// Control style flags.
enum ControlStyle : unsigned {
    kStyleNone = 0,
    kGroupStart =
        1u << 0, // consecutive radio buttons are one exclusive group; this starts a new one
    kHidden = 1u << 1,
    kDisabled = 1u << 2,
    kReadOnly = 1u << 3,
    kCentered = 1u << 4,     // label or edit text centred
    kRightAligned = 1u << 5, // label or edit text right-aligned
    kNoTabStop = 1u << 6,
};

// Dialog style flags.
enum DialogStyle : unsigned {
    kDialogNone = 0,
    kNoCaption = 1u << 0,  // a border but no title bar (busy and progress windows)
    kNoCloseBox = 1u << 1, // the window manager cannot close it
};

inline constexpr int kNoControlId = -1; // labels and frames that nothing addresses
// The two buttons every dialog knows, and the codes DoModal returns for them.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;

struct ControlTemplate {
    int id = kNoControlId;
    ControlKind kind = ControlKind::Label;
    int x = 0, y = 0, w = 0, h = 0; // dialog units
    const char* text = "";
    unsigned style = kStyleNone;
};

struct DialogTemplate {
    int id = 0;
    const char* caption = "";
    int width = 0, height = 0; // client area in dialog units, without caption and menu bar
    std::vector<ControlTemplate> controls;
    unsigned style = kDialogNone;
};
