#pragma once

#include <array>

// Where the parts of a card face lie at one native size, in pixels. Each size
// is laid out for itself: the small cards get relatively larger indices and
// pips so that they stay readable, not a shrunken copy of the large ones.
struct clFaceMetrics {
    int width = 0;
    int height = 0;
    double radius = 0;      // corner radius
    double rankHeight = 0;  // cap height of the corner rank
    double indexX = 0;      // centre of the corner index column
    double indexTop = 0;    // top of the corner rank
    double indexSuit = 0;   // height of the suit mark under the rank
    double indexWidth = 0;  // widest the rank may be ("10" is squeezed to fit)
    double pip = 0;         // height of a pip
    double pipColumn = 0;   // distance of the side pip columns from the centre line
    double pipTop = 0;      // centre of the top pip row
    double acePip = 0;      // height of an Ace's single pip
    double frameX = 0;      // left edge of the court picture frame
    double frameY = 0;      // top edge of the court picture frame
    int detail = 0;         // 0 for the smallest sizes: fewer, bolder details
    double stroke = 1.0;    // width in pixels of the thin outlines and borders
};

// The five native sizes of the card-size menu, largest first.
inline constexpr std::array<clFaceMetrics, 5> kFaceMetrics = {{
    {150, 200, 9.0, 17.0, 14.0, 9.0, 13.0, 20.0, 27.0, 34.0, 33.0, 72.0, 27.0, 21.0, 2, 1.0},
    {120, 160, 7.5, 14.0, 11.5, 7.0, 11.0, 16.0, 22.0, 27.0, 27.0, 58.0, 22.0, 17.0, 2, 1.0},
    {90, 120, 6.0, 11.0, 9.0, 5.5, 8.5, 13.0, 16.5, 20.0, 20.0, 44.0, 16.5, 13.0, 1, 1.0},
    {71, 96, 5.0, 10.0, 7.5, 4.5, 7.5, 11.0, 13.0, 15.5, 16.0, 34.0, 14.0, 10.5, 1, 1.0},
    {53, 72, 4.0, 9.0, 6.0, 3.5, 6.0, 9.5, 10.0, 11.0, 12.5, 25.0, 12.0, 8.5, 0, 1.0},
}};

// Larger native sizes for big screens, largest first, laid out as 150 x 200
// enlarged: a size between them is scaled down from the nearest larger one,
// never up from 150 x 200. The outlines thicken with the card so that they
// look the same on a screen of twice the density.
inline constexpr std::array<clFaceMetrics, 3> kLargeFaceMetrics = {{
    {300, 400, 18.0, 34.0, 28.0, 18.0, 26.0, 40.0, 54.0, 68.0, 66.0, 144.0, 54.0, 42.0, 2, 2.0},
    {225, 300, 13.5, 25.5, 21.0, 13.5, 19.5, 30.0, 40.5, 51.0, 49.5, 108.0, 40.0, 31.0, 2, 1.5},
    {180, 240, 11.0, 20.5, 17.0, 11.0, 15.5, 24.0, 32.5, 41.0, 39.5, 86.0, 32.0, 25.0, 2, 1.0},
}};
