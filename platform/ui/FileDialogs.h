#pragma once

#include <optional>
#include <string>

// What a file dialog shows. The filter is in resource form: pairs of description and
// patterns, each followed by "|", patterns separated by ";", e.g.
// "Channel Backup File(*.ech)|*.ech|".
struct FileDialogRequest {
    std::string title;
    std::string filter;
    std::string defaultExtension; // without the dot; appended when the user types none
    std::string start;            // a folder, or a full path whose folder is opened
};

// The standard file and folder dialogs, replaceable in tests. Each returns the chosen path,
// or nothing when the user cancels.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // Asks before overwriting an existing file.
    virtual std::optional<std::string> SaveFile(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> OpenFile(const FileDialogRequest& request) = 0;
    // File-system folders only, `start` preselected.
    virtual std::optional<std::string> PickFolder(const std::string& title,
                                                  const std::string& start) = 0;
};
