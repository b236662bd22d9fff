#include "util/AtomicFile.h"

#include <cstdio>
#include <random>
#include <string>

AtomicWriteResult WriteFileAtomically(const std::filesystem::path& path, const void* data,
                                      std::size_t size)
{
    std::random_device random;
    std::filesystem::path temp = path;
    temp += ".tmp" + std::to_string(random() % 1000000u);

    std::FILE* file = std::fopen(temp.c_str(), "wb");
    if (!file)
        return AtomicWriteResult::OpenFailed;
    const bool written = size == 0 || std::fwrite(data, 1, size, file) == size;
    const bool closed = std::fclose(file) == 0;
    std::error_code ec;
    if (written && closed)
        std::filesystem::rename(temp, path, ec);
    if (!written || !closed || ec) {
        std::filesystem::remove(temp, ec);
        return AtomicWriteResult::WriteFailed;
    }
    return AtomicWriteResult::Ok;
}
