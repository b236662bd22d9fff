#pragma once

#include <cstdint>
#include <limits>
#include <string_view>

// Line and field reading shared by the parsers of the box's text replies.
namespace replylines {

// Calls `take(line)` for each line of `text`, without its line feed (the last line also when
// it has none), until `take` returns false. A line always runs to its line feed, however long.
template <class Take> void ForEach(std::string_view text, Take take)
{
    while (!text.empty()) {
        const std::size_t feed = text.find('\n');
        const std::string_view line = text.substr(0, feed);
        if (!take(line))
            return;
        text = feed == std::string_view::npos ? std::string_view{} : text.substr(feed + 1);
    }
}

inline void TrimLeadingBlanks(std::string_view& rest)
{
    const std::size_t first = rest.find_first_not_of(' ');
    rest = first == std::string_view::npos ? std::string_view{} : rest.substr(first);
}

// The text up to the next blank; `rest` moves past it and the blanks after it.
inline std::string_view TakeField(std::string_view& rest)
{
    const std::size_t blank = rest.find(' ');
    const std::string_view field = rest.substr(0, blank);
    rest = blank == std::string_view::npos ? std::string_view{} : rest.substr(blank);
    TrimLeadingBlanks(rest);
    return field;
}

// a * b for counts that are never negative: 0 below, the largest value above the range.
inline std::int64_t SaturatingProduct(std::int64_t a, std::int64_t b)
{
    if (a <= 0 || b <= 0)
        return 0;
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    return a > kMax / b ? kMax : a * b;
}

} // namespace replylines
