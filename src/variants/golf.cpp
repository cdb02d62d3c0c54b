#include "variants/golf.h"

#include <memory>

#include "piles/stock.h"
#include "piles/tableau.h"
#include "piles/tableau_limits.h"
#include "piles/waste.h"

namespace {

constexpr clPointValues kGolfPoints{
    .tableauClearedBonus = 10000,
    .rowPoints = 1000,
    .stockCardCost = 1500,
    .wastePoints = 1000,
    .streakPoints = 100,
};

constexpr double kColumnStep = 0.4;  // card heights between the cards of a column

void SetupLaterGolfRounds(clPointSystem& points) {
    points.Setup(10000, 10000, 900, 0, 1);
    points.AddGoalStep(3, 15000);
    points.AddBonusStep(3, 20, 1);
    points.AddGoalStep(5, 20000);
    points.AddGoalStep(8, 30000);
}

}  // namespace

clGolf::clGolf() {
    Describe("Golf", 8, 5);
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

void clGolf::SetupRounds() {
    points.Setup(10000, 10000, 900, 0, 1);
    points.AddGoalStep(3, 15000);
    points.AddBonusStep(3, 20, 1);
    points.AddGoalStep(9, 20000);
    points.AddGoalStep(13, 25000);
}

void clGolf::SetupPoints() {
    points.values = kGolfPoints;
}

void clGolf::OnPileClick() {
    CancelPick();
    if (sourcePile == stock) {
        DealOne();
    } else {
        PlayTopToWaste();
    }
}

bool clGolf::ValidateCardMove(const clMove& move) {
    return ValidateWasteMove(move, false);
}

clPuttPutt::clPuttPutt() {
    Describe("Putt Putt", 8, 5);
}

void clPuttPutt::SetupRounds() {
    points.Setup(10000, 20000, 900, 0, 1);
    points.AddBonusStep(3, 20, 1);
    points.AddGoalStep(5, 30000);
    points.AddGoalStep(10, 40000);
}

bool clPuttPutt::ValidateCardMove(const clMove& move) {
    return ValidateWasteMove(move, true);
}

clDrivingRange::clDrivingRange() {
    Describe("Driving Range", 8, 6);
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

void clDrivingRange::SetupRounds() {
    SetupLaterGolfRounds(points);
}

// The stock shows every coming card, so all of them are dealt face up, not
// only its top card.
void clDrivingRange::Deal() {
    const clDealCounts counts = DealCounts();
    int k = 0;
    for (int n = 0; n < counts.tableau && TableauCount() > 0; ++n) {
        DealCard(*tableau[n % TableauCount()], k++, true, true);
    }
    for (int n = 0; n < counts.stock && stock; ++n)
        DealCard(*stock, k++, true, true);
    for (int n = 0; n < counts.waste && waste; ++n)
        DealCard(*waste, k++, true, true);
    Repaint();
    ClearSelection();
}

clNightGolf::clNightGolf() {
    Describe("Night Golf", 8, 5);
}

void clNightGolf::SetupRounds() {
    SetupLaterGolfRounds(points);
}

void clNightGolf::AfterMove() {
    for (clPile* pile : tableau) {
        for (int i = 0; i < static_cast<int>(pile->Count()); ++i)
            pile->At(i)->faceDown = true;
        if (clCard* top = pile->Top()) top->faceDown = top->blocked = false;
    }
}
