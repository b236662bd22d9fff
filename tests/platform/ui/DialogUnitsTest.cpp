#include "platform/ui/DialogUnits.h"
#include "tests/support/ui/QtTestMain.h"

#include <QTest>

class DialogUnitsTest final : public QObject {
    Q_OBJECT

private slots:
    void baseUnitIsTheRoundedAverageLetterWidth()
    {
        QCOMPARE(DialogUnits::BaseUnitX(312), 6); // exactly 6.0
        QCOMPARE(DialogUnits::BaseUnitX(337), 6); // 6.48
        QCOMPARE(DialogUnits::BaseUnitX(338), 7); // 6.5 rounds up
        QCOMPARE(DialogUnits::BaseUnitX(385), 7); // DejaVu Sans 9 pt at 96 dpi
    }

    void unitsScaleAndRoundToPixels()
    {
        const DialogUnits units(6, 13);
        QCOMPARE(units.ToPixels(QSize(169, 67)), QSize(254, 109)); // 253.5 and 108.875
        QCOMPARE(units.ToPixelsX(2), 3);
        QCOMPARE(units.ToPixelsY(4), 7); // 6.5
        QCOMPARE(units.ToPixelsX(-2), -3);
        const DialogUnits wide(7, 14);
        QCOMPARE(wide.ToPixels(QSize(387, 216)), QSize(677, 378));
    }

    void rectanglesConvertTheirEdges()
    {
        const DialogUnits units(6, 13);
        // Left 10.5 -> 11, top 3.25 -> 3, right 570, bottom 339.625 -> 340.
        QCOMPARE(units.ToPixels(QRect(7, 2, 373, 207)), QRect(11, 3, 559, 337));
        // Side by side in units stays side by side in pixels.
        const QRect left = units.ToPixels(QRect(17, 37, 60, 163));
        const QRect right = units.ToPixels(QRect(77, 37, 10, 163));
        QCOMPARE(left.right() + 1, right.left());
    }
};

REGISTER_QTEST(DialogUnitsTest);
#include "DialogUnitsTest.moc"
