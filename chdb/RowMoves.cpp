#include "chdb/RowMoves.h"

#include <algorithm>

std::optional<RowMove> PlanRowMove(std::span<const int> selectedRows, int rowCount,
                                   MoveDirection direction)
{
    std::vector<bool> selected(static_cast<std::size_t>(std::max(rowCount, 0)), false);
    int first = rowCount, last = -1, n = 0;
    for (int row : selectedRows) {
        if (row < 0 || row >= rowCount || selected[static_cast<std::size_t>(row)])
            continue;
        selected[static_cast<std::size_t>(row)] = true;
        first = std::min(first, row);
        last = std::max(last, row);
        ++n;
    }
    if (n == 0)
        return std::nullopt;
    const bool up = direction == MoveDirection::Up;
    if (up ? first == 0 : last == rowCount - 1)
        return std::nullopt;

    RowMove move;
    move.first = up ? first - 1 : first;
    move.last = up ? last : last + 1;
    // Up: the selected rows first, then the others; down: the others first.
    std::vector<int> others;
    for (int row = move.first; row <= move.last; ++row)
        (selected[static_cast<std::size_t>(row)] == up ? move.order : others).push_back(row);
    move.order.insert(move.order.end(), others.begin(), others.end());
    move.blockFirst = up ? move.first : move.last - n + 1;
    move.blockLast = up ? move.first + n - 1 : move.last;
    move.focus = up ? move.blockFirst : move.blockLast;
    return move;
}
