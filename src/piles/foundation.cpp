#include "piles/foundation.h"

clFoundation::clFoundation() {
    Allocate(kCapacity);
    inert = false;
    canGive = true;
    canReceive = true;
    SetBaseRank(clRank::Ace);
}

void clFoundation::SetBaseRank(int rank) {
    baseRank = rank;
    symbol = RankMark(rank);
}

bool clFoundation::GetTop(clLocation& location, std::int32_t& dealIndex) const {
    location = clLocation::Pile(clLocationKind::Foundation, static_cast<std::int32_t>(pileNumber),
                                count > 0 ? TopIndex() : 0);
    dealIndex = TopDealIndex();
    return count > 0;
}

bool clFoundation::CanAccept(int index, const clGroup& moving, const clLocation& source) const {
    const clCard* card = moving.Bottom();
    if (card == nullptr) return false;
    if (count == 0) {
        if (!FitsBase(*card)) return false;
    } else if (!CanPlace(card, stopRank, build)) {
        return false;
    }
    return clPile::CanAccept(index, moving, source);
}

clFoundationUpInSuit::clFoundationUpInSuit() {
    maxIn = maxOut = 1;
}

clFoundationUpInSequence::clFoundationUpInSequence() {
    build = clBuildRule::UpAnySuit;
}

clFoundationDownInSequence::clFoundationDownInSequence() {
    build = clBuildRule::DownAnySuit;
    SetBaseRank(clRank::King);
    SetStopRank(clRank::Ace);
}

clFoundationWholeSuitDown::clFoundationWholeSuitDown() {
    build = clBuildRule::DownInSuit;
    SetBaseRank(clRank::King);
    SetStopRank(clRank::Ace);
    canGive = false;
}

// The group must itself be one suit in sequence down from the base rank, so
// that a pile letting any group leave cannot fill it with a mixed one.
bool clFoundationWholeSuitDown::CanAccept(int index, const clGroup& moving,
                                          const clLocation& source) const {
    if (count != 0 || moving.Count() != 13 || !moving.IsRunDownInSuit(0, stopRank)) return false;
    return clFoundation::CanAccept(index, moving, source);
}

clFoundationInSuit::clFoundationInSuit() {
    maxIn = maxOut = 1;
}

bool clFoundationInSuit::CanAccept(int index, const clGroup& moving,
                                   const clLocation& source) const {
    const clCard* card = moving.Bottom();
    if (card == nullptr) return false;
    if (count == 0 ? !FitsBase(*card) : card->GetSuit() != Bottom()->GetSuit()) return false;
    return clPile::CanAccept(index, moving, source);
}

clFoundationInSequence::clFoundationInSequence() {
    Allocate(kLargeCapacity);
    build = clBuildRule::UpAnySuit;
    stopRank = 0;
    maxIn = maxOut = 1;
    symbol = clPileSymbol::Outline;
}

bool clFoundationInSequence::CanAccept(int index, const clGroup& moving,
                                       const clLocation& source) const {
    const clCard* card = moving.Bottom();
    if (card == nullptr) return false;
    if (count == 0 ? !FitsBase(*card)
                   : !CanPlaceUpAnySuit(card, stopRank) && !CanPlaceDownAnySuit(card, stopRank)) {
        return false;
    }
    return clPile::CanAccept(index, moving, source);
}

void clFoundation::SaveState(clStateWords& words) const {
    clPile::SaveState(words);
    words.insert(words.end(), {static_cast<std::int32_t>(build), baseRank, stopRank});
}

void clFoundation::RestoreState(clStateReader& words) {
    clPile::RestoreState(words);
    build = static_cast<clBuildRule>(words.Next());
    baseRank = words.Next();
    stopRank = words.Next();
}
