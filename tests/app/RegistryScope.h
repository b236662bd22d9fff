#pragma once

#include "tests/support/TempDir.h"

#include <cstdlib>

// Points the settings store at a fresh file for the lifetime of the object.
class RegistryScope {
public:
    // The kept backups go to the same folder; left set afterwards, so that they never reach
    // the user's own.
    RegistryScope()
    {
        setenv("CHANNELTOOL_REGISTRY", (dir_ / "registry").c_str(), 1);
        setenv("CHANNELTOOL_HISTORY", (dir_ / "history").c_str(), 1);
    }
    ~RegistryScope() { unsetenv("CHANNELTOOL_REGISTRY"); }
    RegistryScope(const RegistryScope&) = delete;
    RegistryScope& operator=(const RegistryScope&) = delete;

    const TempDir& dir() const { return dir_; }

private:
    TempDir dir_;
};
