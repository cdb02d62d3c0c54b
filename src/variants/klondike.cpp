#include "variants/klondike.h"

#include <memory>

#include "engine/catalogue_rows.h"
#include "piles/stock.h"
#include "piles/tableau_limits.h"
#include "piles/waste.h"

namespace {

// The stock-and-waste games' forms: a click deals, the empty stock redeals.
clForms StockGame(clDealForm deal, clAfterMoveForm afterMove, clAutoPlayForm autoPlay,
                  clFindMoveForm findMove, clClickForm clicks) {
    return {deal, afterMove, autoPlay, findMove, clicks, true, clicks == clClickForm::DealThree};
}

constexpr clPointValues kKlondikePoints{.foundationPoints = 500, .allFoundationsBonus = 20000};

constexpr clRoundTable kDoubleKlondikeRounds{
    .goalBase = 10000,
    .goalStep = 20000,
    .bonusBase = 3600,
    .goalSteps = {{.from = 2, .step = 30000}, {.from = 3, .step = 60000}},
    .bonusSteps = {{.from = 3, .step = 200}},
};

constexpr clPointValues kDoubleKlondikePoints{
    .foundationPoints = 500,
    .allFoundationsBonus = 20000,
    .stockActionCost = 3000,
};

constexpr clPointValues kDoubleKlondikeDealThreePoints{
    .foundationPoints = 500,
    .allFoundationsBonus = 20000,
    .stockActionCost = 1000,
};

constexpr clRoundTable kCanfieldRounds{
    .goalBase = 10000,
    .goalStep = 10000,
    .bonusBase = 2400,
    .goalSteps = {{.from = 2, .step = 20000}, {.from = 3, .step = 40000}},
    .bonusSteps = {{.from = 3, .step = 100}},
};

constexpr clGameRules kKlondike{
    .game = clGames::kKlondike,
    .width = 9,
    .height = 6,
    .rounds = kKlondikeRounds,
    .points = kKlondikePoints,
};

constexpr clGameRules kKlondikeDealThree{
    .game = clGames::kKlondikeDealThree,
    .width = 9,
    .height = 6,
    .rounds = kKlondikeRounds,
    .points = kKlondikePoints,
};

constexpr clGameRules kKlondikeFree{
    .game = clGames::kKlondikeFree,
    .width = 9,
    .height = 6,
    .rounds = {.goalBase = 10000,
               .goalStep = 10000,
               .bonusBase = 2400,
               .goalSteps = {{.from = 2, .step = 20000},
                             {.from = 4, .step = 30000},
                             {.from = 6, .step = 40000}},
               .bonusSteps = {{.from = 6, .step = 200}}},
    .points = {.foundationPoints = 500, .allFoundationsBonus = 20000, .stockActionCost = 5000},
};

constexpr clGameRules kKlondikeFreeDealThree{
    .game = clGames::kKlondikeFreeDealThree,
    .width = 9,
    .height = 6,
    .rounds = kKlondikeRounds,
    .points = kKlondikePoints,
};

constexpr clGameRules kDoubleKlondike{
    .game = clGames::kDoubleKlondike,
    .width = 11,
    .height = 6,
    .rounds = kDoubleKlondikeRounds,
    .points = kDoubleKlondikePoints,
};

constexpr clGameRules kDoubleKlondikeDealThree{
    .game = clGames::kDoubleKlondikeDealThree,
    .width = 11,
    .height = 6,
    .rounds = kDoubleKlondikeRounds,
    .points = kDoubleKlondikeDealThreePoints,
};

constexpr clGameRules kDoubleKlondikeKings{
    .game = clGames::kDoubleKlondikeKings,
    .width = 11,
    .height = 6,
    .rounds = kDoubleKlondikeRounds,
    .points = kDoubleKlondikePoints,
};

constexpr clGameRules kDoubleKlondikeKingsDealThree{
    .game = clGames::kDoubleKlondikeKingsDealThree,
    .width = 11,
    .height = 6,
    .rounds = kDoubleKlondikeRounds,
    .points = kDoubleKlondikeDealThreePoints,
};

constexpr clGameRules kLadyJane{
    .game = clGames::kLadyJane,
    .width = 11,
    .height = 6,
    .rounds = {.goalBase = 20000,
               .goalStep = 20000,
               .bonusBase = 4200,
               .goalSteps = {{.from = 2, .step = 40000}, {.from = 4, .step = 60000}},
               .bonusSteps = {{.from = 4, .step = 200}}},
    .points = {.foundationPoints = 500,
               .allFoundationsBonus = 10000,
               .stockActionIncrement = 10000},
};

constexpr clGameRules kYukon{
    .game = clGames::kYukon,
    .width = 9,
    .height = 6,
    .rounds = kKlondikeRounds,
    .points = {.foundationPoints = 500,
               .foundationCompleteBonus = 2000,
               .allFoundationsBonus = 10000},
};

constexpr clGameRules kRussianSolitaire{
    .game = clGames::kRussianSolitaire,
    .width = 9,
    .height = 6,
    .rounds = {.goalBase = 10000,
               .goalStep = 10000,
               .bonusBase = 2400,
               .goalSteps = {{.from = 2, .step = 20000},
                             {.from = 3, .step = 40000},
                             {.from = 4, .step = 80000}},
               .bonusSteps = {{.from = 4, .step = 100}}},
    .points = {.foundationPoints = 2000,
               .foundationCompleteBonus = 5000,
               .allFoundationsBonus = 20000},
};

constexpr clGameRules kAustralianPatience{
    .game = clGames::kAustralianPatience,
    .width = 9,
    .height = 6,
    .rounds = {.goalBase = 10000,
               .goalStep = 10000,
               .bonusBase = 1800,
               .goalSteps = {{.from = 2, .step = 20000}, {.from = 3, .step = 40000}},
               .bonusSteps = {{.from = 3, .step = 100}}},
    .points = {.foundationPoints = 500,
               .foundationCompleteBonus = 2000,
               .allFoundationsBonus = 20000,
               .stockActionCost = 10000,
               .stockActionIncrement = 5000},
};

constexpr clGameRules kCanfield{
    .game = clGames::kCanfield,
    .width = 7,
    .height = 6,
    .rounds = kCanfieldRounds,
    .points = kKlondikePoints,
};

constexpr clGameRules kCanfieldDealThree{
    .game = clGames::kCanfieldDealThree,
    .width = 7,
    .height = 6,
    .rounds = kCanfieldRounds,
    .points = kKlondikePoints,
};

constexpr clGameRules kDemonsAndThieves{
    .game = clGames::kDemonsAndThieves,
    .width = 11,
    .height = 6,
    .rounds = {.goalBase = 20000,
               .goalStep = 30000,
               .bonusBase = 6000,
               .goalSteps = {{.from = 2, .step = 50000}, {.from = 3, .step = 100000}},
               .bonusSteps = {{.from = 3, .step = 200}}},
    .points = {.foundationPoints = 1000,
               .foundationCompleteBonus = 2000,
               .allFoundationsBonus = 20000,
               .stockActionIncrement = 5000},
};

}  // namespace

// Klondike and its versions.

clKlondike::clKlondike() {
    Describe(kKlondike);
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

clKlondikeDealThree::clKlondikeDealThree() {
    Describe(kKlondikeDealThree);
}

void clKlondikeDealThree::CreateLayout() {
    clKlondike::CreateLayout();
    DealThreeAtATime();
}

clKlondikeFree::clKlondikeFree() {
    Describe(kKlondikeFree);
}

void clKlondikeFree::CreateLayout() {
    clKlondike::CreateLayout();
    AnyCardInSpaces();
    forms.findMove = clFindMoveForm::PreferBuilt;
}

clKlondikeFreeDealThree::clKlondikeFreeDealThree() {
    Describe(kKlondikeFreeDealThree);
}

void clKlondikeFreeDealThree::CreateLayout() {
    clKlondikeDealThree::CreateLayout();
    AnyCardInSpaces();
    forms.findMove = clFindMoveForm::PreferBuilt;
}

clDoubleKlondike::clDoubleKlondike() {
    Describe(kDoubleKlondike);
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

clDoubleKlondikeDealThree::clDoubleKlondikeDealThree() {
    Describe(kDoubleKlondikeDealThree);
}

void clDoubleKlondikeDealThree::CreateLayout() {
    clDoubleKlondike::CreateLayout();
    DealThreeAtATime();
}

clDoubleKlondikeKings::clDoubleKlondikeKings() {
    Describe(kDoubleKlondikeKings);
}

void clDoubleKlondikeKings::CreateLayout() {
    clDoubleKlondike::CreateLayout();
    KingsOnlyInSpaces();
}

clDoubleKlondikeKingsDealThree::clDoubleKlondikeKingsDealThree() {
    Describe(kDoubleKlondikeKingsDealThree);
}

void clDoubleKlondikeKingsDealThree::CreateLayout() {
    clDoubleKlondikeDealThree::CreateLayout();
    KingsOnlyInSpaces();
}

clLadyJane::clLadyJane() {
    Describe(kLadyJane);
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

// Yukon and Russian Solitaire.

clYukon::clYukon() {
    Describe(kYukon);
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

void clYukon::DealCards() {
    const int n = TableauCount();
    int k = 0;
    for (int row = 0; row < n; ++row) {
        for (int pile = row; pile < n; ++pile)
            DealCard(*tableau[pile], k++, clFacing::DownBlocked);
    }
    TurnUpTops();
    for (int pile = 1; n > 1 && k < cardCount; pile = pile % (n - 1) + 1) {
        DealCard(*tableau[pile], k++, clFacing::Up);
    }
}

clRussianSolitaire::clRussianSolitaire() {
    Describe(kRussianSolitaire);
}

void clRussianSolitaire::CreateLayout() {
    YukonLayout<clTableauDownInSuitFree>();
    forms.autoPlay = clAutoPlayForm::Plain;
}

// Australian Patience.

clAustralianPatience::clAustralianPatience() {
    Describe(kAustralianPatience);
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

// The games with a dealt foundation base.

void clDealtBaseGame::ApplyBaseRank(int tableauStopRank) {
    FoundationsFromBase();
    SetTableauStopRank(tableau, tableauStopRank);
}

clCanfield::clCanfield() {
    Describe(kCanfield);
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

void clCanfield::DealCards() {
    int k = 0;
    DealBase(k);
    for (clPile* pile : tableau)
        DealCard(*pile, k++, clFacing::Up);
    for (int n = 0; n < reserveDealCount && !reserves.empty(); ++n) {
        DealCard(*reserves[0], k++, clFacing::Up);
    }
    while (stock && k < cardCount)
        DealCard(*stock, k++, clFacing::Down);
    ApplyBaseRank(baseRank);
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
    Describe(kCanfieldDealThree);
}

void clCanfieldDealThree::CreateLayout() {
    clCanfield::CreateLayout();
    forms.clicks = clClickForm::DealThree;
}

clDemonsAndThieves::clDemonsAndThieves() {
    Describe(kDemonsAndThieves);
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

void clDemonsAndThieves::DealCards() {
    int k = 0;
    DealBase(k);
    for (int i = 0; i < 4 && i < TableauCount(); ++i)
        DealCard(*tableau[i], k++, clFacing::Up);
    for (int n = 0; n < tableauDealCount - 4 && TableauCount() > 4; ++n) {
        DealCard(*tableau[4 + n % (TableauCount() - 4)], k++, clFacing::Up);
    }
    for (int n = 0; n < reserveDealCount && !reserves.empty(); ++n) {
        DealCard(*reserves[0], k++, clFacing::Up);
    }
    for (int n = 0; n < wasteDealCount && waste; ++n)
        DealCard(*waste, k++, clFacing::Up);
    while (stock && k < cardCount)
        DealCard(*stock, k++, clFacing::Down);
    ApplyBaseRank(0);
}
