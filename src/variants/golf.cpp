#include "variants/golf.h"

#include <memory>

#include "engine/catalogue_rows.h"
#include "piles/stock.h"
#include "piles/tableau.h"
#include "piles/tableau_limits.h"
#include "piles/waste.h"

namespace {

constexpr double kColumnStep = 0.4;  // card heights between the cards of a column

constexpr clPointValues kGolfPoints{
    .tableauClearedBonus = 10000,
    .rowPoints = 1000,
    .stockCardCost = 1500,
    .wastePoints = 1000,
    .streakPoints = 100,
};

// Driving Range and Night Golf: the goal steps come sooner than Golf's.
constexpr clRoundTable kLaterGolfRounds{
    .goalBase = 10000,
    .goalStep = 10000,
    .bonusBase = 900,
    .goalSteps = {{.from = 3, .step = 15000},
                  {.from = 5, .step = 20000},
                  {.from = 8, .step = 30000}},
    .bonusSteps = {{.from = 3, .step = 20}},
};

constexpr clGameRules kGolf{
    .game = clGames::kGolf,
    .width = 8,
    .height = 5,
    .rounds = {.goalBase = 10000,
               .goalStep = 10000,
               .bonusBase = 900,
               .goalSteps = {{.from = 3, .step = 15000},
                             {.from = 9, .step = 20000},
                             {.from = 13, .step = 25000}},
               .bonusSteps = {{.from = 3, .step = 20}}},
    .points = kGolfPoints,
};

constexpr clGameRules kPuttPutt{
    .game = clGames::kPuttPutt,
    .width = 8,
    .height = 5,
    .rounds = {.goalBase = 10000,
               .goalStep = 20000,
               .bonusBase = 900,
               .goalSteps = {{.from = 5, .step = 30000}, {.from = 10, .step = 40000}},
               .bonusSteps = {{.from = 3, .step = 20}}},
    .points = kGolfPoints,
};

constexpr clGameRules kDrivingRange{
    .game = clGames::kDrivingRange,
    .width = 8,
    .height = 6,
    .rounds = kLaterGolfRounds,
    .points = kGolfPoints,
};

constexpr clGameRules kNightGolf{
    .game = clGames::kNightGolf,
    .width = 8,
    .height = 5,
    .rounds = kLaterGolfRounds,
    .points = kGolfPoints,
};

}  // namespace

clGolf::clGolf() {
    Describe(kGolf);
}

void clGolf::Columns() {
    RowCentred(MakePiles<clTableauDiscardOnly>(7), 4, 0.75);
    for (clPile* pile : tableau)
        pile->SetFan({.dy = kColumnStep});
    KeyTableau();
    SetTableauRowValue(tableau, 1);
    tableauDealCount = 35;
    wasteDealCount = 1;
}

void clGolf::CreateLayout() {
    Columns();
    SetStock(std::make_unique<clStockToWasteOnly>())->SetPosition(1.5, 3.5, -8, 0);
    stock->SetFan({.pixelDx = -3});
    SetWaste(std::make_unique<clWasteDiscard>())->SetPosition(2.5, 3.5, -4, 0);
}

bool clGolf::ValidateCardMove(const clMove& move) {
    return ValidateWasteMove(move, clRankWrap::None);
}

clPuttPutt::clPuttPutt() {
    Describe(kPuttPutt);
}

bool clPuttPutt::ValidateCardMove(const clMove& move) {
    return ValidateWasteMove(move, clRankWrap::KingAndAce);
}

clDrivingRange::clDrivingRange() {
    Describe(kDrivingRange);
}

// The stock's cards lie face up, fanned from x 0: its top card, the next to
// come, lies at the right end and keeps its place while the stock shrinks
// (the stock lays its top card at its anchor), and every card below it shows
// its corner.
void clDrivingRange::CreateLayout() {
    Columns();
    constexpr double kFanStep = 0.15;
    const int stockCards = 52 - tableauDealCount - wasteDealCount;
    SetStock(std::make_unique<clStockToWasteOpen>())->SetPosition(kFanStep * (stockCards - 1), 3.5);
    stock->SetFan({.dx = -kFanStep});
    SetWaste(std::make_unique<clWasteDiscard>())->SetPosition(3.5, 3.5);
}

// The stock shows every coming card, so all of them are dealt face up, not
// only its top card.
void clDrivingRange::DealCards() {
    const clDealCounts counts = DealCounts();
    int k = 0;
    for (int n = 0; n < counts.tableau && TableauCount() > 0; ++n) {
        DealCard(*tableau[n % TableauCount()], k++, clFacing::Up);
    }
    for (int n = 0; n < counts.stock && stock; ++n)
        DealCard(*stock, k++, clFacing::Up);
    for (int n = 0; n < counts.waste && waste; ++n)
        DealCard(*waste, k++, clFacing::Up);
}

clNightGolf::clNightGolf() {
    Describe(kNightGolf);
}

void clNightGolf::AfterMove() {
    for (clPile* pile : tableau) {
        for (int i = 0; i < static_cast<int>(pile->Count()); ++i)
            pile->At(i)->faceDown = true;
        if (clCard* top = pile->Top()) top->faceDown = top->blocked = false;
    }
}
