#pragma once

#include "stblink/LinkOptions.h"

class FileDialogs;
class MessageService;

// What the disk choice and the file browser need from the world, handed in so that tests can
// replace each part.
struct BrowserServices {
    MessageService& messages;
    FileDialogs& files;
    LinkOptions link = {};
};
