// Renders a channel list filled the way the program fills its lists (markers, a header row, two
// selected rows with the focus frame, an '&' and an elided name) to a PNG, to check the look:
// grid_screenshot out.png [zoom]. With a zoom factor only the top-left corner is saved, enlarged
// pixel by pixel.
#include "GridTestSupport.h"

#include "grid/CImageList.h"

#include <QApplication>
#include <QPainter>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // Markers in the style of our bitmaps: drawn on black, which the image list keys out.
    QImage strip(72, 24, QImage::Format_RGB32);
    strip.fill(Qt::black);
    QPainter p(&strip);
    p.setRenderHint(QPainter::Antialiasing);
    QFont font = p.font();
    font.setPixelSize(11);
    font.setBold(true);
    p.setFont(font);
    const std::pair<QColor, const char*> marks[] = {
        {QColor(0, 120, 215), "HD"}, {QColor(200, 120, 0), "$"}, {QColor(190, 30, 45), "L"}};
    for (int i = 0; i < 3; ++i) {
        p.setPen(Qt::NoPen);
        p.setBrush(marks[i].first);
        p.drawRoundedRect(QRectF(24 * i + 2, 5, 20, 14), 3, 3);
        p.setPen(Qt::white);
        p.drawText(QRect(24 * i, 0, 24, 24), Qt::AlignCenter, marks[i].second);
    }
    p.end();
    CImageList images(24, 24);
    images.Add(strip);

    CGridCtrl grid;
    grid.resize(480, 330);
    FillLikeDialog(grid, 41, 4, 1, 24, 50, false);
    grid.GetDefaultCell(true, false)->SetFormat(DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    const QStringList headers{"Channel", "HD", "CAS", "Lock"};
    const QStringList names = QString("Das Erste HD|ZDF HD|3sat HD|Sky Sport & News|BBC One|"
                                      "A channel name much too long for its column")
                                  .split('|');
    for (int c = 0; c < 4; ++c)
        grid.SetItemText(0, c, headers[c]);
    for (int r = 1; r < 41; ++r) {
        grid.SetItemText(r, 0, QString::asprintf("  %4d    ", r) + names[(r - 1) % names.size()]);
        for (int c = 1; c < 4; ++c)
            grid.SetItemText(r, c, QString());
        grid.SetItemImage(r, 1, r % 3 != 0 ? 0 : -1);
        grid.SetItemImage(r, 2, r % 4 == 1 ? 1 : -1);
        grid.SetItemImage(r, 3, r % 5 == 2 ? 2 : -1);
    }
    grid.SetImageList(&images);
    grid.SetColumnWidth(0, 276);
    grid.ExpandColumnsToFit();
    grid.SetSelectedRange(3, 0, 4, 3);
    grid.SetFocusCell(4, 0);
    grid.show();
    QApplication::processEvents();
    QImage shot = grid.grab().toImage();
    if (argc > 2) {
        const int zoom = std::max(1, QString::fromLocal8Bit(argv[2]).toInt());
        shot = shot.copy(0, 0, 480, 130)
                   .scaled(480 * zoom, 130 * zoom, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    }
    return shot.save(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("grid.png")) ? 0
                                                                                              : 1;
}
