#pragma once

#include <QPainterPath>

// The four suit marks as outlines in a unit square (x and y from 0 to 1, y
// downwards), upright. Suits are numbered as the deck numbers them: 1 clubs,
// 2 diamonds, 3 hearts, 4 spades.
QPainterPath SuitPath(int suit);
