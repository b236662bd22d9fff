// channeltool-artwork DIR: writes the program icon PNGs (channeltool-SIZE.png) into DIR.
// The PNGs in res/icons are made with it after the drawing code changes; a test checks
// that they still match.
#include "res/Artwork.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

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
    return 0;
}
