#pragma once

#include "engine/catalogue.h"
#include "engine/point_system.h"

// A game as its rules give it: its catalogue row (display name, key, help
// topic), the table's size in card units, its goal and time bonus per round
// and the points its moves earn. Each family writes its games' rows as one
// constexpr table; a variant's constructor describes the game by its row.
struct clGameRules {
    const clCatalogueRow& game;
    int width = 0;
    int height = 0;
    clRoundTable rounds;
    clPointValues points;
};

// The round tables games of several families share.

// Klondike's: FreeCell, Yukon and the fan games play the same rounds.
inline constexpr clRoundTable kKlondikeRounds{
    .goalBase = 10000,
    .goalStep = 10000,
    .bonusBase = 2400,
    .goalSteps = {{.from = 2, .step = 20000},
                  {.from = 4, .step = 30000},
                  {.from = 6, .step = 40000}},
    .bonusSteps = {{.from = 6, .step = 50}},
};

// Triple Towers': the goal grows by 20000, 25000 and 30000 in turn from
// round 3, and the bonus shrinks every three rounds. Fourteen Out plays the
// same rounds.
inline constexpr clRoundTable kTowersRounds{
    .goalBase = 20000,
    .goalStep = 25000,
    .bonusBase = 900,
    .bonusStep = 150,
    .bonusPeriod = 3,
    .goalSteps = {{.from = 2, .step = 30000}, {.from = 3, .pattern = {20000, 25000, 30000}}},
    .bonusSteps = {{.from = 4, .step = 100, .period = 3},
                   {.from = 7, .step = 50, .period = 3},
                   {.from = 10, .step = 20, .period = 3},
                   {.from = 40, .step = 10, .period = 3}},
};
