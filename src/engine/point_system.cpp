#include "engine/point_system.h"

#include <algorithm>
#include <iterator>

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

void clPointSystem::Setup(std::int32_t goalBase, std::int32_t goalStep, std::int32_t bonusBase,
                          std::int32_t bonusStep, std::int32_t bonusPeriod) {
    goals = {};
    bonuses = {};
    goals[0] = {1, goalBase, goalStep, 0, {}};
    bonuses[0] = {1, bonusBase, bonusStep, bonusPeriod};
    goalCount = 1;
    bonusCount = 1;
}

void clPointSystem::Apply(const clRoundTable& table) {
    Setup(table.goalBase, table.goalStep, table.bonusBase, table.bonusStep, table.bonusPeriod);
    for (const clGoalStep& step : table.goalSteps) {
        if (step.from == 0) break;
        const auto* end = std::find(std::begin(step.pattern), std::end(step.pattern), 0);
        const int n = static_cast<int>(end - std::begin(step.pattern));
        if (n == 0) {
            AddGoalStep(step.from, step.step);
        } else {
            AddGoalPattern(step.from, n, step.pattern);
        }
    }
    for (const clBonusStep& step : table.bonusSteps) {
        if (step.from == 0) break;
        AddBonusStep(step.from, step.step, step.period);
    }
}

void clPointSystem::AddGoalStep(std::int32_t round, std::int32_t step) {
    if (goalCount >= kMaxSegments) return;
    goals[goalCount++] = {round, 0, step, 0, {}};
}

void clPointSystem::AddGoalPattern(std::int32_t round, int n, const std::int32_t* steps) {
    if (goalCount >= kMaxSegments || n < 1 || n > clGoalStep::kMaxPattern || steps == nullptr)
        return;
    clGoalSegment segment{round, 0, 0, n, {}};
    std::int32_t sum = 0;
    for (int k = 0; k < n; ++k) {
        segment.pattern[k] = sum;
        sum += steps[k];
    }
    segment.step = sum;
    goals[goalCount++] = segment;
}

void clPointSystem::AddBonusStep(std::int32_t round, std::int32_t step, std::int32_t period) {
    if (bonusCount >= kMaxSegments) return;
    bonuses[bonusCount++] = {round, 0, step, period};
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
