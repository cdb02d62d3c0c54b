#include "variants/removal.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <set>

#include "engine/deck.h"
#include "toolkit/sound.h"

namespace {

// Key glyphs by slot; 'W' belongs to the waste.
constexpr std::string_view kSlotKeys = "1234567890ABCDEFGHIJKLMNOPQRSTUVXYZ";

constexpr std::array<clCover, 21> MakePyramidCovers() {
    std::array<clCover, 21> covers{};
    int p = 0;
    for (int row = 0; row < 6; ++row) {
        for (int i = 0; i <= row; ++i, ++p)
            covers[p] = {p + row + 1, p + row + 2};
    }
    return covers;
}

constexpr std::array<clCover, 39> MakeDoublePyramidCovers() {
    std::array<clCover, 39> covers{{{2, 3},
                                    {4, 5},
                                    {6, 7},
                                    {7, 8},
                                    {9, 10},
                                    {10, 11},
                                    {12, 13},
                                    {13, 14},
                                    {14, 15},
                                    {16, 17},
                                    {17, 18},
                                    {18, 19}}};
    for (int p = 12; p <= 19; ++p)
        covers[p] = {p + 8, p + 9};
    for (int p = 20; p <= 28; ++p)
        covers[p] = {p + 9, p + 10};
    for (int p = 29; p <= 38; ++p)
        covers[p] = {p + 10, p + 11};
    return covers;
}

constexpr auto kPyramidCovers = MakePyramidCovers();
constexpr auto kDoublePyramidCovers = MakeDoublePyramidCovers();

constexpr clRowRun kPyramidRows[] = {{0, 3.5, 1}, {1, 3.0, 2}, {2, 2.5, 3}, {3, 2.0, 4},
                                     {4, 1.5, 5}, {5, 1.0, 6}, {6, 0.5, 7}};
constexpr clRowRun kDoublePyramidRows[] = {{0, 3.5, 1},  {0, 7.5, 1}, {1, 3.0, 2}, {1, 7.0, 2},
                                           {2, 2.5, 3},  {2, 6.5, 3}, {3, 2.0, 8}, {4, 1.5, 9},
                                           {5, 1.0, 10}, {6, 0.5, 11}};

bool IsEmpty(const clPile* pile) {
    return pile == nullptr || pile->Count() == 0;
}

}  // namespace

std::span<const clCover> PyramidCovers() {
    return kPyramidCovers;
}

std::span<const clRowRun> PyramidRows() {
    return kPyramidRows;
}

std::span<const clCover> DoublePyramidCovers() {
    return kDoublePyramidCovers;
}

std::span<const clRowRun> DoublePyramidRows() {
    return kDoublePyramidRows;
}

void SetRowValues(std::span<clPile* const> tableau, std::span<const clRowRun> runs) {
    int lastRow = 0;
    for (const clRowRun& run : runs)
        lastRow = std::max(lastRow, run.row);
    std::size_t pile = 0;
    for (const clRowRun& run : runs) {
        for (int i = 0; i < run.n && pile < tableau.size(); ++i, ++pile) {
            clTableauScoring scoring = tableau[pile]->Scoring();
            scoring.rowValue = static_cast<std::uint32_t>(lastRow + 1 - run.row);
            tableau[pile]->SetScoring(scoring);
        }
    }
}

void clWasteRunGame::UpdateScoreboardExtra(clScoreboard::clExtra& extra) const {
    const std::int32_t current = Streak();
    const std::int32_t longest = LongestStreak();
    extra.rows = {{"CURRENT RUN", std::to_string(current)},
                  {"LONGEST RUN", std::to_string(longest), clScoreboard::kLightGrey,
                   longest == current ? clScoreboard::kYellow : clScoreboard::kWhite}};
}
void clWasteRunGame::OnPileClick() {
    CancelPick();
    if (sourcePile == stock) {
        DealOne();
    } else {
        PlayTopToWaste();
    }
}

std::int32_t clWasteRunGame::ScoreMove(const clMove& move) {
    std::int32_t p = clRemovalGame::ScoreMove(move);
    if (move.type == clMoveType::Card && move.from.kind == clLocationKind::Stock &&
        move.to.kind == clLocationKind::Waste) {
        p -= points.values.wastePoints;
    }
    return p;
}

void clRemovalGame::AfterMove() {
    if (covers.empty()) return;
    for (std::size_t p = 0; p < tableau.size(); ++p) {
        clPile* pile = tableau[p];
        clCard* card = pile->Top();
        bool free = card != nullptr;
        if (free && p < covers.size()) {
            free = IsEmpty(Tableau(covers[p].first)) && IsEmpty(Tableau(covers[p].second));
        }
        pile->SetInert(!free);
        pile->SetLabelHidden(!free);
        if (card == nullptr) continue;
        if (free) card->faceDown = false;
        card->blocked = !free;
    }
}

bool clRemovalGame::IsGameWon() {
    return std::all_of(tableau.begin(), tableau.end(), IsEmpty);
}

bool clRemovalGame::ValidateCardMove(const clMove& move) {
    const bool fromOutside =
        move.from.kind == clLocationKind::Stock || move.from.kind == clLocationKind::Reserve;
    const bool toOutside =
        move.to.kind == clLocationKind::Reserve || move.to.kind == clLocationKind::Waste;
    return fromOutside && toOutside && clSolitaireGame::ValidateCardMove(move);
}

void clRemovalGame::PlaceRows(std::span<const clRowRun> runs, double firstY, double rowStep,
                              double centreX) {
    const auto rowPixels = static_cast<std::int32_t>(std::lround(4 * rowStep));
    std::size_t pile = 0;
    for (const clRowRun& run : runs) {
        for (int i = 0; i < run.n && pile < tableau.size(); ++i, ++pile) {
            const double x = run.x + i;
            const auto pixelX = static_cast<std::int32_t>(std::lround(4 * (x - centreX)));
            tableau[pile]->SetPosition(x, firstY + run.row * rowStep, pixelX, run.row * rowPixels);
        }
    }
}

void clRemovalGame::KeyBySlot() {
    const auto slotOf = [](const clPile* pile) { return std::lround(pile->GetAnchor().x * 2); };
    std::set<long> slots;
    for (const clPile* pile : tableau)
        slots.insert(slotOf(pile));
    for (clPile* pile : tableau) {
        const auto slot =
            static_cast<std::size_t>(std::distance(slots.begin(), slots.find(slotOf(pile))));
        pile->SetKey(kSlotKeys[slot % kSlotKeys.size()]);
    }
}

const clCard* clRemovalGame::CardOf(std::int32_t dealIndex) const {
    return deck ? deck->CardAt(dealIndex) : nullptr;
}

bool clRemovalGame::IsPairable(std::int32_t dealIndex) const {
    const auto isTop = [dealIndex](const clPile* pile) {
        return pile && pile->Count() > 0 && pile->TopDealIndex() == dealIndex;
    };
    for (const clPile* pile : tableau) {
        if (isTop(pile)) return !pile->IsInert() && !pile->Top()->blocked;
    }
    return std::any_of(reserves.begin(), reserves.end(), isTop) || isTop(waste);
}

void clRemovalGame::PlayTopToWaste() {
    const clPile* pile = sourcePile;
    int free = 0;
    if (pile == nullptr || pile->Count() == 0 || waste == nullptr || !waste->NextFreeSlot(free)) {
        return;
    }
    const clLocation from = LocationOf(pile, pile->TopIndex());
    const clMove move = clMove::CardMove(pile->TopDealIndex(), from,
                                         clLocation::Single(clLocationKind::Waste, free));
    if (from.kind != clLocationKind::Tableau || !ValidateMove(move) || !CommitPlayedMove(move)) {
        PlaySound(clSound::Error);
    }
}

bool clRemovalGame::ValidateWasteMove(const clMove& move, clRankWrap wrap) {
    if (move.from.kind != clLocationKind::Tableau || move.to.kind != clLocationKind::Waste) {
        return clRemovalGame::ValidateCardMove(move);
    }
    if (!clSolitaireGame::ValidateCardMove(move)) return false;
    const clPile* source = PileAt(move.from);
    const clCard* card = source ? source->At(move.from.Position()) : nullptr;
    const clCard* top = waste ? waste->Top() : nullptr;
    if (card == nullptr || top == nullptr) return false;
    if (wrap == clRankWrap::None && top->IsKing()) return false;
    return AreNeighbours(*card, *top, wrap);
}
