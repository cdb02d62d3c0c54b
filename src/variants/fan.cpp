#include "variants/fan.h"

#include <algorithm>
#include <string_view>

#include "cards/random.h"
#include "engine/catalogue_rows.h"
#include "piles/reserve.h"

namespace {

constexpr std::string_view kFanKeys = "QWERTYASDFGHZXCVBN";
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

constexpr clPointValues kFanPoints{
    .foundationPoints = 500,
    .foundationCompleteBonus = 2000,
    .allFoundationsBonus = 10000,
};

constexpr clGameRules kFastFan{
    .game = clGames::kFastFan,
    .width = 11,
    .height = 6,
    .rounds = kKlondikeRounds,
    .points = {.foundationPoints = 500,
               .foundationCompleteBonus = 2000,
               .allFoundationsBonus = 10000,
               .stockActionCost = 1000,
               .stockActionIncrement = 1000},
};

constexpr clGameRules kFreeFan{
    .game = clGames::kFreeFan,
    .width = 11,
    .height = 6,
    .rounds = kKlondikeRounds,
    .points = kFanPoints,
};

constexpr clGameRules kFreeFanEasy{
    .game = clGames::kFreeFanEasy,
    .width = 11,
    .height = 6,
    .rounds = {.goalBase = 10000,
               .goalStep = 10000,
               .bonusBase = 2000,
               .goalSteps = {{.from = 2, .step = 20000}, {.from = 3, .step = 40000}},
               .bonusSteps = {{.from = 5, .step = 50}}},
    .points = {.foundationPoints = 500,
               .foundationCompleteBonus = 1000,
               .allFoundationsBonus = 12000},
};

constexpr clGameRules kLaBelleLucie{
    .game = clGames::kLaBelleLucie,
    .width = 11,
    .height = 6,
    .rounds = kKlondikeRounds,
    .points = kFanPoints,
};

constexpr clGameRules kCruel{
    .game = clGames::kCruel,
    .width = 8,
    .height = 6,
    .rounds = {.goalBase = 10000,
               .goalStep = 10000,
               .bonusBase = 1200,
               .goalSteps = {{.from = 2, .step = 20000}, {.from = 3, .step = 40000}},
               .bonusSteps = {{.from = 3, .step = 50}}},
    .points = {.foundationPoints = 1000,
               .foundationCompleteBonus = 2000,
               .allFoundationsBonus = 20000},
};

}  // namespace

// The fans.

clFastFan::clFastFan() {
    Describe(kFastFan);
}

template <class Fan>
void clFastFan::FanLayout() {
    RowRightAligned(MakePiles<clFoundationUpInSuit>(4), 9, 0.75);
    const std::vector<clPile*> fans = MakePiles<Fan>(kFans);
    for (int i = 0; i < kFans; ++i) {
        fans[i]->SetPosition(0.1 + 1.8 * (i % kPilesPerRow), 2.0 + 1.25 * (i / kPilesPerRow));
    }
    KeyPiles(fans, kFanKeys);
    autoPlaySupported = true;
}

void clFastFan::AddReshuffleSymbol() {
    reshuffle = MakePiles<clSymbolReshuffle>(1)[0];
    reshuffle->SetPosition(0, 0.75);
}

void clFastFan::AddCells() {
    const std::vector<clPile*> cells = MakePiles<clCell>(2);
    RowLeftAligned(cells, 0, 0.75);
    KeyPiles(cells, "12");
}

void clFastFan::CreateLayout() {
    FanLayout<clTableauFanDownInSuit>();
    AddReshuffleSymbol();
}

void clFastFan::DealCards() {
    if (reshuffle) {
        reshuffle->SetSymbol(clPileSymbol::Redeal);
        reshuffle->Draw(*graphics);
    }
    const int n = TableauCount();
    for (int k = 0; k < cardCount && k / kCardsPerFan < n; ++k) {
        DealCard(*tableau[k / kCardsPerFan], k, clFacing::Up);
    }
}

void clFastFan::OnEmptyPick() {
    CancelPick();
    if (IsSymbolPile(sourcePile)) CommitStockAction();
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
    Describe(kFreeFan);
}

void clFreeFan::CreateLayout() {
    FanLayout<clTableauFanDownInSuit>();
    AddCells();
}

clFreeFanEasy::clFreeFanEasy() {
    Describe(kFreeFanEasy);
}

void clFreeFanEasy::CreateLayout() {
    FanLayout<clTableauFanBase>();
    AddCells();
    KingsOnlyInSpaces();
}

clLaBelleLucie::clLaBelleLucie() {
    Describe(kLaBelleLucie);
}

void clLaBelleLucie::OnEmptyPick() {
    CancelPick();
    if (IsSymbolPile(sourcePile) && stockActions < kRedeals) CommitStockAction();
}

// The mark follows the count of redeals, so a rebuild after an undo shows it right.
void clLaBelleLucie::StockAction(bool animated) {
    clFastFan::StockAction(animated);
    if (reshuffle && stockActions >= kRedeals) {
        reshuffle->SetSymbol(clPileSymbol::NoRedeal);
        reshuffle->Draw(*graphics);
    }
}

// Cruel.

clCruel::clCruel() {
    Describe(kCruel);
}

void clCruel::CreateLayout() {
    const std::vector<clPile*> bases = MakePiles<clFoundationUpInSuit>(4);
    for (int i = 0; i < 4; ++i)
        bases[i]->SetPosition(7.0, 1.0 + 1.25 * i);
    const std::vector<clPile*> piles = MakePiles<clTableauDownInSuitNoSpace>(12);
    for (int i = 0; i < 12; ++i) {
        const int column = i % kPilesPerRow;
        piles[i]->SetPosition(column, 0.75 + 1.25 * (i / kPilesPerRow), 4 * column, 0);
    }
    KeyPiles(piles, kFanKeys);
    MakePiles<clSymbolReshuffle>(1)[0]->SetPosition(0, 5.0);
    autoPlaySupported = true;
}

// The first Aces in deal order, one per foundation (with one pack, every
// Ace), go to the foundations; the second walk skips them.
void clCruel::DealCards() {
    int aces = 0;
    for (int k = 0; k < cardCount && aces < FoundationCount(); ++k) {
        if (deck->CardAt(k)->IsAce()) DealCard(*foundations[aces++], k, clFacing::Up);
    }
    const int n = TableauCount();
    for (int k = 0, pile = 0, skipped = 0; n > 0 && k < cardCount; ++k) {
        if (deck->CardAt(k)->IsAce() && skipped < aces) {
            ++skipped;
            continue;
        }
        DealCard(*tableau[pile], k, clFacing::Up);
        if (tableau[pile]->Count() >= kCardsPerPile && pile + 1 < n) ++pile;
    }
}

void clCruel::OnEmptyPick() {
    CancelPick();
    if (IsSymbolPile(sourcePile)) CommitStockAction();
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
