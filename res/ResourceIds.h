#pragma once

// Numeric ids of the program's resources: dialogs, their controls, menus, commands, images.
// The numbers are fixed; windows, menus and tests refer to resources only by these names.

// Dialogs.
inline constexpr int IDD_MAIN = 129;
inline constexpr int IDD_CONNECT = 130;
inline constexpr int IDD_RENAME = 138;
inline constexpr int IDD_USER_LIST = 139;
inline constexpr int IDD_PIN = 140;
inline constexpr int IDD_SAT_LIST = 141;
inline constexpr int IDD_SAT_EDIT = 142;
inline constexpr int IDD_TP_EDIT = 144;
inline constexpr int IDD_CHANNEL_EDIT = 146;
inline constexpr int IDD_CH_NUM_DISPLAY = 160;
inline constexpr int IDD_SELECT_DISK = 161;
inline constexpr int IDD_FILE_BROWSER = 162;
inline constexpr int IDD_PROGRESS = 164;
inline constexpr int IDD_WAIT = 166;
inline constexpr int IDD_OVERWRITE = 167;
inline constexpr int IDD_BACKUP_LIST = 180;

// Controls of the main window (129).
inline constexpr int IDC_GRID_CATEGORY = 1005;
inline constexpr int IDC_GRID_GROUP = 1006;
inline constexpr int IDC_GRID_CHANNEL = 1007;
inline constexpr int IDC_PICTURE = 1046;
inline constexpr int IDC_RADIO_TV = 1049;
inline constexpr int IDC_RADIO_RADIO = 1050;
inline constexpr int IDC_FRAME_MAIN = 1053;
// Connect dialog (130).
inline constexpr int IDC_IPADDRESS = 1008;
// Grid-height dialog (160).
inline constexpr int IDC_EDIT_ROW_COUNT = 1052;
// PIN dialog (140).
inline constexpr int IDC_EDIT_PIN = 1021;
// Satellite list editor (141): its channel grid is IDC_GRID_CHANNEL, its frame IDC_FRAME_MAIN.
inline constexpr int IDC_GRID_SATELLITE = 1022;
inline constexpr int IDC_GRID_TRANSPONDER = 1023;
inline constexpr int IDC_COUNT_SATELLITES = 1034;
inline constexpr int IDC_COUNT_TRANSPONDERS = 1035;
inline constexpr int IDC_COUNT_CHANNELS = 1036;
// Satellite dialog (142).
inline constexpr int IDC_SAT_EAST_WEST = 1025;
inline constexpr int IDC_SAT_LNB = 1026;
inline constexpr int IDC_SAT_22KHZ = 1027;
inline constexpr int IDC_SAT_DISEQC = 1028;
inline constexpr int IDC_SAT_DISEQC11 = 1029;
inline constexpr int IDC_SAT_LNB_POWER = 1030;
inline constexpr int IDC_SAT_NAME = 1031;
inline constexpr int IDC_SAT_POSITION = 1032;
inline constexpr int IDC_SAT_POSITIONER = 1033;
// Transponder dialog (144).
inline constexpr int IDC_TP_SYSTEM = 1037;
inline constexpr int IDC_TP_FEC = 1038;
inline constexpr int IDC_TP_POLARIZATION = 1039;
inline constexpr int IDC_TP_PILOT = 1040;
inline constexpr int IDC_TP_FREQUENCY = 1041;
inline constexpr int IDC_TP_SYMBOL_RATE = 1042;
// Channel dialog (146).
inline constexpr int IDC_CH_AUDIO_PID = 1003;
inline constexpr int IDC_CH_PCR_PID = 1004;
inline constexpr int IDC_CH_SERVICE_ID = 1043;
inline constexpr int IDC_CH_PMT_PID = 1044;
inline constexpr int IDC_CH_VIDEO_PID = 1045;
inline constexpr int IDC_CH_NAME = 1047;
inline constexpr int IDC_CH_LOCK = 1048;
inline constexpr int IDC_CH_TYPE = 1051;
// Rename dialog (138).
inline constexpr int IDC_EDIT_NAME = 1012;
// User list editor (139): its channel grid is IDC_GRID_CHANNEL, its frame IDC_FRAME_MAIN.
inline constexpr int IDC_GRID_USER_LIST = 1013;
inline constexpr int IDC_COMBO_USER_LIST = 1015;
inline constexpr int IDC_COMBO_FILTER = 1016;
inline constexpr int IDC_BUTTON_RENAME = 1018;
inline constexpr int IDC_BUTTON_REMOVE = 1019;
inline constexpr int IDC_BUTTON_ADD = 1020;
// Disk choice (161).
inline constexpr int IDC_GRID_DISK = 1054;
// File browser (162).
inline constexpr int IDC_GRID_PC = 1055;
inline constexpr int IDC_GRID_STB = 1056;
inline constexpr int IDC_COMBO_DISK = 1057;
inline constexpr int IDC_BUTTON_PC = 1058;
inline constexpr int IDC_EDIT_PC_PATH = 1059;
inline constexpr int IDC_EDIT_STB_PATH = 1060;
inline constexpr int IDC_BUTTON_UPLOAD = 1061;   // ">>"
inline constexpr int IDC_BUTTON_DOWNLOAD = 1062; // "<<"
inline constexpr int IDC_STATIC_PC_FREE = 1063;
inline constexpr int IDC_STATIC_STB_FREE = 1064;
inline constexpr int IDC_STATIC_PC_SUMMARY = 1065;
inline constexpr int IDC_STATIC_STB_SUMMARY = 1066;
// Progress (164), busy (166) and overwrite (167) windows.
inline constexpr int IDC_BUTTON_CANCEL = 1067;
inline constexpr int IDC_PROGRESS_FILE = 1068;
inline constexpr int IDC_PROGRESS_TOTAL = 1069;
inline constexpr int IDC_STATIC_FILE = 1070; // the file line; the overwrite question's path
inline constexpr int IDC_STATIC_FILE_PERCENT = 1071;
inline constexpr int IDC_STATIC_TOTAL_PERCENT = 1072;
inline constexpr int IDC_WAIT_PICTURE = 1073;
inline constexpr int IDC_RADIO_ALL_OVERWRITE = 1074;
inline constexpr int IDC_RADIO_ALL_SKIP = 1075;
// Backup list (180): the kept backups to restore or to take the order from.
inline constexpr int IDC_GRID_BACKUPS = 1100;
inline constexpr int IDC_BACKUP_FILE = 1101;

// Menus. Menu 137 holds the context menus, one popup each.
inline constexpr int IDR_MAIN_MENU = 135;
inline constexpr int IDR_POPUP_MENU = 137;
inline constexpr int kPopupLockRename = 0;
inline constexpr int kPopupTransponder = 1;
inline constexpr int kPopupChannel = 2;
inline constexpr int kPopupDelete = 3;

// Commands.
inline constexpr int ID_CONNECT_STB = 32771;
inline constexpr int ID_EXIT = 32773;
inline constexpr int ID_EDIT_USER_LISTS = 32774;
inline constexpr int ID_EDIT_SAT_LISTS = 32775;
inline constexpr int ID_UPDATE_STB = 32776;
inline constexpr int ID_LOCK_UNLOCK = 32777;
inline constexpr int ID_RENAME = 32778;
inline constexpr int ID_EXPORT_DATA = 32779;
inline constexpr int ID_IMPORT_DATA = 32780;
inline constexpr int ID_ADD_TRANSPONDER = 32781;
inline constexpr int ID_DELETE_TRANSPONDER = 32782;
inline constexpr int ID_ADD_CHANNEL = 32783;
inline constexpr int ID_DELETE_CHANNEL = 32784;
inline constexpr int ID_EDIT_TRANSPONDER = 32785;
inline constexpr int ID_EDIT_CHANNEL = 32786;
inline constexpr int ID_CHANNEL_NUMBER_DISPLAY = 32787;
inline constexpr int ID_FILE_BROWSER = 32788;
inline constexpr int ID_DELETE = 32789;
inline constexpr int ID_RESTORE_BACKUP = 32800;
inline constexpr int ID_APPLY_ORDER = 32801;

// Images.
inline constexpr int IDI_PROGRAM = 128; // the program icon
inline constexpr int IDB_LOCK = 136;
inline constexpr int IDB_TV = 147;
inline constexpr int IDB_RADIO = 148;
// The busy animation: frames IDB_WAIT_FIRST to IDB_WAIT_FIRST + kWaitFrameCount - 1 (149-156).
inline constexpr int IDB_WAIT_FIRST = 149;
inline constexpr int kWaitFrameCount = 8;
inline constexpr int IDB_HD = 158;
inline constexpr int IDB_SCRAMBLED = 159;
inline constexpr int IDB_FOLDER = 163;
