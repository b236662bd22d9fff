#include "tests/support/TempDir.h"

#include <random>
#include <string>

TempDir::TempDir()
{
    std::random_device random;
    const auto base = std::filesystem::temp_directory_path();
    for (;;) {
        path_ = base / ("channeltool-test-" + std::to_string(random()));
        if (std::filesystem::create_directory(path_))
            return;
    }
}

TempDir::~TempDir()
{
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}
