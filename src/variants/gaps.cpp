#include "variants/gaps.h"

#include <algorithm>
#include <memory>

#include "engine/catalogue_rows.h"
#include "piles/tableau_limits.h"

namespace {

constexpr clRoundTable kGapsRounds{
    .goalBase = 10000,
    .goalStep = 20000,
    .bonusBase = 3600,
    .bonusStep = 100,
    .goalSteps = {{.from = 2, .step = 25000},
                  {.from = 3, .step = 30000},
                  {.from = 4, .step = 35000},
                  {.from = 5, .step = 40000}},
};

constexpr clGameRules kGaps{
    .game = clGames::kGaps,
    .width = 13,
    .height = 6,
    .rounds = kGapsRounds,
    .points = {.stockActionCost = 1000,
               .stockActionIncrement = 1000,
               .rowsCompleteBonus = 15000,
               .rowRunPoints = 100},
};

constexpr clGameRules kMontana{
    .game = clGames::kMontana,
    .width = 13,
    .height = 6,
    .rounds = kGapsRounds,
    .points = {.stockActionCost = 1000,
               .stockActionIncrement = 1000,
               .rowsCompleteBonus = 20000,
               .rowRunPoints = 100},
};

}  // namespace

clGaps::clGaps() {
    Describe(kGaps);
    for (clCard& marker : markers)
        marker.SetCard(clRank::Ace, clSuit::Spades);
}

void clGaps::CreateLayout() {
    const std::vector<clPile*> spaces = MakePiles<clTableauSingle>(kRows * kColumns);
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            clPile* space = spaces[row * kColumns + column];
            space->SetPosition(column, 1.25 * (row + 1));
            space->SetSymbol(column == 0 ? RankMark(clRank::Two) : clPileSymbol::Outline);
            space->SetKeys('A' + column, '1' + row);
        }
        // Each row is scored as a sequence: space c wants rank 2 + c and is worth 12 - c.
        SetTableauRowSequence(tableau, 2, 12, -1, kColumns - 1, row * kColumns);
    }
    AddOther(std::make_unique<clSymbolReshuffle>())->SetPosition(6.0, 0);
}

void clGaps::DealCards() {
    for (int k = 0; k < cardCount && k < TableauCount(); ++k) {
        const clCard* card = deck->CardAt(k);
        if (card && !card->IsAce()) DealCard(*tableau[k], k, clFacing::Up);
    }
}

bool clGaps::ValidateCardMove(const clMove& move) {
    if (move.from.kind != clLocationKind::Tableau || move.to.kind != clLocationKind::Tableau) {
        return false;
    }
    const clPile* source = PileAt(move.from);
    const clPile* target = PileAt(move.to);
    const clCard* card = source ? source->At(move.from.Position()) : nullptr;
    if (card == nullptr || target == nullptr || target->Count() != 0) return false;
    const int column = move.to.first % kColumns;
    if (column == 0) {
        if (card->Rank() != clRank::Two) return false;
    } else {
        const clCard* left = Tableau(move.to.first - 1)->Top();
        if (left == nullptr || left->Suit() != card->Suit() ||
            card->GetRank() != left->GetRank() + 1) {
            return false;
        }
    }
    return clSolitaireGame::ValidateCardMove(move);
}

bool clGaps::IsGameWon() {
    for (int row = 0; row < kRows; ++row) {
        if (RunLength(row) != kColumns - 1 || Space(row, kColumns - 1)->Count() != 0) return false;
    }
    return true;
}

void clGaps::OnEmptyPick() {
    const bool redealButton = sourcePile && LocationOf(sourcePile, 0).kind == clLocationKind::None;
    CancelPick();
    if (!redealButton) return;
    CommitStockAction();
}

int clGaps::RunLength(int row) const {
    const clCard* first = Space(row, 0)->Top();
    int length = 0;
    while (length < kColumns - 1) {
        const clCard* card = Space(row, length)->Top();
        if (card == nullptr || card->GetRank() != 2 + length || card->Suit() != first->Suit()) {
            break;
        }
        ++length;
    }
    return length;
}

std::array<int, clGaps::kRows> clGaps::Gather(bool withMarkers) {
    std::array<int, kRows> runs{};
    working.Clear();
    for (int row = 0; row < kRows; ++row) {
        runs[row] = RunLength(row);
        for (int column = runs[row]; column < kColumns; ++column) {
            clPile* space = Space(row, column);
            if (space->Count() > 0) space->GiveCards(working, 0);
        }
    }
    if (withMarkers) {
        for (clCard& marker : markers)
            working.Add(&marker);
    }
    working.Shuffle(*random);
    return runs;
}

void clGaps::Spread(const std::array<int, kRows>& runs, int skip) {
    int next = 0;
    for (int row = 0; row < kRows; ++row) {
        for (int column = runs[row] + skip; column < kColumns; ++column) {
            clCard* card = working.At(next++);
            if (card == nullptr) return;
            const bool marker = std::any_of(markers.begin(), markers.end(),
                                            [card](const clCard& m) { return &m == card; });
            if (marker) continue;
            clGroup one(card);
            Space(row, column)->AddCards(one);
            card->faceDown = card->blocked = false;
            graphics->PlaceCard(*card);
        }
    }
}

void clGaps::StockAction(bool animated) {
    Spread(Gather(false), 1);
    working.Clear();
    clSolitaireRules::StockAction(animated);
}

clMontana::clMontana() {
    Describe(kMontana);
}

void clMontana::StockAction(bool animated) {
    Spread(Gather(true), 0);
    working.Clear();
    clSolitaireRules::StockAction(animated);
}
