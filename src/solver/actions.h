#pragma once

#include <optional>
#include <vector>

#include "engine/move.h"

class clPile;
class clPositionView;
class clSolitaireRules;
struct clFamilyTraits;

// One thing a player can do on a position: a move the rules validate (a
// card move, a pair, a set, the stock action), or a click on the stock (a
// deal, a redeal) as the player makes it.
struct clAction {
    enum class clKind { Move, Deal };
    clKind kind = clKind::Move;
    clMove move;  // for a Move
};

// Every action the game's rules allow on the position, foundation moves
// first. The table is left as it was.
std::vector<clAction> PossibleActions(clSolitaireRules& game, const clPositionView& view,
                                      const clFamilyTraits& traits);

// Plays an action as the player's would be played: validated and committed
// with the game's bookkeeping (its refills, automatic play when on, the win
// check). The record it made, the player's own (what it chained in
// included, the automatic moves after it not); nothing when it was refused
// or changed nothing.
std::optional<clMove> PlayAction(clSolitaireRules& game, const clAction& action);
