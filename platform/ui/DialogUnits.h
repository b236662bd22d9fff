#pragma once

#include <QRect>
#include <QSize>

class QFont;

// Converts dialog units to pixels from a font's base units, the way dialog resources are
// scaled: the horizontal base unit is the average width of "A".."Z" "a".."z" (rounded to the
// nearest pixel), the vertical one the font height; 4 horizontal and 8 vertical dialog units
// make one base unit. Results are rounded to the nearest pixel.
class DialogUnits {
public:
    DialogUnits(int baseX, int baseY);
    static DialogUnits FromFont(const QFont& font);
    // The rounded average width of 52 letters whose widths add up to `widthOf52Letters`.
    static int BaseUnitX(int widthOf52Letters);

    int baseX() const { return baseX_; }
    int baseY() const { return baseY_; }

    int ToPixelsX(int dluX) const;
    int ToPixelsY(int dluY) const;
    QSize ToPixels(QSize dlu) const;
    // Edges are converted, not sizes, so adjacent rectangles stay adjacent.
    QRect ToPixels(const QRect& dlu) const;

private:
    int baseX_;
    int baseY_;
};
