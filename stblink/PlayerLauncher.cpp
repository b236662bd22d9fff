#include "stblink/PlayerLauncher.h"

#include "platform/DetachedProcess.h"
#include "platform/FindProgram.h"
#include "util/Registry.h"

#include <sstream>

std::vector<std::string> VlcLauncher::Arguments()
{
    std::istringstream words(kArgumentText);
    std::vector<std::string> arguments;
    for (std::string word; words >> word;)
        arguments.push_back(word);
    return arguments;
}

std::optional<std::filesystem::path> VlcLauncher::FindPlayer()
{
    std::string folder;
    if (RegReadString(RegRoot::LocalMachine, kRegistryKey, "InstallDir", folder) == kRegSuccess &&
        !folder.empty())
        return std::filesystem::path(folder) / "vlc";
    if (const auto onPath = FindProgramOnPath("vlc"))
        return onPath->parent_path() / "vlc";
    return std::nullopt;
}

bool VlcLauncher::Launch()
{
    const std::optional<std::filesystem::path> player = FindPlayer();
    if (!player)
        return false;
    StartDetachedProcess(*player, Arguments());
    return true;
}
