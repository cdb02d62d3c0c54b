#include "graphics/card_size.h"

clPictureSize AutomaticCardSize(const clSizeRule& rule, clPictureSize proposed) {
    if (rule.minSize == rule.maxSize && rule.minSize != 0) return CardSizeOf(rule.minSize);
    const int big = rule.maxSize == 0 ? 1 : rule.maxSize;
    const int small = rule.minSize == 0 ? kSmallestSizeIndex : rule.minSize;
    if (small < big) return proposed;
    for (int index = big; index <= small; ++index) {
        const clPictureSize size = CardSizeOf(index);
        if (static_cast<long long>(rule.columns) * size.width <= rule.virtualWidth &&
            static_cast<long long>(rule.rows) * size.height <= rule.virtualHeight) {
            return size;
        }
    }
    return CardSizeOf(small);
}
