#include "platform/ui/ScreenFit.h"

#include <QFrame>
#include <QScreen>
#include <QStyle>

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

int GridRowsOnScreen(const QWidget& window, const QFrame& grid, int clientHeight, int wantedRows,
                     int minRows, int rowHeight)
{
    const QScreen* area = window.screen();
    if (!area)
        return wantedRows;
    const int atMinRows = clientHeight + minRows * rowHeight + 2 * grid.frameWidth() - grid.height() +
                          window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window);
    return RowsThatFit(wantedRows, minRows, rowHeight, atMinRows, area->availableGeometry().height());
}
