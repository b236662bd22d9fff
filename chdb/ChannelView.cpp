#include "chdb/ChannelView.h"

#include "chdb/NameSort.h"

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
    const std::vector<std::size_t> order = BoxNameSortOrder(view.records);
    ChannelView sorted;
    sorted.records.reserve(order.size());
    sorted.tableIndices.reserve(order.size());
    for (std::size_t from : order) {
        sorted.records.push_back(view.records[from]);
        sorted.tableIndices.push_back(view.tableIndices[from]);
    }
    view = std::move(sorted);
}
