#pragma once

#include <cstdint>
#include <optional>
#include <unordered_set>
#include <vector>

#include "engine/move.h"
#include "engine/table_snapshot.h"
#include "solver/actions.h"
#include "solver/family.h"
#include "solver/position.h"
#include "solver/solver.h"

class clClock;
class clSolitaireRules;

// A depth-first search over the positions a game's own rules reach, with
// the children of each position tried best first (by the family's weight of
// the position each leads to), and a table of the positions already entered
// so that none is entered twice. It plays on `game` and takes the position
// back with snapshots; the game is left at the position it started from.
class clSearch {
public:
    clSearch(clSolitaireRules& game, const clFamilyTraits& traits, const clSolveLimits& limits,
             const clClock& clock);

    // Won with the line of the player's records, Lost when every position
    // was entered without a win (no limit reached, and no round that ended
    // on a solved table short of its goal), or Unknown.
    clSolveResult Run();

private:
    struct clChild {
        clAction action;
        std::uint64_t key = 0;
        std::int64_t weight = 0;
    };
    struct clFrame {
        clTableSnapshot snapshot;
        std::vector<clChild> children;
        std::size_t next = 0;
        clMove record;  // the move that led here
    };

    // The frame of the current position, with its children in the order
    // they are tried. False when the search found a win among them.
    bool Expand(clMove record);
    // Plays one action from the current position; a won round ends the search.
    std::optional<clMove> Play(const clAction& action);
    bool OutOfLimits();
    std::vector<clMove> PathLine() const;

    clSolitaireRules& game;
    clFamilyTraits traits;
    clPositionView view;
    clSolveLimits limits;
    const clClock& clock;
    std::uint32_t start = 0;

    std::vector<clFrame> path;
    std::unordered_set<std::uint64_t> entered;
    std::int64_t nodes = 0;
    bool limited = false;
    // A round ended on a solved table below its goal: the key, which knows
    // nothing of the score, may have hidden a line that scores more.
    bool scoreMattered = false;
    std::optional<std::vector<clMove>> won;
    std::int64_t bestWeight = INT64_MIN;
    std::optional<clMove> bestGuess;
};
