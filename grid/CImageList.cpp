#include "grid/CImageList.h"

namespace {

// Size in logical pixels; a fractional ratio (1.25, 1.5) may leave a fraction, which rounds.
QSize LogicalSize(QSize pixels, qreal ratio)
{
    return {qRound(pixels.width() / ratio), qRound(pixels.height() / ratio)};
}

} // namespace

int CImageList::Add(const QImage& image, const QColor& transparent)
{
    const qreal ratio = image.devicePixelRatio();
    const QSize logical = LogicalSize(image.size(), ratio);
    if (m_size.isEmpty() || logical.height() != m_size.height() ||
        logical.width() < m_size.width() || logical.width() % m_size.width() != 0)
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
    const int count = logical.width() / m_size.width();
    // Cut at the device pixels nearest to each logical edge, so no pixel is lost or doubled.
    const auto edge = [&](int i) {
        return i == count ? argb.width() : qRound(i * m_size.width() * ratio);
    };
    for (int i = 0; i < count; ++i) {
        QPixmap pixmap =
            QPixmap::fromImage(argb.copy(edge(i), 0, edge(i + 1) - edge(i), argb.height()));
        pixmap.setDevicePixelRatio(ratio);
        m_pixmaps.push_back(std::move(pixmap));
    }
    return first;
}

int CImageList::Add(const QPixmap& pixmap)
{
    if (LogicalSize(pixmap.size(), pixmap.devicePixelRatio()) != m_size)
        return -1;
    m_pixmaps.push_back(pixmap);
    return GetImageCount() - 1;
}
