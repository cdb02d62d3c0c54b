#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct clPlayRecord;

// How strict the replay of a record is beyond the game's own rules.
struct clRecordLimits {
    // The most steps (moves, undos, turned cards) a round may average a
    // second of its clock, with one second's worth of grace: a round of n
    // steps needs (n / maxPace - 1) seconds between its bonus and its end.
    double maxPace = 10.0;
};

// Replays a record with the game's own rules and point system and says
// whether it earns the score: every round dealt from its number, every move
// legal on the table before it and scored as the game scores it, undos and
// turned cards charged, the countdown starting at most at the round's bonus
// and never rising, a solved round ending at the count of its last step, the
// bonus left added, every round but the last reaching its goal, the pace
// humanly possible, and in the end exactly `round` rounds and `score`
// points. Nothing when all of that holds; otherwise the first reason it does
// not, for a person to read.
std::optional<std::string> CheckPlayRecord(const clPlayRecord& record, std::string_view gameName,
                                           std::int32_t score, std::int32_t round,
                                           const clRecordLimits& limits = {});
