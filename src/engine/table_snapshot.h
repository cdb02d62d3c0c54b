#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "piles/state_words.h"

// The whole state of a headless position, so that a search can go back to
// it without dealing again and replaying: every pile's cards in order and
// own state, every card's faces and value, the round's figures, the
// engine's counters, the screen's generator and what the variant keeps of
// its own. The history is not copied: restoring sets its position back,
// which is exact while the records before it are still there (play after
// the snapshot only adds records after them; a round that ended cleared
// them, and then the history restored is empty).
struct clTableSnapshot {
    // Per pile, in the all-piles order: its count, then its cards' deal
    // indexes, bottom first.
    std::vector<std::int32_t> piles;
    // Per deck card, by deal index: placed, face down and blocked as bits 0 to 2.
    std::vector<std::uint8_t> faces;
    // Per deck card, by deal index (some deals change suits or ranks).
    std::vector<std::int32_t> values;
    clStateWords pileWords;
    clStateWords gameWords;

    std::int32_t dealNumber = 0;
    std::int32_t score = 0;
    std::int32_t round = 0;
    std::int32_t goal = 0;
    std::int32_t bonusStart = 0;
    std::int32_t bonusCount = 0;
    bool timerRunning = false;
    bool paused = false;
    bool timeUp = false;
    bool roundEnded = false;
    bool lastRoundWon = false;
    std::int32_t lastRoundScore = 0;
    std::int32_t randomSeed = 0;
    std::int32_t randomState = 0;
    std::size_t historyPosition = 0;
    std::int32_t stockActions = 0;
    std::int32_t streak = 0;
    std::int32_t longestStreak = 0;
    std::int32_t countingPilesEmptied = 0;
    bool tableauCleared = false;
};
