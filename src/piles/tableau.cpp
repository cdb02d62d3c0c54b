#include "piles/tableau.h"

#include <algorithm>

namespace {

constexpr double kColumnStep = 0.2;  // card heights between the cards of a column
constexpr double kFanStep = 0.15;    // card widths between the cards of a fan
constexpr int kCompressedPixelStep = 2;
// Cards of a compressed fan that still step by whole fan steps, after card 0.
constexpr std::uint32_t kSpreadCards = 3;

}  // namespace

clStore::clStore() {
    Allocate(kLargeCapacity);
    inert = false;
    canGive = true;
    canReceive = true;
    fan.dy = kColumnStep;
}

bool clStore::GetTop(clLocation& location, std::int32_t& dealIndex) const {
    const int top = count > 0 ? TopIndex() : 0;
    location =
        clLocation::Pile(clLocationKind::Tableau, static_cast<std::int32_t>(pileNumber), top);
    dealIndex = TopDealIndex();
    return count > 0;
}

bool clStore::PickUp(int index, const clLocation& destination, clGroup& into) const {
    return IsMovableRun(index) && clPile::PickUp(index, destination, into);
}

bool clStore::CanAccept(int index, const clGroup& moving, const clLocation& source) const {
    const clCard* card = moving.Bottom();
    if (card == nullptr) return false;
    if (!(index == 0 ? FitsEmpty(card) : FitsOnTop(card))) return false;
    return clPile::CanAccept(index, moving, source);
}

bool clStore::CanPickUp(int index) const {
    return IsMovableRun(index) && clPile::CanPickUp(index);
}

void clStore::SetEmptyRank(int rank) {
    emptyRank = rank;
    symbol = RankMark(rank);
}

bool clStore::FitsEmpty(const clCard* card) const {
    return card != nullptr && (emptyRank == 0 || card->GetRank() == emptyRank);
}

bool clStore::FitsOnTop(const clCard* card) const {
    return CanPlace(card, stopRank, build);
}

bool clStore::IsMovableRun(int index) const {
    return freeMoves || IsRun(index, stopRank, build);
}

bool clStore::CanAcceptDownAnySuit(int index, const clGroup& moving,
                                   const clLocation& source) const {
    const clCard* card = moving.Bottom();
    if (card == nullptr) return false;
    if (!(index == 0 ? FitsEmpty(card) : CanPlaceDownAnySuit(card, stopRank))) return false;
    return clPile::CanAccept(index, moving, source);
}

clTableauDownAlternating::clTableauDownAlternating() {
    build = clBuildRule::DownAlternating;
    symbol = clPileSymbol::Outline;
}

clTableauDownAlternatingFree::clTableauDownAlternatingFree() {
    freeMoves = true;
}

bool clTableauDownAlternatingFree::PickUp(int index, const clLocation& destination,
                                          clGroup& into) const {
    return clPile::PickUp(index, destination, into);
}

clTableauDownInSuit::clTableauDownInSuit() {
    symbol = clPileSymbol::Outline;
}

clTableauDownInSuitFree::clTableauDownInSuitFree() {
    freeMoves = true;
}

bool clTableauDownInSuitFree::PickUp(int index, const clLocation& destination,
                                     clGroup& into) const {
    return clPile::PickUp(index, destination, into);
}

clTableauDownInSuitNoSpace::clTableauDownInSuitNoSpace() {
    maxIn = 1;
    maxOut = 1;
    fan.dy = 0.0;
}

bool clTableauDownInSuitNoSpace::CanAccept(int index, const clGroup& moving,
                                           const clLocation& source) const {
    return index != 0 && clStore::CanAccept(index, moving, source);
}

clTableauDownMoveInSuit::clTableauDownMoveInSuit() {
    symbol = clPileSymbol::Outline;
}

bool clTableauDownMoveInSuit::CanAccept(int index, const clGroup& moving,
                                        const clLocation& source) const {
    return CanAcceptDownAnySuit(index, moving, source);
}

clTableauMoveOnlyToSpace::clTableauMoveOnlyToSpace() {
    clickAction = true;
    maxOut = 1;
}

bool clTableauMoveOnlyToSpace::CanAccept(int index, const clGroup& moving,
                                         const clLocation& source) const {
    return index == 0 && FitsEmpty(moving.Bottom()) && clPile::CanAccept(index, moving, source);
}

clTableauDiscardOnly::clTableauDiscardOnly() {
    clickAction = true;
}

clTableauBlackJack::clTableauBlackJack() {
    clickAction = true;
    canGive = false;
    symbol = clPileSymbol::Outline;
}

// The drop must land on the top (a drop onto a lower card of the pile is not
// a drop onto the top) and fit. A single card always fits on at most one card
// (10 + 10), so the total alone decides, and it keeps a group dropped on a
// space from passing 21 as well.
bool clTableauBlackJack::CanAccept(int index, const clGroup& moving,
                                   const clLocation& source) const {
    if (moving.Count() == 0 || !clPile::CanAccept(index, moving, source)) return false;
    int total = 0;
    for (std::uint32_t i = 0; i < count; ++i)
        total += Points(*slots[i]);
    for (std::uint32_t i = 0; i < moving.Count(); ++i) {
        total += Points(*moving.At(static_cast<int>(i)));
        if (total > kMostPoints) return false;
    }
    return true;
}

int clTableauBlackJack::Points(const clCard& card) {
    return std::min(card.GetRank(), 10);
}

int clTableauBlackJack::Total(const clGroup& pile) {
    int total = 0;
    bool ace = false;
    for (int i = 0; i < static_cast<int>(pile.Count()); ++i) {
        total += Points(*pile.At(i));
        ace = ace || pile.At(i)->IsAce();
    }
    return ace && total <= 11 ? total + 10 : total;
}

clTableauFan::clTableauFan() {
    fan.dx = kFanStep;
    fan.dy = 0.0;
    maxIn = 1;
    maxOut = 1;
}

clTableauFanDownInSequence::clTableauFanDownInSequence() {
    symbol = clPileSymbol::Outline;
}

bool clTableauFanDownInSequence::CanAccept(int index, const clGroup& moving,
                                           const clLocation& source) const {
    return CanAcceptDownAnySuit(index, moving, source);
}

clTableauFanDownInSuit::clTableauFanDownInSuit() {
    fan.pixelDx = kCompressedPixelStep;
}

void clTableauFanDownInSuit::Arrange() {
    if (!anchor.placed) return;
    for (std::uint32_t i = 0; i < count; ++i) {
        clCard* card = slots[i];
        if (card == nullptr) continue;
        const std::uint32_t spread = std::min(i, kSpreadCards);
        const auto closed = static_cast<std::int32_t>(i - spread);
        card->x = anchor.x + spread * fan.dx;
        card->y = anchor.y + i * fan.dy;
        card->offsetX = anchor.offsetX + closed * fan.pixelDx;
        card->offsetY = anchor.offsetY + static_cast<std::int32_t>(i) * fan.pixelDy;
    }
}

bool clTableauFanDownInSuit::CanAccept(int index, const clGroup& moving,
                                       const clLocation& source) const {
    return index != 0 && clStore::CanAccept(index, moving, source);
}

bool clTableauFanBase::CanAccept(int index, const clGroup& moving, const clLocation& source) const {
    return clStore::CanAccept(index, moving, source);
}

clTableauFanSourceOnly::clTableauFanSourceOnly() {
    canReceive = false;
}

clTableauFanDiscard::clTableauFanDiscard() {
    fan.dx = kFanStep;
    fan.dy = 0.0;
    clickAction = true;
}

clTableauSingle::clTableauSingle() {
    Allocate(1);
}

clTableauSingleDiscard::clTableauSingleDiscard() {
    Allocate(1);
    inert = true;
    clickAction = true;
}

clTableauSingleQuick::clTableauSingleQuick() {
    Allocate(1);
    clickAction = true;
}

void clStore::SaveState(clStateWords& words) const {
    clPile::SaveState(words);
    words.insert(words.end(), {static_cast<std::int32_t>(build), freeMoves, emptyRank, stopRank});
}

void clStore::RestoreState(clStateReader& words) {
    clPile::RestoreState(words);
    build = static_cast<clBuildRule>(words.Next());
    freeMoves = words.NextBool();
    emptyRank = words.Next();
    stopRank = words.Next();
}
