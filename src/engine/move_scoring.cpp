// The points of a move, from the variant's point values and the table before
// the move. Every value a variant leaves at 0 switches its rule off.
#include <algorithm>

#include "engine/solitaire_rules.h"

namespace {

int BlackJackValue(const clCard& card) {
    return std::min(card.GetRank(), 10);
}

// A pile's blackjack total: aces 1, or 11 when that does not pass 21.
int Total(const clPile& pile, const clCard* added) {
    int sum = 0;
    bool ace = false;
    const auto count = [&](const clCard& card) {
        sum += BlackJackValue(card);
        ace = ace || card.IsAce();
    };
    for (int i = 0; i < static_cast<int>(pile.Count()); ++i)
        count(*pile.At(i));
    if (added) count(*added);
    return ace && sum <= 11 ? sum + 10 : sum;
}

bool IsPileOf(const clPile* pile, std::int32_t a, std::int32_t b) {
    const std::int32_t top = pile->TopDealIndex();
    return pile->Count() > 0 && (top == a || top == b);
}

// A pile that is empty, or whose only card leaves with this pair.
bool EmptyAfterPair(const clPile* pile, std::int32_t a, std::int32_t b) {
    return pile->Count() == 0 || (pile->Count() == 1 && IsPileOf(pile, a, b));
}

}  // namespace

std::int32_t clSolitaireRules::ScoreMove(const clMove& move) {
    const clPointValues& v = points.values;
    switch (move.type) {
        case clMoveType::Card:
            return ScoreCardMove(move, v);
        case clMoveType::Stock:
            return ScoreStockAction(v);
        case clMoveType::Pair:
            return ScorePair(move.first, move.second, v);
        case clMoveType::Set:
            return ScoreSet(move, v);
        default:
            return 0;
    }
}

std::int32_t clSolitaireRules::ScoreCardMove(const clMove& move, const clPointValues& v) {
    const clPile* source = PileAt(move.from);
    const int position = move.from.Position();
    const clCard* card = source ? source->At(position) : nullptr;
    if (card == nullptr) return 0;
    const int count = static_cast<int>(source->Count()) - position;

    std::int64_t p = 0;
    if (move.to.kind == clLocationKind::Foundation) p += FoundationPoints(move.to, count, v);
    if (move.from.kind == clLocationKind::Foundation) p -= FoundationPoints(move.from, count, v);
    if (move.to.kind == clLocationKind::Tableau) p += TableauPoints(move, move.to, *card, count, v);
    if (move.from.kind == clLocationKind::Tableau) {
        p -= TableauPoints(move, move.from, *card, count, v);
    }
    if (move.to.kind == clLocationKind::Reserve) p += ReservePoints(move.to, v);
    if (move.from.kind == clLocationKind::Reserve) p -= ReservePoints(move.from, v);
    if (move.from.kind == clLocationKind::Stock) {
        p -= v.stockCardCost;
        if (source->Count() == 1) p += v.lastOutsideCardBonus;
    }
    if (move.to.kind == clLocationKind::Waste) {
        p += v.wastePoints;
        if (move.from.kind == clLocationKind::Tableau) {
            p += static_cast<std::int64_t>(streak) * v.streakPoints;
        }
    }
    return static_cast<std::int32_t>(p);
}

std::int64_t clSolitaireRules::FoundationPoints(const clLocation& at, int count,
                                                const clPointValues& v) const {
    const clPile* pile = PileAt(at);
    if (pile == nullptr) return 0;
    std::int64_t p = v.foundationPoints;
    if (static_cast<std::int64_t>(at.Position()) + count == pile->Capacity()) {
        p += v.foundationCompleteBonus;
        const bool othersFull =
            std::all_of(foundations.begin(), foundations.end(),
                        [&](const clPile* f) { return f == pile || f->IsFull(); });
        if (othersFull) p += v.allFoundationsBonus;
    }
    return p;
}

std::int64_t clSolitaireRules::ReservePoints(const clLocation& at, const clPointValues& v) const {
    const clPile* pile = PileAt(at);
    std::int64_t p = -static_cast<std::int64_t>(v.reserveCost);
    if (pile && v.reserveDepthCost != 0) {
        p -= static_cast<std::int64_t>(pile->Count()) * v.reserveDepthCost;
    }
    return p;
}

// Four independent contributions of a tableau pile at position q for `card`
// and the `count` cards moving with it: building in suit, emptying or filling
// the pile, blackjack totals, and row sequences. A source pile subtracts them,
// so emptying a pile earns what filling it would cost.
std::int64_t clSolitaireRules::TableauPoints(const clMove& move, const clLocation& at,
                                             const clCard& card, int count,
                                             const clPointValues& v) const {
    const clPile* pile = PileAt(at);
    if (pile == nullptr) return 0;
    const int q = at.Position();
    std::int64_t p = 0;

    // Building down in suit, and completing a 13-card run in one suit.
    const clCard* below = pile->At(q - 1);
    if (q > 0 && below && below->GetSuit() == card.GetSuit() &&
        below->GetRank() == card.GetRank() + 1) {
        p += v.suitBuildPoints;
        const int k = 13 - count;
        if (k >= 1 && k <= q && IsSuitRun(*pile, q - k, move)) p += v.suitRunBonus;
    }

    // Emptying (or filling) the pile.
    if (q == 0) {
        const clTableauScoring& scoring = pile->Scoring();
        if (scoring.counting) {
            const std::int32_t bonuses[] = {v.firstPileClearedBonus, v.secondPileClearedBonus,
                                            v.thirdPileClearedBonus};
            if (countingPilesEmptied >= 0 && countingPilesEmptied < 3) {
                p -= bonuses[countingPilesEmptied];
            }
        }
        p -= static_cast<std::int64_t>(scoring.rowValue) * v.rowPoints;
        const bool othersEmpty = std::all_of(tableau.begin(), tableau.end(), [&](const clPile* t) {
            return t == pile || t->Count() == 0;
        });
        if (othersEmpty) p -= v.tableauClearedBonus;
        if (scoring.requiredRank != 0 && card.GetRank() == static_cast<int>(scoring.requiredRank) &&
            OtherBasesComplete(pile)) {
            p += v.baseRanksBonus;
        }
    }

    if (v.pipPoints != 0) p += TotalPoints(*pile, card, v);
    if (v.rowRunPoints != 0 || v.rowsCompleteBonus != 0) p += RowPoints(pile, card, v);
    return p;
}

// Whether the pile's cards from `first` up to position q - 1, followed by the
// moving cards, run down by one rank in one suit (the ace may wrap to the king).
bool clSolitaireRules::IsSuitRun(const clPile& pile, int first, const clMove& move) const {
    const clPile* source = PileAt(move.from);
    std::vector<const clCard*> run;
    const int q = move.to.kind == clLocationKind::Tableau && PileAt(move.to) == &pile
                      ? move.to.Position()
                      : move.from.Position();
    for (int i = first; i < q; ++i)
        run.push_back(pile.At(i));
    for (int i = move.from.Position(); i < static_cast<int>(source->Count()); ++i) {
        run.push_back(source->At(i));
    }
    for (std::size_t i = 1; i < run.size(); ++i) {
        const int expected = RankBelow(run[i - 1]->GetRank());
        if (run[i]->GetSuit() != run[0]->GetSuit() || run[i]->GetRank() != expected) return false;
    }
    return !run.empty();
}

bool clSolitaireRules::OtherBasesComplete(const clPile* except) const {
    return std::all_of(tableau.begin(), tableau.end(), [&](const clPile* t) {
        const auto required = static_cast<int>(t->Scoring().requiredRank);
        if (t == except || required == 0) return true;
        const clCard* bottom = t->Bottom();
        return bottom && bottom->GetRank() == required;
    });
}

std::int64_t clSolitaireRules::TotalPoints(const clPile& pile, const clCard& card,
                                           const clPointValues& v) const {
    const int oldTotal = Total(pile, nullptr);
    const int newTotal = Total(pile, &card);
    const auto held = static_cast<int>(pile.Count());
    const std::int64_t oldPoints = oldTotal == 21 ? v.twentyOnePoints
                                   : held == 5    ? v.fiveCardPoints
                                               : static_cast<std::int64_t>(oldTotal) * v.pipPoints;
    const std::int64_t newPoints = newTotal == 21 ? v.twentyOnePoints
                                   : held == 4    ? v.fiveCardPoints
                                               : static_cast<std::int64_t>(newTotal) * v.pipPoints;
    std::int64_t p = newPoints - oldPoints;
    if (newTotal == 21) {
        const bool othersTwentyOne =
            std::all_of(tableau.begin(), tableau.end(),
                        [&](const clPile* t) { return t == &pile || Total(*t, nullptr) == 21; });
        if (othersTwentyOne) p += v.allTwentyOneBonus;
    }
    return p;
}

// Rows: the first pile of each row carries the row's length. A row's run
// starts at its first pile when that pile's card has the pile's required rank
// and goes on while each next pile's card has its required rank and the run's
// suit. `pile` is judged by `card`, the others by their bottom cards.
std::int64_t clSolitaireRules::RowPoints(const clPile* pile, const clCard& card,
                                         const clPointValues& v) const {
    const auto cardOf = [&](const clPile* t) { return t == pile ? &card : t->Bottom(); };
    const auto fits = [](const clPile* t, const clCard* c) {
        return c && t->Scoring().requiredRank != 0 &&
               c->GetRank() == static_cast<int>(t->Scoring().requiredRank);
    };

    std::int64_t p = 0;
    bool allComplete = true;
    for (std::size_t i = 0; i < tableau.size();) {
        const std::size_t length = tableau[i]->Scoring().rowLength;
        if (length == 0) {
            ++i;
            continue;
        }
        const std::size_t end = std::min(tableau.size(), i + length);
        const clCard* first = cardOf(tableau[i]);
        std::size_t runEnd = i;
        if (fits(tableau[i], first)) {
            runEnd = i + 1;
            while (runEnd < end && fits(tableau[runEnd], cardOf(tableau[runEnd])) &&
                   cardOf(tableau[runEnd])->GetSuit() == first->GetSuit()) {
                ++runEnd;
            }
        }
        for (std::size_t j = i; j < runEnd; ++j) {
            if (tableau[j] == pile) {
                p += static_cast<std::int64_t>(pile->Scoring().rowValue) * v.rowRunPoints;
            }
        }
        if (runEnd != i + length) allComplete = false;
        i = end;
    }
    if (allComplete) p += v.rowsCompleteBonus;
    return p;
}

std::int32_t clSolitaireRules::ScoreStockAction(const clPointValues& v) {
    std::int64_t p = -(static_cast<std::int64_t>(v.stockActionCost) +
                       static_cast<std::int64_t>(stockActions) * v.stockActionIncrement);
    if (v.baseRanksBonus != 0) {
        int s = stock ? static_cast<int>(stock->Count()) : 0;
        bool any = false;
        bool complete = true;
        for (const clPile* t : tableau) {
            --s;
            const auto required = static_cast<int>(t->Scoring().requiredRank);
            if (required == 0) continue;
            any = true;
            const clCard* base = t->Count() > 0 ? t->Bottom() : (stock ? stock->At(s) : nullptr);
            if (base == nullptr || base->GetRank() != required) complete = false;
        }
        if (any && complete) p += v.baseRanksBonus;
    }
    return static_cast<std::int32_t>(p);
}

std::int32_t clSolitaireRules::ScorePair(std::int32_t a, std::int32_t b, const clPointValues& v) {
    const clCard* first = deck->CardAt(a);
    const clCard* second = deck->CardAt(b);
    if (first == nullptr || second == nullptr) return 0;

    std::int64_t p = a == b                                  ? v.singleRemovalPoints
                     : first->GetRank() == second->GetRank() ? v.sameRankPairPoints
                                                             : v.pairPoints;
    p += static_cast<std::int64_t>(first->GetRank() + second->GetRank()) * v.rankPoints;

    bool tableauCard = false;
    for (const clPile* t : tableau) {
        if (!IsPileOf(t, a, b)) continue;
        tableauCard = true;
        p += v.tableauPairCardPoints;
        if (t->Count() == 1) p += static_cast<std::int64_t>(t->Scoring().rowValue) * v.rowPoints;
    }
    const bool cleared =
        tableauCard && std::all_of(tableau.begin(), tableau.end(),
                                   [&](const clPile* t) { return EmptyAfterPair(t, a, b); });
    if (cleared) p += v.tableauClearedBonus;

    // Outside the tableau: the stock, the waste and the reserves, each empty
    // or emptied by this pair.
    const bool outsideClear = (!stock || stock->Count() == 0) &&
                              (!waste || EmptyAfterPair(waste, a, b)) &&
                              std::all_of(reserves.begin(), reserves.end(),
                                          [&](const clPile* r) { return EmptyAfterPair(r, a, b); });
    const bool outsideCard = (waste && IsPileOf(waste, a, b)) ||
                             std::any_of(reserves.begin(), reserves.end(),
                                         [&](const clPile* r) { return IsPileOf(r, a, b); });
    if (outsideCard && outsideClear) p += v.lastOutsideCardBonus;
    if (cleared && outsideClear) p += v.boardClearedBonus;
    return static_cast<std::int32_t>(p);
}

std::int32_t clSolitaireRules::ScoreSet(const clMove& move, const clPointValues& v) {
    const int n = std::clamp(move.count, 0, clMove::kSetSlots);
    const auto inSet = [&](const clPile* pile) {
        const std::int32_t top = pile->TopDealIndex();
        return pile->Count() > 0 &&
               std::find(move.cards.begin(), move.cards.begin() + n, top) != move.cards.begin() + n;
    };

    std::int64_t p = v.removalPoints;
    bool anyTop = false;
    bool everyTop = true;
    for (const clPile* t : tableau) {
        if (t->Count() == 0) continue;
        if (inSet(t)) {
            anyTop = true;
            p += static_cast<std::int64_t>(t->Scoring().rowValue) * v.removalRowPoints;
        } else {
            everyTop = false;
        }
    }
    if (!tableauCleared && anyTop && everyTop) p += v.allTopsRemovedBonus;
    if (waste && inSet(waste)) p += v.wasteRemovalPoints;
    return static_cast<std::int32_t>(p);
}
