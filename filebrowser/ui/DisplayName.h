#pragma once

#include <QString>

#include <string_view>

// A file or folder name (bytes, as the box or the PC's file system keeps them) as text to show.
// Valid UTF-8 is shown as it is; a byte that is not part of valid UTF-8, and a control
// character (which would draw as nothing or break the line), is shown as "\xNN", so two names
// never look alike by losing bytes and nothing in a name acts on the display.
QString DisplayName(std::string_view name);
