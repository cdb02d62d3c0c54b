#include "piles/reserve.h"

#include "piles/waste.h"

namespace {

constexpr int kTab = 9;

}  // namespace

clReserve::clReserve() {
    inert = false;
}

bool clReserve::GetTop(clLocation& location, std::int32_t& dealIndex) const {
    location = clLocation::Pile(clLocationKind::Reserve, static_cast<std::int32_t>(pileNumber),
                                count > 0 ? TopIndex() : 0);
    dealIndex = TopDealIndex();
    return count > 0;
}

clCell::clCell() {
    Allocate(1);
    canGive = true;
    canReceive = true;
    maxIn = maxOut = 1;
    symbol = clPileSymbol::Outline;
}

clReserveDiscard::clReserveDiscard() {
    Allocate(kLargeCapacity);
    clickAction = true;
    canReceive = true;
    fan.pixelDy = -2;
    symbol = clPileSymbol::Outline;
}

clReserveDiscardOnly::clReserveDiscardOnly() {
    Allocate(1);
    clickAction = true;
    canGive = true;
}

clReserveFromStockToWaste::clReserveFromStockToWaste() {
    Allocate(1);
    clickAction = true;
    canGive = true;
    canReceive = true;
    symbol = clPileSymbol::Outline;
}

bool clReserveFromStockToWaste::AddCards(clGroup& group) {
    if (!clPile::AddCards(group)) return false;
    ShowAsWaste(*this);
    return true;
}

clReserveMoveTopCard::clReserveMoveTopCard() {
    Allocate(kLargeCapacity);
    canGive = true;
    canReceive = true;
    maxOut = 1;
    fan.pixelDy = 2;
    symbol = clPileSymbol::Outline;
}

clReserveRemoveTopCard::clReserveRemoveTopCard() {
    Allocate(kLargeCapacity);
    canGive = true;
    maxOut = 1;
    fan.pixelDy = 2;
}

clSymbolPile::clSymbolPile() {
    Allocate(1);
    inert = false;
    clickAction = true;
}

clSymbolReshuffle::clSymbolReshuffle() {
    symbol = clPileSymbol::Redeal;
    SetKey(kTab, true);
}
