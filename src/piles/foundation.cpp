#include "piles/foundation.h"

namespace {

constexpr int kOutline = 2;

}  // namespace

clFoundation::clFoundation() {
    Allocate(kCapacity);
    inert = false;
    canGive = true;
    canReceive = true;
    SetBaseRank(1);
}

void clFoundation::SetBaseRank(int rank) {
    baseRank = rank;
    // Rank r shows mark r + 2, after the three pile marks.
    symbol = rank >= 1 && rank <= 13 ? rank + 2 : kNoSymbol;
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
    } else if (!CanPlace(card, stopRank, descending ? clDirection::Down : clDirection::Up,
                         sameSuit ? clMatch::InSuit : clMatch::AnySuit)) {
        return false;
    }
    return clPile::CanAccept(index, moving, source);
}

clFoundationUpInSuit::clFoundationUpInSuit() {
    maxIn = maxOut = 1;
}

clFoundationUpInSequence::clFoundationUpInSequence() {
    sameSuit = false;
}

clFoundationDownInSequence::clFoundationDownInSequence() {
    descending = true;
    sameSuit = false;
    SetBaseRank(13);
    stopRank = 1;
}

clFoundationWholeSuitDown::clFoundationWholeSuitDown() {
    descending = true;
    SetBaseRank(13);
    stopRank = 1;
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
    sameSuit = false;
    stopRank = 0;
    maxIn = maxOut = 1;
    symbol = kOutline;
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
