#pragma once

#include "chdb/ChannelDatabase.h"
#include "stblink/StbKeywords.h"

#include <array>

// The three database files in the order both directions move them.
struct TransferStep {
    ChannelDatabase::File file;
    const char* sizeRequest;
    const char* downloadRequest;
    const char* uploadRequest;
};

inline constexpr std::array<TransferStep, 3> kTransferSteps = {{
    {ChannelDatabase::kChData, stb::kInfoChData, stb::kGetChData, stb::kSetChData},
    {ChannelDatabase::kChIdx, stb::kInfoChIndex, stb::kGetChIndex, stb::kSetChIndex},
    {ChannelDatabase::kMenuData, stb::kInfoMenuData, stb::kGetMenuData, stb::kSetMenuData},
}};
