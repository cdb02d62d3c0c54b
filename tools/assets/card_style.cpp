#include "assets/card_style.h"

clCardStyle ClassicStyle() {
    clCardStyle style;
    style.description = "Qarvel Classic";
    style.face = QColor(0xff, 0xff, 0xff);
    style.border = QColor(0x6e, 0x6e, 0x6e);
    const QColor black(0x16, 0x16, 0x1c);
    const QColor red(0xc8, 0x14, 0x24);
    style.suitColour = {black, red, red, black};
    style.rankFont = "DejaVuSansCondensed-Bold.ttf";
    style.courts = clCourtLook::Figure;
    const QColor blue(0x22, 0x4e, 0xa8);
    style.courtRobe = {blue, red, red, blue};
    style.courtTrim = {QColor(0x1d, 0x7a, 0x46), QColor(0x22, 0x4e, 0xa8), QColor(0xe8, 0xa3, 0x17),
                       QColor(0x1c, 0x1c, 0x24)};
    style.gold = QColor(0xf2, 0xb8, 0x1d);
    style.skin = QColor(0xf8, 0xdc, 0xb8);
    style.hair = QColor(0x5a, 0x3a, 0x1e);
    return style;
}

clCardStyle FourColourStyle() {
    clCardStyle style;
    style.description = "Qarvel Four Colour";
    style.face = QColor(0xfc, 0xf8, 0xec);
    style.border = QColor(0x5c, 0x54, 0x48);
    style.suitColour = {QColor(0x1b, 0x7d, 0x3a), QColor(0x1f, 0x5b, 0xc4),
                        QColor(0xcc, 0x1f, 0x2a), QColor(0x18, 0x18, 0x18)};
    style.rankFont = "DejaVuSerifCondensed-Bold.ttf";
    style.courts = clCourtLook::Monogram;
    style.courtRobe = style.suitColour;
    style.courtTrim = style.suitColour;
    style.gold = QColor(0xc9, 0x9a, 0x2e);
    style.skin = QColor(0xf8, 0xdc, 0xb8);
    style.hair = QColor(0x5a, 0x3a, 0x1e);
    return style;
}
