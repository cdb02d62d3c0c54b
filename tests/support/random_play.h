#pragma once

#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "engine/move.h"

class clSolitaireRules;

// Every card move from any card of any pile to the top of any other pile
// that the rules accept.
std::vector<clMove> ValidCardMoves(clSolitaireRules& game);
// Every pair of top cards (and single top card) the rules let go together,
// as the move a pair selection of them makes.
std::vector<clMove> ValidPairs(clSolitaireRules& game);

// No card lies in two places; a card in no pile has been taken out of play.
::testing::AssertionResult EveryCardAtMostOnce(const clSolitaireRules& game);
// Every card lies in exactly one pile.
::testing::AssertionResult EveryCardOnce(const clSolitaireRules& game);

// One random action, committed as the player's would be: a card move, a
// pair, a stock action or a click on the stock. False when there is none.
bool PlayRandomStep(clSolitaireRules& game, std::mt19937& chance);

// Random play with undos and redos on one game: after every step the cards
// are conserved, an undo followed by a redo gives back the same table, and a
// rebuild from the deal number and history gives the table play reached.
void PlayRandomly(clSolitaireRules& game, std::mt19937& chance, int deals, int steps);
