#include "engine/point_system.h"

#include <algorithm>

namespace {

// Rounds that segment i covers up to `round`, stopping where the next one takes over.
template <class Segments>
std::int64_t Elapsed(const Segments& segments, int count, int i, std::int32_t round) {
    std::int64_t d = static_cast<std::int64_t>(round) - segments[i].start;
    if (i + 1 < count && round >= segments[i + 1].start) {
        d = static_cast<std::int64_t>(segments[i + 1].start) - segments[i].start;
    }
    return std::max<std::int64_t>(d, 0);  // segments out of order count nothing
}

std::int32_t Clamp32(std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}

}  // namespace

void clPointSystem::Apply(const clRoundTable& table) {
    goals = {};
    bonuses = {};
    goals[0] = {1, table.goalBase, table.goalStep, 0, {}};
    bonuses[0] = {1, table.bonusBase, table.bonusStep, table.bonusPeriod};
    goalCount = 1;
    bonusCount = 1;
    for (const clGoalStep& step : table.goalSteps) {
        if (step.from == 0) break;
        clGoalSegment& segment = goals[goalCount++];
        segment = {step.from, 0, step.step, 0, {}};
        // A pattern of n steps: offsets 0, p0, p0 + p1, ... within a period
        // of n rounds, and the whole pattern's sum a period.
        std::int32_t sum = 0;
        for (const std::int32_t patternStep : step.pattern) {
            if (patternStep == 0) break;
            segment.pattern[segment.period++] = sum;
            sum += patternStep;
        }
        if (segment.period > 0) segment.step = sum;
    }
    for (const clBonusStep& step : table.bonusSteps) {
        if (step.from == 0) break;
        bonuses[bonusCount++] = {step.from, 0, step.step, step.period};
    }
}

std::int32_t clPointSystem::Goal(std::int32_t round) const {
    if (goalCount == 0) return 0;
    std::int64_t result = goals[0].base;
    for (int i = 0; i < goalCount; ++i) {
        const clGoalSegment& s = goals[i];
        if (round < s.start) break;
        std::int64_t d = Elapsed(goals, goalCount, i, round);
        std::int64_t b = s.base != 0 ? s.base : result;
        if (s.period > 0) {
            b += s.pattern[d % s.period];
            d /= s.period;
        }
        result = b + static_cast<std::int64_t>(s.step) * d;
    }
    return Clamp32(result);
}

std::int32_t clPointSystem::Bonus(std::int32_t round) const {
    if (bonusCount == 0) return minimumBonus;
    std::int64_t result = bonuses[0].base;
    for (int i = 0; i < bonusCount; ++i) {
        const clBonusSegment& s = bonuses[i];
        if (round < s.start) break;
        std::int64_t d = Elapsed(bonuses, bonusCount, i, round);
        const std::int64_t b = s.base != 0 ? s.base : result;
        if (s.period > 0) d /= s.period;
        result = b - static_cast<std::int64_t>(s.step) * d;
    }
    return Clamp32(std::max<std::int64_t>(result, minimumBonus));
}

bool clPointSystem::Initialize(const std::string& displayName) {
    if (displayName.empty()) return false;
    name = displayName;
    return true;
}
