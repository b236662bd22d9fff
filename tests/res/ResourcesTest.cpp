#include "res/Artwork.h"
#include "res/DialogTemplates.h"
#include "res/MenuTemplates.h"
#include "res/ResourceIds.h"
#include "tests/support/ui/ImageCompare.h"
#include "tests/support/ui/QtTestMain.h"

#include <QSvgRenderer>

#include <stdexcept>

class ResourcesTest final : public QObject {
    Q_OBJECT

    // Rendering differs in its last bits between machines, so alike is enough.
    static void expectDrawn(const QImage& shipped, int size, const QString& file)
    {
        const QString mismatch = ImageMismatch(RenderProgramIcon(size), shipped);
        QVERIFY2(mismatch.isEmpty(), qPrintable(QStringLiteral("res/icons/%1 is stale (%2): run channeltool-artwork "
                                                               "res/icons").arg(file, mismatch)));
    }

private slots:
    // The PNGs and the scalable icon are made by channeltool-artwork; they must not go stale.
    void shippedIconsMatchTheDrawing()
    {
        const QIcon icon = ProgramIcon();
        for (int size : kProgramIconSizes) {
            const QImage shipped(QStringLiteral(":/channeltool/icons/channeltool-%1.png").arg(size));
            QVERIFY2(!shipped.isNull(), "missing from the resource file");
            expectDrawn(shipped, size, QStringLiteral("channeltool-%1.png").arg(size));
            QVERIFY(icon.availableSizes().contains(QSize(size, size)));
        }
        QSvgRenderer svg(QStringLiteral(CT_SCALABLE_ICON));
        QVERIFY2(svg.isValid(), CT_SCALABLE_ICON);
        QImage rendered(256, 256, QImage::Format_ARGB32_Premultiplied);
        rendered.fill(Qt::transparent);
        QPainter painter(&rendered);
        svg.render(&painter);
        painter.end();
        expectDrawn(rendered, 256, "channeltool.svg");
    }

    // Drawn for the device pixel ratio, every frame a step of its own.
    void theBusyAnimationHasEightDistinctFramesAtAnyScale()
    {
        for (int id = IDB_WAIT_FIRST; id < IDB_WAIT_FIRST + kWaitFrameCount; ++id) {
            QCOMPARE(RenderBitmap(id, 2.0).size(), QSize(76, 110));
            QVERIFY(RenderBitmap(id) != RenderBitmap(id == IDB_WAIT_FIRST ? id + 1 : id - 1));
        }
        QVERIFY(RenderBitmap(IDB_WAIT_FIRST + kWaitFrameCount).isNull());
    }

    void unknownResourcesAreRefused()
    {
        QVERIFY(RenderBitmap(4711).isNull());
        QVERIFY(BitmapSize(4711).isEmpty());
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, GetDialogTemplate(4711));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, GetMenuTemplate(4711));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, GetPopupTemplate(IDR_POPUP_MENU, 4));
    }
};

REGISTER_QTEST(ResourcesTest);
#include "ResourcesTest.moc"
