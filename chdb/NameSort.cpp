#include "chdb/NameSort.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <numeric>

namespace {

std::uint8_t Lower(std::uint8_t byte)
{
    return byte >= 'A' && byte <= 'Z' ? static_cast<std::uint8_t>(byte + 32) : byte;
}

// Dense ranks of the lower-cased names: equal names share one.
std::vector<int> NameRanks(std::span<const ChannelInfo> records)
{
    const std::size_t n = records.size();
    // Zero-padded copies: comparing whole buffers equals comparing the C strings.
    using Key = std::array<std::uint8_t, ChannelInfo::kNameSize + 1>;
    std::vector<Key> keys(n);
    for (std::size_t i = 0; i < n; ++i) {
        keys[i].fill(0);
        const auto bytes =
            records[i].bytes().subspan(ChannelInfo::kNameOffset, ChannelInfo::kNameSize);
        for (std::size_t b = 0; b < bytes.size() && bytes[b] != 0; ++b)
            keys[i][b] = Lower(bytes[b]);
    }
    std::vector<std::size_t> order(n);
    std::iota(order.begin(), order.end(), std::size_t{0});
    auto less = [&](std::size_t a, std::size_t b) {
        return std::memcmp(keys[a].data(), keys[b].data(), keys[a].size()) < 0;
    };
    std::sort(order.begin(), order.end(), less);
    std::vector<int> rank(n);
    for (std::size_t i = 0, r = 0; i < n; ++i) {
        if (i > 0 && less(order[i - 1], order[i]))
            ++r;
        rank[order[i]] = static_cast<int>(r);
    }
    return rank;
}

} // namespace

std::vector<std::size_t> BoxNameSortOrder(std::span<const ChannelInfo> records)
{
    const std::size_t n = records.size();
    std::vector<std::size_t> position(n);
    std::iota(position.begin(), position.end(), std::size_t{0});
    if (n < 2)
        return position;
    std::vector<int> rank = NameRanks(records);

    // The selection sort itself, with a segment tree answering "first position of the greatest
    // rank in 0..last" so that a full table sorts in n log n rather than n^2 comparisons.
    std::size_t leaves = 1;
    while (leaves < n)
        leaves *= 2;
    std::vector<std::size_t> best(2 * leaves, n); // position of the winner of each subtree
    auto better = [&](std::size_t a, std::size_t b) {
        if (a == n)
            return b;
        if (b == n)
            return a;
        return rank[b] > rank[a] ? b : a; // equal ranks: the earlier position wins
    };
    auto update = [&](std::size_t pos) {
        std::size_t node = leaves + pos;
        best[node] = pos;
        for (node /= 2; node >= 1; node /= 2)
            best[node] = better(best[2 * node], best[2 * node + 1]);
    };
    for (std::size_t i = 0; i < n; ++i)
        best[leaves + i] = i;
    for (std::size_t node = leaves - 1; node >= 1; --node)
        best[node] = better(best[2 * node], best[2 * node + 1]);
    auto firstGreatestUpTo = [&](std::size_t last) {
        std::size_t result = n;
        std::size_t lo = leaves, hi = leaves + last + 1; // half-open range of leaves
        std::size_t right = n;
        while (lo < hi) {
            if (lo & 1)
                result = better(result, best[lo++]);
            if (hi & 1)
                right = better(best[--hi], right);
            lo /= 2;
            hi /= 2;
        }
        return better(result, right);
    };

    for (std::size_t d = 0; d + 1 < n; ++d) {
        const std::size_t last = n - 1 - d;
        const std::size_t greatest = firstGreatestUpTo(last);
        if (greatest != last) {
            std::swap(rank[greatest], rank[last]);
            std::swap(position[greatest], position[last]);
            update(greatest);
            update(last);
        }
    }
    return position;
}
