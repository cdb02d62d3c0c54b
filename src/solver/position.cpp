#include "solver/position.h"

#include <algorithm>
#include <typeinfo>

#include "cards/random.h"
#include "engine/solitaire_rules.h"
#include "piles/state_words.h"
#include "piles/stock.h"
#include "piles/tableau.h"

namespace {

constexpr std::uint64_t kPrime = 0x100000001b3ull;

std::uint64_t Mix(std::uint64_t h, std::uint64_t word) {
    h ^= word + 0x9e3779b97f4a7c15ull + (h << 6) + (h >> 2);
    return h * kPrime;
}

std::uint64_t PileKey(const clPile& pile, bool topOnly = false) {
    std::uint64_t h = 0xcbf29ce484222325ull ^ pile.Count();
    const auto cards = topOnly && pile.Count() > 0 ? pile.Cards().last(1) : pile.Cards();
    for (const clCard* card : cards) {
        const auto face =
            static_cast<std::uint64_t>((card->faceDown ? 1 : 0) | (card->blocked ? 2 : 0));
        h = Mix(h, (static_cast<std::uint64_t>(card->value) << 2) | face);
    }
    return h;
}

// Two piles play alike when they are of one class with the same settings.
bool Alike(const clPile& a, const clPile& b) {
    if (typeid(a) != typeid(b) || a.Capacity() != b.Capacity() || !(a.Scoring() == b.Scoring())) {
        return false;
    }
    clStateWords wordsA;
    clStateWords wordsB;
    a.SaveState(wordsA);
    b.SaveState(wordsB);
    return wordsA == wordsB;
}

// Whether a tableau card lies on the card below it as its pile builds.
bool Builds(const clCard& below, const clCard& card, clBuildRule rule) {
    const bool down = card.GetRank() + 1 == below.GetRank();
    switch (rule) {
        case clBuildRule::DownInSuit:
            return down && card.Suit() == below.Suit();
        case clBuildRule::DownAlternating:
            return down && card.Colour() != below.Colour();
        case clBuildRule::DownAnySuit:
            return down;
        case clBuildRule::UpInSuit:
            return card.GetRank() == below.GetRank() + 1 && card.Suit() == below.Suit();
        case clBuildRule::UpAlternating:
            return card.GetRank() == below.GetRank() + 1 && card.Colour() != below.Colour();
        case clBuildRule::UpAnySuit:
            return card.GetRank() == below.GetRank() + 1;
    }
    return false;
}

}  // namespace

clPositionView::clPositionView(const clSolitaireRules& game, const clFamilyTraits& traits)
    : game(game), traits(traits), stock(dynamic_cast<const clStock*>(game.Stock())) {
    std::vector<const clPile*> cells;
    std::vector<const clPile*> tableau;
    for (int i = 0; i < game.ReserveCount(); ++i) {
        if (game.Reserve(i)->Capacity() == 1) cells.push_back(game.Reserve(i));
    }
    for (int i = 0; i < game.TableauCount(); ++i) {
        tableau.push_back(game.Tableau(i));
        if (const auto* store = dynamic_cast<const clStore*>(game.Tableau(i))) {
            columns.push_back(store);
        }
    }
    GroupAlike(cells);
    if (traits.columnsAlike) GroupAlike(tableau);
    for (const auto& pile : game.AllPiles()) {
        const bool grouped = std::any_of(sets.begin(), sets.end(), [&](const clPileSet& set) {
            return std::find(set.piles.begin(), set.piles.end(), pile.get()) != set.piles.end();
        });
        if (!grouped) single.push_back(pile.get());
    }
}

void clPositionView::GroupAlike(const std::vector<const clPile*>& candidates) {
    std::vector<bool> taken(candidates.size(), false);
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        if (taken[i]) continue;
        clPileSet set{{candidates[i]}};
        for (std::size_t j = i + 1; j < candidates.size(); ++j) {
            if (!taken[j] && Alike(*candidates[i], *candidates[j])) {
                set.piles.push_back(candidates[j]);
                taken[j] = true;
            }
        }
        if (set.piles.size() > 1) sets.push_back(std::move(set));
    }
}

bool clPositionView::SameSet(const clPile* a, const clPile* b) const {
    return std::any_of(sets.begin(), sets.end(), [&](const clPileSet& set) {
        const auto has = [&](const clPile* p) {
            return std::find(set.piles.begin(), set.piles.end(), p) != set.piles.end();
        };
        return has(a) && has(b);
    });
}

std::uint64_t clPositionView::Key() const {
    std::uint64_t h = 0x84222325cbf29ce4ull;
    for (const clPile* pile : single)
        h = Mix(h, PileKey(*pile, traits.wasteTopOnly && pile == game.Waste()));
    std::vector<std::uint64_t> keys;
    for (const clPileSet& set : sets) {
        keys.clear();
        for (const clPile* pile : set.piles)
            keys.push_back(PileKey(*pile));
        std::sort(keys.begin(), keys.end());
        for (const std::uint64_t key : keys)
            h = Mix(h, key);
    }
    h = Mix(h, static_cast<std::uint64_t>(game.GeneratorState()));
    if (stock && stock->PassLimit() > 0) h = Mix(h, stock->Passes());
    return h;
}

std::int64_t clPositionView::Weight() const {
    std::int64_t weight = 0;
    int inPiles = 0;
    for (const auto& pile : game.AllPiles())
        inPiles += static_cast<int>(pile->Count());
    for (int i = 0; i < game.FoundationCount(); ++i)
        weight += std::int64_t{traits.foundation} * game.Foundation(i)->Count();
    weight += std::int64_t{traits.removed} * (game.CardCount() - inPiles);
    for (int i = 0; i < game.ReserveCount(); ++i) {
        const clPile* reserve = game.Reserve(i);
        if (reserve->Capacity() == 1 && reserve->Count() == 0) weight += traits.emptyCell;
    }
    for (int i = 0; i < game.TableauCount(); ++i) {
        const clPile* pile = game.Tableau(i);
        if (pile->Count() == 0) weight += traits.emptyTableau;
        weight += std::int64_t{traits.tableauCard} * pile->Count();
        for (const clCard* card : pile->Cards()) {
            if (card->faceDown) weight += traits.faceDown;
        }
    }
    for (const clStore* column : columns) {
        for (int k = 1; k < static_cast<int>(column->Count()); ++k) {
            const clCard& below = *column->At(k - 1);
            const clCard& card = *column->At(k);
            if (!below.faceDown && Builds(below, card, column->BuildRule())) {
                weight += traits.ordered;
            }
        }
    }
    if (game.Stock()) weight += std::int64_t{traits.stockCard} * game.Stock()->Count();
    if (traits.inPlace != 0) weight += traits.inPlace * InPlace();
    return weight;
}

// The Gaps rows: thirteen spaces a row, each wanting rank 2 + its column
// in the suit of the row's first card.
std::int64_t clPositionView::InPlace() const {
    constexpr int kColumns = 13;
    std::int64_t placed = 0;
    for (int row = 0; (row + 1) * kColumns <= game.TableauCount(); ++row) {
        const clCard* first = game.Tableau(row * kColumns)->Top();
        for (int column = 0; column < kColumns - 1; ++column) {
            const clCard* card = game.Tableau(row * kColumns + column)->Top();
            if (card == nullptr || first == nullptr || card->GetRank() != 2 + column ||
                card->Suit() != first->Suit()) {
                break;
            }
            ++placed;
        }
    }
    return placed;
}
