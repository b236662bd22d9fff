#pragma once

#include "chdb/DatabaseState.h"
#include "stblink/LinkOptions.h"
#include "stblink/PlayerLauncher.h"
#include "util/MessageService.h"

#include <functional>

// Asks the box at the current address to stream the channel at `channelTableIndex` (its
// position in the channel table, not its row on screen) and starts the player. Refuses with
// "Update STB first!" while the table differs from the box's; a locked channel needs
// `confirmPin` (the PIN dialog) to say yes. An index outside the table does nothing. True
// when the player was started.
bool StartStreaming(DatabaseState& state, int channelTableIndex, MessageService& messages,
                    const std::function<bool()>& confirmPin, PlayerLauncher& player,
                    const LinkOptions& options = {});
