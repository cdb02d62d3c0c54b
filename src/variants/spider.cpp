#include "variants/spider.h"

#include <memory>

#include "engine/catalogue_rows.h"
#include "piles/stock.h"
#include "piles/tableau_limits.h"

namespace {

constexpr double kScorpionFan = 6.0;  // the longest a Scorpion column fans, in card heights
constexpr int kSuitLength = 13;       // cards of a complete suit, King to Ace

constexpr clPointValues kSpiderPoints{
    .foundationCompleteBonus = 10000,
    .allFoundationsBonus = 40000,
    .suitBuildPoints = 1000,
};

// The Spider games' goals grow to twice, three and four times the first
// goal a round from rounds 2, 4 and 6; the bonus shrinks from round 6 on.
constexpr clGameRules kSpider{
    .game = clGames::kSpider,
    .width = 11,
    .height = 6,
    .rounds = {.goalBase = 20000,
               .goalStep = 20000,
               .bonusBase = 4800,
               .goalSteps = {{.from = 2, .step = 40000},
                             {.from = 4, .step = 60000},
                             {.from = 6, .step = 80000}},
               .bonusSteps = {{.from = 6, .step = 50}}},
    .points = kSpiderPoints,
};

constexpr clGameRules kSpiderOneSuit{
    .game = clGames::kSpiderOneSuit,
    .width = 11,
    .height = 6,
    .rounds = {.goalBase = 50000,
               .goalStep = 50000,
               .bonusBase = 3600,
               .goalSteps = {{.from = 2, .step = 100000},
                             {.from = 4, .step = 150000},
                             {.from = 6, .step = 200000}},
               .bonusSteps = {{.from = 6, .step = 50}}},
    .points = kSpiderPoints,
};

constexpr clGameRules kSpiderTwoSuits{
    .game = clGames::kSpiderTwoSuits,
    .width = 11,
    .height = 6,
    .rounds = {.goalBase = 25000,
               .goalStep = 25000,
               .bonusBase = 4200,
               .goalSteps = {{.from = 2, .step = 50000},
                             {.from = 4, .step = 75000},
                             {.from = 6, .step = 100000}},
               .bonusSteps = {{.from = 6, .step = 50}}},
    .points = kSpiderPoints,
};

constexpr clGameRules kSpiderWeb{
    .game = clGames::kSpiderWeb,
    .width = 9,
    .height = 6,
    .rounds = {.goalBase = 15000,
               .goalStep = 15000,
               .bonusBase = 3600,
               .goalSteps = {{.from = 2, .step = 30000},
                             {.from = 4, .step = 45000},
                             {.from = 6, .step = 60000}},
               .bonusSteps = {{.from = 6, .step = 50}}},
    .points = {.foundationCompleteBonus = 7500,
               .allFoundationsBonus = 10000,
               .suitBuildPoints = 500},
};

constexpr clRoundTable kScorpionRounds{
    .goalBase = 10000,
    .goalStep = 20000,
    .bonusBase = 3600,
    .goalSteps = {{.from = 2, .step = 30000}, {.from = 3, .step = 60000}},
    .bonusSteps = {{.from = 3, .step = 100}},
};

constexpr clRoundTable kClassicScorpionRounds{
    .goalBase = 10000,
    .goalStep = 10000,
    .bonusBase = 3600,
    .goalSteps = {{.from = 2, .step = 20000},
                  {.from = 3, .step = 40000},
                  {.from = 4, .step = 80000}},
    .bonusSteps = {{.from = 4, .step = 200}},
};

constexpr clPointValues kScorpionPoints{.suitBuildPoints = 1000, .suitRunBonus = 10000};

constexpr clGameRules kScorpion{
    .game = clGames::kScorpion,
    .width = 9,
    .height = 6,
    .rounds = kScorpionRounds,
    .points = kScorpionPoints,
};

constexpr clGameRules kClassicScorpion{
    .game = clGames::kClassicScorpion,
    .width = 9,
    .height = 6,
    .rounds = kClassicScorpionRounds,
    .points = kScorpionPoints,
};

constexpr clGameRules kScorpionKings{
    .game = clGames::kScorpionKings,
    .width = 9,
    .height = 6,
    .rounds = kClassicScorpionRounds,
    .points = kScorpionPoints,
};

constexpr clGameRules kScorpionII{
    .game = clGames::kScorpionII,
    .width = 9,
    .height = 6,
    .rounds = kScorpionRounds,
    .points = kScorpionPoints,
};

}  // namespace

// Spider and its one- and two-suit versions.

clSpider::clSpider() {
    Describe(kSpider);
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
    Describe(kSpiderOneSuit);
}

bool clSpiderOneSuit::CreateDeck() {
    if (!clSpider::CreateDeck()) return false;
    for (int k = 0; k < deck->Count(); ++k)
        deck->CardAt(k)->SetSuit(clSuit::Spades);
    return true;
}

clSpiderTwoSuits::clSpiderTwoSuits() {
    Describe(kSpiderTwoSuits);
}

bool clSpiderTwoSuits::CreateDeck() {
    if (!clSpider::CreateDeck()) return false;
    for (int k = 0; k < deck->Count(); ++k) {
        clCard* card = deck->CardAt(k);
        card->SetSuit(card->Colour() == clColour::Black ? clSuit::Spades : clSuit::Hearts);
    }
    return true;
}

// Spider Web.

clSpiderWeb::clSpiderWeb() {
    Describe(kSpiderWeb);
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

// The Scorpion group.

clScorpion::clScorpion() {
    Describe(kScorpion);
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

void clScorpion::DealCards() {
    DealScorpion(4);
}

void clScorpion::DealScorpion(int faceDownColumns) {
    const clDealCounts counts = DealCounts();
    const int n = TableauCount();
    int k = 0;
    for (; n > 0 && k < counts.tableau; ++k) {
        const int pile = k % n;
        const bool faceUp = k >= faceDownCount || pile >= faceDownColumns;
        DealCard(*tableau[pile], k, TableauFacing(faceUp));
    }
    DealOutside(k, counts);
}

bool clScorpion::IsGameWon() {
    if (stock && stock->Count() > 0) return false;
    for (const clPile* pile : tableau) {
        if (pile->Count() == 0) continue;
        const clCard* king = pile->Bottom();
        if (pile->Count() != kSuitLength || !king->IsKing() || king->faceDown ||
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
    Describe(kClassicScorpion);
}

void clClassicScorpion::CreateLayout() {
    clScorpion::CreateLayout();
    faceDownCount = 21;
}

clScorpionKings::clScorpionKings() {
    Describe(kScorpionKings);
}

void clScorpionKings::CreateLayout() {
    clClassicScorpion::CreateLayout();
    KingsOnlyInSpaces();
}

clScorpionII::clScorpionII() {
    Describe(kScorpionII);
}

void clScorpionII::DealCards() {
    DealScorpion(3);
}
