#pragma once

#include "stblink/LinkOptions.h"

#include <filesystem>

class FileDialogs;
class MessageService;
class PlayerLauncher;

// What the main window needs from the world, handed in so that tests can replace each part.
struct MainWindowServices {
    MessageService& messages;
    FileDialogs& files;
    PlayerLauncher& player;
    LinkOptions link = {};
    // The program's private folder for the files it passes through disk; empty: the current
    // directory.
    std::filesystem::path workDir = {};
};
