#pragma once

#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QSize>

// The program's own images, drawn in code so they are sharp at any device pixel ratio.
// Marks (IDB_HD, IDB_SCRAMBLED, IDB_LOCK, IDB_TV, IDB_RADIO) are 24 x 24 and IDB_FOLDER is
// 20 x 20 logical pixels, the busy animation's frames (IDB_WAIT_FIRST...) 38 x 55, all on a
// transparent background (true alpha, no colour key; nothing is pure black).

// The logical size of bitmap `id`, or an empty size for an unknown id.
QSize BitmapSize(int id);
// Bitmap `id` at `devicePixelRatio` (the image's device pixel ratio is set); a null image for
// an unknown id.
QImage RenderBitmap(int id, qreal devicePixelRatio = 1.0);
QPixmap LoadBitmap(int id, qreal devicePixelRatio = 1.0);

// The program icon (IDI_PROGRAM), `size` x `size` pixels.
QImage RenderProgramIcon(int size);
// Paints the program icon into the square (0, 0, 256, 256) of `painter`, drawn as it looks
// at `size` pixels (small sizes use a bolder version). The scalable icon is this at 256.
void PaintProgramIcon(QPainter& painter, int size);
// The sizes shipped as PNG files in the resource file and installed for the desktop.
inline constexpr int kProgramIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};
// The program icon from the resource file, every shipped size.
QIcon ProgramIcon();
