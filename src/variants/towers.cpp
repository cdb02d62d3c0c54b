#include "variants/towers.h"

#include <array>
#include <memory>

#include "engine/catalogue_rows.h"
#include "piles/stock.h"
#include "piles/tableau.h"
#include "piles/tableau_limits.h"
#include "piles/waste.h"

namespace {

constexpr clGameRules kTripleTowers{
    .game = clGames::kTripleTowers,
    .width = 12,
    .height = 5,
    .rounds = kTowersRounds,
    .points = {.tableauClearedBonus = 15000,
               .firstPileClearedBonus = 5000,
               .secondPileClearedBonus = 10000,
               .stockCardCost = 200,
               .wastePoints = 100,
               .streakPoints = 100},
};

constexpr clGameRules kTriplePeaks{
    .game = clGames::kTriplePeaks,
    .width = 12,
    .height = 5,
    .rounds = kTowersRounds,
    .points = {.tableauClearedBonus = 30000,
               .firstPileClearedBonus = 15000,
               .secondPileClearedBonus = 15000,
               .stockCardCost = 6000,
               .wastePoints = 1000,
               .streakPoints = 1000},
};

constexpr clGameRules kTwinPeaks{
    .game = clGames::kTwinPeaks,
    .width = 12,
    .height = 6,
    .rounds = kDoublePyramidRounds,
    .points = {.tableauClearedBonus = 20000,
               .firstPileClearedBonus = 10000,
               .stockCardCost = 200,
               .wastePoints = 100,
               .streakPoints = 100},
};

constexpr clGameRules kCrownPeaks{
    .game = clGames::kCrownPeaks,
    .width = 12,
    .height = 6,
    .rounds = {.goalBase = 20000,
               .goalStep = 40000,
               .bonusBase = 2400,
               .goalSteps = {{.from = 2, .step = 60000}},
               .bonusSteps = {{.from = 3, .step = 20}}},
    .points = {.tableauClearedBonus = 30000,
               .firstPileClearedBonus = 5000,
               .secondPileClearedBonus = 10000,
               .thirdPileClearedBonus = 15000,
               .stockCardCost = 200,
               .wastePoints = 100,
               .streakPoints = 100},
};

constexpr clGameRules kRapunzel{
    .game = clGames::kRapunzel,
    .width = 12,
    .height = 6,
    .rounds = {.goalBase = 10000,
               .goalStep = 20000,
               .bonusBase = 2400,
               .goalSteps = {{.from = 3, .step = 50000}},
               .bonusSteps = {{.from = 3, .step = 20}}},
    .points = {.tableauClearedBonus = 40000,
               .firstPileClearedBonus = 20000,
               .stockCardCost = 100,
               .wastePoints = 100,
               .streakPoints = 100},
};

constexpr std::array<clCover, 18> MakeTowerCovers() {
    std::array<clCover, 18> covers{
        {{3, 4}, {5, 6}, {7, 8}, {9, 10}, {10, 11}, {12, 13}, {13, 14}, {15, 16}, {16, 17}}};
    for (int p = 9; p <= 17; ++p)
        covers[p] = {p + 9, p + 10};
    return covers;
}

constexpr auto kTowerCovers = MakeTowerCovers();
constexpr clRowRun kTowerRows[] = {{0, 2.5, 1}, {0, 5.5, 1}, {0, 8.5, 1}, {1, 2.0, 2},
                                   {1, 5.0, 2}, {1, 8.0, 2}, {2, 1.5, 9}, {3, 1.0, 10}};

constexpr clCover kCrownPeaksCovers[] = {
    {4, 5},     {6, 7},     {8, 9},     {10, 11},   {12, 12},   {12, 13},   {14, 15},   {15, 16},
    {17, 18},   {18, 19},   {20, 21},   {21, 21},   {22, 23},   {23, 24},   {24, 25},   {25, 26},
    {26, 27},   {27, 28},   {28, 29},   {29, 30},   {30, 31},   {31, 32},   {33, 33},   {33, 34},
    {34, 35},   {35, 36},   {36, 37},   {37, 38},   {38, 39},   {39, 40},   {40, 41},   {41, 42},
    {42, 42},   {43, 44},   {44, 45},   {45, 46},   {46, 47},   {47, 48},   {48, 49},   {49, 50},
    {50, 51},   {51, 52},   {52, 53},   {54, 54},   {54, 55},   {55, 56},   {56, 57},   {57, 58},
    {58, 59},   {59, 60},   {60, 61},   {61, 62},   {62, 63},   {63, 63},   {64, 65},   {65, 66},
    {66, 67},   {67, 68},   {68, 69},   {69, 70},   {70, 71},   {71, 72},   {72, 73},   {73, 74},
    {75, 75},   {75, 76},   {76, 77},   {77, 78},   {78, 79},   {79, 80},   {80, 81},   {81, 82},
    {82, 83},   {83, 84},   {84, 84},   {85, 86},   {86, 87},   {87, 88},   {88, 89},   {89, 90},
    {90, 91},   {91, 92},   {92, 93},   {93, 94},   {94, 95},   {96, 96},   {96, 97},   {97, 98},
    {98, 99},   {99, 100},  {100, 101}, {101, 102}, {102, 103}, {103, 104}, {104, 105}, {105, 105},
    {106, 107}, {107, 108}, {108, 109}, {109, 110}, {110, 111}, {111, 112}, {112, 113}, {113, 114},
    {114, 115}, {115, 116}, {117, 117}, {117, 118}, {118, 119}, {119, 120}, {120, 121}, {121, 122},
    {122, 123}, {123, 124}, {124, 125}, {125, 126}, {126, 126},
};
// Rows of 11 and 10 alternate below the peaks and their first row.
constexpr clRowRun kCrownPeaksRows[] = {
    {0, 1.0, 1},  {0, 4.0, 1},   {0, 7.0, 1},   {0, 10.0, 1},  {1, 0.5, 2},
    {1, 3.5, 2},  {1, 6.5, 2},   {1, 9.5, 2},   {2, 1.0, 10},  {3, 0.5, 11},
    {4, 1.0, 10}, {5, 0.5, 11},  {6, 1.0, 10},  {7, 0.5, 11},  {8, 1.0, 10},
    {9, 0.5, 11}, {10, 1.0, 10}, {11, 0.5, 11}, {12, 1.0, 10},
};

constexpr clCover kRapunzelCovers[] = {
    {2, 3},   {4, 5},   {6, 7},   {7, 8},   {10, 11}, {11, 12}, {13, 13}, {13, 14}, {14, 15},
    {15, 16}, {16, 17}, {17, 18}, {18, 18}, {19, 20}, {20, 21}, {21, 22}, {22, 23}, {23, 24},
    {24, 25}, {26, 26}, {26, 27}, {27, 28}, {28, 29}, {29, 30}, {30, 31}, {31, 31}, {32, 33},
    {33, 34}, {34, 35}, {35, 36}, {36, 37}, {37, 38}, {39, 39}, {39, 40}, {40, 41}, {41, 42},
    {42, 43}, {43, 44}, {44, 44}, {45, 46}, {46, 47}, {47, 48}, {48, 49}, {49, 50}, {50, 51},
    {52, 52}, {52, 53}, {53, 54}, {54, 55}, {55, 56}, {56, 57}, {57, 57}, {58, 59}, {59, 60},
    {60, 61}, {61, 62}, {62, 63}, {63, 64}, {65, 65}, {65, 66}, {66, 67}, {67, 68}, {68, 69},
    {69, 70}, {70, 70}, {71, 72}, {72, 73}, {73, 74}, {74, 75}, {75, 76}, {76, 77},
};
// Rows of 7 and 6 alternate below the towers; the third row's middle card
// stands between them.
constexpr clRowRun kRapunzelRows[] = {
    {0, 3.5, 1}, {0, 7.5, 1}, {1, 3.0, 2},  {1, 7.0, 2},  {2, 2.5, 7},
    {3, 3.0, 6}, {4, 2.5, 7}, {5, 3.0, 6},  {6, 2.5, 7},  {7, 3.0, 6},
    {8, 2.5, 7}, {9, 3.0, 6}, {10, 2.5, 7}, {11, 3.0, 6}, {12, 2.5, 7},
};

// Thirteen rows from y 0.75 fit above the stock when 0.25 apart.
constexpr double kTallRowStep = 0.25;

}  // namespace

clTripleTowers::clTripleTowers() {
    Describe(kTripleTowers);
}

void clTripleTowers::TowersLayout(int piles, std::span<const clRowRun> rows, double firstY,
                                  double rowStep, std::span<const clCover> table, int peaks,
                                  double stockY) {
    (void)MakePiles<clTableauSingleDiscard>(piles);
    PlaceRows(rows, firstY, rowStep, 5.5);
    SetCovers(table);
    KeyBySlot();
    SetTableauCounting(tableau, true, peaks, 0);
    SetStock(std::make_unique<clStockToWasteOnly>())->SetPosition(5, stockY, -2, 0);
    SetWaste(std::make_unique<clWasteDiscard>())->SetPosition(6, stockY, 2, 0);
    tableauDealCount = piles;
    wasteDealCount = 1;
}

void clTripleTowers::CreateLayout() {
    TowersLayout(28, kTowerRows, 0.75, 0.5, kTowerCovers, 3, 3.5);
    faceDownCount = 18;
}

bool clTripleTowers::ValidateCardMove(const clMove& move) {
    return ValidateWasteMove(move, clRankWrap::KingAndAce);
}

clTriplePeaks::clTriplePeaks() {
    Describe(kTriplePeaks);
}

void clTriplePeaks::CreateLayout() {
    clTripleTowers::CreateLayout();
    faceDownCount = 0;
}

clTwinPeaks::clTwinPeaks() {
    Describe(kTwinPeaks);
}

void clTwinPeaks::CreateLayout() {
    TowersLayout(50, DoublePyramidRows(), 0.6, 0.4, DoublePyramidCovers(), 2, 4.5);
    deckCount = 2;
    faceDownCount = 39;
}

clCrownPeaks::clCrownPeaks() {
    Describe(kCrownPeaks);
}

void clCrownPeaks::CreateLayout() {
    TowersLayout(127, kCrownPeaksRows, 0.75, kTallRowStep, kCrownPeaksCovers, 4, 5);
    deckCount = 4;
    faceDownCount = 117;
}

clRapunzel::clRapunzel() {
    Describe(kRapunzel);
}

void clRapunzel::CreateLayout() {
    TowersLayout(78, kRapunzelRows, 0.75, kTallRowStep, kRapunzelCovers, 2, 5);
    deckCount = 3;
    faceDownCount = 71;
}
