#include "chdb/ReferenceOrder.h"

#include <algorithm>
#include <cstdio>
#include <deque>
#include <numeric>
#include <optional>
#include <unordered_map>

namespace {

// What identifies a channel across two lists of the same box.
struct Identity {
    bool radio = false;
    // Kind, orbital position, frequency, polarisation and service id; nothing when the
    // channel's satellite or transponder record is missing.
    std::optional<std::uint64_t> tuning;
    std::string name; // the visible name, undecoded
};

std::vector<Identity> Identities(const ChannelDatabase& db,
                                 const std::vector<ChannelInfo>& channels)
{
    // The first record with an id wins, as everywhere else in the program.
    std::unordered_map<std::uint16_t, std::uint16_t> positionOf;
    for (int i = 0; i < db.satelliteCount(); ++i) {
        const SatInfo s = db.satellite(i);
        positionOf.try_emplace(s.id(), s.position());
    }
    std::unordered_map<std::uint32_t, TpInfo> transponderOf;
    for (int i = 0; i < db.transponderCount(); ++i) {
        const TpInfo t = db.transponder(i);
        transponderOf.try_emplace(std::uint32_t{t.satelliteId()} << 16 | t.id(), t);
    }

    std::vector<Identity> ids(channels.size());
    for (std::size_t i = 0; i < channels.size(); ++i) {
        const ChannelInfo& c = channels[i];
        Identity& id = ids[i];
        id.radio = c.isRadio();
        id.name = c.visibleName();
        const auto position = positionOf.find(c.satelliteId());
        const auto tp =
            transponderOf.find(std::uint32_t{c.satelliteId()} << 16 | c.transponderId());
        if (position == positionOf.end() || tp == transponderOf.end())
            continue;
        id.tuning = std::uint64_t{id.radio} << 56 | std::uint64_t{position->second} << 40 |
                    std::uint64_t{tp->second.frequency()} << 24 |
                    std::uint64_t{tp->second.polarization()} << 16 | c.serviceId();
    }
    return ids;
}

std::string NameKey(const Identity& id)
{
    return (id.radio ? 'R' : 'T') + id.name;
}

std::string TuningAndNameKey(const Identity& id)
{
    std::string key = NameKey(id);
    const std::uint64_t tuning = id.tuning.value_or(~std::uint64_t{0});
    key.append(reinterpret_cast<const char*>(&tuning), sizeof tuning);
    return key;
}

// Pairs channels of the table (`partnerOf`) with channels of the reference (`partnerOfRef`).
class Matcher {
public:
    Matcher(const std::vector<Identity>& table, const std::vector<Identity>& reference)
        : partnerOf(table.size(), -1), partnerOfRef(reference.size(), -1), table_(table),
          reference_(reference)
    {
    }

    // Pairs the unpaired channels whose key occurs exactly once on each side.
    template <class Key> void PairUnique(Key keyOf)
    {
        struct Seen {
            int count[2] = {0, 0};
            int index[2] = {-1, -1};
        };
        std::unordered_map<typename decltype(keyOf(Identity{}))::value_type, Seen> seen;
        Count(seen, keyOf, 0, table_, partnerOf);
        Count(seen, keyOf, 1, reference_, partnerOfRef);
        for (const auto& [key, s] : seen)
            if (s.count[0] == 1 && s.count[1] == 1)
                Pair(s.index[0], s.index[1]);
    }

    // Pairs the unpaired channels with equal keys in the order they stand on each side.
    template <class Key> void PairInOrder(Key keyOf)
    {
        std::unordered_map<typename decltype(keyOf(Identity{}))::value_type, std::deque<int>>
            waiting;
        for (std::size_t r = 0; r < reference_.size(); ++r)
            if (partnerOfRef[r] < 0)
                if (const auto key = keyOf(reference_[r]))
                    waiting[*key].push_back(static_cast<int>(r));
        for (std::size_t t = 0; t < table_.size(); ++t) {
            if (partnerOf[t] >= 0)
                continue;
            const auto key = keyOf(table_[t]);
            if (!key)
                continue;
            const auto found = waiting.find(*key);
            if (found == waiting.end() || found->second.empty())
                continue;
            Pair(static_cast<int>(t), found->second.front());
            found->second.pop_front();
        }
    }

    std::vector<int> partnerOf;
    std::vector<int> partnerOfRef;

private:
    template <class Map, class Key>
    void Count(Map& seen, Key keyOf, int side, const std::vector<Identity>& ids,
               const std::vector<int>& partners)
    {
        for (std::size_t i = 0; i < ids.size(); ++i) {
            if (partners[i] >= 0)
                continue;
            if (const auto key = keyOf(ids[i])) {
                auto& s = seen[*key];
                ++s.count[side];
                s.index[side] = static_cast<int>(i);
            }
        }
    }

    void Pair(int t, int r)
    {
        partnerOf[static_cast<std::size_t>(t)] = r;
        partnerOfRef[static_cast<std::size_t>(r)] = t;
    }

    const std::vector<Identity>& table_;
    const std::vector<Identity>& reference_;
};

std::vector<ChannelInfo> Channels(const ChannelDatabase& db)
{
    std::vector<ChannelInfo> channels;
    channels.reserve(static_cast<std::size_t>(db.channelCount()));
    for (int i = 0; i < db.channelCount(); ++i)
        channels.push_back(db.channel(i));
    return channels;
}

} // namespace

ReorderSummary ApplyReferenceOrder(ChannelDatabase& db, const ChannelDatabase& reference)
{
    const std::vector<ChannelInfo> channels = Channels(db);
    const std::vector<ChannelInfo> refChannels = Channels(reference);
    const std::vector<Identity> ids = Identities(db, channels);
    const std::vector<Identity> refIds = Identities(reference, refChannels);

    Matcher m(ids, refIds);
    m.PairUnique([](const Identity& id) { return id.tuning; });
    // Without a name and a tuning there is nothing left to tell channels apart by.
    m.PairInOrder([](const Identity& id) {
        return id.tuning || !id.name.empty() ? std::optional(TuningAndNameKey(id)) : std::nullopt;
    });
    m.PairUnique([](const Identity& id) {
        return id.name.empty() ? std::nullopt : std::optional(NameKey(id));
    });

    // The matched channels in the reference's order, then the others in theirs.
    std::vector<int> order(channels.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&m](int a, int b) {
        const int ra = m.partnerOf[static_cast<std::size_t>(a)];
        const int rb = m.partnerOf[static_cast<std::size_t>(b)];
        if ((ra < 0) != (rb < 0))
            return rb < 0;
        return ra >= 0 && ra < rb;
    });

    ReorderSummary summary;
    std::vector<std::int32_t> newIndex(channels.size());
    for (std::size_t position = 0; position < order.size(); ++position) {
        const int old = order[position];
        newIndex[static_cast<std::size_t>(old)] = static_cast<std::int32_t>(position);
        summary.matched += m.partnerOf[static_cast<std::size_t>(old)] >= 0;
        if (old != static_cast<int>(position)) {
            ++summary.moved;
            db.setChannel(static_cast<int>(position), channels[static_cast<std::size_t>(old)]);
        }
    }
    summary.notFound = static_cast<int>(channels.size()) - summary.matched;

    for (int list = 0; list < ChannelDatabase::kUserListCount; ++list) {
        for (ListKind kind : {ListKind::Tv, ListKind::Radio}) {
            std::vector<std::int32_t> entries;
            for (std::int32_t entry : reference.userListEntries(list, kind)) {
                if (entry < 0 || entry >= static_cast<std::int32_t>(refChannels.size()))
                    continue;
                const auto r = static_cast<std::size_t>(entry);
                if (refIds[r].radio != (kind == ListKind::Radio) || m.partnerOfRef[r] < 0)
                    continue;
                entries.push_back(newIndex[static_cast<std::size_t>(m.partnerOfRef[r])]);
            }
            db.setUserListEntries(list, kind, entries);
        }
        db.setUserListName(list + 1, reference.userListName(list + 1));
    }
    return summary;
}

std::string ReorderSummaryText(const ReorderSummary& summary)
{
    char text[160];
    std::snprintf(text, sizeof text, "Order applied!\n\nMatched : %d\nMoved : %d\nNot found : %d",
                  summary.matched, summary.moved, summary.notFound);
    return text;
}
