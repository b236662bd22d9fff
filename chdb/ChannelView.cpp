#include "chdb/ChannelView.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <numeric>

namespace {

constexpr int kLetters = 26;

bool IsLetter(std::uint8_t byte)
{
    return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z');
}

std::uint8_t Lower(std::uint8_t byte)
{
    return byte >= 'A' && byte <= 'Z' ? static_cast<std::uint8_t>(byte + 32) : byte;
}

std::uint8_t FirstNameByte(const ChannelInfo& c) { return c.bytes()[ChannelInfo::kNameOffset]; }

// The n-th (1-based) satellite-list entry of the current list, or nullptr.
const SatListEntry* NthSatellite(const DatabaseState& state, int n)
{
    for (const SatListEntry& entry : state.satList)
        if (entry.list == state.list && --n == 0)
            return &entry;
    return nullptr;
}

bool MatchesGroup(const DatabaseState& state, Category category, int group, const ChannelInfo& c,
                  const SatListEntry* satellite)
{
    switch (category) {
    case Category::Sat:
        return group == 0 || c.satelliteId() == satellite->satelliteId;
    case Category::AToZ: {
        const std::uint8_t first = FirstNameByte(c);
        if (group < kLetters)
            return Lower(first) == 'a' + group;
        return first != 0 && !IsLetter(first);
    }
    case Category::FtaCas:
        return group == 0 ? c.casMask() == 0
                          : (c.casMask() & state.casList[static_cast<std::size_t>(group - 1)].mask) != 0;
    case Category::SdHd:
        return c.type() == (group == 0 ? ChannelInfo::kSdtv : ChannelInfo::kHdtv);
    case Category::User:
        break;
    }
    return false;
}

} // namespace

std::vector<std::string> CategoryRows(ListKind kind)
{
    std::vector<std::string> rows = {"SAT", "User", "A-Z", "FTA/CAS"};
    if (kind == ListKind::Tv)
        rows.push_back("SD/HD");
    return rows;
}

std::vector<std::string> GroupRows(const DatabaseState& state, Category category)
{
    std::vector<std::string> rows;
    switch (category) {
    case Category::Sat:
        rows.push_back("All");
        for (const SatListEntry& entry : state.satList)
            if (entry.list == state.list)
                rows.push_back(entry.name);
        break;
    case Category::User:
        for (int k = 1; k <= ChannelDatabase::kUserListCount; ++k)
            rows.push_back(state.db.userListDisplayName(k));
        break;
    case Category::AToZ:
        for (int i = 0; i < kLetters; ++i)
            rows.push_back({static_cast<char>('A' + i), ' ', '(', static_cast<char>('a' + i), ')'});
        rows.push_back("others");
        break;
    case Category::FtaCas:
        rows.push_back("FTA");
        for (const CasEntry& entry : state.casList)
            rows.push_back(entry.name);
        break;
    case Category::SdHd:
        rows = {"SD", "HD"};
        break;
    }
    return rows;
}

std::uint16_t SatelliteIdOfGroup(const DatabaseState& state, int group)
{
    const SatListEntry* satellite = group > 0 ? NthSatellite(state, group) : nullptr;
    return satellite ? satellite->satelliteId : 0;
}

ChannelView BuildChannelView(const DatabaseState& state, int categoryRow, int group)
{
    ChannelView view;
    if (!state.hasData() || categoryRow < 0 || group < 0 ||
        categoryRow >= static_cast<int>(CategoryRows(state.listKind()).size()))
        return view;
    const auto category = static_cast<Category>(categoryRow);
    if (group >= static_cast<int>(GroupRows(state, category).size()))
        return view;

    const ChannelDatabase& db = state.db;
    if (category == Category::User) {
        // Every entry of the list's part, in list order; entries naming no record are skipped.
        for (std::int32_t index : db.userListEntries(group, state.listKind())) {
            if (index < 0 || index >= db.channelCount())
                continue;
            view.records.push_back(db.channel(index));
            view.tableIndices.push_back(index);
        }
        return view;
    }

    const SatListEntry* satellite = category == Category::Sat && group > 0 ? NthSatellite(state, group) : nullptr;
    const bool radio = state.listKind() == ListKind::Radio;
    const int count = db.channelCount();
    for (int i = 0; i < count; ++i) {
        const ChannelInfo c = db.channel(i);
        if (c.isRadio() != radio || !MatchesGroup(state, category, group, c, satellite))
            continue;
        view.records.push_back(c);
        view.tableIndices.push_back(i);
    }
    if (category == Category::AToZ)
        SortViewByName(view);
    return view;
}

void SortViewByName(ChannelView& view)
{
    const std::size_t n = view.records.size();
    if (n < 2)
        return;

    // Lower-cased, zero-padded copies: comparing whole buffers equals comparing the C strings.
    using Key = std::array<std::uint8_t, ChannelInfo::kNameSize + 1>;
    std::vector<Key> keys(n);
    for (std::size_t i = 0; i < n; ++i) {
        keys[i].fill(0);
        const auto bytes = view.records[i].bytes().subspan(ChannelInfo::kNameOffset, ChannelInfo::kNameSize);
        for (std::size_t b = 0; b < bytes.size() && bytes[b] != 0; ++b)
            keys[i][b] = Lower(bytes[b]);
    }
    // Dense ranks: equal names share one.
    std::vector<std::size_t> order(n);
    std::iota(order.begin(), order.end(), std::size_t{0});
    auto less = [&](std::size_t a, std::size_t b) { return std::memcmp(keys[a].data(), keys[b].data(), keys[a].size()) < 0; };
    std::sort(order.begin(), order.end(), less);
    std::vector<int> rank(n);
    for (std::size_t i = 0, r = 0; i < n; ++i) {
        if (i > 0 && less(order[i - 1], order[i]))
            ++r;
        rank[order[i]] = static_cast<int>(r);
    }

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
            std::swap(view.records[greatest], view.records[last]);
            std::swap(view.tableIndices[greatest], view.tableIndices[last]);
            update(greatest);
            update(last);
        }
    }
}
