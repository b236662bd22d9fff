#pragma once

#include "filebrowser/FileEntry.h"
#include "util/MessageService.h"

#include <string>
#include <vector>

// Deletes selected rows of the PC folder for good: a file directly, a folder with everything
// in it. Links are removed themselves, never followed, so nothing outside the selected tree
// is touched. Each row that could not be removed completely (also one that is gone already)
// shows "File delete failed!" or "Directory delete failed!" with its path, and the next row
// follows. Returns the number of such rows. A large tree takes a while: the browser runs this
// off the window thread.
int DeletePcEntries(const std::string& pcPath, const std::vector<FileEntry>& rows,
                    MessageService& messages);
