#include "fuzz/support/ImagePatches.h"

#include <algorithm>

namespace fuzz {

void ApplyPatches(std::span<std::uint8_t> image, const std::uint8_t* data, std::size_t size)
{
    if (image.empty())
        return;
    std::size_t at = 0;
    while (at + 4 <= size) {
        const std::size_t offset =
            (data[at] | (std::size_t{data[at + 1]} << 8) | (std::size_t{data[at + 2]} << 16)) %
            image.size();
        const std::size_t length =
            std::min({std::size_t{data[at + 3]}, size - at - 4, image.size() - offset});
        std::copy_n(data + at + 4, length, image.begin() + static_cast<std::ptrdiff_t>(offset));
        at += 4 + length;
    }
}

} // namespace fuzz
