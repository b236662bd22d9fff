// Renders two grids as the program fills them (a channel list with markers and a file list
// with a header row) to a PNG, to check the look: grid_screenshot out.png [zoom]. With a zoom
// factor only the top-left corner is saved, enlarged pixel by pixel.
#include "grid/CGridCtrl.h"
#include "grid/CImageList.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>

namespace {

// Markers in the style of our bitmaps: drawn on black, which the image list keys out.
QImage Marker(int size, const QColor& colour, const QString& label)
{
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawRoundedRect(QRectF(2, 5, size - 4, size - 10), 3, 3);
    QFont font = p.font();
    font.setPixelSize(size / 2 - 1);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, size, size), Qt::AlignCenter, label);
    return image;
}

QImage Folder(int size)
{
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(176, 128, 32));
    p.setBrush(QColor(240, 196, 80));
    p.drawRect(QRectF(2.5, 5.5, 7, 3));
    p.drawRect(QRectF(2.5, 7.5, size - 5, size - 11));
    return image;
}

void FillChannels(CGridCtrl& grid, const CImageList& images)
{
    grid.DeleteAllItems();
    grid.SetListMode(true);
    grid.SetEditable(false);
    grid.SetSingleRowSelection(false);
    grid.SetRowResize(false);
    grid.SetColumnResize(false);
    grid.EnableTitleTips(false);
    grid.ResetSelectedRange();
    grid.SetRowCount(41);
    grid.SetColumnCount(4);
    grid.SetFixedRowCount(1);
    const char* headers[] = {"Channel", "HD", "CAS", "Lock"};
    const char* names[] = {
        "Das Erste HD",     "ZDF HD",  "arte HD",           "3sat HD",
        "Sky Sport & News", "BBC One", "CNN International", "Eurosport 1",
        "France 24 (en)",   "Rai 1",   "TVE Internacional", "Al Jazeera English"};
    for (int c = 0; c < 4; ++c) {
        grid.SetItemFormat(0, c, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
        grid.SetItemText(0, c, headers[c]);
    }
    for (int r = 1; r < grid.GetRowCount(); ++r) {
        for (int c = 0; c < 4; ++c)
            grid.SetItemFormat(r, c, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
        grid.SetItemText(r, 0, QString::asprintf("  %4d    %s", r, names[(r - 1) % 12]));
        if (r % 3 != 0)
            grid.SetItemImage(r, 1, 0);
        if (r % 4 == 1)
            grid.SetItemImage(r, 2, 1);
        if (r % 5 == 2)
            grid.SetItemImage(r, 3, 2);
    }
    const int widths[] = {276, 50, 50, 50};
    for (int c = 0; c < 4; ++c)
        grid.SetColumnWidth(c, widths[c]);
    for (int r = 0; r < grid.GetRowCount(); ++r)
        grid.SetRowHeight(r, 24);
    grid.SetImageList(&images);
    grid.SetGridBkColor(Qt::white);
    grid.ExpandColumnsToFit();
    for (bool bRow : {false, true})
        for (bool bCol : {false, true})
            grid.GetDefaultCell(bRow, bCol)->SetMargin(0);
    grid.SetSelectedRange(3, 0, 4, 3);
    grid.SetFocusCell(4, 0);
    grid.Invalidate();
}

void FillFiles(CGridCtrl& grid, const CImageList& images)
{
    grid.DeleteAllItems();
    grid.SetListMode(true);
    grid.SetEditable(false);
    grid.SetFixedColumnSelection(false);
    grid.ResetSelectedRange();
    const char* entries[][3] = {
        {"0", "..", ""},
        {"0", "Movies", ""},
        {"0", "Recordings", ""},
        {"1", "channels.ech", "17 KB "},
        {"1", "holiday.ts", "2 GB "},
        {"1", "Tom & Jerry - a rather long recording name that cannot fit.ts", "734 MB "}};
    const int n = 6;
    grid.SetRowCount(n + 1);
    grid.SetColumnCount(3);
    grid.SetFixedRowCount(1);
    const char* headers[] = {" ", "File", "Size"};
    const unsigned formats[] = {DT_CENTER, DT_LEFT, DT_RIGHT};
    for (int c = 0; c < 3; ++c) {
        grid.SetItemFormat(0, c, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
        grid.SetItemText(0, c, headers[c]);
    }
    for (int r = 1; r <= n; ++r) {
        for (int c = 0; c < 3; ++c)
            grid.SetItemFormat(r, c, formats[c] | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
        if (entries[r - 1][0][0] == '0')
            grid.SetItemImage(r, 0, 0);
        grid.SetItemText(r, 1, QString(" ") + entries[r - 1][1]);
        grid.SetItemText(r, 2, entries[r - 1][2]);
    }
    grid.SetColumnWidth(0, 30);
    grid.SetColumnWidth(1, 250);
    grid.SetColumnWidth(2, 70);
    for (int r = 0; r <= n; ++r)
        grid.SetRowHeight(r, 20);
    grid.SetImageList(&images);
    grid.SetGridBkColor(Qt::white);
    grid.ExpandColumnsToFit();
    for (bool bRow : {false, true})
        for (bool bCol : {false, true})
            grid.GetDefaultCell(bRow, bCol)->SetMargin(0);
    grid.SetSelectedRange(5, 0, 5, 2);
    grid.SetFocusCell(5, 1);
    grid.Invalidate();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("grid.png");

    CImageList marks(24, 24);
    marks.Add(Marker(24, QColor(0, 120, 215), "HD"));
    marks.Add(Marker(24, QColor(200, 120, 0), "$"));
    marks.Add(Marker(24, QColor(190, 30, 45), "L"));
    CImageList folders(20, 20);
    folders.Add(Folder(20));

    QWidget window;
    window.setStyleSheet(QString());
    auto* layout = new QHBoxLayout(&window);
    auto* channels = new CGridCtrl(&window);
    auto* files = new CGridCtrl(&window);
    layout->addWidget(channels);
    layout->addWidget(files);
    window.resize(960, 330);
    layout->activate();
    FillChannels(*channels, marks);
    FillFiles(*files, folders);
    window.show();
    files->setFocus();
    QApplication::processEvents();
    QImage shot = window.grab().toImage();
    if (argc > 2) {
        const int zoom = std::max(1, QString::fromLocal8Bit(argv[2]).toInt());
        shot = shot.copy(0, 0, 480, 130)
                   .scaled(480 * zoom, 130 * zoom, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    }
    return shot.save(out) ? 0 : 1;
}
