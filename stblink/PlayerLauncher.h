#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// Starts the media player that shows the box's stream; replaceable so that tests need no
// player.
class PlayerLauncher {
public:
    virtual ~PlayerLauncher() = default;
    // Starts the player without waiting for it. False when no player is installed; whether a
    // found player then really runs is not checked.
    virtual bool Launch() = 0;
};

// VLC: the folder from "InstallDir" of "SOFTWARE\VideoLAN\VLC" under the local machine root,
// else the folder that holds `vlc` on PATH; the program is "<folder>/vlc", started detached
// with the fixed multicast arguments.
class VlcLauncher final : public PlayerLauncher {
public:
    static constexpr const char* kRegistryKey = "SOFTWARE\\VideoLAN\\VLC";
    static constexpr const char* kArgumentText =
        "--verbose 2 -vvv udp://@224.0.0.1 --width=400 --height=300 --one-instance "
        "--no-video-deco";

    static std::vector<std::string> Arguments(); // kArgumentText split at blanks
    static std::optional<std::filesystem::path> FindPlayer();

    bool Launch() override;
};
