#include "variants/forty_thieves.h"

#include <memory>

#include "engine/catalogue_rows.h"
#include "piles/stock.h"
#include "piles/tableau_limits.h"
#include "piles/waste.h"

namespace {

constexpr int kInterchangeRow = 7;  // cards in a row of Interchange's deal

// Every game of the family: a click deals one card, the empty stock takes the
// waste back.
clForms ThievesForms(clAfterMoveForm afterMove, clAutoPlayForm autoPlay) {
    return {.deal = clDealForm::Generic,
            .afterMove = afterMove,
            .autoPlay = autoPlay,
            .findMove = clFindMoveForm::PreferBuilt,
            .clicks = clClickForm::DealOne,
            .redealWasteToStock = true};
}

constexpr clGameRules kFortyThieves{
    .game = clGames::kFortyThieves,
    .width = 11,
    .height = 6,
    .rounds = {.goalBase = 20000,
               .goalStep = 20000,
               .bonusBase = 4800,
               .goalSteps = {{.from = 2, .step = 40000}, {.from = 3, .step = 80000}},
               .bonusSteps = {{.from = 3, .step = 200}}},
    .points = {.foundationPoints = 500,
               .foundationCompleteBonus = 2000,
               .allFoundationsBonus = 20000,
               .stockActionCost = 10000,
               .stockActionIncrement = 10000},
};

constexpr clRoundTable kInterchangeRounds{
    .goalBase = 20000,
    .goalStep = 20000,
    .bonusBase = 4800,
    .goalSteps = {{.from = 2, .step = 40000},
                  {.from = 4, .step = 60000},
                  {.from = 6, .step = 80000}},
    .bonusSteps = {{.from = 6, .step = 200}},
};

constexpr clPointValues kInterchangePoints{
    .foundationPoints = 1000,
    .allFoundationsBonus = 20000,
    .stockActionCost = 10000,
    .stockActionIncrement = 5000,
};

constexpr clGameRules kInterchange{
    .game = clGames::kInterchange,
    .width = 9,
    .height = 6,
    .rounds = kInterchangeRounds,
    .points = kInterchangePoints,
};

constexpr clGameRules kInterchangeKings{
    .game = clGames::kInterchangeKings,
    .width = 9,
    .height = 6,
    .rounds = kInterchangeRounds,
    .points = kInterchangePoints,
};

constexpr clGameRules kThievesOfEgypt{
    .game = clGames::kThievesOfEgypt,
    .width = 11,
    .height = 6,
    .rounds = {.goalBase = 20000,
               .goalStep = 20000,
               .bonusBase = 4800,
               .goalSteps = {{.from = 2, .step = 40000}, {.from = 3, .step = 80000}},
               .bonusSteps = {{.from = 3, .step = 100}}},
    .points = {.foundationPoints = 500,
               .foundationCompleteBonus = 2000,
               .allFoundationsBonus = 20000,
               .stockActionCost = 10000,
               .stockActionIncrement = 5000},
};

}  // namespace

// Forty Thieves.

clFortyThieves::clFortyThieves() {
    Describe(kFortyThieves);
}

void clFortyThieves::CreateLayout() {
    RowRightAligned(MakePiles<clFoundationUpInSuit>(8), 11, 0.75);
    RowCentred(MakePiles<clTableauDownInSuit>(10), 5.5, 2.0, kColumnFan);
    SetStock(std::make_unique<clStockToWaste>())->SetPosition(0, 0.75);
    SetWaste(std::make_unique<clWasteFromStock>())->SetPosition(1.0, 0.75, 12, 0);
    KeyTableau();
    AnyCardInSpaces();
    SetTableauMoveLimit(tableau, 1);
    autoPlaySupported = true;
    deckCount = 2;
    tableauDealCount = 40;
    wasteDealCount = 1;
    forms = ThievesForms(clAfterMoveForm::None, clAutoPlayForm::Plain);
}

// Interchange.

clInterchange::clInterchange() {
    Describe(kInterchange);
}

void clInterchange::CreateLayout() {
    RowRightAligned(MakePiles<clFoundationUpInSuit>(8), 9, 0.75);
    RowCentred(MakePiles<clTableauDownInSuit>(7), 5.5, 2.0, kColumnFan, -12);
    SetStock(std::make_unique<clStockToWaste>())->SetPosition(0, 2.0);
    SetWaste(std::make_unique<clWasteFromStock>())->SetPosition(0, 3.25);
    waste->SetFan({.pixelDy = 2});
    KeyTableau();
    AnyCardInSpaces();
    autoPlaySupported = true;
    deckCount = 2;
    tableauDealCount = 49;
    wasteDealCount = 1;
    forms = ThievesForms(clAfterMoveForm::TurnUpTops, clAutoPlayForm::Plain);
}

// Rows 0, 2, 4 and 6 face up, rows 1, 3 and 5 face down and blocked.
void clInterchange::DealCards() {
    const clDealCounts counts = DealCounts();
    const int n = TableauCount();
    int k = 0;
    for (; n > 0 && k < counts.tableau; ++k) {
        const bool faceUp = (k / kInterchangeRow) % 2 == 0;
        DealCard(*tableau[k % n], k, TableauFacing(faceUp));
    }
    DealOutside(k, counts);
}

clInterchangeKings::clInterchangeKings() {
    Describe(kInterchangeKings);
}

void clInterchangeKings::CreateLayout() {
    clInterchange::CreateLayout();
    KingsOnlyInSpaces();
}

// Thieves of Egypt.

clThievesOfEgypt::clThievesOfEgypt() {
    Describe(kThievesOfEgypt);
}

void clThievesOfEgypt::CreateLayout() {
    RowRightAligned(MakePiles<clFoundationUpInSuit>(8), 11, 0.75);
    RowCentred(MakePiles<clTableauDownAlternating>(10), 5.5, 2.0, kColumnFan);
    SetStock(std::make_unique<clStockToWaste>())->SetPosition(0, 0.75);
    SetWaste(std::make_unique<clWasteFromStock>())->SetPosition(1.0, 0.75, 12, 0);
    KeyTableau();
    KingsOnlyInSpaces();
    autoPlaySupported = true;
    deckCount = 2;
    tableauDealCount = 55;
    wasteDealCount = 1;
    forms = ThievesForms(clAfterMoveForm::TurnUpTops, clAutoPlayForm::Safe);
}

// Passes over a shrinking range of columns: after each pass the range loses
// its first column, then its last, in turn, so the columns hold 1, 3, 5, 7,
// 9, 10, 8, 6, 4 and 2 cards.
void clThievesOfEgypt::DealCards() {
    const clDealCounts counts = DealCounts();
    int k = 0;
    for (int first = 0, last = TableauCount() - 1, pass = 0; first <= last; ++pass) {
        for (int pile = first; pile <= last && k < counts.tableau; ++pile)
            DealCard(*tableau[pile], k++, clFacing::Up);
        if (pass % 2 == 0) {
            ++first;
        } else {
            --last;
        }
    }
    DealOutside(k, counts);
}
