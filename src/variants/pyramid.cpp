#include "variants/pyramid.h"

#include <memory>
#include <vector>

#include "engine/catalogue_rows.h"
#include "piles/reserve.h"
#include "piles/stock.h"
#include "piles/tableau.h"
#include "piles/waste.h"
#include "variants/card_rules.h"

namespace {

constexpr clRoundTable kPyramidRounds{
    .goalBase = 10000,
    .goalStep = 20000,
    .bonusBase = 1200,
    .goalSteps = {{.from = 2, .step = 30000}},
    .bonusSteps = {{.from = 3, .step = 20}},
};

constexpr clPointValues kPyramidPoints{
    .tableauClearedBonus = 20000,
    .rowPoints = 100,
    .stockCardCost = 200,
    .stockActionCost = 500,
    .stockActionIncrement = 500,
    .boardClearedBonus = 20000,
    .singleRemovalPoints = 500,
    .pairPoints = 1000,
};

constexpr clGameRules kPyramid{
    .game = clGames::kPyramid,
    .width = 8,
    .height = 6,
    .rounds = kPyramidRounds,
    .points = kPyramidPoints,
};

constexpr clGameRules kHiddenPyramid{
    .game = clGames::kHiddenPyramid,
    .width = 8,
    .height = 6,
    .rounds = kPyramidRounds,
    .points = kPyramidPoints,
};

constexpr clGameRules kDoublePyramid{
    .game = clGames::kDoublePyramid,
    .width = 12,
    .height = 6,
    .rounds = kDoublePyramidRounds,
    .points = kPyramidPoints,
};

constexpr clGameRules kCheops{
    .game = clGames::kCheops,
    .width = 8,
    .height = 6,
    .rounds = kPyramidRounds,
    .points = {.tableauClearedBonus = 10000,
               .rowPoints = 100,
               .stockCardCost = 200,
               .stockActionCost = 5000,
               .stockActionIncrement = 5000,
               .boardClearedBonus = 20000,
               .lastOutsideCardBonus = 10000,
               .sameRankPairPoints = 1500,
               .pairPoints = 500},
};

constexpr clGameRules kKingTut{
    .game = clGames::kKingTut,
    .width = 8,
    .height = 6,
    .rounds = {.goalBase = 10000,
               .goalStep = 10000,
               .bonusBase = 1200,
               .goalSteps = {{.from = 2, .step = 20000}},
               .bonusSteps = {{.from = 3, .step = 20}}},
    .points = {.tableauClearedBonus = 40000,
               .rowPoints = 100,
               .stockActionCost = 500,
               .singleRemovalPoints = 500,
               .pairPoints = 1000},
};

constexpr clGameRules kPickingPairs{
    .game = clGames::kPickingPairs,
    .width = 7,
    .height = 6,
    .rounds = {.goalBase = 40000,
               .goalStep = 40000,
               .bonusBase = 600,
               .bonusSteps = {{.from = 3, .step = 10}}},
    .points = {.tableauClearedBonus = 10000, .sameRankPairPoints = 3000, .pairPoints = 500},
};

constexpr clCover kPickingPairsCovers[] = {
    {6, 6},   {6, 7},   {7, 8},   {8, 9},   {9, 10},  {10, 10}, {11, 12},
    {12, 13}, {13, 14}, {14, 15}, {15, 16}, {17, 17}, {17, 18}, {18, 19},
    {19, 20}, {20, 21}, {21, 21}, {22, 23}, {23, 24}, {24, 25}, {25, 26},
    {26, 27}, {28, 28}, {28, 29}, {29, 30}, {30, 31}, {31, 32}, {32, 32},
};
constexpr clRowRun kPickingPairsRows[] = {{0, 0.5, 6}, {1, 1.0, 5}, {2, 0.5, 6},
                                          {3, 1.0, 5}, {4, 0.5, 6}, {5, 1.0, 5}};

clLocation ReserveAt(int position) {
    return clLocation::Pile(clLocationKind::Reserve, 0, position);
}

}  // namespace

// Pyramid, Hidden Pyramid, Double Pyramid and Cheops.

clPyramid::clPyramid() {
    Describe(kPyramid);
}

void clPyramid::PyramidLayout() {
    (void)MakePiles<clTableauSingleDiscard>(28);
    PlaceRows(PyramidRows(), 0.6, 0.4, 3.5);
    SetRowValues(tableau, PyramidRows());
    SetCovers(PyramidCovers());
    KeyBySlot();
    tableauDealCount = 28;
}

void clPyramid::CreateLayout() {
    PyramidLayout();
    SetStock(std::make_unique<clStockToReserve>())->SetPosition(1.5, 4.5, -4, 0);
    stock->SetFan({.pixelDx = -3});
    AddReserve(std::make_unique<clReserveFromStockToWaste>())->SetPosition(2.5, 4.5);
    SetWaste(std::make_unique<clWasteFromReserveSelect>())->SetPosition(3.5, 4.5, 4, 0);
    reserves[0]->SetKey('R');
    reserveDealCount = 1;
    wasteDealCount = 1;
}

bool clPyramid::IsGameWon() {
    return clSolitaireGame::IsGameWon();
}

void clPyramid::OnPileClick() {
    CancelPick();
    if (sourcePile == stock) {
        DealThroughReserve();
    } else {
        SelectPair();
    }
}

void clPyramid::OnEmptyPick() {
    CancelPick();
    if (sourcePile == nullptr) return;
    if (sourcePile == stock) {
        CommitStockAction();
    } else if (sourcePile == waste || sourcePile == Reserve(0)) {
        DealThroughReserve();
    }
}

// Only what there is moves: with an empty reserve the stock card alone, with
// an empty stock the reserve card alone.
void clPyramid::DealThroughReserve() {
    ClearSelection();
    const clPile* reserve = Reserve(0);
    int free = 0;
    if (reserve == nullptr || stock == nullptr || waste == nullptr) return;
    std::vector<clMove> parts;
    if (reserve->Count() > 0 && waste->NextFreeSlot(free)) {
        parts.push_back(clMove::CardMove(reserve->TopDealIndex(), ReserveAt(reserve->TopIndex()),
                                         clLocation::Single(clLocationKind::Waste, free)));
    }
    if (stock->Count() > 0) {
        const int into = parts.empty() ? static_cast<int>(reserve->Count()) : reserve->TopIndex();
        parts.push_back(clMove::CardMove(
            stock->TopDealIndex(), clLocation::Single(clLocationKind::Stock, stock->TopIndex()),
            ReserveAt(into)));
    }
    if (parts.empty()) return;
    const clMove move = parts.size() == 1 ? parts[0] : clMove::CompoundMove(std::move(parts));
    if (ValidateMove(move)) CommitPlayedMove(move);
}

void clPyramid::StockAction(bool animated) {
    const auto backToStock = [this](clPile& from) {
        dealGroup.Clear();
        if (!from.GiveCards(dealGroup, from.TopIndex())) return false;
        if (stock->AddCards(dealGroup)) return true;
        from.AddCards(dealGroup);  // no room in the stock: the card stays
        return false;
    };
    clPile* reserve = Reserve(0);
    if (stock) {
        if (reserve && reserve->Count() > 0) backToStock(*reserve);
        while (waste && waste->Count() > 0 && backToStock(*waste)) {
        }
    }
    clSolitaireRules::StockAction(animated);
}

bool clPyramid::ValidateStockAction() {
    const clPile* reserve = Reserve(0);
    return stock && stock->Count() == 0 &&
           ((reserve && reserve->Count() > 0) || (waste && waste->Count() > 0));
}

bool clPyramid::ValidateCompound(const clMove& move) {
    if (move.type != clMoveType::Compound || move.count != 2 || move.parts.size() != 2) {
        return false;
    }
    const clMove& toWaste = move.parts[0];
    const clMove& toReserve = move.parts[1];
    if (toWaste.type != clMoveType::Card || toReserve.type != clMoveType::Card ||
        toWaste.from.kind != clLocationKind::Reserve || toWaste.to.kind != clLocationKind::Waste ||
        toReserve.from.kind != clLocationKind::Stock || !(toReserve.to == toWaste.from)) {
        return false;
    }
    if (!ValidateMove(toWaste)) return false;
    clPile* reserve = PileAt(toWaste.from);
    lifted.Clear();
    if (reserve == nullptr || !reserve->MoveTo(lifted, toWaste.from.Position())) return false;
    const bool valid = ValidateMove(toReserve);
    lifted.MoveTo(*reserve, 0);
    return valid;
}

bool clPyramid::ValidatePair(std::int32_t first, std::int32_t second) {
    const clCard* a = CardOf(first);
    const clCard* b = CardOf(second);
    if (a == nullptr || b == nullptr || !ArePairable(first, second)) return false;
    return first == second ? a->IsKing() : RanksAddUpTo(13, *a, *b);
}

clHiddenPyramid::clHiddenPyramid() {
    Describe(kHiddenPyramid);
}

void clHiddenPyramid::CreateLayout() {
    clPyramid::CreateLayout();
    faceDownCount = 21;
}

clDoublePyramid::clDoublePyramid() {
    Describe(kDoublePyramid);
}

void clDoublePyramid::CreateLayout() {
    (void)MakePiles<clTableauSingleDiscard>(50);
    PlaceRows(DoublePyramidRows(), 0.6, 0.4, 5.5);
    SetRowValues(tableau, DoublePyramidRows());
    SetCovers(DoublePyramidCovers());
    KeyBySlot();
    SetStock(std::make_unique<clStockToReserve>())->SetPosition(3.5, 4.5, -4, 0);
    stock->SetFan({.pixelDx = -3});
    AddReserve(std::make_unique<clReserveFromStockToWaste>())->SetPosition(4.5, 4.5);
    SetWaste(std::make_unique<clWasteFromReserveSelect>())->SetPosition(5.5, 4.5, 4, 0);
    reserves[0]->SetKey('R');
    deckCount = 2;
    tableauDealCount = 50;
    reserveDealCount = 1;
    wasteDealCount = 1;
}

clCheops::clCheops() {
    Describe(kCheops);
}

bool clCheops::ValidatePair(std::int32_t first, std::int32_t second) {
    const clCard* a = CardOf(first);
    const clCard* b = CardOf(second);
    if (a == nullptr || b == nullptr || first == second || !ArePairable(first, second)) {
        return false;
    }
    return HaveSameRank(*a, *b) || AreNeighbours(*a, *b, clRankWrap::None);
}

// King Tut.

clKingTut::clKingTut() {
    Describe(kKingTut);
}

void clKingTut::CreateLayout() {
    PyramidLayout();
    SetStock(std::make_unique<clStockToWaste>())->SetPosition(1.5, 4.5, -4, 0);
    SetWaste(std::make_unique<clWasteFromStockSelect>())->SetPosition(2.5, 4.5, 4, 0);
    waste->SetFan({.dx = 0.15});
    wasteDealCount = 3;
    DealThreeAtATime();
    forms.redealWasteToStock = true;
}

bool clKingTut::IsGameWon() {
    return clRemovalGame::IsGameWon();
}

void clKingTut::OnPileClick() {
    CancelPick();
    if (sourcePile == stock) {
        DealMany(3);
    } else {
        SelectPair();
    }
}

void clKingTut::OnEmptyPick() {
    clSolitaireGame::OnEmptyPick();
}

void clKingTut::StockAction(bool animated) {
    clSolitaireGame::StockAction(animated);
}

bool clKingTut::ValidateCompound(const clMove& move) {
    return clSolitaireGame::ValidateCompound(move);
}

bool clKingTut::ValidateStockAction() {
    return clSolitaireGame::ValidateStockAction();
}

// Picking Pairs.

clPickingPairs::clPickingPairs() {
    Describe(kPickingPairs);
}

void clPickingPairs::CreateLayout() {
    (void)MakePiles<clTableauSingleDiscard>(33);
    PlaceRows(kPickingPairsRows, 0.75, 0.5, 3.0);
    SetCovers(kPickingPairsCovers);
    KeyBySlot();
    SetStock(std::make_unique<clStockToWasteOnly>())->SetPosition(2, 4.5, -2, 0);
    SetWaste(std::make_unique<clWasteFromStockSelect>())->SetPosition(3, 4.5, 2, 0);
    tableauDealCount = 33;
    wasteDealCount = 1;
}

void clPickingPairs::OnPileClick() {
    CancelPick();
    if (sourcePile == stock) {
        DealOne();
    } else {
        SelectPair();
    }
}

bool clPickingPairs::ValidatePair(std::int32_t first, std::int32_t second) {
    const clCard* a = CardOf(first);
    const clCard* b = CardOf(second);
    if (a == nullptr || b == nullptr || first == second || !ArePairable(first, second)) {
        return false;
    }
    return HaveSameRank(*a, *b) || AreNeighbours(*a, *b, clRankWrap::KingAndAce);
}
