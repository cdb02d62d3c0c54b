#include "variants/sums.h"

#include <array>
#include <memory>

#include "engine/catalogue_rows.h"
#include "piles/stock.h"
#include "piles/tableau_limits.h"
#include "piles/waste.h"

namespace {

struct clPlace {
    double x, y;
    int pixelX;
    char key;
};

// Piles 0 to 21; pile 22 has no place and no card (pile 7's cover).
constexpr std::array<clPlace, 22> kPlaces = {{
    {4.0, 0.35, 0, '4'},   {2.0, 0.75, -8, '2'},  {3.5, 0.75, -2, '3'},  {4.5, 0.75, 2, '4'},
    {6.0, 0.75, 8, '6'},   {1.5, 1.15, -10, '1'}, {2.5, 1.15, -6, '2'},  {4.0, 1.15, 0, '4'},
    {5.5, 1.15, 6, '5'},   {6.5, 1.15, 10, '6'},  {1.0, 1.55, -12, '1'}, {2.0, 1.55, -8, '2'},
    {3.0, 1.55, -4, '3'},  {5.0, 1.55, 4, '5'},   {6.0, 1.55, 8, '6'},   {7.0, 1.55, 12, '7'},
    {1.5, 1.95, -10, '1'}, {2.5, 1.95, -6, '2'},  {5.5, 1.95, 6, '5'},   {6.5, 1.95, 10, '6'},
    {2.0, 2.35, -8, '2'},  {6.0, 2.35, 8, '6'},
}};

constexpr std::array<clCover, 20> kCovers = {{
    {2, 3},   {5, 6},   {12, 7},  {7, 13},  {8, 9},   {10, 11}, {11, 12},
    {22, 22}, {13, 14}, {14, 15}, {16, 16}, {16, 17}, {17, 17}, {18, 18},
    {18, 19}, {19, 19}, {20, 20}, {20, 20}, {21, 21}, {21, 21},
}};

constexpr std::array<std::uint32_t, 22> kRowValues = {6, 5, 5, 5, 5, 4, 4, 4, 4, 4, 3,
                                                      3, 3, 3, 3, 3, 2, 2, 2, 2, 1, 1};

constexpr clRoundTable kSumsRounds{
    .goalBase = 40000,
    .goalStep = 40000,
    .bonusBase = 900,
    .bonusSteps = {{.from = 3, .step = 10}},
};

constexpr clPointValues kSumsPoints{
    .allTopsRemovedBonus = 10000,
    .removalRowPoints = 100,
    .stockCardCost = 200,
    .wasteRemovalPoints = 300,
    .removalPoints = 1500,
};

constexpr clGameRules kHiddenSums{
    .game = clGames::kHiddenSums,
    .width = 9,
    .height = 5,
    .rounds = kSumsRounds,
    .points = kSumsPoints,
};

constexpr clGameRules kGet11{
    .game = clGames::kGet11,
    .width = 9,
    .height = 5,
    .rounds = kSumsRounds,
    .points = kSumsPoints,
};

}  // namespace

clHiddenSums::clHiddenSums() {
    Describe(kHiddenSums);
}

void clHiddenSums::CreateLayout() {
    const std::vector<clPile*> piles = MakePiles<clTableauSingleDiscard>(23);
    for (std::size_t i = 0; i < kPlaces.size(); ++i) {
        piles[i]->SetPosition(kPlaces[i].x, kPlaces[i].y, kPlaces[i].pixelX, 0);
        piles[i]->SetKey(kPlaces[i].key);
        SetTableauRowValue(tableau, kRowValues[i], 1, static_cast<int>(i));
    }
    SetStock(std::make_unique<clStockToWaste>())->SetPosition(3.5, 3.5, -2, 0);
    stock->SetFan({.pixelDx = -3});
    SetWaste(std::make_unique<clWasteFromStockSelect>())->SetPosition(4.5, 3.5, 2, 0);
    SetCovers(kCovers);
    tableauDealCount = 22;
    wasteDealCount = 1;
    faceDownCount = 20;
}

bool clHiddenSums::CreateDeck() {
    if (!clSolitaireGame::CreateDeck()) return false;
    for (int k = 0; k < deck->Count(); ++k) {
        clCard* card = deck->CardAt(k);
        if (card->IsFaceCard()) card->SetRank(clRank::Ace);
    }
    return true;
}

bool clHiddenSums::IsGameWon() {
    return clRemovalGame::IsGameWon() && stock && stock->Count() == 0;
}

void clHiddenSums::OnPileClick() {
    if (sourcePile == stock) {
        CancelPick();
        DealOne();
        return;
    }
    SelectSet();
    CancelPick();
}

bool clHiddenSums::OnRightClick() {
    if (sourcePile != stock) return false;
    CancelPick();
    if (!CommitStockAction()) PlaySound(clSound::Error);
    return true;
}

bool clHiddenSums::ValidateRemoval(int count, const std::int32_t* cards) {
    if (count < 1 || count > clMove::kMaxSetCards) return false;
    int sum = 0;
    for (int i = 0; i < count; ++i) {
        if (!IsPairable(cards[i])) return false;
        for (int j = 0; j < i; ++j) {
            if (cards[j] == cards[i]) return false;
        }
        sum += CardOf(cards[i])->GetRank();
    }
    return sum == 11;
}

void clHiddenSums::StockAction(bool animated) {
    // Lift the stock, put the waste under it in its own order, then the stock back on top.
    clGroup waiting(clPile::kLargeCapacity);
    if (stock && waste && stock->Count() > 0) stock->GiveCards(waiting, 0);
    while (stock && waste && waste->Count() > 0) {
        dealGroup.Clear();
        if (!waste->GiveCards(dealGroup, waste->TopIndex()) || !stock->AddCards(dealGroup)) break;
    }
    if (stock && waiting.Count() > 0) stock->AddCards(waiting);
    clSolitaireRules::StockAction(animated);
}

bool clHiddenSums::ValidateStockAction() {
    const auto holds = [](const clPile* pile) { return pile && pile->Count() > 0; };
    return holds(stock) && holds(waste) && holds(Tableau(7)) && holds(Tableau(20)) &&
           holds(Tableau(21));
}

clGet11::clGet11() {
    Describe(kGet11);
}

void clGet11::CreateLayout() {
    clHiddenSums::CreateLayout();
    faceDownCount = 0;
}
