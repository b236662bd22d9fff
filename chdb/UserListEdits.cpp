#include "chdb/UserListEdits.h"

#include "chdb/NameSort.h"
#include "util/MessageService.h"

#include <algorithm>
#include <unordered_set>

namespace {

enum class Filter { AToZ, FtaCas, SdHd, All, Satellite };

// The filter behind combo entry `index`, and for a satellite its entry in the list.
Filter FilterAt(ListKind kind, int index, int& satellite)
{
    const bool tv = kind == ListKind::Tv;
    const int all = DefaultUserListFilter(kind);
    satellite = index - all - 1;
    if (index == 0)
        return Filter::AToZ;
    if (index == 1)
        return Filter::FtaCas;
    if (tv && index == 2)
        return Filter::SdHd;
    return index == all ? Filter::All : Filter::Satellite;
}

bool OfKind(const ChannelInfo& c, ListKind kind)
{
    return c.isRadio() == (kind == ListKind::Radio);
}

bool StartsWithLetter(const ChannelInfo& c)
{
    const std::uint8_t first = c.bytes()[ChannelInfo::kNameOffset];
    return (first >= 'A' && first <= 'Z') || (first >= 'a' && first <= 'z');
}

// Appends `group` in the box's name order.
void AppendByName(const ChannelDatabase& db, const std::vector<int>& group, std::vector<int>& out)
{
    std::vector<ChannelInfo> records;
    records.reserve(group.size());
    for (int index : group)
        records.push_back(db.channel(index));
    for (std::size_t from : BoxNameSortOrder(records))
        out.push_back(group[from]);
}

} // namespace

std::vector<std::string> UserListFilters(const std::vector<SatListEntry>& satList, ListKind kind)
{
    std::vector<std::string> entries = {"A-Z", "FTA/CAS"};
    if (kind == ListKind::Tv)
        entries.push_back("SD/HD");
    entries.push_back("All");
    for (const SatListEntry& entry : satList)
        if (entry.list == static_cast<int>(kind))
            entries.push_back(entry.name);
    return entries;
}

int DefaultUserListFilter(ListKind kind)
{
    return kind == ListKind::Tv ? 3 : 2;
}

std::vector<int> UserListFilterRows(const ChannelDatabase& db,
                                    const std::vector<SatListEntry>& satList, ListKind kind,
                                    int filter)
{
    if (filter < 0 || filter >= static_cast<int>(UserListFilters(satList, kind).size()))
        return {};
    int satellite = 0;
    const Filter which = FilterAt(kind, filter, satellite);
    std::uint16_t satelliteId = 0;
    if (which == Filter::Satellite) {
        for (const SatListEntry& entry : satList)
            if (entry.list == static_cast<int>(kind) && satellite-- == 0)
                satelliteId = entry.satelliteId;
    }

    // Two groups in table order; the second follows the first.
    std::vector<int> first, second;
    const int count = db.channelCount();
    first.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const ChannelInfo c = db.channel(i);
        if (!OfKind(c, kind))
            continue;
        switch (which) {
        case Filter::All:
            first.push_back(i);
            break;
        case Filter::Satellite:
            if (c.satelliteId() == satelliteId)
                first.push_back(i);
            break;
        case Filter::FtaCas:
            (c.casMask() == 0 ? first : second).push_back(i);
            break;
        case Filter::SdHd:
            if (c.type() == ChannelInfo::kSdtv || c.type() == ChannelInfo::kHdtv)
                (c.type() == ChannelInfo::kSdtv ? first : second).push_back(i);
            break;
        case Filter::AToZ:
            (StartsWithLetter(c) ? first : second).push_back(i);
            break;
        }
    }
    if (which != Filter::AToZ) {
        first.insert(first.end(), second.begin(), second.end());
        return first;
    }
    std::vector<int> rows;
    rows.reserve(first.size() + second.size());
    AppendByName(db, first, rows);
    AppendByName(db, second, rows);
    return rows;
}

std::string UserListFullMessage(ListKind kind)
{
    return GetMessageText(MsgId::Max) + " " +
           std::to_string(ChannelDatabase::UserListCapacity(kind)) + " " +
           GetMessageText(kind == ListKind::Tv ? MsgId::TvChannels : MsgId::RadioChannels) + "!";
}

UserListAddition AddToUserList(ChannelDatabase& db, int list, ListKind kind,
                               std::span<const int> tableIndices, MessageService& messages)
{
    std::vector<std::int32_t> entries = db.userListEntries(list, kind);
    const std::unordered_set<std::int32_t> held(entries.begin(), entries.end());
    UserListAddition addition{static_cast<int>(entries.size()), 0};
    for (int index : tableIndices) {
        if (held.contains(index))
            continue;
        if (static_cast<int>(entries.size()) >= ChannelDatabase::UserListCapacity(kind)) {
            messages.Show(UserListFullMessage(kind), MessageService::Buttons::Ok);
            break;
        }
        entries.push_back(index);
        ++addition.added;
    }
    if (addition.added > 0)
        db.setUserListEntries(list, kind, entries);
    return addition;
}

int RemoveFromUserList(ChannelDatabase& db, int list, ListKind kind, std::span<const int> rows)
{
    const std::vector<std::int32_t> entries = db.userListEntries(list, kind);
    std::vector<bool> doomed(entries.size(), false);
    for (int row : rows)
        if (row >= 0 && row < static_cast<int>(entries.size()))
            doomed[static_cast<std::size_t>(row)] = true;
    std::vector<std::int32_t> kept;
    kept.reserve(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (!doomed[i])
            kept.push_back(entries[i]);
    const int removed = static_cast<int>(entries.size() - kept.size());
    if (removed > 0)
        db.setUserListEntries(list, kind, kept);
    return removed;
}

std::optional<RowMove> MoveUserListEntries(ChannelDatabase& db, int list, ListKind kind,
                                           std::span<const int> selectedRows,
                                           MoveDirection direction)
{
    std::vector<std::int32_t> entries = db.userListEntries(list, kind);
    std::optional<RowMove> move =
        PlanRowMove(selectedRows, static_cast<int>(entries.size()), direction);
    if (move) {
        ApplyRowMove(*move, entries);
        db.setUserListEntries(list, kind, entries);
    }
    return move;
}

RenameOutcome RenameUserList(ChannelDatabase& db, int list, const std::string& name)
{
    const int number = list + 1;
    if (number < 1 || number > ChannelDatabase::kUserListCount || name.empty() ||
        name == db.userListDisplayName(number))
        return RenameOutcome::Unchanged;
    for (int k = 1; k <= ChannelDatabase::kUserListCount; ++k)
        if (name == db.userListDisplayName(k))
            return RenameOutcome::NameExists;
    db.setUserListName(number, name);
    return RenameOutcome::Renamed;
}
