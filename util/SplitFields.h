#pragma once

#include <string>
#include <string_view>
#include <vector>

// Splits at every occurrence of `separator`: empty fields are kept, the last field runs to the
// end, a text without the separator is one field. An empty separator gives the text whole.
std::vector<std::string> SplitFields(std::string_view text, std::string_view separator);
