#pragma once

#include "tests/support/TempDir.h"

#include <cstdlib>
#include <optional>
#include <string>

// Points the settings store at a fresh file, and the kept backups at a fresh folder, for the
// lifetime of the object.
class RegistryScope {
public:
    RegistryScope()
    {
        setenv("CHANNELTOOL_REGISTRY", (dir_ / "registry").c_str(), 1);
        if (const char* history = std::getenv("CHANNELTOOL_HISTORY"))
            previousHistory_ = history;
        setenv("CHANNELTOOL_HISTORY", history().c_str(), 1);
    }
    ~RegistryScope()
    {
        unsetenv("CHANNELTOOL_REGISTRY");
        // Back to what the test run set, never to the user's own folder.
        if (previousHistory_)
            setenv("CHANNELTOOL_HISTORY", previousHistory_->c_str(), 1);
        else
            unsetenv("CHANNELTOOL_HISTORY");
    }
    RegistryScope(const RegistryScope&) = delete;
    RegistryScope& operator=(const RegistryScope&) = delete;

    const TempDir& dir() const { return dir_; }
    std::filesystem::path history() const { return dir_ / "history"; }

private:
    TempDir dir_;
    std::optional<std::string> previousHistory_;
};
