#include "grid/CImageList.h"

int CImageList::Add(const QImage& image, const QColor& transparent)
{
    if (m_size.isEmpty() || image.height() != m_size.height() || image.width() < m_size.width() ||
        image.width() % m_size.width() != 0)
        return -1;
    QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = transparent.rgb() & RGB_MASK;
    for (int y = 0; y < argb.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(argb.scanLine(y));
        for (int x = 0; x < argb.width(); ++x)
            if (qAlpha(line[x]) == 255 && (line[x] & RGB_MASK) == key)
                line[x] = 0;
    }
    const int first = GetImageCount();
    for (int x = 0; x < argb.width(); x += m_size.width())
        m_pixmaps.push_back(QPixmap::fromImage(argb.copy(QRect(QPoint(x, 0), m_size))));
    return first;
}

int CImageList::Add(const QPixmap& pixmap)
{
    if (pixmap.size() != m_size)
        return -1;
    m_pixmaps.push_back(pixmap);
    return GetImageCount() - 1;
}
