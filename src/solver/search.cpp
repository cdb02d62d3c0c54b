#include "solver/search.h"

#include <algorithm>

#include "engine/solitaire_rules.h"
#include "toolkit/clock.h"

clSearch::clSearch(clSolitaireRules& game, const clFamilyTraits& traits,
                   const clSolveLimits& limits, const clClock& clock)
    : game(game), traits(traits), view(game, traits), limits(limits), clock(clock) {}

bool clSearch::OutOfLimits() {
    const auto elapsed = static_cast<std::uint32_t>(clock.TickCount() - start);
    limited = limited || nodes >= limits.nodes ||
              elapsed >= static_cast<std::uint64_t>(limits.time.count()) ||
              (limits.cancel != nullptr && limits.cancel->load(std::memory_order_relaxed));
    return limited;
}

std::vector<clMove> clSearch::PathLine() const {
    std::vector<clMove> line;
    for (std::size_t i = 1; i < path.size(); ++i)
        line.push_back(path[i].record);
    return line;
}

std::optional<clMove> clSearch::Play(const clAction& action) {
    ++nodes;
    std::optional<clMove> record = PlayAction(game, action);
    if (!record || !game.RoundEnded()) return record;
    if (game.LastRoundWon()) {
        won = PathLine();
        won->push_back(*record);
    } else if (game.IsGameWon()) {
        scoreMattered = true;
    }
    return std::nullopt;
}

bool clSearch::Expand(clMove record) {
    path.push_back({});
    clFrame& frame = path.back();
    frame.record = std::move(record);
    game.SaveSnapshot(frame.snapshot);
    const std::vector<clAction> actions = PossibleActions(game, view, traits);
    std::unordered_set<std::uint64_t> seen;
    for (const clAction& action : actions) {
        const bool played = Play(action).has_value();
        if (won) return false;
        if (played) {
            const std::uint64_t key = view.Key();
            if (!entered.contains(key) && seen.insert(key).second) {
                frame.children.push_back({action, key, view.Weight()});
            }
        }
        game.RestoreSnapshot(frame.snapshot);
    }
    // Best first; among equals, in the order made (foundation moves first).
    std::stable_sort(frame.children.begin(), frame.children.end(),
                     [](const clChild& a, const clChild& b) { return a.weight > b.weight; });
    return true;
}

clSolveResult clSearch::Run() {
    start = clock.TickCount();
    clSolveResult result;
    entered.insert(view.Key());
    if (game.RoundEnded()) {
        result.verdict = game.LastRoundWon() ? clVerdict::Won : clVerdict::Lost;
        return result;
    }
    Expand({});
    while (!won && !path.empty() && !OutOfLimits()) {
        clFrame& frame = path.back();
        if (frame.next == frame.children.size()) {
            path.pop_back();
            if (!path.empty()) game.RestoreSnapshot(path.back().snapshot);
            continue;
        }
        const clChild child = frame.children[frame.next++];
        if (entered.contains(child.key)) continue;
        game.RestoreSnapshot(frame.snapshot);
        std::optional<clMove> record = Play(child.action);
        if (won) break;
        if (!record) continue;
        entered.insert(child.key);
        if (child.weight > bestWeight) {
            bestWeight = child.weight;
            bestGuess = path.size() == 1 ? *record : path[1].record;
        }
        if (!Expand(std::move(*record))) break;
    }
    if (!path.empty()) game.RestoreSnapshot(path.front().snapshot);
    result.nodes = nodes;
    if (won) {
        result.verdict = clVerdict::Won;
        result.line = *won;
        if (!result.line.empty()) result.bestGuess = result.line.front();
    } else {
        result.verdict = limited || scoreMattered ? clVerdict::Unknown : clVerdict::Lost;
        result.bestGuess = bestGuess;
    }
    return result;
}
