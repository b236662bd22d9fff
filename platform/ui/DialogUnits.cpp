#include "platform/ui/DialogUnits.h"

#include <QFont>
#include <QFontMetrics>

namespace {

// Rounds value * numerator / denominator half away from zero, without overflow for any int.
int MulDiv(int value, int numerator, int denominator)
{
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator
                                         : -((-product + half) / denominator));
}

} // namespace

DialogUnits::DialogUnits(int baseX, int baseY)
    : baseX_(baseX > 0 ? baseX : 1), baseY_(baseY > 0 ? baseY : 1)
{
}

int DialogUnits::BaseUnitX(int widthOf52Letters)
{
    return (widthOf52Letters / 26 + 1) / 2;
}

DialogUnits DialogUnits::FromFont(const QFont& font)
{
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return DialogUnits(BaseUnitX(width), metrics.height());
}

int DialogUnits::ToPixelsX(int dluX) const
{
    return MulDiv(dluX, baseX_, 4);
}

int DialogUnits::ToPixelsY(int dluY) const
{
    return MulDiv(dluY, baseY_, 8);
}

QSize DialogUnits::ToPixels(QSize dlu) const
{
    return {ToPixelsX(dlu.width()), ToPixelsY(dlu.height())};
}

QRect DialogUnits::ToPixels(const QRect& dlu) const
{
    const int left = ToPixelsX(dlu.x());
    const int top = ToPixelsY(dlu.y());
    const int right = ToPixelsX(dlu.x() + dlu.width());
    const int bottom = ToPixelsY(dlu.y() + dlu.height());
    return QRect(left, top, right - left, bottom - top);
}
