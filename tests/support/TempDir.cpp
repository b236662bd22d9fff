#include "tests/support/TempDir.h"

#include <stdlib.h>

#include <system_error>

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "channeltool-test-XXXXXX");
    if (!::mkdtemp(pattern.data()))
        throw std::system_error(errno, std::generic_category(), "mkdtemp");
    path_ = pattern;
}

TempDir::~TempDir()
{
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}
