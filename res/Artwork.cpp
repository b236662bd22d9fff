#include "res/Artwork.h"

#include "res/ResourceIds.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <functional>

namespace {

// One palette for every image, so they read as a set.
const QColor kInk(0x26, 0x32, 0x38); // outlines and dark faces (never pure black)
const QColor kPaper(0xFF, 0xFF, 0xFF);
const QColor kSteel(0x60, 0x6E, 0x78);
const QColor kRed(0xE5, 0x39, 0x35);
const QColor kRedDark(0x9A, 0x1F, 0x1C);
const QColor kAmber(0xFB, 0xBC, 0x1C);
const QColor kAmberDark(0x8C, 0x5A, 0x00);
const QColor kSky(0x4F, 0xC3, 0xF7);
const QColor kSkyDark(0x02, 0x77, 0xBD);
const QColor kGreen(0x43, 0xA0, 0x47);
const QColor kGreenDark(0x1B, 0x5E, 0x20);
const QColor kMint(0xE8, 0xF5, 0xE9);
const QColor kFolder(0xFF, 0xCA, 0x4A);
const QColor kFolderBack(0xE8, 0xA8, 0x2A);
const QColor kFolderEdge(0xA8, 0x6E, 0x12);

QPen Outline(const QColor& color, qreal width = 1.0)
{
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// "HD" in white on a dark badge.
void DrawHd(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawRoundedRect(QRectF(1, 5, 22, 14), 3, 3);

    p.setBrush(kPaper);
    // H: two stems and a bar.
    p.drawRect(QRectF(4, 8, 2, 8));
    p.drawRect(QRectF(9, 8, 2, 8));
    p.drawRect(QRectF(6, 11, 3, 2));
    // D: a stem and a bowl, the counter cut out.
    QPainterPath d;
    d.moveTo(13, 8);
    d.lineTo(16, 8);
    d.cubicTo(18.9, 8, 20, 9.8, 20, 12);
    d.cubicTo(20, 14.2, 18.9, 16, 16, 16);
    d.lineTo(13, 16);
    d.closeSubpath();
    QPainterPath counter;
    counter.moveTo(15, 10);
    counter.lineTo(16, 10);
    counter.cubicTo(17.4, 10, 18, 10.9, 18, 12);
    counter.cubicTo(18, 13.1, 17.4, 14, 16, 14);
    counter.lineTo(15, 14);
    counter.closeSubpath();
    p.drawPath(d.subtracted(counter));
}

// A key: the scrambled (conditional access) mark, unlike the padlock in shape and colour.
void DrawScrambled(QPainter& p)
{
    QPainterPath key;
    key.addEllipse(QPointF(7, 12), 5.5, 5.5);
    QPainterPath blade;
    blade.addRoundedRect(QRectF(11, 10.5, 11, 3), 0.8, 0.8);
    blade.addRect(QRectF(16, 12, 2, 4.5));
    blade.addRect(QRectF(19.5, 12, 2, 3.5));
    key = key.united(blade);
    QPainterPath hole;
    hole.addEllipse(QPointF(6, 12), 2, 2);
    key = key.subtracted(hole);

    p.setPen(Outline(kAmberDark));
    p.setBrush(kAmber);
    p.drawPath(key);
}

// A padlock: the parental lock mark.
void DrawLock(QPainter& p)
{
    QPainterPath shackle;
    shackle.moveTo(8, 11);
    shackle.lineTo(8, 8);
    shackle.arcTo(QRectF(8, 3.5, 8, 9), 180, -180);
    shackle.lineTo(16, 11);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kSteel, 2.4, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    p.drawPath(shackle);

    p.setPen(Outline(kRedDark));
    p.setBrush(kRed);
    p.drawRoundedRect(QRectF(4.5, 10.5, 15, 11), 2.5, 2.5);

    p.setPen(Qt::NoPen);
    p.setBrush(kPaper);
    p.drawEllipse(QPointF(12, 15), 1.9, 1.9);
    p.drawRoundedRect(QRectF(11.2, 15, 1.6, 3.8), 0.6, 0.6);
}

// A television set: dark cabinet, lit screen, stand.
void DrawTv(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawRoundedRect(QRectF(1.5, 3.5, 21, 15), 2.5, 2.5);
    p.drawRect(QRectF(10, 18, 4, 2));
    p.drawRoundedRect(QRectF(6.5, 19.5, 11, 2), 1, 1);

    QLinearGradient screen(QPointF(0, 5.5), QPointF(0, 16.5));
    screen.setColorAt(0, kSky);
    screen.setColorAt(1, kSkyDark);
    p.setBrush(screen);
    p.drawRoundedRect(QRectF(3.5, 5.5, 17, 11), 1, 1);
    // A glint keeps the screen from reading as a flat blue block on the selection colour.
    p.setBrush(QColor(255, 255, 255, 110));
    QPainterPath glint;
    glint.moveTo(3.5, 11);
    glint.lineTo(3.5, 5.5);
    glint.lineTo(12, 5.5);
    glint.closeSubpath();
    p.drawPath(glint);
}

// A radio set: antenna, speaker, tuning scale and two knobs.
void DrawRadio(QPainter& p)
{
    p.setPen(QPen(kSteel, 1.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(7, 9), QPointF(17.5, 3));
    p.setPen(Qt::NoPen);
    p.setBrush(kSteel);
    p.drawEllipse(QPointF(17.8, 2.8), 1.5, 1.5);

    p.setPen(Outline(kGreenDark));
    p.setBrush(kGreen);
    p.drawRoundedRect(QRectF(2.5, 8.5, 19, 13), 2.5, 2.5);

    p.setPen(Qt::NoPen);
    p.setBrush(kGreenDark);
    p.drawEllipse(QPointF(8.5, 15), 4, 4);
    p.setBrush(kMint);
    p.drawEllipse(QPointF(8.5, 15), 1.4, 1.4);
    p.drawRoundedRect(QRectF(14, 11, 5.5, 2.5), 0.8, 0.8);
    p.drawEllipse(QPointF(15.2, 17.5), 1.3, 1.3);
    p.drawEllipse(QPointF(18.4, 17.5), 1.3, 1.3);
}

// A folder, 20 x 20.
void DrawFolder(QPainter& p)
{
    QPainterPath back;
    back.moveTo(1.5, 15);
    back.lineTo(1.5, 4.5);
    back.quadTo(1.5, 3.5, 2.5, 3.5);
    back.lineTo(7, 3.5);
    back.lineTo(8.8, 5.5);
    back.lineTo(17.5, 5.5);
    back.quadTo(18.5, 5.5, 18.5, 6.5);
    back.lineTo(18.5, 15);
    back.closeSubpath();
    p.setPen(Outline(kFolderEdge));
    p.setBrush(kFolderBack);
    p.drawPath(back);
    p.setBrush(kFolder);
    p.drawRoundedRect(QRectF(1.5, 7.5, 17, 9), 1, 1);
}

// The busy animation's hourglass around (0, 0), 30 x 53: its sand has run `moved` (0 to 1) from
// the upper bulb into the lower one; on its side, the sand lies against the wall that became
// the floor.
void DrawHourglass(QPainter& p, qreal moved, bool onItsSide, int step)
{
    QPainterPath glass;
    glass.moveTo(-11, -22.5);
    glass.lineTo(11, -22.5);
    glass.cubicTo(11, -9, 1.6, -6, 1.6, 0);
    glass.cubicTo(1.6, 6, 11, 9, 11, 22.5);
    glass.lineTo(-11, 22.5);
    glass.cubicTo(-11, 9, -1.6, 6, -1.6, 0);
    glass.cubicTo(-1.6, -6, -11, -9, -11, -22.5);
    glass.closeSubpath();

    // A pale tint, so that the glass reads on any background.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(kSky.red(), kSky.green(), kSky.blue(), 70));
    p.drawPath(glass);

    p.setBrush(kAmber);
    if (onItsSide) {
        QPainterPath floor;
        floor.addRect(QRectF(-1, 0, 13, 23));
        p.drawPath(glass.intersected(floor));
    } else {
        const qreal level = -19 + 18.5 * moved;
        if (moved < 1) {
            // The surface sinks in the middle, where the sand leaves.
            QPainterPath upper;
            upper.moveTo(-12, level);
            upper.lineTo(-2.5, level);
            upper.lineTo(0, level + 2.5);
            upper.lineTo(2.5, level);
            upper.lineTo(12, level);
            upper.lineTo(12, 0.5);
            upper.lineTo(-12, 0.5);
            upper.closeSubpath();
            p.drawPath(glass.intersected(upper));
        }
        const qreal pile = 15 * moved;
        if (pile > 0) {
            QPainterPath lower;
            lower.moveTo(-12, 23);
            lower.lineTo(-12, 23 - 0.55 * pile);
            lower.quadTo(0, 23 - 1.45 * pile, 12, 23 - 0.55 * pile);
            lower.lineTo(12, 23);
            lower.closeSubpath();
            p.drawPath(glass.intersected(lower));
        }
        if (moved < 1) {
            // The falling stream, half a unit off the middle so that it fills whole pixels;
            // its grains move on from frame to frame.
            const qreal bottom = 22.5 - pile;
            p.setPen(QPen(kAmber, 1.0, Qt::SolidLine, Qt::FlatCap));
            p.drawLine(QPointF(0.5, 0), QPointF(0.5, bottom));
            p.setPen(Qt::NoPen);
            p.setBrush(kAmberDark);
            for (qreal y = 1.5 + (step % 2) * 2.5; y < bottom - 1; y += 5)
                p.drawEllipse(QPointF(0.5, y), 0.9, 0.9);
        }
    }

    p.setBrush(Qt::NoBrush);
    p.setPen(Outline(kSkyDark));
    p.drawPath(glass);
    // A glint on the upper bulb.
    p.setPen(QPen(QColor(255, 255, 255, 170), 1.2, Qt::SolidLine, Qt::RoundCap));
    QPainterPath glint;
    glint.moveTo(-8.5, -20);
    glint.cubicTo(-8.5, -13, -6, -10, -3.5, -7);
    p.drawPath(glint);

    // Frame: two posts between two caps.
    p.setPen(Qt::NoPen);
    p.setBrush(kSteel);
    p.drawRect(QRectF(-14, -23, 2, 46));
    p.drawRect(QRectF(12, -23, 2, 46));
    p.setBrush(kInk);
    p.drawRoundedRect(QRectF(-15, -26.5, 30, 4), 1.5, 1.5);
    p.drawRoundedRect(QRectF(-15, 22.5, 30, 4), 1.5, 1.5);
}

// Frame `frame` (0 to 7) of the busy animation, 38 x 55: in frames 0 to 6 the sand runs down;
// frame 7 shows the glass half turned, on its side and smaller so that it fits, and frame 0
// starts over with the sand on top.
void DrawWaitFrame(QPainter& p, int frame)
{
    p.translate(19, 27.5);
    if (frame == kWaitFrameCount - 1) {
        p.scale(36.0 / 55.0, 36.0 / 55.0);
        p.rotate(90);
        DrawHourglass(p, 1, true, frame);
    } else {
        DrawHourglass(p, frame / 6.0, false, frame);
    }
}

bool IsWaitFrame(int id)
{
    return id >= IDB_WAIT_FIRST && id < IDB_WAIT_FIRST + kWaitFrameCount;
}

// The program icon in a 256-unit square: a satellite dish under its signal on a blue tile.
// Small sizes drop the outer signal arc and draw thicker so the motif survives.
void DrawProgramIcon(QPainter& p, int size)
{
    const bool small = size <= 32;
    QLinearGradient tile(QPointF(0, 16), QPointF(0, 240));
    tile.setColorAt(0, QColor(0x2F, 0x86, 0xEB));
    tile.setColorAt(1, QColor(0x14, 0x4F, 0xB0));
    p.setPen(Qt::NoPen);
    p.setBrush(tile);
    const qreal inset = small ? 4 : 12;
    p.drawRoundedRect(QRectF(inset, inset, 256 - 2 * inset, 256 - 2 * inset), 52, 52);

    const QColor white(0xFF, 0xFF, 0xFF);
    const QColor shade(0xC9, 0xDD, 0xF6);
    const QColor accent(0xFF, 0xC8, 0x3D);
    const qreal stroke = small ? 22 : 14;

    // Mast and foot.
    p.setBrush(white);
    p.drawRoundedRect(QRectF(98, 150, 24, 60), 6, 6);
    p.drawRoundedRect(QRectF(66, 198, 88, 20), 10, 10);

    // Dish: a tilted disc with a shaded rim for depth.
    p.save();
    p.translate(104, 132);
    p.rotate(-38);
    p.setBrush(shade);
    p.drawEllipse(QPointF(0, 0), 46, 78);
    p.setBrush(white);
    p.drawEllipse(QPointF(9, 0), 36, 70);
    p.restore();

    // Feed arm and the LNB at its end.
    const QPointF lnb(160, 92);
    p.setPen(QPen(white, stroke * 0.75, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(112, 126), lnb);
    p.setPen(Qt::NoPen);
    p.setBrush(accent);
    p.drawEllipse(lnb, small ? 22 : 17, small ? 22 : 17);

    // Incoming signal, kept inside the tile's rounded corner.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(white, stroke, Qt::SolidLine, Qt::RoundCap));
    auto arc = [&](qreal radius) {
        p.drawArc(QRectF(lnb.x() - radius, lnb.y() - radius, 2 * radius, 2 * radius), 15 * 16,
                  60 * 16);
    };
    arc(small ? 52 : 40);
    if (!small)
        arc(64);
}

std::function<void(QPainter&)> PainterFor(int id)
{
    switch (id) {
    case IDB_HD:
        return DrawHd;
    case IDB_SCRAMBLED:
        return DrawScrambled;
    case IDB_LOCK:
        return DrawLock;
    case IDB_TV:
        return DrawTv;
    case IDB_RADIO:
        return DrawRadio;
    case IDB_FOLDER:
        return DrawFolder;
    default:
        if (IsWaitFrame(id))
            return [frame = id - IDB_WAIT_FIRST](QPainter& p) { DrawWaitFrame(p, frame); };
        return {};
    }
}

} // namespace

QSize BitmapSize(int id)
{
    if (id == IDB_FOLDER)
        return {20, 20};
    if (IsWaitFrame(id))
        return {38, 55};
    return PainterFor(id) ? QSize(24, 24) : QSize();
}

QImage RenderBitmap(int id, qreal devicePixelRatio)
{
    const auto paint = PainterFor(id);
    if (!paint || devicePixelRatio <= 0)
        return {};
    const QSize logical = BitmapSize(id);
    QImage image(logical * devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(devicePixelRatio, devicePixelRatio);
        paint(painter);
    }
    image.setDevicePixelRatio(devicePixelRatio);
    return image;
}

QPixmap LoadBitmap(int id, qreal devicePixelRatio)
{
    return QPixmap::fromImage(RenderBitmap(id, devicePixelRatio));
}

QImage RenderProgramIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 256.0, size / 256.0);
    PaintProgramIcon(painter, size);
    return image;
}

void PaintProgramIcon(QPainter& painter, int size)
{
    DrawProgramIcon(painter, size);
}

// Outside any namespace, as Q_INIT_RESOURCE requires. A static library's resources must be
// registered by hand, or the linker drops them.
static void RegisterResources()
{
    Q_INIT_RESOURCE(channeltool);
}

QIcon ProgramIcon()
{
    RegisterResources();
    QIcon icon;
    for (int size : kProgramIconSizes)
        icon.addFile(QStringLiteral(":/channeltool/icons/channeltool-%1.png").arg(size),
                     QSize(size, size));
    return icon;
}
