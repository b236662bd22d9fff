#include "chdb/ChannelOperations.h"

#include "chdb/ChannelCompaction.h"

#include <algorithm>
#include <utility>

namespace {

bool InView(const ChannelView& view, int row)
{
    return row >= 0 && row < view.size();
}

} // namespace

int DeleteViewRows(DatabaseState& state, const ChannelView& view, std::span<const int> rows)
{
    std::vector<int> indices;
    for (int row : rows)
        if (InView(view, row))
            indices.push_back(view.tableIndices[static_cast<std::size_t>(row)]);
    const int deleted = CompactChannels(state.db, indices);
    if (deleted > 0)
        state.modified = true;
    return deleted;
}

std::optional<RowMove> MoveViewRows(DatabaseState& state, ChannelView& view,
                                    std::span<const int> selectedRows, MoveDirection direction)
{
    std::optional<RowMove> move = PlanRowMove(selectedRows, view.size(), direction);
    if (!move)
        return std::nullopt;
    ChannelDatabase& db = state.db;
    const auto window = std::span(view.tableIndices)
                            .subspan(static_cast<std::size_t>(move->first), move->order.size());
    // Records are written to the positions the rows stand for; two rows on one record, or a row
    // beyond the table, would lose a channel.
    std::vector<int> positions(window.begin(), window.end());
    std::sort(positions.begin(), positions.end());
    if (positions.front() < 0 || positions.back() >= db.channelCount() ||
        std::adjacent_find(positions.begin(), positions.end()) != positions.end())
        return std::nullopt;

    std::vector<ChannelInfo> records;
    records.reserve(window.size());
    for (int index : window)
        records.push_back(db.channel(index));
    std::vector<std::pair<int, int>> oldToNew;
    for (std::size_t k = 0; k < window.size(); ++k) {
        const std::size_t from = static_cast<std::size_t>(move->order[k] - move->first);
        db.setChannel(window[k], records[from]);
        view.records[static_cast<std::size_t>(move->first) + k] = records[from];
        if (from != k)
            oldToNew.emplace_back(window[from], window[k]);
    }
    RemapUserListsAfterMove(db, state.listKind(), oldToNew);
    state.modified = true;
    return move;
}

std::vector<int> ToggleViewLocks(DatabaseState& state, ChannelView& view, std::span<const int> rows,
                                 const std::function<bool()>& confirmPin)
{
    std::vector<int> changed;
    bool asked = false;
    bool unlock = false;
    for (int row : rows) {
        if (!InView(view, row))
            continue;
        const int index = view.tableIndices[static_cast<std::size_t>(row)];
        if (index < 0 || index >= state.db.channelCount())
            continue;
        ChannelInfo channel = state.db.channel(index);
        if (channel.lock() == 1) {
            if (!asked) {
                asked = true;
                unlock = confirmPin && confirmPin();
            }
            if (!unlock)
                continue;
            channel.setLock(0);
        } else {
            channel.setLock(1);
        }
        state.db.setChannel(index, channel);
        view.records[static_cast<std::size_t>(row)] = channel;
        changed.push_back(row);
    }
    return changed;
}
