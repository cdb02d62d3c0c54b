#include "solver/freecell_solver.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <vector>

#include "cards/random.h"
#include "engine/solitaire_rules.h"
#include "solver/freecell_model.h"
#include "toolkit/steady_clock.h"
#include "variants/registry.h"

namespace {

// The positions seen, by key: open addressing on the first half of the key.
class clKeySet {
public:
    clKeySet() : slots(1 << 12) {}

    // False when the key was there already.
    bool Insert(const clFamilyKey& key) {
        if ((used + 1) * 4 > slots.size() * 3) Grow();
        return Place(slots, key);
    }

private:
    bool Place(std::vector<clFamilyKey>& table, clFamilyKey key) {
        if (key.a == 0 && key.b == 0) key.b = 1;  // all zeros marks a free slot
        const std::size_t mask = table.size() - 1;
        for (std::size_t i = key.a & mask;; i = (i + 1) & mask) {
            clFamilyKey& slot = table[i];
            if (slot.a == 0 && slot.b == 0) {
                slot = key;
                ++used;
                return true;
            }
            if (slot == key) return false;
        }
    }
    void Grow() {
        std::vector<clFamilyKey> bigger(slots.size() * 2);
        used = 0;
        for (const clFamilyKey& key : slots) {
            if (key.a != 0 || key.b != 0) Place(bigger, key);
        }
        slots.swap(bigger);
    }

    std::vector<clFamilyKey> slots;
    std::size_t used = 0;
};

// How far a position looks from won; lower is better. Every card still out
// counts, more so a card lying above one of its column that must go up
// before it, and a card in a cell; the cards above each suit's next card
// count once more; an empty column counts for the position. The weights
// were tuned on FreeCell deals 1 to 500.
int Distance(const clFamilyModel& model, const clFamilyState& state) {
    std::array<int, 5> height{};
    for (int f = 0; f < model.Foundations(); ++f) {
        const std::uint8_t top = state.foundation[f];
        if (top) height[model.Suit(top)] = model.FoundationHeight(top);
    }
    int out = 0;
    int buried = 0;
    int aboveNext = 0;
    int emptyColumns = 0;
    for (int c = 0; c < model.Columns(); ++c) {
        const int length = state.length[c];
        out += length;
        if (length == 0) ++emptyColumns;
        int lowest = 99;
        for (int k = 0; k < length; ++k) {
            const std::uint8_t card = state.column[c][k];
            const int order = model.Order(card);
            if (order == height[model.Suit(card)]) aboveNext += length - 1 - k;
            if (order > lowest) {
                ++buried;
            } else {
                lowest = order;
            }
        }
    }
    int inCells = 0;
    for (int i = 0; i < model.Cells(); ++i)
        inCells += state.cell[i] != 0;
    // Kept above 0 for the buckets: an empty column is worth 3.
    return 3 * (out + buried + model.Columns()) + 5 * inCells - 3 * emptyColumns + aboveNext;
}

class clSearch {
public:
    // With `safeMoves` the search plays the safe foundation moves at once
    // and never looks at the positions before them: far fewer positions,
    // but running out of them proves nothing. `nodes` and `startTick` are
    // what earlier searches left of the limits.
    clSearch(const clFamilyModel& model, const clSolveLimits& limits, bool safeMoves,
             std::int64_t nodes, std::uint32_t startTick)
        : model(model),
          limits(limits),
          safeMoves(safeMoves),
          nodeLimit(nodes),
          startTick(startTick),
          stride(static_cast<std::size_t>(model.Columns() + model.CardTotal() + model.Cells() +
                                          model.Foundations())) {}

    // Won: the model's moves from the start, the safe moves included.
    clVerdict Run(std::vector<std::pair<clFamilyState, clFamilyMove>>& line);
    std::int64_t Nodes() const { return expanded; }
    // The first move towards the best position seen, when there is one.
    std::optional<clFamilyMove> BestFirstMove() const;

private:
    struct clNode {
        std::uint32_t parent;
        clFamilyMove move;
    };
    static constexpr std::uint32_t kNoParent = 0xffffffff;
    // Positions kept at most, for the memory they take.
    static constexpr std::size_t kMostBytes = std::size_t{1} << 29;

    void Pack(const clFamilyState& state, std::uint8_t* out) const;
    void Unpack(const std::uint8_t* in, clFamilyState& state) const;
    // The safe moves after a move, played.
    void PlaySafeMoves(clFamilyState& state, std::vector<clFamilyMove>* played) const;
    std::uint32_t Store(const clFamilyState& state, std::uint32_t parent, const clFamilyMove& move,
                        int distance);
    void Line(std::uint32_t node, const clFamilyMove* last,
              std::vector<std::pair<clFamilyState, clFamilyMove>>& line) const;
    bool OutOfLimits();

    const clFamilyModel& model;
    const clSolveLimits& limits;
    const bool safeMoves;
    const std::int64_t nodeLimit;
    const std::uint32_t startTick;
    const std::size_t stride;
    std::vector<std::uint8_t> packed;
    std::vector<clNode> nodes;
    std::vector<std::vector<std::uint32_t>> buckets;
    std::size_t lowestBucket = 0;
    clKeySet seen;
    std::vector<clFamilyMove> prelude;
    std::int64_t expanded = 0;
    int bestDistance = 1 << 30;
    std::uint32_t bestNode = kNoParent;
};

void clSearch::Pack(const clFamilyState& state, std::uint8_t* out) const {
    std::memset(out, 0, stride);
    std::uint8_t* cards = out + model.Columns();
    for (int c = 0; c < model.Columns(); ++c) {
        out[c] = state.length[c];
        std::memcpy(cards, state.column[c].data(), state.length[c]);
        cards += state.length[c];
    }
    std::uint8_t* rest = out + model.Columns() + model.CardTotal();
    std::memcpy(rest, state.cell.data(), static_cast<std::size_t>(model.Cells()));
    std::memcpy(rest + model.Cells(), state.foundation.data(),
                static_cast<std::size_t>(model.Foundations()));
}

void clSearch::Unpack(const std::uint8_t* in, clFamilyState& state) const {
    const std::uint8_t* cards = in + model.Columns();
    for (int c = 0; c < model.Columns(); ++c) {
        state.length[c] = in[c];
        std::memcpy(state.column[c].data(), cards, in[c]);
        cards += in[c];
    }
    const std::uint8_t* rest = in + model.Columns() + model.CardTotal();
    std::memcpy(state.cell.data(), rest, static_cast<std::size_t>(model.Cells()));
    std::memcpy(state.foundation.data(), rest + model.Cells(),
                static_cast<std::size_t>(model.Foundations()));
    model.Rehash(state);
}

void clSearch::PlaySafeMoves(clFamilyState& state, std::vector<clFamilyMove>* played) const {
    if (!safeMoves) return;
    while (const auto safe = model.SafeMove(state)) {
        if (played) played->push_back(*safe);
        model.Play(state, *safe);
    }
}

std::uint32_t clSearch::Store(const clFamilyState& state, std::uint32_t parent,
                              const clFamilyMove& move, int distance) {
    const auto index = static_cast<std::uint32_t>(nodes.size());
    nodes.push_back({parent, move});
    packed.resize(packed.size() + stride);
    Pack(state, packed.data() + packed.size() - stride);
    const auto bucket = static_cast<std::size_t>(std::max(distance, 0));
    if (bucket >= buckets.size()) buckets.resize(bucket + 1);
    buckets[bucket].push_back(index);
    lowestBucket = std::min(lowestBucket, bucket);
    if (distance < bestDistance) {
        bestDistance = distance;
        bestNode = index;
    }
    return index;
}

bool clSearch::OutOfLimits() {
    if (limits.cancel && limits.cancel->load(std::memory_order_relaxed)) return true;
    if (expanded >= nodeLimit || packed.size() >= kMostBytes) return true;
    if (expanded % 64 == 0) {
        const std::uint32_t spent = clSteadyClock::Program().TickCount() - startTick;
        if (spent >= static_cast<std::uint64_t>(limits.time.count())) return true;
    }
    return false;
}

clVerdict clSearch::Run(std::vector<std::pair<clFamilyState, clFamilyMove>>& line) {
    clFamilyState state = model.Start();
    PlaySafeMoves(state, &prelude);
    if (model.IsWon(state)) return clVerdict::Won;
    seen.Insert(model.Key(state));
    Store(state, kNoParent, {}, Distance(model, state));

    std::vector<clFamilyMove> moves;
    clFamilyState child;
    while (true) {
        while (lowestBucket < buckets.size() && buckets[lowestBucket].empty())
            ++lowestBucket;
        if (lowestBucket >= buckets.size()) return clVerdict::Lost;
        if (OutOfLimits()) return clVerdict::Unknown;
        const std::uint32_t node = buckets[lowestBucket].back();
        buckets[lowestBucket].pop_back();
        ++expanded;
        Unpack(packed.data() + std::size_t{node} * stride, state);
        model.SearchMoves(state, moves);
        for (const clFamilyMove& move : moves) {
            child = state;
            model.Play(child, move);
            PlaySafeMoves(child, nullptr);
            if (model.IsWon(child)) {
                Line(node, &move, line);
                return clVerdict::Won;
            }
            if (!seen.Insert(model.Key(child))) continue;
            Store(child, node, move, Distance(model, child));
        }
    }
}

void clSearch::Line(std::uint32_t node, const clFamilyMove* last,
                    std::vector<std::pair<clFamilyState, clFamilyMove>>& line) const {
    std::vector<clFamilyMove> path;
    if (last) path.push_back(*last);
    for (std::uint32_t at = node; nodes[at].parent != kNoParent; at = nodes[at].parent)
        path.push_back(nodes[at].move);
    std::reverse(path.begin(), path.end());

    clFamilyState state = model.Start();
    const auto play = [&](const clFamilyMove& move) {
        line.emplace_back(state, move);
        model.Play(state, move);
    };
    for (const clFamilyMove& move : prelude)
        play(move);
    for (const clFamilyMove& move : path) {
        play(move);
        while (safeMoves) {
            const auto safe = model.SafeMove(state);
            if (!safe) break;
            play(*safe);
        }
    }
}

std::optional<clFamilyMove> clSearch::BestFirstMove() const {
    if (!prelude.empty()) return prelude.front();
    if (bestNode == kNoParent || nodes[bestNode].parent == kNoParent) return std::nullopt;
    std::uint32_t at = bestNode;
    while (nodes[nodes[at].parent].parent != kNoParent)
        at = nodes[at].parent;
    return nodes[at].move;
}

// A fresh screen of the game's deal, at the game's position by its history.
std::unique_ptr<clSolitaireType> ReplayPosition(const clSolitaireRules& game,
                                                const clPlayOptions& options, clRandom& generator) {
    if (game.DealNumber() <= 0) return nullptr;
    clPlayOptions quiet = options;
    quiet.autoSave = false;
    std::unique_ptr<clSolitaireType> screen = CreateVariant(game.DisplayName(), nullptr, &quiet);
    auto* fresh = dynamic_cast<clSolitaireRules*>(screen.get());
    if (fresh == nullptr) return nullptr;
    fresh->SetGenerator(generator);
    fresh->SetOptions(quiet);
    fresh->StartRound(game.DealNumber());
    fresh->History().Clear();
    for (std::size_t i = 0; i < game.History().Position(); ++i) {
        if (!fresh->History().Push(game.History().At(i))) return nullptr;
    }
    if (!fresh->CheckedRebuild()) return nullptr;
    return screen;
}

bool SameTable(const clFamilyModel& a, const clFamilyModel& b) {
    const clFamilyState& x = a.Start();
    const clFamilyState& y = b.Start();
    for (int c = 0; c < a.Columns(); ++c) {
        if (x.length[c] != y.length[c]) return false;
        for (int k = 0; k < x.length[c]; ++k) {
            if (a.DealIndex(x.column[c][k]) != b.DealIndex(y.column[c][k])) return false;
        }
    }
    for (int i = 0; i < a.Cells(); ++i) {
        if (a.DealIndex(x.cell[i]) != b.DealIndex(y.cell[i]) ||
            (x.cell[i] == 0) != (y.cell[i] == 0))
            return false;
    }
    for (int f = 0; f < a.Foundations(); ++f) {
        if ((x.foundation[f] == 0) != (y.foundation[f] == 0) ||
            a.DealIndex(x.foundation[f]) != b.DealIndex(y.foundation[f])) {
            return false;
        }
    }
    return true;
}

// Whether the line, played as the player's moves on a fresh screen of the
// same deal and position, ends the round won.
bool ReplaysToWin(const clSolitaireRules& game, const clFamilyModel& model,
                  const clPlayOptions& options, const std::vector<clMove>& line) {
    clRandom generator;
    const std::unique_ptr<clSolitaireType> screen = ReplayPosition(game, options, generator);
    auto* fresh = dynamic_cast<clSolitaireRules*>(screen.get());
    if (fresh == nullptr) return false;
    const auto again = clFamilyModel::Read(*fresh, options);
    if (!again || again->Columns() != model.Columns() || again->Cells() != model.Cells() ||
        again->Foundations() != model.Foundations() || !SameTable(model, *again)) {
        return false;
    }
    for (const clMove& move : line) {
        if (fresh->RoundEnded() || !fresh->ValidateMove(move) || !fresh->CommitPlayedMove(move)) {
            return false;
        }
    }
    return fresh->RoundEnded() && fresh->LastRoundWon();
}

}  // namespace

std::optional<clSolveResult> SolveFreeCellFamily(clSolitaireRules& game,
                                                 const clPlayOptions& options,
                                                 const clSolveLimits& limits) {
    const std::uint32_t startTick = clSteadyClock::Program().TickCount();
    const std::optional<clFamilyModel> model = clFamilyModel::Read(game, options);
    if (!model) return std::nullopt;

    clSolveResult result;
    std::vector<std::pair<clFamilyState, clFamilyMove>> line;
    clSearch search(*model, limits, true, limits.nodes, startTick);
    clVerdict verdict = search.Run(line);
    result.nodes = search.Nodes();
    std::optional<clFamilyMove> guess = search.BestFirstMove();
    if (verdict == clVerdict::Lost) {
        // Proved only by the search that tries every move, the safe ones
        // included at every point.
        clSearch complete(*model, limits, false, limits.nodes - result.nodes, startTick);
        verdict = complete.Run(line);
        result.nodes += complete.Nodes();
        if (model->Decks() != 1 && verdict == clVerdict::Lost) {
            // With two packs the search leaves the foundations' cards where
            // they are, so running out of moves proves nothing.
            verdict = clVerdict::Unknown;
        }
    }
    if (verdict == clVerdict::Won) {
        for (const auto& [state, move] : line)
            result.line.push_back(model->ToMove(state, move));
        if (ReplaysToWin(game, *model, options, result.line)) {
            result.verdict = clVerdict::Won;
        } else {
            result.line.clear();
        }
    } else {
        result.verdict = verdict;
    }
    if (result.verdict != clVerdict::Won) {
        if (guess) result.bestGuess = model->ToMove(model->Start(), *guess);
    } else if (!result.line.empty()) {
        result.bestGuess = result.line.front();
    }
    result.elapsed = std::chrono::milliseconds(clSteadyClock::Program().TickCount() - startTick);
    return result;
}
