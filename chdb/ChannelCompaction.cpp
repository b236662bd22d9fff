#include "chdb/ChannelCompaction.h"

#include <algorithm>
#include <map>
#include <unordered_map>

namespace {

ListKind KindOf(const ChannelInfo& channel)
{
    return channel.isRadio() ? ListKind::Radio : ListKind::Tv;
}

// A user-list entry that no longer names a record (hostile or stale data) has no key; it is
// dropped when its list is rewritten instead of being carried along as a wrong index.
constexpr std::int64_t kNoKey = -1;

} // namespace

int CompactChannels(ChannelDatabase& db, const std::vector<int>& indicesToDelete)
{
    const int count = db.channelCount();
    std::vector<bool> doomed(static_cast<std::size_t>(count), false);
    int deleted = 0;
    for (int index : indicesToDelete) {
        if (index >= 0 && index < count && !doomed[static_cast<std::size_t>(index)]) {
            doomed[static_cast<std::size_t>(index)] = true;
            ++deleted;
        }
    }
    if (deleted == 0)
        return 0;

    // 1. User lists from indices to keys.
    constexpr ListKind kKinds[] = {ListKind::Tv, ListKind::Radio};
    std::vector<std::int64_t> keys[ChannelDatabase::kUserListCount][2];
    for (int list = 0; list < ChannelDatabase::kUserListCount; ++list) {
        for (ListKind kind : kKinds) {
            auto& out = keys[list][static_cast<int>(kind)];
            for (std::int32_t entry : db.userListEntries(list, kind))
                out.push_back(entry >= 0 && entry < count ? db.channel(entry).key() : kNoKey);
        }
    }

    // 2-3. Copy the kept records forward in their order; note the deleted keys per kind.
    std::vector<bool> deletedKeys[2] = {std::vector<bool>(65536), std::vector<bool>(65536)};
    int kept = 0;
    for (int i = 0; i < count; ++i) {
        const ChannelInfo record = db.channel(i);
        if (doomed[static_cast<std::size_t>(i)]) {
            deletedKeys[static_cast<int>(KindOf(record))][record.key()] = true;
            continue;
        }
        if (kept != i)
            db.setChannel(kept, record);
        ++kept;
    }
    db.setChannelCount(kept);

    // 4. A deleted channel leaves the lists of its own kind: one pass over each list.
    for (auto& byKind : keys) {
        for (ListKind kind : kKinds) {
            const std::vector<bool>& gone = deletedKeys[static_cast<int>(kind)];
            std::erase_if(byKind[static_cast<int>(kind)], [&gone](std::int64_t key) {
                return key != kNoKey && gone[static_cast<std::size_t>(key)];
            });
        }
    }

    // 5. Keys back to indices: the first record with that key and the list's kind.
    std::map<std::pair<int, std::uint16_t>, std::int32_t> indexByKindAndKey;
    for (int i = kept - 1; i >= 0; --i) {
        const ChannelInfo record = db.channel(i);
        indexByKindAndKey[{static_cast<int>(KindOf(record)), record.key()}] = i;
    }
    for (int list = 0; list < ChannelDatabase::kUserListCount; ++list) {
        for (ListKind kind : kKinds) {
            std::vector<std::int32_t> entries;
            for (std::int64_t key : keys[list][static_cast<int>(kind)]) {
                if (key == kNoKey)
                    continue;
                const auto found = indexByKindAndKey.find({static_cast<int>(kind), static_cast<std::uint16_t>(key)});
                if (found != indexByKindAndKey.end())
                    entries.push_back(found->second);
            }
            db.setUserListEntries(list, kind, entries);
        }
    }
    return deleted;
}

void RemapUserListsAfterMove(ChannelDatabase& db, ListKind kind,
                             const std::vector<std::pair<int, int>>& oldToNew)
{
    if (oldToNew.empty())
        return;
    std::unordered_map<std::int32_t, std::int32_t> newIndex;
    for (const auto& [from, to] : oldToNew)
        newIndex[from] = to;
    for (int list = 0; list < ChannelDatabase::kUserListCount; ++list) {
        std::vector<std::int32_t> entries = db.userListEntries(list, kind);
        bool changed = false;
        for (std::int32_t& entry : entries) {
            const auto found = newIndex.find(entry);
            if (found != newIndex.end() && found->second != entry) {
                entry = found->second;
                changed = true;
            }
        }
        if (changed)
            db.setUserListEntries(list, kind, entries);
    }
}
