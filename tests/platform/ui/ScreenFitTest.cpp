#include "platform/ui/ScreenFit.h"
#include "tests/support/ui/QtTestMain.h"

class ScreenFitTest final : public QObject {
    Q_OBJECT

private slots:
    // A frame 400 high at 10 rows of 24 on screens of several heights.
    void rowsBeyondTheScreensRoomAreNotShown()
    {
        const struct {
            int wanted, available, rows;
        } cases[] = {
            {20, 1000, 20}, {20, 640, 20}, {20, 639, 19}, // 400 + 10 x 24 = 640
            {30, 800, 26},  {30, 400, 10}, {30, 300, 10}, // not even 10 fit: 10
            {10, 300, 10},
        };
        for (const auto& c : cases)
            QCOMPARE(RowsThatFit(c.wanted, 10, 24, 400, c.available), c.rows);
    }

    void theTopMovesOnlyAsFarAsTheScreenNeeds()
    {
        const QRect available(0, 30, 1280, 770); // a panel above, 30 high
        const struct {
            int top, height, expected;
        } cases[] = {
            {100, 500, 100}, // fits
            {-50, 500, 30},  // above the area
            {400, 500, 300}, // below it: the bottom at the area's bottom
            {100, 900, 30},  // taller than the area: the caption stays on the screen
        };
        for (const auto& c : cases)
            QCOMPARE(TopOnScreen(c.top, c.height, available), c.expected);
    }
};

REGISTER_QTEST(ScreenFitTest);
#include "ScreenFitTest.moc"
