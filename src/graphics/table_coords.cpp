#include "graphics/table_coords.h"

clRect clRect::Union(const clRect& other) const {
    if (other.IsEmpty()) return *this;
    if (IsEmpty()) return other;
    return {std::min(left, other.left), std::min(top, other.top), std::max(right, other.right),
            std::max(bottom, other.bottom)};
}

clPoint TableToScreen(const clTableMetrics& m, double fx, double fy, std::int32_t dx,
                      std::int32_t dy) {
    const int x0 = (m.screenWidth - m.columns * m.cardWidth) / 2;
    const int y0 = (m.screenHeight - m.rows * m.cardHeight) / 2;
    return {x0 + static_cast<int>(m.cardWidth * fx + 0.5) + dx,
            y0 + static_cast<int>(m.cardHeight * fy + 0.5) + dy};
}
