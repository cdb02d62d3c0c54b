#pragma once

#include <optional>

#include "engine/solitaire_type.h"
#include "solver/solver.h"

class clSolitaireRules;

// Solves the position on the screen if its game is one of the open FreeCell
// family (FreeCell, Baker's Game, Eight Off, Sea Towers, Penguin, Beleaguered
// Castle and their versions): a best-first search on a compact copy of the
// table, whose winning line is replayed through the game's own rules on a
// fresh screen of the same deal before it is reported won. The screen itself
// is only read. Nullopt when the game is not one this solver models.
std::optional<clSolveResult> SolveFreeCellFamily(clSolitaireRules& game,
                                                 const clPlayOptions& options,
                                                 const clSolveLimits& limits);
