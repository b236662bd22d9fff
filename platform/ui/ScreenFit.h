#pragma once

#include <QRect>

class QFrame;
class QWidget;

// Keeping a window that grows by grid rows within its screen's available area (the screen
// without panels and task bars).

// The most rows, from `minRows` up to `wantedRows`, that fit in `availableHeight` when the
// window's frame is `frameHeight` high at `minRows` rows and each further row adds
// `rowHeight`; `minRows` when not even those fit.
int RowsThatFit(int wantedRows, int minRows, int rowHeight, int frameHeight, int availableHeight);

// The top edge for a frame `height` high at `top`, moved only as far as needed to lie within
// `available`. A frame taller than the area keeps its top (caption and menu) on the screen.
int TopOnScreen(int top, int height, const QRect& available);

// The rows `grid` may show on `window`'s screen, from `minRows` up to `wantedRows` rows of
// `rowHeight`, when the window's client area is `clientHeight` high with the grid as it is now
// (a caption of the style's height counted on top); `wantedRows` before the window has a screen.
int GridRowsOnScreen(const QWidget& window, const QFrame& grid, int clientHeight, int wantedRows,
                     int minRows, int rowHeight);
