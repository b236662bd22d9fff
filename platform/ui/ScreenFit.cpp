#include "platform/ui/ScreenFit.h"

#include <algorithm>

int RowsThatFit(int wantedRows, int minRows, int rowHeight, int frameHeight, int availableHeight)
{
    if (rowHeight <= 0 || wantedRows <= minRows)
        return minRows;
    const int room = std::max(0, availableHeight - frameHeight) / rowHeight;
    return minRows + std::min(wantedRows - minRows, room);
}

int TopOnScreen(int top, int height, const QRect& available)
{
    return std::max(available.top(), std::min(top, available.bottom() + 1 - height));
}
