#pragma once

#include <optional>
#include <span>
#include <vector>

enum class MoveDirection { Up, Down };

// One step of a block move in a list of rows: the selected rows pass the row next to the first
// (Up) or the last (Down) selected row, and a selection with gaps closes up into one block next
// to the row it passed. Only the rows from that neighbour to the other end of the selection
// (the window) change places.
struct RowMove {
    int first = 0; // the window: rows first..last
    int last = 0;
    std::vector<int> order; // order[k]: the row whose content row first + k holds now
    int blockFirst = 0;     // the moved rows after the move: blockFirst..blockLast
    int blockLast = 0;
    int focus = 0; // the block's top row after Up, its bottom row after Down
};

// The move of `selectedRows` (any order; duplicates and rows outside 0..rowCount-1 are
// ignored) in a list of `rowCount` rows; none when nothing is selected or the block already
// touches the end it would move towards.
std::optional<RowMove> PlanRowMove(std::span<const int> selectedRows, int rowCount,
                                   MoveDirection direction);

// Rewrites the window of `rows` in the move's order.
template <class T> void ApplyRowMove(const RowMove& move, std::vector<T>& rows)
{
    std::vector<T> window;
    window.reserve(move.order.size());
    for (int from : move.order)
        window.push_back(rows[static_cast<std::size_t>(from)]);
    for (std::size_t k = 0; k < window.size(); ++k)
        rows[static_cast<std::size_t>(move.first) + k] = std::move(window[k]);
}
