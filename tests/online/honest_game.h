#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "online/play_record.h"

// A game played to its end headless, as a player would (random legal
// steps, undos now and then, the clock ticking between them), with its
// record written by the game as it went.
struct clHonestGame {
    clPlayRecord record;
    std::int32_t score = 0;  // the final score, as the Game Over dialog has it
    std::int32_t round = 0;
};

// Round 1: `firstRoundSteps` steps, then Take Score at once (its bonus
// reaches the goal in most games); every later round a few steps, then the
// clock runs out, until a round misses its goal. Nothing when the variant
// is not registered or the game does not end within 12 rounds. `deals`,
// when given, names each round's deal (the daily challenge's).
std::optional<clHonestGame> PlayHonestGame(
    std::string_view name, std::uint32_t seed, int firstRoundSteps = 20,
    const std::function<std::int32_t(std::int32_t round)>& deals = {});
