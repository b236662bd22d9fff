#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string_view>

// A property every input must keep. A broken one aborts, so that the fuzzer keeps the input
// as a finding and the replay test fails on it.
#define FUZZ_CHECK(condition)                                                                  \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__,           \
                         #condition);                                                          \
            std::abort();                                                                      \
        }                                                                                      \
    } while (false)

namespace fuzz {

inline std::string_view Text(const std::uint8_t* data, std::size_t size)
{
    return {reinterpret_cast<const char*>(data), size};
}

// Well-formed UTF-8: no stray or missing continuation bytes, no over-long forms, no
// surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view text);

} // namespace fuzz
