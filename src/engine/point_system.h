#pragma once

#include <array>
#include <cstdint>
#include <string>

// The points a variant gives for moves. Every value left at 0 switches its
// rule off; the scoring of moves reads them.
struct clPointValues {
    std::int32_t foundationPoints = 0;
    std::int32_t foundationCompleteBonus = 0;
    std::int32_t allFoundationsBonus = 0;
    std::int32_t tableauClearedBonus = 0;
    std::int32_t allTopsRemovedBonus = 0;
    std::int32_t firstPileClearedBonus = 0;
    std::int32_t secondPileClearedBonus = 0;
    std::int32_t thirdPileClearedBonus = 0;
    std::int32_t rowPoints = 0;
    std::int32_t removalRowPoints = 0;
    std::int32_t stockCardCost = 0;
    std::int32_t wastePoints = 0;
    std::int32_t streakPoints = 0;
    std::int32_t wasteRemovalPoints = 0;
    std::int32_t stockActionCost = 0;
    std::int32_t stockActionIncrement = 0;
    std::int32_t reserveCost = 0;
    std::int32_t reserveDepthCost = 0;
    std::int32_t boardClearedBonus = 0;
    std::int32_t lastOutsideCardBonus = 0;
    std::int32_t singleRemovalPoints = 0;
    std::int32_t sameRankPairPoints = 0;
    std::int32_t pairPoints = 0;
    std::int32_t removalPoints = 0;
    std::int32_t tableauPairCardPoints = 0;
    std::int32_t cardTurnCost = 0;  // charged by the variants that turn cards, not by move scoring
    std::int32_t rankPoints = 0;
    std::int32_t baseRanksBonus = 0;
    std::int32_t suitBuildPoints = 0;
    std::int32_t suitRunBonus = 0;
    std::int32_t rowsCompleteBonus = 0;
    std::int32_t rowRunPoints = 0;
    std::int32_t twentyOnePoints = 0;
    std::int32_t fiveCardPoints = 0;
    std::int32_t allTwentyOneBonus = 0;
    std::int32_t pipPoints = 0;
};

// From round `from` on, the goal grows by `step` a round, or, with a
// pattern, by the pattern's steps in turn (pattern[0], pattern[1], ...; a 0
// ends the pattern).
struct clGoalStep {
    static constexpr int kMaxPattern = 4;

    std::int32_t from = 0;
    std::int32_t step = 0;
    std::int32_t pattern[kMaxPattern] = {};
};

// From round `from` on, the bonus shrinks by `step` every `period` rounds.
struct clBonusStep {
    std::int32_t from = 0;
    std::int32_t step = 0;
    std::int32_t period = 1;
};

// A game's goal and time bonus per round, as its rules give them: round 1's
// goal and the goal's growth a round, round 1's bonus (in tenths of a second)
// and how much it shrinks every bonusPeriod rounds, then the steps that take
// over from later rounds, in round order. Unused steps (from 0) end each list.
struct clRoundTable {
    static constexpr int kMaxSteps = 6;

    std::int32_t goalBase = 0;
    std::int32_t goalStep = 0;
    std::int32_t bonusBase = 0;
    std::int32_t bonusStep = 0;
    std::int32_t bonusPeriod = 1;
    clGoalStep goalSteps[kMaxSteps] = {};
    clBonusStep bonusSteps[kMaxSteps] = {};
};

// A variant's goal and bonus tables and its point values.
//
// Both tables are lists of segments that take over from a start round. Each
// segment goes on from the value the previous one reached (or from its own
// base), growing the goal by `step` (shrinking the bonus by it) every
// `period` rounds; a goal segment with a period adds its pattern offsets in
// between, so goals can rise by a repeating list of steps.
class clPointSystem {
public:
    static constexpr int kMaxSegments = 1 + clRoundTable::kMaxSteps;

    // Replaces both tables with the round table's: round 1's goal and bonus
    // segments, then one segment for each of its steps.
    void Apply(const clRoundTable& table);

    // The goal of a round (1, 2, ...).
    std::int32_t Goal(std::int32_t round) const;
    // The time bonus of a round, in tenths of a second; never below MinimumBonus().
    std::int32_t Bonus(std::int32_t round) const;

    // Takes the variant's display name; false without one.
    bool Initialize(const std::string& displayName);
    const std::string& Name() const { return name; }

    std::int32_t MinimumBonus() const { return minimumBonus; }
    void SetMinimumBonus(std::int32_t bonus) { minimumBonus = bonus; }
    std::int32_t UndoCost() const { return undoCost; }
    void SetUndoCost(std::int32_t cost) { undoCost = cost; }

    clPointValues values;

private:
    struct clGoalSegment {
        std::int32_t start = 0, base = 0, step = 0, period = 0;
        std::array<std::int32_t, clGoalStep::kMaxPattern> pattern{};
    };
    struct clBonusSegment {
        std::int32_t start = 0, base = 0, step = 0, period = 0;
    };

    int goalCount = 0;
    std::array<clGoalSegment, kMaxSegments> goals{};
    int bonusCount = 0;
    std::array<clBonusSegment, kMaxSegments> bonuses{};
    std::int32_t minimumBonus = 100;
    std::string name;
    std::int32_t undoCost = 500;
};
