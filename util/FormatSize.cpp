#include "util/FormatSize.h"

#include <array>
#include <cstdio>

std::string FormatSize(double bytes, int precision)
{
    static constexpr std::array<const char*, 5> kUnits = {"Byte", "KB", "MB", "GB", "TB"};
    std::size_t unit = 0;
    double value = bytes;
    while (value >= 1024.0 && unit + 1 < kUnits.size()) {
        value *= 0.0009765625;
        ++unit;
    }
    char text[400];
    std::snprintf(text, sizeof text, precision == 1 ? "%.1f %s" : "%.0f %s", value, kUnits[unit]);
    return text;
}
