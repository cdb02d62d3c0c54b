#include "variants/pairs.h"

#include <memory>

#include "piles/stock.h"
#include "piles/tableau_limits.h"

namespace {

// After this many failed deals Nestor's rule is given up and the cards are
// dealt round the columns as they come, so a deal always ends.
constexpr int kMostNestorDeals = 1000;

void SetupNestorRounds(clPointSystem& points) {
    points.Setup(20000, 25000, 900, 150, 3);
    points.AddGoalStep(2, 30000);
    const std::int32_t steps[] = {20000, 25000, 30000};
    points.AddGoalPattern(3, 3, steps);
    points.AddBonusStep(4, 100, 3);
    points.AddBonusStep(7, 50, 3);
    points.AddBonusStep(10, 20, 3);
}

void KeyPiles(std::span<clPile* const> piles, const char* keys) {
    for (std::size_t i = 0; i < piles.size() && keys[i] != '\0'; ++i)
        piles[i]->SetKey(keys[i]);
}

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

// Nestor and Vertical.

clNestor::clNestor() {
    Describe("Nestor", 9, 4);
}

void clNestor::LayOut(int columns, double reserveLeft, double reserveStep, int reserveCount) {
    RowCentred(MakePiles<clTableauDiscardOnly>(columns), 4.5, 0.75);
    RowSpaced(MakePiles<clReserveDiscardOnly>(reserveCount), reserveLeft, 3.0, reserveStep);
    KeyTableau();
    KeyPiles(reserves, "ABCDEFGHI");
}

void clNestor::CreateLayout() {
    LayOut(8, 1.75, 1.5, 4);
}

void clNestor::SetupRounds() {
    SetupNestorRounds(points);
}

void clNestor::SetupPoints() {
    points.values.sameRankPairPoints = 1000;
    points.values.rowPoints = 1000;
    points.values.boardClearedBonus = 10000;
    SetTableauRowValue(tableau, 1);
}

bool clNestor::CanDealTo(const clPile& pile, const clCard& card) const {
    if (pile.Count() >= MostCards(pile)) return false;
    for (int i = 0; i < static_cast<int>(pile.Count()); ++i) {
        if (pile.At(i)->GetRank() == card.GetRank()) return false;
    }
    return true;
}

// Each card goes to the first column that may take it, else to the first
// empty reserve; when neither is left the deck is shuffled and the deal
// starts over.
void clNestor::Deal() {
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
                DealCard(*target, k, true, true);
            }
        }
        if (dealt || lastAttempt) break;
        for (const auto& pile : AllPiles())
            pile->Clear();
        deck->Reset();
        deck->Shuffle(*random);
    }
    Repaint();
    ClearSelection();
}

bool clNestor::ValidatePair(std::int32_t first, std::int32_t second) {
    return ArePlayable(first, second) && Card(first)->GetRank() == Card(second)->GetRank();
}

clVertical::clVertical() {
    Describe("Vertical", 9, 4);
}

void clVertical::CreateLayout() {
    LayOut(7, 0, 1.0, 9);
}

void clVertical::SetupPoints() {
    clNestor::SetupPoints();
    points.values.boardClearedBonus = 5000;
}

// The middle column takes seven cards, the others six.
std::uint32_t clVertical::MostCards(const clPile& pile) const {
    return pile.PileNumber() == 3 ? 7 : 6;
}

// Patient Pairs.

clPatientPairs::clPatientPairs() {
    Describe("Patient Pairs", 8, 5);
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
}

void clPatientPairs::SetupRounds() {
    points.Setup(25000, 30000, 900, 300, 3);
    points.AddGoalStep(2, 35000);
    const std::int32_t steps[] = {25000, 30000, 35000};
    points.AddGoalPattern(3, 3, steps);
    points.AddBonusStep(4, 100, 3);
    points.AddBonusStep(6, 10, 1);
}

void clPatientPairs::SetupPoints() {
    points.values.sameRankPairPoints = 1000;
    points.values.rowPoints = 1000;
    points.values.tableauClearedBonus = 10000;
    SetTableauRowValue(tableau, 1);
}

bool clPatientPairs::ValidatePair(std::int32_t first, std::int32_t second) {
    return ArePlayable(first, second) && Card(first)->GetRank() == Card(second)->GetRank();
}

// Fourteen Out.

clFourteenOut::clFourteenOut() {
    Describe("Fourteen Out", 7, 5);
}

void clFourteenOut::CreateLayout() {
    const std::vector<clPile*> fans = MakePiles<clTableauFanDiscard>(12);
    for (int i = 0; i < 12; ++i)
        fans[i]->SetPosition(1.8 * (i % 4), 0.75 + 1.25 * (i / 4));
    KeyPiles(fans, "ABCDEFGHIJKL");
}

void clFourteenOut::SetupRounds() {
    SetupNestorRounds(points);
    points.AddBonusStep(40, 10, 3);
}

void clFourteenOut::SetupPoints() {
    points.values.sameRankPairPoints = 1000;
    points.values.pairPoints = 1000;
    points.values.tableauClearedBonus = 10000;
}

bool clFourteenOut::ValidatePair(std::int32_t first, std::int32_t second) {
    return ArePlayable(first, second) && Card(first)->GetRank() + Card(second)->GetRank() == 14;
}

// Five Piles and Fourteen Up.

clFivePiles::clFivePiles() {
    Describe("Five Piles", 7, 5);
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

void clFivePiles::SetupRounds() {
    points.Setup(20000, 25000, 900, 150, 1);
    points.AddGoalStep(2, 30000);
    points.AddBonusStep(2, 100, 1);
    const std::int32_t steps[] = {20000, 25000, 30000};
    points.AddGoalPattern(3, 3, steps);
    points.AddBonusStep(3, 50, 1);
    points.AddBonusStep(4, 10, 1);
}

void clFivePiles::SetupPoints() {
    points.values.pairPoints = 2000;
    points.values.singleRemovalPoints = 1000;
    points.values.boardClearedBonus = 20000;
}

// A king may go alone.
bool clFivePiles::ValidatePair(std::int32_t first, std::int32_t second) {
    if (first == second) {
        const clCard* king = Card(first);
        return king && king->GetRank() == 13 && !king->faceDown && !king->blocked &&
               IsTopCard(first);
    }
    return ArePlayable(first, second) && Card(first)->GetRank() + Card(second)->GetRank() == 13;
}

void clFivePiles::OnPileClick() {
    if (sourcePile != stock) {
        clPairGame::OnPileClick();
        return;
    }
    CancelPick();
    const clMove move = clMove::StockMove();
    if (!ValidateMove(move) || !CommitPlayedMove(move, true)) PlaySound(clSound::Error);
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
    Describe("Fourteen Up", 7, 5);
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

void clFourteenUp::SetupRounds() {
    points.Setup(10000, 15000, 1200, 150, 1);
    const std::int32_t steps[] = {20000, 25000, 30000};
    points.AddGoalPattern(2, 3, steps);
    points.AddBonusStep(3, 50, 3);
}

void clFourteenUp::SetupPoints() {
    points.values.sameRankPairPoints = 2000;
    points.values.pairPoints = 2000;
    points.values.boardClearedBonus = 10000;
}

bool clFourteenUp::ValidatePair(std::int32_t first, std::int32_t second) {
    return ArePlayable(first, second) && Card(first)->GetRank() + Card(second)->GetRank() == 14;
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
    Describe("Pelmanism", 13, 5);
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

void clPelmanism::SetupRounds() {
    points.Setup(20000, 25000, 1800, 300, 3);
    points.AddGoalStep(2, 30000);
    const std::int32_t steps[] = {20000, 25000, 30000};
    points.AddGoalPattern(3, 3, steps);
    points.AddBonusStep(7, 0, 3);
    points.AddBonusStep(10, 40, 3);
    points.AddBonusStep(40, 20, 3);
}

void clPelmanism::SetupPoints() {
    points.values.cardTurnCost = 100;
    points.values.sameRankPairPoints = 1000;
    points.values.rankPoints = 50;
    points.values.boardClearedBonus = 10000;
}

void clPelmanism::Deal() {
    for (int k = 0; k < cardCount && k < TableauCount(); ++k) {
        DealCard(*tableau[k], k, false, true);
    }
    turned = 0;
    Repaint();
    ClearSelection();
}

bool clPelmanism::ValidatePair(std::int32_t first, std::int32_t second) {
    const clCard* a = Card(first);
    const clCard* b = Card(second);
    return a && b && a != b && a->placed && b->placed && IsTopCard(first) && IsTopCard(second) &&
           a->GetRank() == b->GetRank();
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
    if (turned == 2) {
        const clMove pair = clMove::PairMove(turnedCards[0], turnedCards[1]);
        if (ValidateMove(pair) && CommitPlayedMove(pair)) turned = 0;
    }
    DrawTable();
}
