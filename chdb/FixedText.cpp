#include "chdb/FixedText.h"

#include <algorithm>

std::string ReadFixedText(std::span<const std::uint8_t> field)
{
    const auto end = std::find(field.begin(), field.end(), std::uint8_t{0});
    return std::string(field.begin(), end);
}

void WriteFixedText(std::span<std::uint8_t> field, std::string_view text)
{
    if (field.empty())
        return;
    const std::size_t n = std::min(text.size(), field.size() - 1);
    std::copy_n(text.begin(), n, field.begin());
    std::fill(field.begin() + static_cast<std::ptrdiff_t>(n), field.end(), std::uint8_t{0});
}
