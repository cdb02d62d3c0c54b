#include "variants/black_hole.h"

#include <algorithm>
#include <memory>
#include <string_view>

#include "engine/catalogue_rows.h"
#include "piles/stock.h"
#include "piles/tableau_limits.h"
#include "piles/waste.h"
#include "variants/card_rules.h"

namespace {

constexpr std::string_view kFanKeys = "12345QWRTASFGZXCV";
constexpr int kFans = 17;

constexpr clGameRules kBlackHole{
    .game = clGames::kBlackHole,
    .width = 9,
    .height = 6,
    .rounds = {.goalBase = 10000,
               .goalStep = 10000,
               .bonusBase = 1200,
               .goalSteps = {{.from = 3, .step = 15000},
                             {.from = 5, .step = 20000},
                             {.from = 8, .step = 30000}},
               .bonusSteps = {{.from = 3, .step = 20}}},
    .points = {.tableauClearedBonus = 30000, .rowPoints = 500, .wastePoints = 500},
};

// The fans of six cards reach past nine card widths: the table is ten wide.
constexpr clGameRules kBinaryStar{
    .game = clGames::kBinaryStar,
    .width = 10,
    .height = 6,
    .rounds = {.goalBase = 20000,
               .goalStep = 20000,
               .bonusBase = 4200,
               .goalSteps = {{.from = 3, .step = 30000},
                             {.from = 5, .step = 40000},
                             {.from = 8, .step = 80000}},
               .bonusSteps = {{.from = 3, .step = 100}}},
    .points = {.foundationPoints = 500, .tableauClearedBonus = 60000, .rowPoints = 1000},
};

constexpr clGameRules kAcesUp{
    .game = clGames::kAcesUp,
    .width = 7,
    .height = 5,
    .rounds = {.goalBase = 10000,
               .goalStep = 10000,
               .bonusBase = 900,
               .goalSteps = {{.from = 2, .step = 20000},
                             {.from = 4, .step = 30000},
                             {.from = 6, .step = 40000}},
               .bonusSteps = {{.from = 6, .step = 20}}},
    .points = {.singleRemovalPoints = 1000, .baseRanksBonus = 20000},
};

}  // namespace

// Black Hole.

clBlackHole::clBlackHole() {
    Describe(kBlackHole);
}

void clBlackHole::PlaceFans(double step, double left, double innerLeft, double innerRight,
                            double bottomLeft) {
    for (int i = 0; i < kFans; ++i) {
        double x = 0, y = 0;
        if (i < 5) {
            x = left + step * i, y = 0.75;
        } else if (i < 7) {
            x = innerLeft + step * (i - 5), y = 2.0;
        } else if (i < 9) {
            x = innerRight + step * (i - 7), y = 2.0;
        } else if (i < 11) {
            x = innerLeft + step * (i - 9), y = 3.25;
        } else if (i < 13) {
            x = innerRight + step * (i - 11), y = 3.25;
        } else {
            x = bottomLeft + step * (i - 13), y = 4.5;
        }
        tableau[i]->SetPosition(x, y);
    }
    KeyPiles(tableau, kFanKeys);
}

void clBlackHole::CreateLayout() {
    MakePiles<clTableauFanDiscard>(kFans);
    PlaceFans(1.5, 1.0, 1.0, 5.5, 1.75);
    SetTableauRowValue(tableau, 1);
    SetWaste(std::make_unique<clWasteDiscard>())->SetPosition(4.0, 2.25);
    wasteDealCount = 1;
}

void clBlackHole::DealCards() {
    int fan = 0;
    for (int k = 0; k < cardCount; ++k) {
        const clCard* card = deck->CardAt(k);
        if (card->IsAce() && card->Suit() == clSuit::Spades && waste) {
            DealCard(*waste, k, clFacing::Up);
        } else {
            DealCard(*tableau[fan++ % kFans], k, clFacing::Up);
        }
    }
}

bool clBlackHole::IsGameWon() {
    return std::all_of(tableau.begin(), tableau.end(),
                       [](const clPile* fan) { return fan->Count() == 0; });
}

std::vector<clLocation> clBlackHole::Holes() const {
    if (!waste) return {};
    return {clLocation::Single(clLocationKind::Waste, static_cast<int>(waste->Count()))};
}

bool clBlackHole::PlayIntoHole(clPile& pile) {
    const clCard* top = pile.Top();
    if (top == nullptr) return false;
    const clLocation from = LocationOf(&pile, pile.TopIndex());
    for (const clLocation& hole : Holes()) {
        const clMove move = clMove::CardMove(top->dealIndex, from, hole);
        if (ValidateMove(move)) return CommitPlayedMove(move);
    }
    return false;
}

void clBlackHole::OnPileClick() {
    clPile* pressed = sourcePile;
    CancelPick();
    if (pressed == nullptr || !PlayIntoHole(*pressed)) PlaySound(clSound::Error);
}

bool clBlackHole::ValidateCardMove(const clMove& move) {
    const clPile* source = PileAt(move.from);
    const clPile* hole = PileAt(move.to);
    if (source == nullptr || hole == nullptr || move.from.Position() != source->TopIndex()) {
        return false;
    }
    if (move.to.kind != clLocationKind::Waste && move.to.kind != clLocationKind::Foundation) {
        return false;
    }
    const clCard* card = source->Top();
    const clCard* holeTop = hole->Top();
    if (holeTop == nullptr || !AreNeighbours(*card, *holeTop, clRankWrap::KingAndAce)) return false;
    return clSolitaireGame::ValidateCardMove(move);
}

// Binary Star.

clBinaryStar::clBinaryStar() {
    Describe(kBinaryStar);
}

void clBinaryStar::CreateLayout() {
    const std::vector<clPile*> holes = MakePiles<clFoundationInSequence>(2);
    holes[0]->SetPosition(4.0, 2.0);
    holes[1]->SetPosition(4.0, 3.25);
    holes[0]->SetKey('P');
    holes[1]->SetKey('L');
    for (clPile* hole : holes)
        hole->SetClickAction(true);  // a click passes a card across
    MakePiles<clTableauFanDiscard>(kFans);
    PlaceFans(2.0, 0, 0, 6.0, 1.25);
    SetTableauRowValue(tableau, 1);
    deckCount = 2;
}

void clBinaryStar::DealCards() {
    bool aceDealt = false, kingDealt = false;
    int fan = 0;
    for (int k = 0; k < cardCount; ++k) {
        const clCard* card = deck->CardAt(k);
        if (!aceDealt && card->IsAce() && card->Suit() == clSuit::Spades) {
            DealCard(*foundations[0], k, clFacing::Up);
            aceDealt = true;
        } else if (!kingDealt && card->IsKing() && card->Suit() == clSuit::Hearts) {
            DealCard(*foundations[1], k, clFacing::Up);
            kingDealt = true;
        } else {
            DealCard(*tableau[fan++ % kFans], k, clFacing::Up);
        }
    }
}

std::vector<clLocation> clBinaryStar::Holes() const {
    std::vector<clLocation> holes;
    for (int i = 0; i < FoundationCount(); ++i) {
        holes.push_back(clLocation::Pile(clLocationKind::Foundation, i,
                                         static_cast<int>(foundations[i]->Count())));
    }
    return holes;
}

void clBinaryStar::OnPileClick() {
    clPile* pressed = sourcePile;
    if (pressed == nullptr) return;
    const clLocation at = LocationOf(pressed, 0);
    if (at.kind != clLocationKind::Foundation) {
        clBlackHole::OnPileClick();
        return;
    }
    CancelPick();
    // A hole's top card is offered to the other hole.
    const int other = 1 - at.first;
    const clCard* top = pressed->Top();
    const clMove move =
        clMove::CardMove(top ? top->dealIndex : 0, at.WithPosition(pressed->TopIndex()),
                         clLocation::Pile(clLocationKind::Foundation, other,
                                          static_cast<int>(Foundation(other)->Count())));
    if (top == nullptr || !ValidateMove(move) || !CommitPlayedMove(move)) {
        PlaySound(clSound::Error);
    }
}

bool clBinaryStar::ValidateCardMove(const clMove& move) {
    if (move.to.kind != clLocationKind::Foundation) return false;
    const clPile* source = PileAt(move.from);
    if (source == nullptr || move.from.Position() != source->TopIndex()) return false;
    return clSolitaireGame::ValidateCardMove(move);
}

// Aces Up.

clAcesUp::clAcesUp() {
    Describe(kAcesUp);
}

void clAcesUp::CreateLayout() {
    RowSpaced(MakePiles<clTableauMoveOnlyToSpace>(4), 0, 0.75, 2.0);
    SetStock(std::make_unique<clStockDealOnly>())->SetPosition(3.0, 4.0);
    stock->SetFan({.pixelDx = -2});
    KeyTableau();
    SetTableauRequiredRank(tableau, clRank::Ace);
    tableauDealCount = 4;
}

bool clAcesUp::AcesAtBases() const {
    return std::all_of(tableau.begin(), tableau.end(), [](const clPile* pile) {
        return pile->Count() > 0 && pile->Bottom()->IsAce();
    });
}

bool clAcesUp::IsGameWon() {
    return stock && stock->Count() == 0 &&
           std::all_of(tableau.begin(), tableau.end(), [](const clPile* pile) {
               return pile->Count() == 1 && pile->Top()->IsAce();
           });
}

void clAcesUp::OnPileClick() {
    clPile* pressed = sourcePile;
    if (pressed == stock) {
        CancelPick();
        if (!CommitStockAction()) PlaySound(clSound::Error);
        return;
    }
    const clCard* top = pressed ? pressed->Top() : nullptr;
    if (top && ValidatePair(top->dealIndex, top->dealIndex)) {
        CancelPick();
        CommitPlayedMove(clMove::PairMove(top->dealIndex, top->dealIndex));
        return;
    }
    clMove move;
    if (top && FindMove(move)) {
        CancelPick();
        CommitPlayedMove(move);
        return;
    }
    CancelPick();
    PlaySound(clSound::Error);
}

void clAcesUp::StockAction(bool animated) {
    DealToEach(tableau);
    clSolitaireRules::StockAction(animated);
}

bool clAcesUp::ValidateCardMove(const clMove& move) {
    return move.from.kind == clLocationKind::Tableau && clSolitaireGame::ValidateCardMove(move);
}

bool clAcesUp::ValidatePair(std::int32_t first, std::int32_t second) {
    if (first != second) return false;
    const clCard* card = deck->CardAt(first);
    if (card == nullptr || card->IsAce() || card->faceDown || card->blocked) return false;
    const clPile* home = nullptr;
    for (const clPile* pile : tableau) {
        if (pile->Count() > 0 && pile->TopDealIndex() == first) home = pile;
    }
    if (home == nullptr) return false;
    return std::any_of(tableau.begin(), tableau.end(), [&](const clPile* pile) {
        const clCard* top = pile->Top();
        return pile != home && top && top->Suit() == card->Suit() &&
               (top->IsAce() || top->GetRank() > card->GetRank());
    });
}

std::int32_t clAcesUp::ScoreMove(const clMove& move) {
    std::int32_t p = clSolitaireGame::ScoreMove(move);
    if (move.type == clMoveType::Stock && AcesAtBases()) p -= points.values.baseRanksBonus;
    return p;
}
