#include "assets/qt_picture.h"

#include <QtEndian>
#include <cstring>

static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "pictures are stored as little-endian ARGB32");

clPicture ToPicture(const QImage& image) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    clPicture picture(argb.width(), argb.height());
    for (int y = 0; y < argb.height(); ++y) {
        std::memcpy(picture.At(0, y), argb.constScanLine(y),
                    static_cast<std::size_t>(argb.width()) * 4);
    }
    return picture;
}

QImage ToQImage(const clPicture& picture) {
    QImage image(picture.width, picture.height, QImage::Format_ARGB32);
    for (int y = 0; y < picture.height; ++y) {
        std::memcpy(image.scanLine(y), picture.At(0, y),
                    static_cast<std::size_t>(picture.width) * 4);
    }
    return image;
}
