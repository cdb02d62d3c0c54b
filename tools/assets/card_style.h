#pragma once

#include <QColor>
#include <QString>
#include <array>

// How the court cards of a style are drawn.
enum class clCourtLook {
    Figure,    // double-ended portraits
    Monogram,  // a framed letter with the suit's emblem
};

// The look of one card set: colours, lettering and court style.
struct clCardStyle {
    QString description;               // the name the card-set menu shows
    QColor face;                       // card face
    QColor border;                     // the thin outline
    std::array<QColor, 4> suitColour;  // clubs, diamonds, hearts, spades
    QString rankFont;                  // font file name of the corner ranks
    clCourtLook courts = clCourtLook::Figure;
    std::array<QColor, 4> courtRobe;  // main robe colour per suit
    std::array<QColor, 4> courtTrim;  // second robe colour per suit
    QColor gold;                      // crowns and trim
    QColor skin;
    QColor hair;

    QColor SuitColour(int suit) const { return suitColour[static_cast<std::size_t>(suit - 1)]; }
};

// The default set: white faces, red and black suits, portrait courts.
clCardStyle ClassicStyle();
// The second set: ivory faces, four suit colours, monogram courts.
clCardStyle FourColourStyle();
