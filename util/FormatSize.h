#pragma once

#include <string>

// A byte count as a short text in steps of 1024: "1023 Byte", "1.5 KB", "7 GB".
// Precision 1 gives one decimal place, any other value none.
std::string FormatSize(double bytes, int precision);
