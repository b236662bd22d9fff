// channeltool-artwork DIR: writes the program icon PNGs (channeltool-SIZE.png) and the
// scalable icon (channeltool.svg) into DIR. The files in res/icons are made with it after the
// drawing code changes; a test checks that they still match.
#include "res/Artwork.h"

#include <QCoreApplication>
#include <QDir>
#include <QSvgGenerator>

#include <cstdio>

namespace {

// The same drawing code as the PNGs, recorded as vector paths.
bool WriteScalableIcon(const QString& path)
{
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(QSize(256, 256));
    svg.setViewBox(QRect(0, 0, 256, 256));
    svg.setTitle(QStringLiteral("Channel tool"));
    svg.setDescription(QStringLiteral("A satellite dish under its signal on a blue tile"));
    QPainter painter;
    if (!painter.begin(&svg))
        return false;
    painter.setRenderHint(QPainter::Antialiasing);
    // The icon has no text, but the generator writes the font of each group: a family and a
    // pixel size keep those attributes valid (not "" and -1).
    QFont font(QStringLiteral("sans-serif"));
    font.setPixelSize(16);
    painter.setFont(font);
    PaintProgramIcon(painter, 256);
    return painter.end();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: channeltool-artwork DIR\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.exists() && !QDir().mkpath(dir.path())) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    for (int size : kProgramIconSizes) {
        const QString path = dir.filePath(QStringLiteral("channeltool-%1.png").arg(size));
        if (!RenderProgramIcon(size).save(path, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    const QString svg = dir.filePath(QStringLiteral("channeltool.svg"));
    if (!WriteScalableIcon(svg)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(svg));
        return 1;
    }
    return 0;
}
