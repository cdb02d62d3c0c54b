#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "engine/move.h"

class clSolitaireRules;
class clSolitaireType;

// Random legal play for the benchmarks, with fixed seeds so that every run
// plays the same moves.

// A playing screen of a registered variant, headless, with no automatic save
// and no prompts; null when the name is not registered.
std::unique_ptr<clSolitaireType> CreateBenchVariant(std::string_view name, bool autoPlay);
// The rules engine of a screen (every registered variant has one).
clSolitaireRules& Rules(clSolitaireType& screen);

// Every card move the rules accept from any card of any pile to the top of
// any other pile, every pair of top cards that may go together, and the
// stock action when it is valid.
std::vector<clMove> ValidMoves(clSolitaireRules& game);

// One random action committed as the player's would be: a move from
// ValidMoves or a click on the stock. False when there is none.
bool PlayRandomStep(clSolitaireRules& game, std::mt19937& chance);

// Plays deal `deal` from its start until the history holds `count` records,
// drawing from ValidMoves and the stock with `seed`. Stock clicks and stock
// actions are favoured so that a game with an endless stock cycles it
// rather than running out of moves. False when play stopped short (no move
// left, or the round ended).
bool PlayHistory(clSolitaireRules& game, std::int32_t deal, std::size_t count, std::uint32_t seed);

// A display name without its spaces, for a benchmark's name.
std::string BenchName(std::string_view displayName);
