#include "variants/pairs.h"

#include <memory>

#include "engine/catalogue_rows.h"
#include "piles/stock.h"
#include "piles/tableau_limits.h"
#include "variants/card_rules.h"

namespace {

// After this many failed deals Nestor's rule is given up and the cards are
// dealt round the columns as they come, so a deal always ends.
constexpr int kMostNestorDeals = 1000;

constexpr clRoundTable kNestorRounds{
    .goalBase = 20000,
    .goalStep = 25000,
    .bonusBase = 900,
    .bonusStep = 150,
    .bonusPeriod = 3,
    .goalSteps = {{.from = 2, .step = 30000}, {.from = 3, .pattern = {20000, 25000, 30000}}},
    .bonusSteps = {{.from = 4, .step = 100, .period = 3},
                   {.from = 7, .step = 50, .period = 3},
                   {.from = 10, .step = 20, .period = 3}},
};

constexpr clGameRules kNestor{
    .game = clGames::kNestor,
    .width = 9,
    .height = 4,
    .rounds = kNestorRounds,
    .points = {.rowPoints = 1000, .boardClearedBonus = 10000, .sameRankPairPoints = 1000},
};

constexpr clGameRules kVertical{
    .game = clGames::kVertical,
    .width = 9,
    .height = 4,
    .rounds = kNestorRounds,
    .points = {.rowPoints = 1000, .boardClearedBonus = 5000, .sameRankPairPoints = 1000},
};

constexpr clGameRules kPatientPairs{
    .game = clGames::kPatientPairs,
    .width = 8,
    .height = 5,
    .rounds = {.goalBase = 25000,
               .goalStep = 30000,
               .bonusBase = 900,
               .bonusStep = 300,
               .bonusPeriod = 3,
               .goalSteps = {{.from = 2, .step = 35000},
                             {.from = 3, .pattern = {25000, 30000, 35000}}},
               .bonusSteps = {{.from = 4, .step = 100, .period = 3}, {.from = 6, .step = 10}}},
    .points = {.tableauClearedBonus = 10000, .rowPoints = 1000, .sameRankPairPoints = 1000},
};

constexpr clGameRules kFourteenOut{
    .game = clGames::kFourteenOut,
    .width = 7,
    .height = 5,
    .rounds = kTowersRounds,
    .points = {.tableauClearedBonus = 10000, .sameRankPairPoints = 1000, .pairPoints = 1000},
};

constexpr clGameRules kFivePiles{
    .game = clGames::kFivePiles,
    .width = 7,
    .height = 5,
    .rounds = {.goalBase = 20000,
               .goalStep = 25000,
               .bonusBase = 900,
               .bonusStep = 150,
               .goalSteps = {{.from = 2, .step = 30000},
                             {.from = 3, .pattern = {20000, 25000, 30000}}},
               .bonusSteps = {{.from = 2, .step = 100},
                              {.from = 3, .step = 50},
                              {.from = 4, .step = 10}}},
    .points = {.boardClearedBonus = 20000, .singleRemovalPoints = 1000, .pairPoints = 2000},
};

constexpr clGameRules kFourteenUp{
    .game = clGames::kFourteenUp,
    .width = 7,
    .height = 5,
    .rounds = {.goalBase = 10000,
               .goalStep = 15000,
               .bonusBase = 1200,
               .bonusStep = 150,
               .goalSteps = {{.from = 2, .pattern = {20000, 25000, 30000}}},
               .bonusSteps = {{.from = 3, .step = 50, .period = 3}}},
    .points = {.boardClearedBonus = 10000, .sameRankPairPoints = 2000, .pairPoints = 2000},
};

constexpr clGameRules kPelmanism{
    .game = clGames::kPelmanism,
    .width = 13,
    .height = 5,
    .rounds = {.goalBase = 20000,
               .goalStep = 25000,
               .bonusBase = 1800,
               .bonusStep = 300,
               .bonusPeriod = 3,
               .goalSteps = {{.from = 2, .step = 30000},
                             {.from = 3, .pattern = {20000, 25000, 30000}}},
               .bonusSteps = {{.from = 7, .step = 0, .period = 3},
                              {.from = 10, .step = 40, .period = 3},
                              {.from = 40, .step = 20, .period = 3}}},
    .points = {.boardClearedBonus = 10000,
               .sameRankPairPoints = 1000,
               .cardTurnCost = 100,
               .rankPoints = 50},
};

}  // namespace

// The pair games' common ground.

void clPairGame::OnPileClick() {
    SelectPair();
    CancelPick();
}

bool clPairGame::IsTopCard(std::int32_t card) const {
    for (const auto& pile : AllPiles()) {
        if (pile->Count() > 0 && pile->TopDealIndex() == card) return true;
    }
    return false;
}

bool clPairGame::ArePlayable(std::int32_t first, std::int32_t second) const {
    const clCard* a = Card(first);
    const clCard* b = Card(second);
    if (a == nullptr || b == nullptr || a == b) return false;
    if (a->faceDown || b->faceDown || a->blocked || b->blocked) return false;
    return IsTopCard(first) && IsTopCard(second);
}

bool clPairGame::IsPairOfEqualRank(std::int32_t first, std::int32_t second) const {
    return ArePlayable(first, second) && HaveSameRank(*Card(first), *Card(second));
}

bool clPairGame::IsPairSummingTo(int total, std::int32_t first, std::int32_t second) const {
    return ArePlayable(first, second) && RanksAddUpTo(total, *Card(first), *Card(second));
}

// Nestor and Vertical.

clNestor::clNestor() {
    Describe(kNestor);
}

void clNestor::LayOut(int columns, double reserveLeft, double reserveStep, int reserveCount) {
    RowCentred(MakePiles<clTableauDiscardOnly>(columns), 4.5, 0.75);
    RowSpaced(MakePiles<clReserveDiscardOnly>(reserveCount), reserveLeft, 3.0, reserveStep);
    KeyTableau();
    KeyPiles(reserves, "ABCDEFGHI");
    SetTableauRowValue(tableau, 1);
}

void clNestor::CreateLayout() {
    LayOut(8, 1.75, 1.5, 4);
}

bool clNestor::CanDealTo(const clPile& pile, const clCard& card) const {
    if (pile.Count() >= MostCards(pile)) return false;
    for (int i = 0; i < static_cast<int>(pile.Count()); ++i) {
        if (HaveSameRank(*pile.At(i), card)) return false;
    }
    return true;
}

// Each card goes to the first column that may take it, else to the first
// empty reserve; when neither is left the deck is shuffled and the deal
// starts over.
void clNestor::DealCards() {
    for (int attempt = 0;; ++attempt) {
        const bool lastAttempt = attempt == kMostNestorDeals;
        bool dealt = true;
        for (int k = 0; k < cardCount && dealt; ++k) {
            const clCard* card = deck->CardAt(k);
            clPile* target = nullptr;
            for (clPile* pile : tableau) {
                if (lastAttempt ? pile->Count() < MostCards(*pile) : CanDealTo(*pile, *card)) {
                    target = pile;
                    break;
                }
            }
            for (clPile* reserve : reserves) {
                if (target == nullptr && reserve->Count() == 0) target = reserve;
            }
            if (target == nullptr) {
                dealt = false;
            } else {
                DealCard(*target, k, clFacing::Up);
            }
        }
        if (dealt || lastAttempt) break;
        for (const auto& pile : AllPiles())
            pile->Clear();
        deck->Reset();
        deck->Shuffle(*random);
    }
}

bool clNestor::ValidatePair(std::int32_t first, std::int32_t second) {
    return IsPairOfEqualRank(first, second);
}

clVertical::clVertical() {
    Describe(kVertical);
}

void clVertical::CreateLayout() {
    LayOut(7, 0, 1.0, 9);
}

// The middle column takes seven cards, the others six.
std::uint32_t clVertical::MostCards(const clPile& pile) const {
    return pile.PileNumber() == 3 ? 7 : 6;
}

// Patient Pairs.

clPatientPairs::clPatientPairs() {
    Describe(kPatientPairs);
}

void clPatientPairs::CreateLayout() {
    const std::vector<clPile*> fans = MakePiles<clTableauFanDiscard>(13);
    for (int i = 0; i < 5; ++i)
        fans[i]->SetPosition(0.25 + 1.5 * i, 0.75);
    for (int i = 0; i < 3; ++i)
        fans[5 + i]->SetPosition(1.75 + 1.5 * i, 2.0);
    for (int i = 0; i < 5; ++i)
        fans[8 + i]->SetPosition(0.25 + 1.5 * i, 3.25);
    KeyPiles(fans, "QWERTSDFZXCVB");
    SetTableauRowValue(tableau, 1);
}

bool clPatientPairs::ValidatePair(std::int32_t first, std::int32_t second) {
    return IsPairOfEqualRank(first, second);
}

// Fourteen Out.

clFourteenOut::clFourteenOut() {
    Describe(kFourteenOut);
}

void clFourteenOut::CreateLayout() {
    const std::vector<clPile*> fans = MakePiles<clTableauFanDiscard>(12);
    for (int i = 0; i < 12; ++i)
        fans[i]->SetPosition(1.8 * (i % 4), 0.75 + 1.25 * (i / 4));
    KeyPiles(fans, "ABCDEFGHIJKL");
}

bool clFourteenOut::ValidatePair(std::int32_t first, std::int32_t second) {
    return IsPairSummingTo(14, first, second);
}

// Five Piles and Fourteen Up.

clFivePiles::clFivePiles() {
    Describe(kFivePiles);
}

void clFivePiles::CreateLayout() {
    RowSpaced(MakePiles<clTableauDiscardOnly>(5), 0, 0.75, 1.5);
    SetStock(std::make_unique<clStockDealOnly>())->SetPosition(3.0, 4.0);
    stock->SetFan({.pixelDx = -2});
    const std::vector<clPile*> extra = MakePiles<clTableauDiscardOnly>(2);
    extra[0]->SetPosition(4.5, 4.0);
    extra[1]->SetPosition(6.0, 4.0);
    KeyTableau();
    tableauDealCount = 5;
    forms.afterMove = clAfterMoveForm::TurnUpTops;
}

// A king may go alone.
bool clFivePiles::ValidatePair(std::int32_t first, std::int32_t second) {
    if (first == second) {
        const clCard* king = Card(first);
        return king && king->IsKing() && !king->faceDown && !king->blocked && IsTopCard(first);
    }
    return IsPairSummingTo(13, first, second);
}

void clFivePiles::OnPileClick() {
    if (sourcePile != stock) {
        clPairGame::OnPileClick();
        return;
    }
    CancelPick();
    if (!CommitStockAction()) PlaySound(clSound::Error);
}

std::vector<clPile*> clFivePiles::DealTargets() const {
    const auto all = static_cast<std::size_t>(stock && stock->Count() == 7 ? 7 : 5);
    return {tableau.begin(), tableau.begin() + std::min(all, tableau.size())};
}

void clFivePiles::StockAction(bool animated) {
    DealToEach(DealTargets());
    clSolitaireRules::StockAction(animated);
}

clFourteenUp::clFourteenUp() {
    Describe(kFourteenUp);
}

void clFourteenUp::CreateLayout() {
    RowSpaced(MakePiles<clTableauMoveOnlyToSpace>(5), 0, 0.75, 1.5);
    const std::vector<clPile*> cells = MakePiles<clReserveDiscardOnly>(2);
    RowSpaced(cells, 4.5, 4.0, 1.5);
    KeyPiles(cells, "AB");
    SetStock(std::make_unique<clStockDealOnly>())->SetPosition(3.0, 4.0);
    stock->SetFan({.pixelDx = -2});
    KeyTableau();
    tableauDealCount = 5;
    reserveDealCount = 2;
    forms.afterMove = clAfterMoveForm::TurnUpTops;
}

bool clFourteenUp::ValidatePair(std::int32_t first, std::int32_t second) {
    return IsPairSummingTo(14, first, second);
}

bool clFourteenUp::ValidateCardMove(const clMove& move) {
    return move.from.kind != clLocationKind::Stock && clSolitaireRules::ValidateCardMove(move);
}

bool clFourteenUp::OnRightClick() {
    clMove move;
    if (FindMove(move)) {
        CancelPick();
        CommitPlayedMove(move);
    } else {
        PlaySound(clSound::Error);
    }
    return true;
}

// Pelmanism.

clPelmanism::clPelmanism() {
    Describe(kPelmanism);
}

// Four rows of thirteen, the rows 4 pixels apart (the quarter card below the
// last row holds the gaps); the thirteen columns fill the table's width.
void clPelmanism::CreateLayout() {
    const std::vector<clPile*> spaces = MakePiles<clTableauSingleQuick>(52);
    for (int i = 0; i < 52; ++i) {
        spaces[i]->SetPosition(i % 13, 0.75 + i / 13, 0, 4 * (i / 13));
        spaces[i]->SetKeys('A' + i % 13, '1' + i / 13);
    }
}

void clPelmanism::DealCards() {
    for (int k = 0; k < cardCount && k < TableauCount(); ++k) {
        DealCard(*tableau[k], k, clFacing::Down);
    }
    turned = 0;
}

bool clPelmanism::ValidatePair(std::int32_t first, std::int32_t second) {
    const clCard* a = Card(first);
    const clCard* b = Card(second);
    return a && b && a != b && a->placed && b->placed && IsTopCard(first) && IsTopCard(second) &&
           HaveSameRank(*a, *b);
}

void clPelmanism::TurnDown(std::int32_t card) {
    if (clCard* c = deck->CardAt(card)) c->faceDown = true;
}

void clPelmanism::ChargeTurn() {
    AddToScore(-std::int64_t{points.values.cardTurnCost});
    RefreshScore();
}

void clPelmanism::OnPileClick() {
    clPile* pressed = sourcePile;
    CancelPick();
    clCard* card = pressed ? pressed->Top() : nullptr;
    if (card == nullptr || roundEnded) return;
    if (turned == 2) {
        TurnDown(turnedCards[0]);
        TurnDown(turnedCards[1]);
        turned = 0;
        DrawTable();
    }
    if (turned == 1 && card->dealIndex == turnedCards[0]) {
        card->faceDown = true;
        turned = 0;
        DrawTable();
        return;
    }
    card->faceDown = false;
    turnedCards[turned++] = card->dealIndex;
    ChargeTurn();
    NoteCardTurned(card->dealIndex);
    if (turned == 2) {
        const clMove pair = clMove::PairMove(turnedCards[0], turnedCards[1]);
        if (ValidateMove(pair) && CommitPlayedMove(pair)) turned = 0;
    }
    DrawTable();
}

void clPelmanism::SaveGameState(clStateWords& words) const {
    clPairGame::SaveGameState(words);
    words.insert(words.end(), {turned, turnedCards[0], turnedCards[1]});
}

void clPelmanism::RestoreGameState(clStateReader& words) {
    clPairGame::RestoreGameState(words);
    turned = words.Next();
    turnedCards[0] = words.Next();
    turnedCards[1] = words.Next();
}
