#include "variants/spider.h"

#include <memory>

#include "piles/stock.h"
#include "piles/tableau_limits.h"

namespace {

constexpr double kColumnFan = 4.0;    // the longest a Spider column fans, in card heights
constexpr double kScorpionFan = 6.0;  // and a Scorpion column
constexpr int kSuitLength = 13;       // cards of a complete suit, King to Ace
constexpr int kHearts = 3;
constexpr int kSpades = 4;
constexpr int kBlack = 1;

// The Spider games' goals grow to twice, three and four times the first
// goal a round from rounds 2, 4 and 6; the bonus shrinks from round 6 on.
void SetupSpiderRounds(clPointSystem& points, std::int32_t firstGoal, std::int32_t bonus) {
    points.Setup(firstGoal, firstGoal, bonus, 0, 1);
    points.AddGoalStep(2, 2 * firstGoal);
    points.AddGoalStep(4, 3 * firstGoal);
    points.AddGoalStep(6, 4 * firstGoal);
    points.AddBonusStep(6, 50, 1);
}

}  // namespace

// Spider and its one- and two-suit versions.

clSpider::clSpider() {
    Describe("Spider", 11, 6);
}

void clSpider::CreateLayout() {
    RowRightAligned(MakePiles<clFoundationWholeSuitDown>(8), 11, 0.75);
    RowCentred(MakePiles<clTableauDownMoveInSuit>(10), 5.5, 2.0, kColumnFan);
    SetStock(std::make_unique<clStockDealOnly>())->SetPosition(0, 0.75);
    stock->SetFan({.pixelDx = 2});
    KeyTableau();
    autoPlaySupported = true;
    deckCount = 2;
    tableauDealCount = 54;
    faceDownCount = 44;
    forms.afterMove = clAfterMoveForm::TurnUpTops;
    forms.findMove = clFindMoveForm::PreferSuit;
}

void clSpider::SetupRounds() {
    SetupSpiderRounds(points, 20000, 4800);
}

void clSpider::SetupPoints() {
    points.values.suitBuildPoints = 1000;
    points.values.foundationCompleteBonus = 10000;
    points.values.allFoundationsBonus = 40000;
}

bool clSpider::AutoPlay() {
    if (!IsAutoPlayOn()) return false;
    for (int i = 0; i < TableauCount(); ++i) {
        const int q = static_cast<int>(tableau[i]->Count()) - kSuitLength;
        if (q < 0) continue;
        const clCard* card = tableau[i]->At(q);
        if (card->faceDown || card->blocked) continue;
        if (MoveToFoundation(card->dealIndex, clLocation::Pile(clLocationKind::Tableau, i, q))) {
            return true;
        }
    }
    return false;
}

void clSpider::OnPileClick() {
    CancelPick();
    if (stock == nullptr || sourcePile != stock) return;
    const clMove move = clMove::StockMove();
    if (ValidateMove(move)) {
        CommitPlayedMove(move, true);
    } else {
        PlaySound(clSound::Error);
    }
}

void clSpider::StockAction(bool animated) {
    for (clPile* pile : tableau) {
        if (stock == nullptr || stock->Count() == 0) break;
        dealGroup.Clear();
        if (!stock->GiveCards(dealGroup, stock->TopIndex())) break;
        if (!pile->AddCards(dealGroup)) {
            stock->AddCards(dealGroup);  // no room: the card goes back
            break;
        }
    }
    clSolitaireRules::StockAction(animated);
}

bool clSpider::ValidateStockAction() {
    if (stock == nullptr || stock->Count() == 0) return false;
    for (const clPile* pile : tableau) {
        if (pile->Count() == 0) return false;
    }
    return true;
}

bool clSpider::ValidateCardMove(const clMove& move) {
    return move.from.kind != clLocationKind::Stock && clSolitaireGame::ValidateCardMove(move);
}

clSpiderOneSuit::clSpiderOneSuit() {
    Describe("Spider One Suit", 11, 6);
}

void clSpiderOneSuit::SetupRounds() {
    SetupSpiderRounds(points, 50000, 3600);
}

bool clSpiderOneSuit::CreateDeck() {
    if (!clSpider::CreateDeck()) return false;
    for (int k = 0; k < deck->Count(); ++k)
        deck->CardAt(k)->SetSuit(kSpades);
    return true;
}

clSpiderTwoSuits::clSpiderTwoSuits() {
    Describe("Spider Two Suits", 11, 6);
}

void clSpiderTwoSuits::SetupRounds() {
    SetupSpiderRounds(points, 25000, 4200);
}

bool clSpiderTwoSuits::CreateDeck() {
    if (!clSpider::CreateDeck()) return false;
    for (int k = 0; k < deck->Count(); ++k) {
        clCard* card = deck->CardAt(k);
        card->SetSuit(card->GetColour() == kBlack ? kSpades : kHearts);
    }
    return true;
}

// Spider Web.

clSpiderWeb::clSpiderWeb() {
    Describe("Spider Web", 9, 6);
}

void clSpiderWeb::CreateLayout() {
    RowRightAligned(MakePiles<clFoundationWholeSuitDown>(4), 9, 0.75);
    RowCentred(MakePiles<clTableauDownMoveInSuit>(7), 5, 2.0, kColumnFan);
    RowLeftAligned(MakePiles<clReserveMoveTopCard>(1), 0, 2.0);
    SetStock(std::make_unique<clStockDealOnly>())->SetPosition(0, 0.75);
    stock->SetFan({.pixelDx = 2});
    KeyTableau();
    reserves[0]->SetKey('A');
    autoPlaySupported = true;
    tableauDealCount = 24;
    faceDownCount = 17;
    forms.afterMove = clAfterMoveForm::TurnUpTops;
    forms.findMove = clFindMoveForm::PreferSuit;
}

void clSpiderWeb::SetupRounds() {
    SetupSpiderRounds(points, 15000, 3600);
}

void clSpiderWeb::SetupPoints() {
    points.values.suitBuildPoints = 500;
    points.values.foundationCompleteBonus = 7500;
    points.values.allFoundationsBonus = 10000;
}

// The Scorpion group.

clScorpion::clScorpion() {
    Describe("Scorpion", 9, 6);
}

void clScorpion::CreateLayout() {
    RowCentred(MakePiles<clTableauDownInSuitFree>(7), 5, 0.75, kScorpionFan);
    SetStock(std::make_unique<clStockDealOnly>())->SetPosition(0, 0.75);
    stock->SetFan({.pixelDy = 2});
    KeyTableau();
    tableauDealCount = 49;
    faceDownCount = 28;
    forms.afterMove = clAfterMoveForm::TurnUpTops;
    forms.findMove = clFindMoveForm::PreferSuit;
}

void clScorpion::SetupRounds() {
    points.Setup(10000, 20000, 3600, 0, 1);
    points.AddGoalStep(2, 30000);
    points.AddGoalStep(3, 60000);
    points.AddBonusStep(3, 100, 1);
}

void clScorpion::SetupPoints() {
    points.values.suitBuildPoints = 1000;
    points.values.suitRunBonus = 10000;
}

void clScorpion::Deal() {
    DealScorpion(4);
}

void clScorpion::DealScorpion(int faceDownColumns) {
    const clDealCounts counts = DealCounts();
    const int n = TableauCount();
    int k = 0;
    for (; n > 0 && k < counts.tableau; ++k) {
        const int pile = k % n;
        const bool up = k >= faceDownCount || pile >= faceDownColumns;
        DealCard(*tableau[pile], k, up, up);
    }
    DealOutside(k, counts);
    Repaint();
    ClearSelection();
}

bool clScorpion::IsGameWon() {
    if (stock && stock->Count() > 0) return false;
    for (const clPile* pile : tableau) {
        if (pile->Count() == 0) continue;
        const clCard* king = pile->Bottom();
        if (pile->Count() != kSuitLength || king->GetRank() != 13 || king->faceDown ||
            !pile->IsRunDownInSuit(0, 1)) {
            return false;
        }
    }
    return true;
}

bool clScorpion::ValidateStockAction() {
    return stock && stock->Count() > 0;
}

clClassicScorpion::clClassicScorpion() {
    Describe("Classic Scorpion", 9, 6);
}

void clClassicScorpion::CreateLayout() {
    clScorpion::CreateLayout();
    faceDownCount = 21;
}

void clClassicScorpion::SetupRounds() {
    points.Setup(10000, 10000, 3600, 0, 1);
    points.AddGoalStep(2, 20000);
    points.AddGoalStep(3, 40000);
    points.AddGoalStep(4, 80000);
    points.AddBonusStep(4, 200, 1);
}

clScorpionKings::clScorpionKings() {
    Describe("Scorpion Kings", 9, 6);
}

void clScorpionKings::CreateLayout() {
    clClassicScorpion::CreateLayout();
    KingsOnlyInSpaces();
}

clScorpionII::clScorpionII() {
    Describe("Scorpion II", 9, 6);
}

void clScorpionII::Deal() {
    DealScorpion(3);
}
