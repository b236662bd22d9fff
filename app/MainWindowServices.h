#pragma once

#include "stblink/LinkOptions.h"

class FileDialogs;
class MessageService;
class PlayerLauncher;

// What the main window needs from the world, handed in so that tests can replace each part.
struct MainWindowServices {
    MessageService& messages;
    FileDialogs& files;
    PlayerLauncher& player;
    LinkOptions link = {};
};
