#include "res/Artwork.h"
#include "res/ResourceIds.h"
#include "tests/support/ui/QtTestMain.h"

#include <QTest>

#include <set>

namespace {

const int kMarks[] = {IDB_HD, IDB_SCRAMBLED, IDB_LOCK, IDB_TV, IDB_RADIO, IDB_FOLDER};

double OpaqueShare(const QImage& image)
{
    int opaque = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            opaque += qAlpha(image.pixel(x, y)) > 128;
    return double(opaque) / (image.width() * image.height());
}

} // namespace

class ArtworkTest final : public QObject {
    Q_OBJECT

private slots:
    void marksHaveTheirSizeAtEveryPixelRatio()
    {
        for (int id : kMarks) {
            const QSize logical = id == IDB_FOLDER ? QSize(20, 20) : QSize(24, 24);
            QCOMPARE(BitmapSize(id), logical);
            const QImage one = RenderBitmap(id);
            QCOMPARE(one.size(), logical);
            const QImage two = RenderBitmap(id, 2.0);
            QCOMPARE(two.size(), logical * 2);
            QCOMPARE(two.devicePixelRatio(), 2.0);
            QCOMPARE(LoadBitmap(id, 2.0).deviceIndependentSize(), QSizeF(logical));
        }
        QVERIFY(RenderBitmap(4711).isNull());
        QVERIFY(BitmapSize(4711).isEmpty());
    }

    // Drawn on a transparent background with a real motif, different from each other, and
    // with no pure black, which an image list keyed on black would punch out.
    void marksAreVisibleDistinctAndKeySafe()
    {
        std::set<QByteArray> seen;
        for (int id : kMarks) {
            const QImage image = RenderBitmap(id).convertToFormat(QImage::Format_ARGB32);
            const int w = image.width() - 1, h = image.height() - 1;
            for (QPoint corner : {QPoint(0, 0), QPoint(w, 0), QPoint(0, h), QPoint(w, h)})
                QCOMPARE(qAlpha(image.pixel(corner)), 0);
            const double share = OpaqueShare(image);
            QVERIFY2(share > 0.25 && share < 0.9, qPrintable(QString::number(id)));
            for (int y = 0; y <= h; ++y)
                for (int x = 0; x <= w; ++x) {
                    const QRgb p = image.pixel(x, y);
                    QVERIFY(qAlpha(p) < 250 || qRed(p) + qGreen(p) + qBlue(p) > 30);
                }
            seen.insert(
                QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes()));
        }
        QCOMPARE(seen.size(), std::size(kMarks));
    }

    // The PNGs in the resource file are made by channeltool-artwork; they must not go stale.
    void shippedIconsMatchTheDrawing()
    {
        const QIcon icon = ProgramIcon();
        for (int size : kProgramIconSizes) {
            const QImage shipped =
                QImage(QStringLiteral(":/channeltool/icons/channeltool-%1.png").arg(size))
                    .convertToFormat(QImage::Format_ARGB32);
            QVERIFY2(!shipped.isNull(), "missing from the resource file");
            QVERIFY2(shipped == RenderProgramIcon(size).convertToFormat(QImage::Format_ARGB32),
                     qPrintable(QStringLiteral("res/icons/channeltool-%1.png is stale: run "
                                               "channeltool-artwork res/icons")
                                    .arg(size)));
            QVERIFY(icon.availableSizes().contains(QSize(size, size)));
        }
    }
};

REGISTER_QTEST(ArtworkTest);
#include "ArtworkTest.moc"
