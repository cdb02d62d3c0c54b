#pragma once

#include <QImage>

#include "graphics/image.h"

// A QImage over the picture's own pixels (blue, green, red, alpha bytes are
// Format_ARGB32 on this machine). The picture must outlive the view; copy it
// to keep it.
inline QImage ImageView(const clImage& picture) {
    if (picture.IsEmpty()) return {};
    return QImage(picture.Pixels(), picture.Width(), picture.Height(), picture.Stride(),
                  QImage::Format_ARGB32);
}
