#include "variants/freecell.h"

#include <iterator>
#include <vector>

#include "engine/catalogue_rows.h"
#include "piles/foundation.h"
#include "piles/reserve.h"
#include "piles/tableau.h"
#include "piles/tableau_limits.h"

namespace {

constexpr double kShortFan = 3.0;  // columns above a row of cells

constexpr clPointValues kFreeCellPoints{
    .foundationPoints = 500,
    .foundationCompleteBonus = 2000,
    .allFoundationsBonus = 10000,
};

constexpr clRoundTable kSeaTowersRounds{
    .goalBase = 10000,
    .goalStep = 10000,
    .bonusBase = 2400,
    .bonusStep = 600,
    .goalSteps = {{.from = 2, .step = 20000}, {.from = 3, .step = 40000}},
    .bonusSteps = {{.from = 3, .step = 50}},
};

constexpr clRoundTable kEightOffRounds{
    .goalBase = 10000,
    .goalStep = 10000,
    .bonusBase = 1500,
    .goalSteps = {{.from = 2, .step = 20000}, {.from = 3, .step = 40000}},
    .bonusSteps = {{.from = 3, .step = 50}},
};

constexpr clRoundTable kPenguinRounds{
    .goalBase = 10000,
    .goalStep = 10000,
    .bonusBase = 1200,
    .goalSteps = {{.from = 2, .step = 20000},
                  {.from = 4, .step = 30000},
                  {.from = 6, .step = 40000}},
    .bonusSteps = {{.from = 6, .step = 50}},
};

constexpr clGameRules kFreeCell{
    .game = clGames::kFreeCell,
    .width = 9,
    .height = 6,
    .rounds = kKlondikeRounds,
    .points = kFreeCellPoints,
};

constexpr clGameRules kFreeCellKings{
    .game = clGames::kFreeCellKings,
    .width = 9,
    .height = 6,
    .rounds = kKlondikeRounds,
    .points = kFreeCellPoints,
};

constexpr clGameRules kForeCell{
    .game = clGames::kForeCell,
    .width = 9,
    .height = 6,
    .rounds = kKlondikeRounds,
    .points = kFreeCellPoints,
};

constexpr clGameRules kThreeCells{
    .game = clGames::kThreeCells,
    .width = 9,
    .height = 6,
    .rounds = kKlondikeRounds,
    .points = kFreeCellPoints,
};

constexpr clGameRules kTwoCells{
    .game = clGames::kTwoCells,
    .width = 9,
    .height = 6,
    .rounds = kKlondikeRounds,
    .points = kFreeCellPoints,
};

constexpr clGameRules kSevenByFour{
    .game = clGames::kSevenByFour,
    .width = 9,
    .height = 6,
    .rounds = kKlondikeRounds,
    .points = kFreeCellPoints,
};

constexpr clGameRules kSevenByFourKings{
    .game = clGames::kSevenByFourKings,
    .width = 9,
    .height = 6,
    .rounds = kKlondikeRounds,
    .points = kFreeCellPoints,
};

constexpr clGameRules kSevenByFive{
    .game = clGames::kSevenByFive,
    .width = 9,
    .height = 6,
    .rounds = kKlondikeRounds,
    .points = kFreeCellPoints,
};

constexpr clGameRules kFourByTen{
    .game = clGames::kFourByTen,
    .width = 8,
    .height = 7,
    .rounds = kKlondikeRounds,
    .points = kFreeCellPoints,
};

constexpr clGameRules kTenByOne{
    .game = clGames::kTenByOne,
    .width = 11,
    .height = 6,
    .rounds = kKlondikeRounds,
    .points = kFreeCellPoints,
};

constexpr clGameRules kSeaTowers{
    .game = clGames::kSeaTowers,
    .width = 11,
    .height = 6,
    .rounds = kSeaTowersRounds,
    .points = kFreeCellPoints,
};

constexpr clGameRules kSeaTowersKings{
    .game = clGames::kSeaTowersKings,
    .width = 11,
    .height = 6,
    .rounds = kSeaTowersRounds,
    .points = kFreeCellPoints,
};

constexpr clGameRules kDoubleSeaTowers{
    .game = clGames::kDoubleSeaTowers,
    .width = 14,
    .height = 7,
    .rounds = kSeaTowersRounds,
    .points = kFreeCellPoints,
};

constexpr clGameRules kBakersGame{
    .game = clGames::kBakersGame,
    .width = 9,
    .height = 6,
    .rounds = kSeaTowersRounds,
    .points = kFreeCellPoints,
};

constexpr clGameRules kBakersGameKings{
    .game = clGames::kBakersGameKings,
    .width = 9,
    .height = 6,
    .rounds = kSeaTowersRounds,
    .points = kFreeCellPoints,
};

constexpr clGameRules kEightOff{
    .game = clGames::kEightOff,
    .width = 10,
    .height = 6,
    .rounds = kEightOffRounds,
    .points = kFreeCellPoints,
};

constexpr clGameRules kEightOn{
    .game = clGames::kEightOn,
    .width = 10,
    .height = 6,
    .rounds = kEightOffRounds,
    .points = kFreeCellPoints,
};

constexpr clGameRules kPenguin{
    .game = clGames::kPenguin,
    .width = 9,
    .height = 6,
    .rounds = kPenguinRounds,
    .points = kFreeCellPoints,
};

constexpr clGameRules kTuxedo{
    .game = clGames::kTuxedo,
    .width = 9,
    .height = 6,
    .rounds = kPenguinRounds,
    .points = kFreeCellPoints,
};

constexpr clGameRules kOpus{
    .game = clGames::kOpus,
    .width = 9,
    .height = 6,
    .rounds = kPenguinRounds,
    .points = kFreeCellPoints,
};

// Its lowest row of fans reaches 5.5 card heights, so the table is 6 high, not 5.
constexpr clGameRules kBeleagueredCastle{
    .game = clGames::kBeleagueredCastle,
    .width = 8,
    .height = 6,
    .rounds = {.goalBase = 10000,
               .goalStep = 20000,
               .bonusBase = 2400,
               .goalSteps = {{.from = 2, .step = 30000}, {.from = 3, .step = 60000}},
               .bonusSteps = {{.from = 3, .step = 100}}},
    .points = {.foundationPoints = 1000,
               .foundationCompleteBonus = 5000,
               .allFoundationsBonus = 20000},
};

constexpr std::string_view kLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr std::string_view kDigits = "123456789";

// Foundations in a column: pile i at (x, y + step * i).
void FoundationColumn(const std::vector<clPile*>& piles, double x, double y, double step = 1.25) {
    for (std::size_t i = 0; i < piles.size(); ++i)
        piles[i]->SetPosition(x, y + step * static_cast<double>(i));
}

}  // namespace

// FreeCell and the versions that change its columns, cells or spaces.

clFreeCell::clFreeCell() {
    Describe(kFreeCell);
}

// The keys and rules every FreeCell layout shares: any card in a space,
// cells counted after each move, safe automatic play, built moves first.
void clFreeCell::FreeCellRules(const std::vector<clPile*>& cells) {
    KeyTableau();
    KeyPiles(cells, kLetters);
    AnyCardInSpaces();
    autoPlaySupported = true;
    forms.afterMove = clAfterMoveForm::CellCounting;
    forms.autoPlay = clAutoPlayForm::Safe;
    forms.findMove = clFindMoveForm::PreferBuilt;
}

void clFreeCell::FreeCellLayout(int columns, int cells) {
    RowRightAligned(MakePiles<clFoundationUpInSuit>(4), 9, 0.75);
    RowCentred(MakePiles<clTableauDownAlternating>(columns), 4.5, 2.0, kColumnFan);
    const std::vector<clPile*> cellPiles = MakePiles<clCell>(cells);
    RowLeftAligned(cellPiles, 0, 0.75);
    FreeCellRules(cellPiles);
}

void clFreeCell::CreateLayout() {
    FreeCellLayout(8, 4);
}

clFreeCellKings::clFreeCellKings() {
    Describe(kFreeCellKings);
}

void clFreeCellKings::KingsOnly() {
    KingsOnlyInSpaces();
    forms.afterMove = clAfterMoveForm::KingsCellCounting;
}

void clFreeCellKings::CreateLayout() {
    FreeCellLayout(8, 4);
    KingsOnly();
}

clForeCell::clForeCell() {
    Describe(kForeCell);
}

clThreeCells::clThreeCells() {
    Describe(kThreeCells);
}

void clThreeCells::CreateLayout() {
    FreeCellLayout(8, 3);
}

clTwoCells::clTwoCells() {
    Describe(kTwoCells);
}

void clTwoCells::CreateLayout() {
    FreeCellLayout(8, 2);
}

clSevenByFour::clSevenByFour() {
    Describe(kSevenByFour);
}

void clSevenByFour::CreateLayout() {
    FreeCellLayout(7, 4);
}

clSevenByFourKings::clSevenByFourKings() {
    Describe(kSevenByFourKings);
}

void clSevenByFourKings::CreateLayout() {
    FreeCellLayout(7, 4);
    KingsOnly();
}

clSevenByFive::clSevenByFive() {
    Describe(kSevenByFive);
}

void clSevenByFive::CreateLayout() {
    FoundationColumn(MakePiles<clFoundationUpInSuit>(4), 8.0, 1.25);
    RowLeftAligned(MakePiles<clTableauDownAlternating>(7), 0, 2.0, kColumnFan);
    const std::vector<clPile*> cells = MakePiles<clCell>(5);
    RowLeftAligned(cells, 1.0, 0.75, 0, 4);
    FreeCellRules(cells);
}

clFourByTen::clFourByTen() {
    Describe(kFourByTen);
}

void clFourByTen::CreateLayout() {
    FoundationColumn(MakePiles<clFoundationUpInSuit>(4), 7.0, 1.375);
    RowLeftAligned(MakePiles<clTableauDownAlternating>(4), 0, 0.75, 6.25);
    const std::vector<clPile*> cells = MakePiles<clCell>(10);
    for (int i = 0; i < 5; ++i) {
        cells[i]->SetPosition(4.25, 0.75 + 1.25 * i, 16, 0);
        cells[i + 5]->SetPosition(5.75, 0.75 + 1.25 * i);
    }
    FreeCellRules(cells);
}

clTenByOne::clTenByOne() {
    Describe(kTenByOne);
}

void clTenByOne::CreateLayout() {
    RowCentred(MakePiles<clFoundationUpInSuit>(4), 5.5, 0.75);
    RowCentred(MakePiles<clTableauDownAlternating>(10), 5.5, 2.0, kColumnFan);
    const std::vector<clPile*> cells = MakePiles<clCell>(1);
    RowLeftAligned(cells, 0.5, 0.75, 0, -18);
    FreeCellRules(cells);
}

// Sea Towers and the in-suit games that share its deal.

clSeaTowers::clSeaTowers() {
    Describe(kSeaTowers);
}

void clSeaTowers::InSuitLayout(int columns, int cells) {
    (void)MakePiles<clTableauDownInSuit>(columns);
    (void)MakePiles<clCell>(cells);
    KeyTableau();
    KeyPiles(reserves, kLetters);
    AnyCardInSpaces();
    autoPlaySupported = true;
    forms.afterMove = clAfterMoveForm::CellCounting;
    forms.findMove = clFindMoveForm::PreferBuilt;
}

void clSeaTowers::CreateLayout() {
    const std::vector<clPile*> piles = MakePiles<clFoundationUpInSuit>(4);
    piles[0]->SetPosition(0, 0.75);
    piles[1]->SetPosition(1, 0.75, 4, 0);
    piles[2]->SetPosition(9, 0.75, -4, 0);
    piles[3]->SetPosition(10, 0.75);
    InSuitLayout(10, 4);
    RowCentred(tableau, 5.5, 2.0, kColumnFan);
    RowCentred(reserves, 5.5, 0.75);
    reserveDealCount = 2;
}

void clSeaTowers::DealCards() {
    const int cells = ReserveCount();
    const int cellCards = cells > 0 ? reserveDealCount : 0;
    int k = 0;
    for (int n = 0; n < cardCount - cellCards && TableauCount() > 0; ++n) {
        DealCard(*tableau[n % TableauCount()], k++, clFacing::Up);
    }
    for (int n = 0; n < cellCards; ++n)
        DealCard(*reserves[(firstDealtCell + n) % cells], k++, clFacing::Up);
}

clSeaTowersKings::clSeaTowersKings() {
    Describe(kSeaTowersKings);
}

void clSeaTowersKings::CreateLayout() {
    clSeaTowers::CreateLayout();
    KingsOnlyInSpaces();
    forms.afterMove = clAfterMoveForm::KingsCellCounting;
}

clDoubleSeaTowers::clDoubleSeaTowers() {
    Describe(kDoubleSeaTowers);
}

void clDoubleSeaTowers::CreateLayout() {
    const std::vector<clPile*> piles = MakePiles<clFoundationUpInSuit>(8);
    for (int i = 0; i < 4; ++i) {
        piles[i]->SetPosition(0, 2.0 + 1.25 * i);
        piles[i + 4]->SetPosition(13, 2.0 + 1.25 * i);
    }
    InSuitLayout(11, 9);
    RowCentred(tableau, 7, 2.0, 5.0, 4);
    RowCentred(reserves, 7, 0.75);
    deckCount = 2;
    reserveDealCount = 5;
    firstDealtCell = 2;
}

clBakersGame::clBakersGame() {
    Describe(kBakersGame);
}

void clBakersGame::CreateLayout() {
    RowRightAligned(MakePiles<clFoundationUpInSuit>(4), 9, 0.75);
    InSuitLayout(8, 4);
    RowCentred(tableau, 4.5, 2.0, kColumnFan);
    RowLeftAligned(reserves, 0, 0.75);
}

clBakersGameKings::clBakersGameKings() {
    Describe(kBakersGameKings);
}

void clBakersGameKings::CreateLayout() {
    clBakersGame::CreateLayout();
    KingsOnlyInSpaces();
    forms.afterMove = clAfterMoveForm::KingsCellCounting;
}

clEightOff::clEightOff() {
    Describe(kEightOff);
}

void clEightOff::CreateLayout() {
    FoundationColumn(MakePiles<clFoundationUpInSuit>(4), 9, 1.0);
    InSuitLayout(8, 8);
    RowLeftAligned(tableau, 0, 0.75, kShortFan);
    RowLeftAligned(reserves, 0, 5.0);
    KeyPiles(tableau, kLetters);
    KeyPiles(reserves, kDigits);
    KingsOnlyInSpaces();
    forms.afterMove = clAfterMoveForm::KingsCellCounting;
    reserveDealCount = 4;
}

void clEightOff::DealCards() {
    clSolitaireGame::DealCards();
}

clEightOn::clEightOn() {
    Describe(kEightOn);
}

void clEightOn::CreateLayout() {
    clEightOff::CreateLayout();
    reserveDealCount = 8;
}

// The Aces first, one at the bottom of each of the first four columns; then
// the other cards in deal order: all but the cell cards round-robin over the
// columns, the rest onto the cells in order.
void clEightOn::DealCards() {
    std::vector<int> rest;
    int aces = 0;
    for (int k = 0; k < cardCount; ++k) {
        const clCard* card = deck->CardAt(k);
        if (card && card->IsAce() && aces < TableauCount()) {
            DealCard(*tableau[aces++], k, clFacing::Up);
        } else {
            rest.push_back(k);
        }
    }
    const int cellCards = ReserveCount() > 0 ? reserveDealCount : 0;
    const int columnCards = static_cast<int>(rest.size()) - cellCards;
    for (int n = 0; n < static_cast<int>(rest.size()); ++n) {
        if (n < columnCards && TableauCount() > 0) {
            DealCard(*tableau[n % TableauCount()], rest[n], clFacing::Up);
        } else if (n >= columnCards) {
            DealCard(*reserves[(n - columnCards) % ReserveCount()], rest[n], clFacing::Up);
        }
    }
}

// Penguin, Tuxedo and Opus.

clPenguin::clPenguin() {
    Describe(kPenguin);
}

void clPenguin::PenguinLayout(int cells, double cellsX, int cellsPixelX) {
    FoundationColumn(MakePiles<clFoundationUpInSuit>(4), 8, 1.0);
    RowLeftAligned(MakePiles<clTableauDownInSuit>(7), 0, 0.75, kShortFan);
    RowLeftAligned(MakePiles<clCell>(cells), cellsX, 5.0, 0, cellsPixelX);
    KeyPiles(tableau, kLetters);
    KeyPiles(reserves, kDigits);
    autoPlaySupported = true;
    forms.findMove = clFindMoveForm::PreferBuilt;
}

void clPenguin::CreateLayout() {
    PenguinLayout(7, 0, 0);
}

// The first card sets the base rank and starts column 0; the other cards of
// that rank start foundations 0, 1 and 2; the rest go round-robin from
// column 1. Foundations then build from the base round the corner, columns
// stop at the base and their spaces take the rank below it.
void clPenguin::DealCards() {
    const clCard* first = deck->CardAt(0);
    baseRank = first ? first->GetRank() : 1;
    const int n = TableauCount();
    if (n > 0) DealCard(*tableau[0], 0, clFacing::Up);
    int nextFoundation = 0;
    int column = n > 1 ? 1 : 0;
    for (int k = 1; k < cardCount && n > 0; ++k) {
        const clCard* card = deck->CardAt(k);
        if (card && card->GetRank() == baseRank && nextFoundation < FoundationCount()) {
            DealCard(*foundations[nextFoundation++], k, clFacing::Up);
        } else {
            DealCard(*tableau[column], k, clFacing::Up);
            column = (column + 1) % n;
        }
    }
    FoundationsFromBase();
    SetTableauEmptyRank(tableau, RankBelow(baseRank));
    SetTableauStopRank(tableau, baseRank);
}

clTuxedo::clTuxedo() {
    Describe(kTuxedo);
}

void clTuxedo::CreateLayout() {
    PenguinLayout(7, 0, 0);
    KingsOnlyInSpaces();
}

void clTuxedo::DealCards() {
    static constexpr int kLastColumns[] = {0, 3, 6};
    const int n = TableauCount();
    const int rows = cardCount - static_cast<int>(std::size(kLastColumns));
    int k = 0;
    for (; k < rows && n > 0; ++k)
        DealCard(*tableau[k % n], k, clFacing::Up);
    for (const int column : kLastColumns) {
        if (column < n) DealCard(*tableau[column], k, clFacing::Up);
        ++k;
    }
}

clOpus::clOpus() {
    Describe(kOpus);
}

void clOpus::CreateLayout() {
    PenguinLayout(5, 1.0, 4);
}

// Beleaguered Castle.

clBeleagueredCastle::clBeleagueredCastle() {
    Describe(kBeleagueredCastle);
}

void clBeleagueredCastle::CreateLayout() {
    FoundationColumn(MakePiles<clFoundationUpInSuit>(4), 3.5, 0.75);
    const std::vector<clPile*> fans = MakePiles<clTableauFanDownInSequence>(8);
    for (int i = 0; i < 4; ++i) {
        fans[i]->SetPosition(0, 0.75 + 1.25 * i);
        fans[i + 4]->SetPosition(5, 0.75 + 1.25 * i);
    }
    KeyTableau();
    AnyCardInSpaces();
    autoPlaySupported = true;
    forms.findMove = clFindMoveForm::PreferBuilt;
}

// The Aces onto the foundations as they come; every other card round-robin
// over the fans from fan 0.
void clBeleagueredCastle::DealCards() {
    int nextFoundation = 0;
    int fan = 0;
    for (int k = 0; k < cardCount && TableauCount() > 0; ++k) {
        const clCard* card = deck->CardAt(k);
        if (card && card->IsAce() && nextFoundation < FoundationCount()) {
            DealCard(*foundations[nextFoundation++], k, clFacing::Up);
        } else {
            DealCard(*tableau[fan], k, clFacing::Up);
            fan = (fan + 1) % TableauCount();
        }
    }
}
