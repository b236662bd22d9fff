#pragma once

#include <string>

// Every text the program shows comes from this one table, by index. The indexes are fixed.
enum class MsgId : int {
    ModelName = 0,
    NoChannelName = 7,
    MaxNoOfCharacters = 8,
    NameAlreadyExists = 9,
    ServiceIdRange = 10,
    PmtPidRange = 11,
    VideoPidRange = 12,
    AudioPidRange = 13,
    PcrPidRange = 14,
    MaxTranspondersReached = 15,
    Limit = 16,
    AddTransponder = 17,
    DeleteTransponderAndChannels = 18,
    MaxChannelsInListReached = 19,
    AddChannel = 20,
    DeleteChannel = 21,
    NoSatelliteName = 22,
    PositionRange = 23,
    NoLnbFrequency = 24,
    LnbRange = 25,
    InvalidPositionNo = 26,
    Range = 27,
    PositionAlreadyExists = 28,
    FrequencyRange = 29,
    SymbolRateRange = 30,
    SelectFec = 31,
    SelectPolarization = 32,
    SelectPilot = 33,
    TransponderAlreadyExists = 34,
    Max = 35,
    TvChannels = 36,
    RadioChannels = 37,
    DeleteChannels = 38,
    WrongPin = 39,
    ConnectionFailed = 40,
    ServerDisconnected = 41,
    UsbMemoryConnectError = 42,
    FileWriteError = 43,
    UsbMemoryInfoError = 44,
    DataError = 45,
    UsbMemoryFreeSpaceError = 46,
    VersionNotMatching = 47,
    ChannelDataDoNotExist = 48,
    FileReadError = 49,
    UpdateStbFirst = 50,
    Error = 51,
    InstallVlc = 52,
    ExitProgram = 53,
    UpdateStbQuestion = 54,
    UpdateError = 55,
    UpdateStb = 56,
    FileOpenError = 57,
    DataExported = 58,
    ChannelNumberRange = 59,
    InsertNewName = 60,
    NoUsbMemoryConnected = 61,
    SelectFile = 62,
    DiskFull = 63,
    CancelQuestion = 64,
    OverwriteFile = 65,
    FileNotExist = 66,
    FileOverwriteError = 67,
    SendError = 68,
    RecvError = 69,
    DeleteDirectoryAndFiles = 70,
    DirectoryDeleteFailed = 71,
    FileDeleteFailed = 72,
};

inline constexpr int kMessageCount = 73;

// Catalogue entry `index` (0..72) of the selected language table; empty for any other index
// or when the language has no table.
std::string GetMessageText(int index);
inline std::string GetMessageText(MsgId id) { return GetMessageText(static_cast<int>(id)); }

// The questions get Yes/No buttons, every other message a single OK.
bool IsQuestion(MsgId id);

// The fixed language identifier that selects the table.
inline constexpr const char* kLanguageId = "LANG_ENG";
