#pragma once

#include <filesystem>
#include <string>

// A fresh folder of mode 0700 that only this process writes: "channeltool-XXXXXX" under
// $XDG_RUNTIME_DIR when that is a writable folder, else under the system's temporary folder.
// It is removed with everything in it when the object goes; links inside are removed, never
// followed.
class PrivateFolder final {
public:
    PrivateFolder();
    ~PrivateFolder();
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;

    // Empty when no folder could be made; error() then says why.
    const std::filesystem::path& path() const { return path_; }
    const std::string& error() const { return error_; }

private:
    std::filesystem::path path_;
    std::string error_;
};
