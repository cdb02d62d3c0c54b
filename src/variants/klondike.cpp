#include "variants/klondike.h"

#include <memory>

#include "piles/stock.h"
#include "piles/tableau_limits.h"
#include "piles/waste.h"

namespace {

constexpr double kColumnFan = 4.0;  // the longest a tableau column fans, in card heights

// The stock-and-waste games' forms: a click deals, the empty stock redeals.
clForms StockGame(clDealForm deal, clAfterMoveForm afterMove, clAutoPlayForm autoPlay,
                  clFindMoveForm findMove, clClickForm clicks) {
    return {deal, afterMove, autoPlay, findMove, clicks, true, clicks == clClickForm::DealThree};
}

void SetupKlondikeRounds(clPointSystem& points, std::int32_t bonusStep) {
    points.Setup(10000, 10000, 2400, 0, 1);
    points.AddGoalStep(2, 20000);
    points.AddGoalStep(4, 30000);
    points.AddGoalStep(6, 40000);
    points.AddBonusStep(6, bonusStep, 1);
}

}  // namespace

// Klondike and its versions.

clKlondike::clKlondike() {
    Describe("Klondike", 9, 6);
}

void clKlondike::CreateLayout() {
    RowRightAligned(MakePiles<clFoundationUpInSuit>(4), 9, 0.75);
    RowCentred(MakePiles<clTableauDownAlternating>(7), 4.5, 2.0, kColumnFan);
    SetStock(std::make_unique<clStockToWaste>())->SetPosition(2.0, 0.75);
    stock->SetFan({.pixelDx = -3});
    SetWaste(std::make_unique<clWasteFromStock>())->SetPosition(3.0, 0.75, 12, 0);
    KeyTableau();
    KingsOnlyInSpaces();
    autoPlaySupported = true;
    tableauDealCount = 28;
    faceDownCount = 28;
    forms = StockGame(clDealForm::Triangle, clAfterMoveForm::TurnUpTops, clAutoPlayForm::Safe,
                      clFindMoveForm::Plain, clClickForm::DealOne);
}

void clKlondike::SetupRounds() {
    SetupKlondikeRounds(points, 50);
}

void clKlondike::SetupPoints() {
    points.values.foundationPoints = 500;
    points.values.allFoundationsBonus = 20000;
}

clKlondikeDealThree::clKlondikeDealThree() {
    Describe("Klondike Deal Three", 9, 6);
}

void clKlondikeDealThree::CreateLayout() {
    clKlondike::CreateLayout();
    forms.clicks = clClickForm::DealThree;
    forms.dealThreeCompound = true;
}

clKlondikeFree::clKlondikeFree() {
    Describe("Klondike Free", 9, 6);
}

void clKlondikeFree::CreateLayout() {
    clKlondike::CreateLayout();
    AnyCardInSpaces();
    forms.findMove = clFindMoveForm::PreferBuilt;
}

void clKlondikeFree::SetupRounds() {
    SetupKlondikeRounds(points, 200);
}

void clKlondikeFree::SetupPoints() {
    clKlondike::SetupPoints();
    points.values.stockActionCost = 5000;
}

clKlondikeFreeDealThree::clKlondikeFreeDealThree() {
    Describe("Klondike Free Deal Three", 9, 6);
}

void clKlondikeFreeDealThree::CreateLayout() {
    clKlondikeDealThree::CreateLayout();
    AnyCardInSpaces();
    forms.findMove = clFindMoveForm::PreferBuilt;
}

clDoubleKlondike::clDoubleKlondike() {
    Describe("Double Klondike", 11, 6);
}

void clDoubleKlondike::CreateLayout() {
    RowRightAligned(MakePiles<clFoundationUpInSuit>(8), 11, 0.75);
    RowRightAligned(MakePiles<clTableauDownAlternating>(9), 11, 2.0, kColumnFan);
    SetStock(std::make_unique<clStockToWaste>())->SetPosition(0, 0.75);
    SetWaste(std::make_unique<clWasteFromStock>())->SetPosition(0, 2.0);
    waste->SetFan({.pixelDy = 2});
    KeyTableau();
    AnyCardInSpaces();
    autoPlaySupported = true;
    deckCount = 2;
    tableauDealCount = 45;
    faceDownCount = 45;
    forms = StockGame(clDealForm::Triangle, clAfterMoveForm::TurnUpTops, clAutoPlayForm::Safe,
                      clFindMoveForm::PreferBuilt, clClickForm::DealOne);
}

void clDoubleKlondike::SetupRounds() {
    points.Setup(10000, 20000, 3600, 0, 1);
    points.AddGoalStep(2, 30000);
    points.AddGoalStep(3, 60000);
    points.AddBonusStep(3, 200, 1);
}

void clDoubleKlondike::SetupPoints() {
    points.values.foundationPoints = 500;
    points.values.allFoundationsBonus = 20000;
    points.values.stockActionCost = 3000;
}

clDoubleKlondikeDealThree::clDoubleKlondikeDealThree() {
    Describe("Double Klondike Deal Three", 11, 6);
}

void clDoubleKlondikeDealThree::CreateLayout() {
    clDoubleKlondike::CreateLayout();
    forms.clicks = clClickForm::DealThree;
    forms.dealThreeCompound = true;
}

void clDoubleKlondikeDealThree::SetupPoints() {
    clDoubleKlondike::SetupPoints();
    points.values.stockActionCost = 1000;
}

clDoubleKlondikeKings::clDoubleKlondikeKings() {
    Describe("Double Klondike Kings", 11, 6);
}

void clDoubleKlondikeKings::CreateLayout() {
    clDoubleKlondike::CreateLayout();
    KingsOnlyInSpaces();
}

clDoubleKlondikeKingsDealThree::clDoubleKlondikeKingsDealThree() {
    Describe("Double Klondike Kings Deal Three", 11, 6);
}

void clDoubleKlondikeKingsDealThree::CreateLayout() {
    clDoubleKlondikeDealThree::CreateLayout();
    KingsOnlyInSpaces();
}

clLadyJane::clLadyJane() {
    Describe("Lady Jane", 11, 6);
}

void clLadyJane::CreateLayout() {
    RowRightAligned(MakePiles<clFoundationUpInSuit>(8), 11, 0.75);
    RowCentred(MakePiles<clTableauDownMoveInSuit>(10), 5.5, 2.0, kColumnFan);
    SetStock(std::make_unique<clStockToWaste>())->SetPosition(0, 0.75);
    SetWaste(std::make_unique<clWasteFromStock>())->SetPosition(1.0, 0.75, 4, 0);
    KeyTableau();
    AnyCardInSpaces();
    autoPlaySupported = true;
    deckCount = 2;
    tableauDealCount = 55;
    forms = StockGame(clDealForm::Triangle, clAfterMoveForm::TurnUpTops, clAutoPlayForm::Safe,
                      clFindMoveForm::PreferSuit, clClickForm::DealThree);
}

void clLadyJane::SetupRounds() {
    points.Setup(20000, 20000, 4200, 0, 1);
    points.AddGoalStep(2, 40000);
    points.AddGoalStep(4, 60000);
    points.AddBonusStep(4, 200, 1);
}

void clLadyJane::SetupPoints() {
    points.values.foundationPoints = 500;
    points.values.allFoundationsBonus = 10000;
    points.values.stockActionIncrement = 10000;
}

// Yukon and Russian Solitaire.

clYukon::clYukon() {
    Describe("Yukon", 9, 6);
}

template <class Tableau>
void clYukon::YukonLayout() {
    RowRightAligned(MakePiles<clFoundationUpInSuit>(4), 9, 0.75);
    RowCentred(MakePiles<Tableau>(7), 4.5, 2.0, kColumnFan);
    KeyTableau();
    KingsOnlyInSpaces();
    autoPlaySupported = true;
    forms.afterMove = clAfterMoveForm::TurnUpTops;
    forms.autoPlay = clAutoPlayForm::Safe;
}

void clYukon::CreateLayout() {
    YukonLayout<clTableauDownAlternatingFree>();
}

void clYukon::SetupRounds() {
    SetupKlondikeRounds(points, 50);
}

void clYukon::SetupPoints() {
    points.values.foundationPoints = 500;
    points.values.foundationCompleteBonus = 2000;
    points.values.allFoundationsBonus = 10000;
}

void clYukon::Deal() {
    const int n = TableauCount();
    int k = 0;
    for (int row = 0; row < n; ++row) {
        for (int pile = row; pile < n; ++pile)
            DealCard(*tableau[pile], k++, false, false);
    }
    TurnUpTops();
    for (int pile = 1; n > 1 && k < cardCount; pile = pile % (n - 1) + 1) {
        DealCard(*tableau[pile], k++, true, true);
    }
    Repaint();
    ClearSelection();
}

clRussianSolitaire::clRussianSolitaire() {
    Describe("Russian Solitaire", 9, 6);
}

void clRussianSolitaire::CreateLayout() {
    YukonLayout<clTableauDownInSuitFree>();
    forms.autoPlay = clAutoPlayForm::Plain;
}

void clRussianSolitaire::SetupRounds() {
    points.Setup(10000, 10000, 2400, 0, 1);
    points.AddGoalStep(2, 20000);
    points.AddGoalStep(3, 40000);
    points.AddGoalStep(4, 80000);
    points.AddBonusStep(4, 100, 1);
}

void clRussianSolitaire::SetupPoints() {
    points.values.foundationPoints = 2000;
    points.values.foundationCompleteBonus = 5000;
    points.values.allFoundationsBonus = 20000;
}

// Australian Patience.

clAustralianPatience::clAustralianPatience() {
    Describe("Australian Patience", 9, 6);
}

void clAustralianPatience::CreateLayout() {
    RowRightAligned(MakePiles<clFoundationUpInSuit>(4), 9, 0.75);
    RowCentred(MakePiles<clTableauDownInSuitFree>(7), 4.5, 2.0, kColumnFan);
    SetStock(std::make_unique<clStockToWaste>())->SetPosition(2.0, 0.75);
    stock->SetFan({.pixelDx = -3});
    SetWaste(std::make_unique<clWasteFromStock>())->SetPosition(3.0, 0.75, 12, 0);
    KeyTableau();
    KingsOnlyInSpaces();
    autoPlaySupported = true;
    tableauDealCount = 28;
    forms = StockGame(clDealForm::Generic, clAfterMoveForm::None, clAutoPlayForm::Plain,
                      clFindMoveForm::Plain, clClickForm::DealOne);
}

void clAustralianPatience::SetupRounds() {
    points.Setup(10000, 10000, 1800, 0, 1);
    points.AddGoalStep(2, 20000);
    points.AddGoalStep(3, 40000);
    points.AddBonusStep(3, 100, 1);
}

void clAustralianPatience::SetupPoints() {
    points.values.foundationPoints = 500;
    points.values.foundationCompleteBonus = 2000;
    points.values.allFoundationsBonus = 20000;
    points.values.stockActionCost = 10000;
    points.values.stockActionIncrement = 5000;
}

// The games with a dealt foundation base.

void clDealtBaseGame::DealBase(int& k) {
    const clCard* first = deck->CardAt(k);
    baseRank = first ? first->GetRank() : 1;
    if (!foundations.empty()) DealCard(*foundations[0], k, true, true);
    ++k;
}

void clDealtBaseGame::ApplyBaseRank(int tableauStopRank) {
    SetFoundationBaseRank(baseRank);
    SetFoundationStopRank(0);
    SetTableauStopRank(tableau, tableauStopRank);
}

clCanfield::clCanfield() {
    Describe("Canfield", 7, 6);
}

void clCanfield::CreateLayout() {
    RowRightAligned(MakePiles<clFoundationUpInSuit>(4), 7, 0.75);
    RowRightAligned(MakePiles<clTableauDownAlternating>(4), 7, 2.0, kColumnFan);
    SetStock(std::make_unique<clStockToWaste>())->SetPosition(0, 0.75);
    SetWaste(std::make_unique<clWasteFromStock>())->SetPosition(1.0, 0.75, 8, 0);
    AddReserve(std::make_unique<clReserveRemoveTopCard>())->SetPosition(1.0, 2.0, 8, 0);
    KeyTableau();
    AnyCardInSpaces();
    autoPlaySupported = true;
    tableauDealCount = 4;
    reserveDealCount = 13;
    forms = StockGame(clDealForm::Generic, clAfterMoveForm::None, clAutoPlayForm::SafeFromBase,
                      clFindMoveForm::PreferBuilt, clClickForm::DealOne);
    forms.dealThreeCompound = false;  // its own compound test covers deals and refills
}

void clCanfield::SetupRounds() {
    points.Setup(10000, 10000, 2400, 0, 1);
    points.AddGoalStep(2, 20000);
    points.AddGoalStep(3, 40000);
    points.AddBonusStep(3, 100, 1);
}

void clCanfield::SetupPoints() {
    points.values.foundationPoints = 500;
    points.values.allFoundationsBonus = 20000;
}

void clCanfield::Deal() {
    int k = 0;
    DealBase(k);
    for (clPile* pile : tableau)
        DealCard(*pile, k++, true, true);
    for (int n = 0; n < reserveDealCount && !reserves.empty(); ++n) {
        DealCard(*reserves[0], k++, true, true);
    }
    while (stock && k < cardCount)
        DealCard(*stock, k++, false, true);
    ApplyBaseRank(baseRank);
    Repaint();
    ClearSelection();
}

void clCanfield::OnMoveCommitted(const clMove& move) {
    (void)move;
    const clPile* reserve = Reserve(0);
    if (reserve == nullptr || reserve->Count() == 0) return;
    for (int i = 0; i < TableauCount(); ++i) {
        if (tableau[i]->Count() != 0) continue;
        const clMove refill =
            clMove::CardMove(reserve->TopDealIndex(),
                             clLocation::Pile(clLocationKind::Reserve, 0, reserve->TopIndex()),
                             clLocation::Pile(clLocationKind::Tableau, i, 0));
        if (ValidateMove(refill)) CommitChainedMove(refill);
        return;
    }
}

bool clCanfield::ValidateCompound(const clMove& move) {
    if (move.type != clMoveType::Compound || move.count < 1 ||
        move.parts.size() != static_cast<std::size_t>(move.count) ||
        move.count > clMove::kMaxParts) {
        return false;
    }
    const clMove& first = move.parts[0];
    if (first.type != clMoveType::Card || !ValidateCardMove(first)) return false;
    if (first.from.kind == clLocationKind::Stock) {
        return stock && move.count <= static_cast<int>(stock->Count());
    }
    return true;
}

bool clCanfield::FindMove(clMove& move) {
    const clCard* bottom = dragGroup.Bottom();
    if (bottom == nullptr) return false;
    const std::int32_t card = bottom->dealIndex;
    const clLocation from = pickLocation;
    if (FindMovePreferBuilt(move)) return true;
    return FindMoveWithRefill(move, card, from);
}

bool clCanfield::FindMoveWithRefill(clMove& move, std::int32_t card, const clLocation& from) {
    const clPile* reserve = Reserve(0);
    if (from.kind != clLocationKind::Tableau || from.Position() != 0 || reserve == nullptr ||
        reserve->Count() == 0) {
        return false;
    }
    const clMove refill = clMove::CardMove(
        reserve->TopDealIndex(), clLocation::Pile(clLocationKind::Reserve, 0, reserve->TopIndex()),
        clLocation::Pile(clLocationKind::Tableau, from.first, 0));
    const auto tryPile = [&](clLocationKind kind, int i, const clPile* pile) {
        int free = 0;
        if (!pile->NextFreeSlot(free)) return false;
        move = clMove::CompoundMove(
            {clMove::CardMove(card, from, clLocation::Pile(kind, i, free)), refill});
        return ValidateMove(move);
    };
    for (int i = 0; i < FoundationCount(); ++i) {
        if (tryPile(clLocationKind::Foundation, i, foundations[i])) return true;
    }
    for (const bool builtOnly : {true, false}) {
        for (int n = 0; n < TableauCount(); ++n) {
            const int i = refillIndex % TableauCount();
            refillIndex = (i + 1) % TableauCount();
            if (builtOnly && tableau[i]->Count() == 0) continue;
            if (tryPile(clLocationKind::Tableau, i, tableau[i])) return true;
        }
    }
    return false;
}

clCanfieldDealThree::clCanfieldDealThree() {
    Describe("Canfield Deal Three", 7, 6);
}

void clCanfieldDealThree::CreateLayout() {
    clCanfield::CreateLayout();
    forms.clicks = clClickForm::DealThree;
}

clDemonsAndThieves::clDemonsAndThieves() {
    Describe("Demons and Thieves", 11, 6);
}

void clDemonsAndThieves::CreateLayout() {
    RowRightAligned(MakePiles<clFoundationUpInSuit>(8), 11, 0.75);
    const std::vector<clPile*> alternating = MakePiles<clTableauDownAlternating>(4);
    for (int i = 0; i < 4; ++i)
        alternating[i]->SetPosition(1.5 + i, 2.0, -14 + 4 * i, 0);
    const std::vector<clPile*> inSuit = MakePiles<clTableauDownInSuit>(5);
    for (int i = 0; i < 5; ++i)
        inSuit[i]->SetPosition(6.0 + i, 2.0, -16 + 4 * i, 0);
    for (clPile* pile : tableau)
        pile->SetFanLimit(kColumnFan);
    SetStock(std::make_unique<clStockToWaste>())->SetPosition(0, 0.75);
    SetWaste(std::make_unique<clWasteFromStock>())->SetPosition(1.0, 0.75, 8, 0);
    AddReserve(std::make_unique<clReserveRemoveTopCard>())->SetPosition(0, 2.0);
    KeyTableau();
    AnyCardInSpaces();
    autoPlaySupported = true;
    deckCount = 2;
    tableauDealCount = 44;
    reserveDealCount = 13;
    wasteDealCount = 1;
    forms = StockGame(clDealForm::Generic, clAfterMoveForm::None, clAutoPlayForm::SafeFromBase,
                      clFindMoveForm::PreferBuilt, clClickForm::DealOne);
}

void clDemonsAndThieves::SetupRounds() {
    points.Setup(20000, 30000, 6000, 0, 1);
    points.AddGoalStep(2, 50000);
    points.AddGoalStep(3, 100000);
    points.AddBonusStep(3, 200, 1);
}

void clDemonsAndThieves::SetupPoints() {
    points.values.foundationPoints = 1000;
    points.values.foundationCompleteBonus = 2000;
    points.values.allFoundationsBonus = 20000;
    points.values.stockActionIncrement = 5000;
}

void clDemonsAndThieves::Deal() {
    int k = 0;
    DealBase(k);
    for (int i = 0; i < 4 && i < TableauCount(); ++i)
        DealCard(*tableau[i], k++, true, true);
    for (int n = 0; n < tableauDealCount - 4 && TableauCount() > 4; ++n) {
        DealCard(*tableau[4 + n % (TableauCount() - 4)], k++, true, true);
    }
    for (int n = 0; n < reserveDealCount && !reserves.empty(); ++n) {
        DealCard(*reserves[0], k++, true, true);
    }
    for (int n = 0; n < wasteDealCount && waste; ++n)
        DealCard(*waste, k++, true, true);
    while (stock && k < cardCount)
        DealCard(*stock, k++, false, true);
    ApplyBaseRank(0);
    Repaint();
    ClearSelection();
}
