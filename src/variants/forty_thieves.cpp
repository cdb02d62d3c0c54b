#include "variants/forty_thieves.h"

#include <memory>

#include "piles/stock.h"
#include "piles/tableau_limits.h"
#include "piles/waste.h"

namespace {

constexpr double kColumnFan = 4.0;  // the longest a tableau column fans, in card heights
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

// Forty Thieves' and Thieves of Egypt's goals; the bonus shrinks from round 3.
void SetupThievesRounds(clPointSystem& points, std::int32_t bonusStep) {
    points.Setup(20000, 20000, 4800, 0, 1);
    points.AddGoalStep(2, 40000);
    points.AddGoalStep(3, 80000);
    points.AddBonusStep(3, bonusStep, 1);
}

}  // namespace

// Forty Thieves.

clFortyThieves::clFortyThieves() {
    Describe("Forty Thieves", 11, 6);
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

void clFortyThieves::SetupRounds() {
    SetupThievesRounds(points, 200);
}

void clFortyThieves::SetupPoints() {
    points.values.foundationPoints = 500;
    points.values.foundationCompleteBonus = 2000;
    points.values.allFoundationsBonus = 20000;
    points.values.stockActionCost = 10000;
    points.values.stockActionIncrement = 10000;
}

// Interchange.

clInterchange::clInterchange() {
    Describe("Interchange", 9, 6);
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

void clInterchange::SetupRounds() {
    points.Setup(20000, 20000, 4800, 0, 1);
    points.AddGoalStep(2, 40000);
    points.AddGoalStep(4, 60000);
    points.AddGoalStep(6, 80000);
    points.AddBonusStep(6, 200, 1);
}

void clInterchange::SetupPoints() {
    points.values.foundationPoints = 1000;
    points.values.allFoundationsBonus = 20000;
    points.values.stockActionCost = 10000;
    points.values.stockActionIncrement = 5000;
}

// Rows 0, 2, 4 and 6 face up, rows 1, 3 and 5 face down and blocked.
void clInterchange::Deal() {
    const clDealCounts counts = DealCounts();
    const int n = TableauCount();
    int k = 0;
    for (; n > 0 && k < counts.tableau; ++k) {
        const bool up = (k / kInterchangeRow) % 2 == 0;
        DealCard(*tableau[k % n], k, up, up);
    }
    DealOutside(k, counts);
    Repaint();
    ClearSelection();
}

clInterchangeKings::clInterchangeKings() {
    Describe("Interchange Kings", 9, 6);
}

void clInterchangeKings::CreateLayout() {
    clInterchange::CreateLayout();
    KingsOnlyInSpaces();
}

// Thieves of Egypt.

clThievesOfEgypt::clThievesOfEgypt() {
    Describe("Thieves of Egypt", 11, 6);
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

void clThievesOfEgypt::SetupRounds() {
    SetupThievesRounds(points, 100);
}

void clThievesOfEgypt::SetupPoints() {
    clFortyThieves::SetupPoints();
    points.values.stockActionIncrement = 5000;
}

// Passes over a shrinking range of columns: after each pass the range loses
// its first column, then its last, in turn, so the columns hold 1, 3, 5, 7,
// 9, 10, 8, 6, 4 and 2 cards.
void clThievesOfEgypt::Deal() {
    const clDealCounts counts = DealCounts();
    int k = 0;
    for (int first = 0, last = TableauCount() - 1, pass = 0; first <= last; ++pass) {
        for (int pile = first; pile <= last && k < counts.tableau; ++pile)
            DealCard(*tableau[pile], k++, true, true);
        if (pass % 2 == 0) {
            ++first;
        } else {
            --last;
        }
    }
    DealOutside(k, counts);
    Repaint();
    ClearSelection();
}
