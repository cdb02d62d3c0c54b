#include "variants/stock_games.h"

#include <algorithm>
#include <memory>

#include "engine/catalogue_rows.h"
#include "piles/stock.h"
#include "piles/tableau_limits.h"
#include "piles/waste.h"
#include "variants/card_rules.h"

namespace {

constexpr clGameRules kBlackJackBest{
    .game = clGames::kBlackJackBest,
    .width = 7,
    .height = 5,
    .rounds = {.goalBase = 40000,
               .goalStep = 40000,
               .bonusBase = 450,
               .bonusSteps = {{.from = 4, .step = 10}}},
    .points = {.reserveCost = 500,
               .reserveDepthCost = 500,
               .twentyOnePoints = 10000,
               .allTwentyOneBonus = 10000,
               .pipPoints = 100},
};

constexpr clGameRules kBlackJackSpeed{
    .game = clGames::kBlackJackSpeed,
    .width = 7,
    .height = 5,
    .rounds = {.goalBase = 5000,
               .goalStep = 5000,
               .bonusBase = 900,
               .goalSteps = {{.from = 4, .step = 10000}},
               .bonusSteps = {{.from = 4, .step = 10}}},
    .points = {.reserveCost = 500,
               .reserveDepthCost = 500,
               .lastOutsideCardBonus = 10000,
               .twentyOnePoints = 1000,
               .fiveCardPoints = 750,
               .pipPoints = 1},
};

constexpr clGameRules kAcesAndKings{
    .game = clGames::kAcesAndKings,
    .width = 9,
    .height = 5,
    .rounds = {.goalBase = 10000,
               .goalStep = 10000,
               .bonusBase = 3000,
               .goalSteps = {{.from = 2, .step = 20000}, {.from = 3, .step = 40000}},
               .bonusSteps = {{.from = 3, .step = 100}}},
    .points = {.foundationPoints = 500, .allFoundationsBonus = 20000, .stockActionCost = 20000},
};

constexpr clGameRules kOsmosis{
    .game = clGames::kOsmosis,
    .width = 7,
    .height = 6,
    .rounds = {.goalBase = 10000,
               .goalStep = 10000,
               .bonusBase = 1200,
               .goalSteps = {{.from = 2, .step = 20000}, {.from = 3, .step = 40000}},
               .bonusSteps = {{.from = 3, .step = 50}}},
    .points = {.foundationPoints = 500, .allFoundationsBonus = 20000},
};

constexpr clGameRules kFifteenRush{
    .game = clGames::kFifteenRush,
    .width = 8,
    .height = 5,
    .rounds = {.goalBase = 10000,
               .goalStep = 10000,
               .bonusBase = 900,
               .goalSteps = {{.from = 2, .step = 20000}, {.from = 3, .step = 40000}},
               .bonusSteps = {{.from = 3, .step = 10}}},
    .points = {.tableauClearedBonus = 5000,
               .stockActionCost = 500,
               .stockActionIncrement = 500,
               .sameRankPairPoints = 1000,
               .pairPoints = 1000,
               .tableauPairCardPoints = 500},
};

constexpr int kDiscardKey = 'D';

clLocation StockAt(int position) {
    return clLocation::Single(clLocationKind::Stock, position);
}

// Refills after a first part: card moves from the stock's next cards (top
// first) into position 0 of tableau piles.
bool AreRefills(const clMove& move, const clPile* stock) {
    int stockLeft = stock ? static_cast<int>(stock->Count()) : 0;
    for (std::size_t i = 1; i < move.parts.size(); ++i) {
        const clMove& part = move.parts[i];
        if (part.type != clMoveType::Card || part.to.kind != clLocationKind::Tableau ||
            part.to.second != 0 || part.from.kind != clLocationKind::Stock ||
            part.from.first != stockLeft - 1) {
            return false;
        }
        --stockLeft;
    }
    return true;
}

bool WellFormed(const clMove& move) {
    return move.type == clMoveType::Compound && move.count >= 1 &&
           move.count <= clMove::kMaxParts &&
           move.parts.size() == static_cast<std::size_t>(move.count);
}

}  // namespace

// BlackJack Best.

clBlackJackBest::clBlackJackBest() {
    Describe(kBlackJackBest);
}

void clBlackJackBest::LayOut(int piles, double left, double step, std::uint32_t discardLimit) {
    RowSpaced(MakePiles<clTableauBlackJack>(piles), left, 1.0, step, 2.5);
    clPile* discard = AddReserve(std::make_unique<clReserveDiscard>());
    discard->SetPosition(6.0, 3.5);
    discard->SetKey(kDiscardKey, true);
    discard->SetMaxIn(discardLimit);
    discard->SetMaxOut(discardLimit);
    SetStock(std::make_unique<clStockToWaste>())->SetPosition(3.0, 3.5);
    stock->SetFan({.pixelDx = -3});
    SetWaste(std::make_unique<clWasteFromStockSingle>())->SetPosition(4.5, 3.5);
    static constexpr char kKeys[] = "123456789";
    for (int i = 0; i < TableauCount(); ++i)
        tableau[i]->SetKey(kKeys[i], true);
    stockDealCount = 51;
    wasteDealCount = 1;
    totals.assign(tableau.size(), 0);
    counts.assign(tableau.size(), 0);
}

void clBlackJackBest::CreateLayout() {
    LayOut(5, 0.5, 1.25, 1);
}

void clBlackJackBest::AfterMove() {
    for (int i = 0; i < TableauCount(); ++i) {
        totals[i] = clTableauBlackJack::Total(*tableau[i]);
        counts[i] = static_cast<int>(tableau[i]->Count());
    }
}

void clBlackJackBest::UpdateScoreboardExtra(clScoreboard::clExtra& extra) const {
    extra.labels.clear();
    for (int i = 0; i < TableauCount(); ++i) {
        const clCard& at = tableau[i]->GetAnchor();
        extra.labels.push_back({i, at.x, at.y, at.offsetX, at.offsetY, std::to_string(totals[i]),
                                totals[i] == 21 ? clScoreboard::kYellow : clScoreboard::kWhite});
    }
}

bool clBlackJackBest::IsGameWon() {
    return std::all_of(tableau.begin(), tableau.end(), [](const clPile* pile) {
        return pile->Count() > 0 && clTableauBlackJack::Total(*pile) == 21;
    });
}

void clBlackJackBest::OnPileClick() {
    clPile* pressed = sourcePile;
    CancelPick();
    if (pressed == nullptr) return;
    if (pressed == stock) {
        DealOne();
    } else if (pressed != waste) {
        PlayWasteOnto(*pressed);
    }
}

void clBlackJackBest::OnEmptyPick() {
    clPile* pressed = sourcePile;
    CancelPick();
    if (pressed == nullptr) return;
    if (pressed == waste) {
        DealOne();
    } else if (pressed != stock) {
        PlayWasteOnto(*pressed);
    }
}

void clBlackJackBest::PlayWasteOnto(clPile& pile) {
    if (!waste || waste->Count() == 0) {
        PlaySound(clSound::Error);
        return;
    }
    const clMove move = clMove::CardMove(
        waste->TopDealIndex(), clLocation::Single(clLocationKind::Waste, waste->TopIndex()),
        LocationOf(&pile, static_cast<int>(pile.Count())));
    if (!ValidateMove(move) || !CommitPlayedMove(move)) PlaySound(clSound::Error);
}

// BlackJack Speed.

clBlackJackSpeed::clBlackJackSpeed() {
    Describe(kBlackJackSpeed);
}

void clBlackJackSpeed::CreateLayout() {
    LayOut(4, 0.75, 1.5, 3);
}

void clBlackJackSpeed::AfterMove() {
    clBlackJackBest::AfterMove();
    for (int i = 0; i < TableauCount(); ++i) {
        if (totals[i] != 21 && counts[i] < 5) continue;
        tableau[i]->UnplaceAll();
        tableau[i]->Clear();
        totals[i] = 0;
        counts[i] = 0;
    }
}

bool clBlackJackSpeed::IsGameWon() {
    return stock && waste && stock->Count() == 0 && waste->Count() == 0;
}

// Aces and Kings.

clAcesAndKings::clAcesAndKings() {
    Describe(kAcesAndKings);
}

void clAcesAndKings::CreateLayout() {
    std::vector<clPile*> foundationRow = MakePiles<clFoundationUpInSequence>(4);
    const std::vector<clPile*> down = MakePiles<clFoundationDownInSequence>(4);
    foundationRow.insert(foundationRow.end(), down.begin(), down.end());
    RowCentred(foundationRow, 4.5, 2.0);
    RowRightAligned(MakePiles<clTableauSingle>(4), 9, 3.25);
    SetTableauSymbol(tableau, clPileSymbol::Outline);
    const std::vector<clPile*> reserveRow = MakePiles<clReserveRemoveTopCard>(2);
    reserveRow[0]->SetPosition(0.2, 0.75, 2, 0);
    reserveRow[1]->SetPosition(6.0, 0.75, 2, 0);
    for (clPile* reserve : reserveRow)
        reserve->SetFan({.dx = 0.15});
    SetStock(std::make_unique<clStockToWaste>())->SetPosition(0, 3.25);
    SetWaste(std::make_unique<clWasteFromStock>())->SetPosition(1.0, 3.25, 8, 0);
    KeyTableau();
    deckCount = 2;
    tableauDealCount = 4;
    reserveDealCount = 26;
    wasteDealCount = 1;
    forms.afterMove = clAfterMoveForm::TurnUpTops;
    forms.clicks = clClickForm::DealOne;
    forms.redealWasteToStock = true;
}

void clAcesAndKings::OnMoveCommitted(const clMove& move) {
    (void)move;
    if (!stock || stock->Count() == 0) return;
    for (int i = 0; i < TableauCount(); ++i) {
        if (tableau[i]->Count() != 0) continue;
        // The game's own move: the stock gives only to the waste when the player deals.
        CommitChainedMove(clMove::CardMove(stock->TopDealIndex(), StockAt(stock->TopIndex()),
                                           clLocation::Pile(clLocationKind::Tableau, i, 0)));
        return;
    }
}

// Each part is checked on the table it meets: the first on today's, the
// refills by their shape, since the spaces they fill are only empty once
// the first part has been played.
bool clAcesAndKings::ValidateCompound(const clMove& move) {
    return WellFormed(move) && move.parts[0].type == clMoveType::Card &&
           ValidateCardMove(move.parts[0]) && AreRefills(move, stock);
}

// Osmosis.

clOsmosis::clOsmosis() {
    Describe(kOsmosis);
}

void clOsmosis::CreateLayout() {
    const std::vector<clPile*> builds = MakePiles<clFoundationInSuit>(4);
    const std::vector<clPile*> columns = MakePiles<clTableauFanSourceOnly>(4);
    for (int i = 0; i < 4; ++i) {
        columns[i]->SetPosition(0, 0.75 + 1.25 * i);
        builds[i]->SetPosition(2.0, 0.75 + 1.25 * i);
        builds[i]->SetFan({.dx = 0.15});
    }
    SetStock(std::make_unique<clStockToWaste>())->SetPosition(6.0, 2.0);
    stock->SetFan({.pixelDy = -2});
    SetWaste(std::make_unique<clWasteFromStock>())->SetPosition(6.0, 3.25);
    waste->SetFan({.pixelDy = 2});
    KeyTableau();
    tableauDealCount = 16;
    wasteDealCount = 1;
    faceDownCount = 12;
    forms.afterMove = clAfterMoveForm::TurnUpTops;
    forms.clicks = clClickForm::DealOne;
    forms.redealWasteToStock = true;
}

void clOsmosis::DealCards() {
    int k = 0;
    DealBase(k);
    for (int n = 0; n < tableauDealCount && !tableau.empty(); ++n) {
        DealCard(*tableau[n % tableau.size()], k++, TableauFacing(n >= faceDownCount));
    }
    while (stock && k < cardCount - wasteDealCount)
        DealCard(*stock, k++, clFacing::Down);
    while (waste && k < cardCount)
        DealCard(*waste, k++, clFacing::Up);
    FoundationsFromBase();
}

bool clOsmosis::ValidateCardMove(const clMove& move) {
    if (move.to.kind == clLocationKind::Foundation && move.to.first > 0) {
        const clPile* source = PileAt(move.from);
        const clPile* above = Foundation(move.to.first - 1);
        const clCard* card = source ? source->At(move.from.Position()) : nullptr;
        if (card == nullptr || above == nullptr) return false;
        bool held = false;
        for (int i = 0; i < static_cast<int>(above->Count()); ++i) {
            held = held || HaveSameRank(*above->At(i), *card);
        }
        if (!held) return false;
    }
    return clSolitaireGame::ValidateCardMove(move);
}

// Fifteen Rush.

clFifteenRush::clFifteenRush() {
    Describe(kFifteenRush);
}

void clFifteenRush::CreateLayout() {
    RowCentred(MakePiles<clTableauDiscardOnly>(7), 4.0, 2.0);
    SetStock(std::make_unique<clStockToWaste>())->SetPosition(1.5, 0.75, -8, 0);
    stock->SetFan({.pixelDx = -3});
    SetWaste(std::make_unique<clWasteFromStockSelect>())->SetPosition(2.5, 0.75, -4, 0);
    waste->SetFan({.dx = 0.15});
    KeyTableau();
    tableauDealCount = 28;
    wasteDealCount = 3;
    faceDownCount = 28;
    forms.deal = clDealForm::Triangle;
    forms.afterMove = clAfterMoveForm::TurnUpTops;
    DealThreeAtATime();
    forms.redealWasteToStock = true;
}

// The stock's top card is free but face down, and the waste's lower cards
// are face up and free: only a pile's face-up top card pairs.
bool clFifteenRush::ValidatePair(std::int32_t first, std::int32_t second) {
    const clCard* a = deck->CardAt(first);
    const clCard* b = deck->CardAt(second);
    if (a == nullptr || b == nullptr || a == b) return false;
    if (!a->placed || !b->placed || a->blocked || b->blocked) return false;
    if (a->faceDown || b->faceDown) return false;
    const auto isTop = [](std::int32_t card) {
        return [card](const std::unique_ptr<clPile>& pile) {
            return pile->Count() > 0 && pile->TopDealIndex() == card;
        };
    };
    if (std::none_of(AllPiles().begin(), AllPiles().end(), isTop(first)) ||
        std::none_of(AllPiles().begin(), AllPiles().end(), isTop(second))) {
        return false;
    }
    return RanksAddUpTo(15, *a, *b) || (a->IsAce() && b->IsAce());
}

void clFifteenRush::OnPileClick() {
    if (sourcePile == stock) {
        clSolitaireGame::OnPileClick();
        return;
    }
    SelectPairWithRefill();
    CancelPick();
}

bool clFifteenRush::ValidateCardMove(const clMove& move) {
    return move.from.kind == clLocationKind::Stock && move.to.kind == clLocationKind::Waste &&
           clSolitaireGame::ValidateCardMove(move);
}

// A pair's refills are known from the table before it: the compound must be
// the very move a pair selection of its two cards makes.
bool clFifteenRush::ValidateCompound(const clMove& move) {
    if (!WellFormed(move)) return false;
    const clMove& first = move.parts[0];
    if (first.type != clMoveType::Pair) return ValidateDealThree(move);
    return ValidatePair(first.first, first.second) &&
           PairMoveFor(first.first, first.second) == move;
}

void clBlackJackBest::SaveGameState(clStateWords& words) const {
    clSolitaireGame::SaveGameState(words);
    words.push_back(static_cast<std::int32_t>(totals.size()));
    words.insert(words.end(), totals.begin(), totals.end());
    words.insert(words.end(), counts.begin(), counts.end());
}

void clBlackJackBest::RestoreGameState(clStateReader& words) {
    clSolitaireGame::RestoreGameState(words);
    const auto n = static_cast<std::size_t>(std::clamp<std::int32_t>(words.Next(), 0, kMaxTableau));
    totals.resize(n);
    counts.resize(n);
    for (int& total : totals)
        total = words.Next();
    for (int& count : counts)
        count = words.Next();
}
