#pragma once

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QSize>

#include <vector>

// Equal-sized images that grid cells refer to by index; the dialog owns it and hands a
// pointer to its grids. The size is in logical pixels: an image drawn for a high-density
// screen (device pixel ratio above 1) has more pixels than that, and is drawn at its ratio.
class CImageList final {
public:
    explicit CImageList(QSize size) : m_size(size) {}
    CImageList(int cx, int cy) : m_size(cx, cy) {}

    // Adds the image, or a strip of images side by side, with `transparent` made see-through
    // (our bitmaps use black for that). Returns the index of the first image added, or -1
    // when the image is not a whole number of images of this list's size.
    int Add(const QImage& image, const QColor& transparent = Qt::black);
    // Adds an image that already carries its transparency.
    int Add(const QPixmap& pixmap);

    int GetImageCount() const { return static_cast<int>(m_pixmaps.size()); }
    QSize GetImageSize() const { return m_size; }
    const QPixmap& GetPixmap(int nImage) const { return m_pixmaps[std::size_t(nImage)]; }
    void Clear() { m_pixmaps.clear(); }

private:
    QSize m_size;
    std::vector<QPixmap> m_pixmaps;
};
