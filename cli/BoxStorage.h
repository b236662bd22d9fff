#pragma once

#include "filebrowser/StbStorage.h"

#include <optional>
#include <string>

// A folder of the partition as the browser names it: "/" or "/a/b". Nothing for a path that
// does not start with "/" or that climbs with "." or "..".
std::optional<std::string> BrowserPath(const std::string& text);

// A box path of the partition split as the browser selects it: the folder that holds it and
// its name. Nothing for "/" itself and for what BrowserPath refuses.
struct BoxItem {
    std::string parent;
    std::string name;
};
std::optional<BoxItem> SplitBoxPath(const std::string& text);

// Released when the command ends, whatever happened after the mount.
class MountedDisk final {
public:
    MountedDisk(StbStorage& storage, const std::string& device)
        : storage_(storage), mounted_(storage.Mount(device))
    {
    }
    ~MountedDisk()
    {
        if (mounted_)
            storage_.Unmount();
    }
    MountedDisk(const MountedDisk&) = delete;
    MountedDisk& operator=(const MountedDisk&) = delete;

    explicit operator bool() const { return mounted_; }

private:
    StbStorage& storage_;
    bool mounted_;
};
