#pragma once

#include <QImage>

// The program's icon at one size: a fanned pair of cards, a red back behind
// the Ace of Spades. Below 32 pixels the cards stand upright on whole pixels,
// since turned edges blur at that size.
QImage PaintAppIcon(int size);
