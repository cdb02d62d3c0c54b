#include "variants/freecell.h"

#include <iterator>
#include <vector>

#include "piles/foundation.h"
#include "piles/reserve.h"
#include "piles/tableau.h"
#include "piles/tableau_limits.h"

namespace {

constexpr double kColumnFan = 4.0;  // the longest a column fans, in card heights
constexpr double kShortFan = 3.0;   // columns above a row of cells

constexpr clPointValues kFreeCellPoints{
    .foundationPoints = 500, .foundationCompleteBonus = 2000, .allFoundationsBonus = 10000};
constexpr clPointValues kCastlePoints{
    .foundationPoints = 1000, .foundationCompleteBonus = 5000, .allFoundationsBonus = 20000};

// Keys '1', '2', ... or 'A', 'B', ... in list order.
void KeyPiles(const std::vector<clPile*>& piles, char first) {
    for (std::size_t i = 0; i < piles.size(); ++i)
        piles[i]->SetKey(first + static_cast<char>(i));
}

void KeyCells(const std::vector<clPile*>& cells) {
    KeyPiles(cells, 'A');
}

// Foundations in a column: pile i at (x, y + step * i).
void FoundationColumn(const std::vector<clPile*>& piles, double x, double y, double step = 1.25) {
    for (std::size_t i = 0; i < piles.size(); ++i)
        piles[i]->SetPosition(x, y + step * static_cast<double>(i));
}

}  // namespace

// FreeCell and the versions that change its columns, cells or spaces.

clFreeCell::clFreeCell() {
    Describe("FreeCell", 9, 6);
}

// The keys and rules every FreeCell layout shares: any card in a space,
// cells counted after each move, safe automatic play, built moves first.
void clFreeCell::FreeCellRules(const std::vector<clPile*>& cells) {
    KeyTableau();
    KeyCells(cells);
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

void clFreeCell::SetupRounds() {
    points.Setup(10000, 10000, 2400, 0, 1);
    points.AddGoalStep(2, 20000);
    points.AddGoalStep(4, 30000);
    points.AddGoalStep(6, 40000);
    points.AddBonusStep(6, 50, 1);
}

void clFreeCell::SetupPoints() {
    points.values = kFreeCellPoints;
}

clFreeCellKings::clFreeCellKings() {
    Describe("FreeCell Kings", 9, 6);
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
    Describe("ForeCell", 9, 6);
}

clThreeCells::clThreeCells() {
    Describe("Three Cells", 9, 6);
}

void clThreeCells::CreateLayout() {
    FreeCellLayout(8, 3);
}

clTwoCells::clTwoCells() {
    Describe("Two Cells", 9, 6);
}

void clTwoCells::CreateLayout() {
    FreeCellLayout(8, 2);
}

clSevenByFour::clSevenByFour() {
    Describe("Seven By Four", 9, 6);
}

void clSevenByFour::CreateLayout() {
    FreeCellLayout(7, 4);
}

clSevenByFourKings::clSevenByFourKings() {
    Describe("Seven By Four Kings", 9, 6);
}

void clSevenByFourKings::CreateLayout() {
    FreeCellLayout(7, 4);
    KingsOnly();
}

clSevenByFive::clSevenByFive() {
    Describe("Seven By Five", 9, 6);
}

void clSevenByFive::CreateLayout() {
    FoundationColumn(MakePiles<clFoundationUpInSuit>(4), 8.0, 1.25);
    RowLeftAligned(MakePiles<clTableauDownAlternating>(7), 0, 2.0, kColumnFan);
    const std::vector<clPile*> cells = MakePiles<clCell>(5);
    RowLeftAligned(cells, 1.0, 0.75, 0, 4);
    FreeCellRules(cells);
}

clFourByTen::clFourByTen() {
    Describe("Four By Ten", 8, 7);
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
    Describe("Ten By One", 11, 6);
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
    Describe("Sea Towers", 11, 6);
}

void clSeaTowers::InSuitLayout(int columns, int cells) {
    (void)MakePiles<clTableauDownInSuit>(columns);
    (void)MakePiles<clCell>(cells);
    KeyTableau();
    KeyPiles(reserves, 'A');
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

void clSeaTowers::SetupRounds() {
    points.Setup(10000, 10000, 2400, 600, 1);
    points.AddGoalStep(2, 20000);
    points.AddGoalStep(3, 40000);
    points.AddBonusStep(3, 50, 1);
}

void clSeaTowers::SetupPoints() {
    points.values = kFreeCellPoints;
}

void clSeaTowers::Deal() {
    const int cells = ReserveCount();
    const int cellCards = cells > 0 ? reserveDealCount : 0;
    int k = 0;
    for (int n = 0; n < cardCount - cellCards && TableauCount() > 0; ++n) {
        DealCard(*tableau[n % TableauCount()], k++, true, true);
    }
    for (int n = 0; n < cellCards; ++n)
        DealCard(*reserves[(firstDealtCell + n) % cells], k++, true, true);
    Repaint();
    ClearSelection();
}

clSeaTowersKings::clSeaTowersKings() {
    Describe("Sea Towers Kings", 11, 6);
}

void clSeaTowersKings::CreateLayout() {
    clSeaTowers::CreateLayout();
    KingsOnlyInSpaces();
    forms.afterMove = clAfterMoveForm::KingsCellCounting;
}

clDoubleSeaTowers::clDoubleSeaTowers() {
    Describe("Double SeaTowers", 14, 7);
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
    Describe("Baker's Game", 9, 6);
}

void clBakersGame::CreateLayout() {
    RowRightAligned(MakePiles<clFoundationUpInSuit>(4), 9, 0.75);
    InSuitLayout(8, 4);
    RowCentred(tableau, 4.5, 2.0, kColumnFan);
    RowLeftAligned(reserves, 0, 0.75);
}

clBakersGameKings::clBakersGameKings() {
    Describe("Baker's Game Kings", 9, 6);
}

void clBakersGameKings::CreateLayout() {
    clBakersGame::CreateLayout();
    KingsOnlyInSpaces();
    forms.afterMove = clAfterMoveForm::KingsCellCounting;
}

clEightOff::clEightOff() {
    Describe("Eight Off", 10, 6);
}

void clEightOff::CreateLayout() {
    FoundationColumn(MakePiles<clFoundationUpInSuit>(4), 9, 1.0);
    InSuitLayout(8, 8);
    RowLeftAligned(tableau, 0, 0.75, kShortFan);
    RowLeftAligned(reserves, 0, 5.0);
    KeyPiles(tableau, 'A');
    KeyPiles(reserves, '1');
    KingsOnlyInSpaces();
    forms.afterMove = clAfterMoveForm::KingsCellCounting;
    reserveDealCount = 4;
}

void clEightOff::SetupRounds() {
    points.Setup(10000, 10000, 1500, 0, 1);
    points.AddGoalStep(2, 20000);
    points.AddGoalStep(3, 40000);
    points.AddBonusStep(3, 50, 1);
}

void clEightOff::Deal() {
    clSolitaireGame::Deal();
}

clEightOn::clEightOn() {
    Describe("Eight On", 10, 6);
}

void clEightOn::CreateLayout() {
    clEightOff::CreateLayout();
    reserveDealCount = 8;
}

// The Aces first, one at the bottom of each of the first four columns; then
// the other cards in deal order: all but the cell cards round-robin over the
// columns, the rest onto the cells in order.
void clEightOn::Deal() {
    std::vector<int> rest;
    int aces = 0;
    for (int k = 0; k < cardCount; ++k) {
        const clCard* card = deck->CardAt(k);
        if (card && card->IsAce() && aces < TableauCount()) {
            DealCard(*tableau[aces++], k, true, true);
        } else {
            rest.push_back(k);
        }
    }
    const int cellCards = ReserveCount() > 0 ? reserveDealCount : 0;
    const int columnCards = static_cast<int>(rest.size()) - cellCards;
    for (int n = 0; n < static_cast<int>(rest.size()); ++n) {
        if (n < columnCards && TableauCount() > 0) {
            DealCard(*tableau[n % TableauCount()], rest[n], true, true);
        } else if (n >= columnCards) {
            DealCard(*reserves[(n - columnCards) % ReserveCount()], rest[n], true, true);
        }
    }
    Repaint();
    ClearSelection();
}

// Penguin, Tuxedo and Opus.

clPenguin::clPenguin() {
    Describe("Penguin", 9, 6);
}

void clPenguin::PenguinLayout(int cells, double cellsX, int cellsPixelX) {
    FoundationColumn(MakePiles<clFoundationUpInSuit>(4), 8, 1.0);
    RowLeftAligned(MakePiles<clTableauDownInSuit>(7), 0, 0.75, kShortFan);
    RowLeftAligned(MakePiles<clCell>(cells), cellsX, 5.0, 0, cellsPixelX);
    KeyPiles(tableau, 'A');
    KeyPiles(reserves, '1');
    autoPlaySupported = true;
    forms.findMove = clFindMoveForm::PreferBuilt;
}

void clPenguin::CreateLayout() {
    PenguinLayout(7, 0, 0);
}

void clPenguin::SetupRounds() {
    points.Setup(10000, 10000, 1200, 0, 1);
    points.AddGoalStep(2, 20000);
    points.AddGoalStep(4, 30000);
    points.AddGoalStep(6, 40000);
    points.AddBonusStep(6, 50, 1);
}

void clPenguin::SetupPoints() {
    points.values = kFreeCellPoints;
}

// The first card sets the base rank and starts column 0; the other cards of
// that rank start foundations 0, 1 and 2; the rest go round-robin from
// column 1. Foundations then build from the base round the corner, columns
// stop at the base and their spaces take the rank below it.
void clPenguin::Deal() {
    const clCard* first = deck->CardAt(0);
    baseRank = first ? first->GetRank() : 1;
    const int n = TableauCount();
    if (n > 0) DealCard(*tableau[0], 0, true, true);
    int nextFoundation = 0;
    int column = n > 1 ? 1 : 0;
    for (int k = 1; k < cardCount && n > 0; ++k) {
        const clCard* card = deck->CardAt(k);
        if (card && card->GetRank() == baseRank && nextFoundation < FoundationCount()) {
            DealCard(*foundations[nextFoundation++], k, true, true);
        } else {
            DealCard(*tableau[column], k, true, true);
            column = (column + 1) % n;
        }
    }
    SetFoundationBaseRank(baseRank);
    SetFoundationStopRank(0);
    SetTableauEmptyRank(tableau, baseRank == 1 ? 13 : baseRank - 1);
    SetTableauStopRank(tableau, baseRank);
    Repaint();
    ClearSelection();
}

clTuxedo::clTuxedo() {
    Describe("Tuxedo", 9, 6);
}

void clTuxedo::CreateLayout() {
    PenguinLayout(7, 0, 0);
    KingsOnlyInSpaces();
}

void clTuxedo::Deal() {
    static constexpr int kLastColumns[] = {0, 3, 6};
    const int n = TableauCount();
    const int rows = cardCount - static_cast<int>(std::size(kLastColumns));
    int k = 0;
    for (; k < rows && n > 0; ++k)
        DealCard(*tableau[k % n], k, true, true);
    for (const int column : kLastColumns) {
        if (column < n) DealCard(*tableau[column], k, true, true);
        ++k;
    }
    Repaint();
    ClearSelection();
}

clOpus::clOpus() {
    Describe("Opus", 9, 6);
}

void clOpus::CreateLayout() {
    PenguinLayout(5, 1.0, 4);
}

// Beleaguered Castle. Its lowest row of fans reaches 5.5 card heights, so the
// table is 6 high, not 5.

clBeleagueredCastle::clBeleagueredCastle() {
    Describe("Beleaguered Castle", 8, 6);
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

void clBeleagueredCastle::SetupRounds() {
    points.Setup(10000, 20000, 2400, 0, 1);
    points.AddGoalStep(2, 30000);
    points.AddGoalStep(3, 60000);
    points.AddBonusStep(3, 100, 1);
}

void clBeleagueredCastle::SetupPoints() {
    points.values = kCastlePoints;
}

// The Aces onto the foundations as they come; every other card round-robin
// over the fans from fan 0.
void clBeleagueredCastle::Deal() {
    int nextFoundation = 0;
    int fan = 0;
    for (int k = 0; k < cardCount && TableauCount() > 0; ++k) {
        const clCard* card = deck->CardAt(k);
        if (card && card->IsAce() && nextFoundation < FoundationCount()) {
            DealCard(*foundations[nextFoundation++], k, true, true);
        } else {
            DealCard(*tableau[fan], k, true, true);
            fan = (fan + 1) % TableauCount();
        }
    }
    Repaint();
    ClearSelection();
}
