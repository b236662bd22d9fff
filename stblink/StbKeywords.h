#pragma once

// The request and reply keywords of the box's protocol on TCP port 7777.
namespace stb {

inline constexpr const char* kBackupDataCheck = "SIG_BACKUP_DATA_CHECK";
inline constexpr const char* kBackupDataOk = "SIG_BACKUP_DATA_OK";

inline constexpr const char* kInfoChData = "SIG_INFO_CHDATA";
inline constexpr const char* kInfoChIndex = "SIG_INFO_CHINDEX";
inline constexpr const char* kInfoMenuData = "SIG_INFO_MENUDATA";
inline constexpr const char* kGetChData = "SIG_GET_CHDATA";
inline constexpr const char* kGetChIndex = "SIG_GET_CHINDEX";
inline constexpr const char* kGetMenuData = "SIG_GET_MENUDATA";
inline constexpr const char* kChnStart = "SIG_CHN_START";
inline constexpr const char* kChnEnd = "SIG_CHN_END";
inline constexpr const char* kSatListStart = "SIG_SAT_LIST_START";
inline constexpr const char* kCasListStart = "SIG_CAS_LIST_START";
inline constexpr const char* kSetChData = "SIG_SET_CHDATA";
inline constexpr const char* kSetChIndex = "SIG_SET_CHINDEX";
inline constexpr const char* kSetMenuData = "SIG_SET_MENUDATA";
inline constexpr const char* kUpdateOk = "SIG_UPDATE_OK";
inline constexpr const char* kUpdateChannel = "SIG_UPDATE_CHANNEL";

inline constexpr const char* kStrStart = "SIG_STR_START";
inline constexpr const char* kStrSuccess = "SIG_STR_SUCCESS";

inline constexpr const char* kMountStart = "SIG_MOUNT_START";
inline constexpr const char* kMountSuccess = "SIG_MOUNT_SUCCESS";
inline constexpr const char* kMountEnd = "SIG_MOUNT_END";
inline constexpr const char* kGetDiskInfo = "SIG_GET_DISK_INFO";
inline constexpr const char* kDiskInfoEnd = "SIG_DISK_INFO_END";
inline constexpr const char* kDiskInfoError = "SIG_DISK_INFO_ERROR";
inline constexpr const char* kGetDiskFileInfo = "SIG_GET_DISK_FILE_INFO";
inline constexpr const char* kDiskFileInfoEnd = "SIG_DISK_FILE_INFO_END";
inline constexpr const char* kDiskFileInfoError = "SIG_DISK_FILE_INFO_ERROR";
inline constexpr const char* kCommandStart = "SIG_COMMAND_START";
inline constexpr const char* kCommandSuccess = "SIG_COMMAND_SUCCESS";
inline constexpr const char* kCommandError = "SIG_COMMAND_ERROR";
inline constexpr const char* kGetFileInfo = "SIG_GET_FILE_INFO";
inline constexpr const char* kGetFileStart = "SIG_GET_FILE_START";
inline constexpr const char* kSetFileStart = "SIG_SET_FILE_START";
inline constexpr const char* kSetFileOk = "SIG_SET_FILE_OK";

} // namespace stb
