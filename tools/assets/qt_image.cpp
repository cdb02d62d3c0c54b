#include "assets/qt_image.h"

#include <QtEndian>
#include <cstring>

static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "pictures are stored as little-endian ARGB32");

bool ToImage(const QImage& image, clImage& picture) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    if (!picture.CreateImage(argb.width(), argb.height())) return false;
    for (int y = 0; y < argb.height(); ++y) {
        std::memcpy(picture.Row(y), argb.constScanLine(y),
                    static_cast<std::size_t>(argb.width()) * 4);
    }
    return true;
}

QImage ToQImage(const clImage& picture) {
    QImage image(picture.Width(), picture.Height(), QImage::Format_ARGB32);
    for (int y = 0; y < picture.Height(); ++y) {
        std::memcpy(image.scanLine(y), picture.Row(y),
                    static_cast<std::size_t>(picture.Width()) * 4);
    }
    return image;
}
