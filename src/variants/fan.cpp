#include "variants/fan.h"

#include <algorithm>
#include <string_view>

#include "engine/random.h"
#include "piles/reserve.h"

namespace {

constexpr int kNoRedealMark = 0;
constexpr int kRedealMark = 1;
constexpr std::string_view kFanKeys = "QWERTYASDFGHZXCVBN";
constexpr std::string_view kCruelKeys = "QWERTYASDFGH";
constexpr int kPilesPerRow = 6;

// Whether a press that picked nothing fell on the redeal symbol, the only
// pile of these games outside the typed lists.
bool IsSymbolPile(const clPile* pile) {
    clLocation at;
    std::int32_t card = 0;
    if (pile == nullptr) return false;
    pile->GetTop(at, card);
    return at.kind == clLocationKind::None;
}

void CommitRedeal(clSolitaireRules& game) {
    const clMove move = clMove::StockMove();
    if (game.ValidateMove(move)) game.CommitPlayedMove(move, true);
}

void SetupFanRounds(clPointSystem& points) {
    points.Setup(10000, 10000, 2400, 0, 1);
    points.AddGoalStep(2, 20000);
    points.AddGoalStep(4, 30000);
    points.AddGoalStep(6, 40000);
    points.AddBonusStep(6, 50, 1);
}

void SetFoundationPoints(clPointValues& values, std::int32_t complete, std::int32_t all) {
    values.foundationPoints = 500;
    values.foundationCompleteBonus = complete;
    values.allFoundationsBonus = all;
}

}  // namespace

// The fans.

clFastFan::clFastFan() {
    Describe("Fast Fan", 11, 6);
}

template <class Fan>
void clFastFan::FanLayout() {
    RowRightAligned(MakePiles<clFoundationUpInSuit>(4), 9, 0.75);
    const std::vector<clPile*> fans = MakePiles<Fan>(kFans);
    for (int i = 0; i < kFans; ++i) {
        fans[i]->SetPosition(0.1 + 1.8 * (i % kPilesPerRow), 2.0 + 1.25 * (i / kPilesPerRow));
        fans[i]->SetKey(kFanKeys[i]);
    }
    autoPlaySupported = true;
}

void clFastFan::AddReshuffleSymbol() {
    reshuffle = MakePiles<clSymbolReshuffle>(1)[0];
    reshuffle->SetPosition(0, 0.75);
}

void clFastFan::AddCells() {
    const std::vector<clPile*> cells = MakePiles<clCell>(2);
    RowLeftAligned(cells, 0, 0.75);
    cells[0]->SetKey('1');
    cells[1]->SetKey('2');
}

void clFastFan::CreateLayout() {
    FanLayout<clTableauFanDownInSuit>();
    AddReshuffleSymbol();
}

void clFastFan::SetupRounds() {
    SetupFanRounds(points);
}

void clFastFan::SetupPoints() {
    SetFoundationPoints(points.values, 2000, 10000);
    points.values.stockActionCost = 1000;
    points.values.stockActionIncrement = 1000;
}

void clFastFan::Deal() {
    if (reshuffle) {
        reshuffle->SetSymbol(kRedealMark);
        reshuffle->Draw(*graphics);
    }
    const int n = TableauCount();
    for (int k = 0; k < cardCount && k / kCardsPerFan < n; ++k) {
        DealCard(*tableau[k / kCardsPerFan], k, true, true);
    }
    Repaint();
    ClearSelection();
}

void clFastFan::OnEmptyPick() {
    CancelPick();
    if (IsSymbolPile(sourcePile)) CommitRedeal(*this);
}

void clFastFan::StockAction(bool animated) {
    gathered.Clear();
    for (clPile* fan : tableau) {
        if (fan->Count() > 0) fan->GiveCards(gathered, 0);
    }
    gathered.Shuffle(*random);
    const int n = TableauCount();
    for (int j = 0; n > 0 && j < static_cast<int>(gathered.Count()); ++j) {
        clCard* card = gathered.At(j);
        dealGroup.Clear();
        dealGroup.Add(card);
        tableau[std::min(j / kCardsPerFan, n - 1)]->AddCards(dealGroup);
        card->faceDown = card->blocked = false;
        graphics->PlaceCard(*card);
    }
    gathered.Clear();
    clSolitaireRules::StockAction(animated);
    if (animated) Repaint();
}

clFreeFan::clFreeFan() {
    Describe("Free Fan", 11, 6);
}

void clFreeFan::CreateLayout() {
    FanLayout<clTableauFanDownInSuit>();
    AddCells();
}

void clFreeFan::SetupPoints() {
    SetFoundationPoints(points.values, 2000, 10000);
}

clFreeFanEasy::clFreeFanEasy() {
    Describe("Free Fan Easy", 11, 6);
}

void clFreeFanEasy::CreateLayout() {
    FanLayout<clTableauFanBase>();
    AddCells();
    KingsOnlyInSpaces();
}

void clFreeFanEasy::SetupRounds() {
    points.Setup(10000, 10000, 2000, 0, 1);
    points.AddGoalStep(2, 20000);
    points.AddGoalStep(3, 40000);
    points.AddBonusStep(5, 50, 1);
}

void clFreeFanEasy::SetupPoints() {
    SetFoundationPoints(points.values, 1000, 12000);
}

clLaBelleLucie::clLaBelleLucie() {
    Describe("La Belle Lucie", 11, 6);
}

void clLaBelleLucie::SetupPoints() {
    SetFoundationPoints(points.values, 2000, 10000);
}

void clLaBelleLucie::OnEmptyPick() {
    CancelPick();
    if (IsSymbolPile(sourcePile) && stockActions < kRedeals) CommitRedeal(*this);
}

// The mark follows the count of redeals, so a rebuild after an undo shows it right.
void clLaBelleLucie::StockAction(bool animated) {
    clFastFan::StockAction(animated);
    if (reshuffle && stockActions >= kRedeals) {
        reshuffle->SetSymbol(kNoRedealMark);
        reshuffle->Draw(*graphics);
    }
}

// Cruel.

clCruel::clCruel() {
    Describe("Cruel", 8, 6);
}

void clCruel::CreateLayout() {
    const std::vector<clPile*> bases = MakePiles<clFoundationUpInSuit>(4);
    for (int i = 0; i < 4; ++i)
        bases[i]->SetPosition(7.0, 1.0 + 1.25 * i);
    const std::vector<clPile*> piles = MakePiles<clTableauDownInSuitNoSpace>(12);
    for (int i = 0; i < 12; ++i) {
        const int column = i % kPilesPerRow;
        piles[i]->SetPosition(column, 0.75 + 1.25 * (i / kPilesPerRow), 4 * column, 0);
        piles[i]->SetKey(kCruelKeys[i]);
    }
    MakePiles<clSymbolReshuffle>(1)[0]->SetPosition(0, 5.0);
    autoPlaySupported = true;
}

void clCruel::SetupRounds() {
    points.Setup(10000, 10000, 1200, 0, 1);
    points.AddGoalStep(2, 20000);
    points.AddGoalStep(3, 40000);
    points.AddBonusStep(3, 50, 1);
}

void clCruel::SetupPoints() {
    points.values.foundationPoints = 1000;
    points.values.foundationCompleteBonus = 2000;
    points.values.allFoundationsBonus = 20000;
}

// The first Aces in deal order, one per foundation (with one pack, every
// Ace), go to the foundations; the second walk skips them.
void clCruel::Deal() {
    int aces = 0;
    for (int k = 0; k < cardCount && aces < FoundationCount(); ++k) {
        if (deck->CardAt(k)->IsAce()) DealCard(*foundations[aces++], k, true, true);
    }
    const int n = TableauCount();
    for (int k = 0, pile = 0, skipped = 0; n > 0 && k < cardCount; ++k) {
        if (deck->CardAt(k)->IsAce() && skipped < aces) {
            ++skipped;
            continue;
        }
        DealCard(*tableau[pile], k, true, true);
        if (tableau[pile]->Count() >= kCardsPerPile && pile + 1 < n) ++pile;
    }
    Repaint();
    ClearSelection();
}

void clCruel::OnEmptyPick() {
    CancelPick();
    if (IsSymbolPile(sourcePile)) CommitRedeal(*this);
}

void clCruel::StockAction(bool animated) {
    gathered.Clear();
    for (auto pile = tableau.rbegin(); pile != tableau.rend(); ++pile) {
        while ((*pile)->Count() > 0)
            (*pile)->GiveCards(gathered, (*pile)->TopIndex());
    }
    const int n = TableauCount();
    for (int j = static_cast<int>(gathered.Count()) - 1, dealt = 0; n > 0 && j >= 0; --j, ++dealt) {
        clCard* card = gathered.At(j);
        dealGroup.Clear();
        dealGroup.Add(card);
        tableau[std::min(dealt / kCardsPerPile, n - 1)]->AddCards(dealGroup);
        card->faceDown = card->blocked = false;
        graphics->PlaceCard(*card);
    }
    gathered.Clear();
    clSolitaireRules::StockAction(animated);
    if (animated) Repaint();
}
