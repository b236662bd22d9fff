#pragma once

#include <cstdint>
#include <string_view>

// The plain decimal reading used for typed numbers and size replies, like atoi: leading
// white space, an optional sign, then digits; anything else ends the number, no digits read
// as 0. Unlike atoi it never overflows: values saturate at the type's limits.
std::int64_t ParseDecimal64(std::string_view text);
int ParseDecimal(std::string_view text);
