#include "piles/waste.h"

void ShowAsWaste(clGroup& pile) {
    for (int i = 0; i < static_cast<int>(pile.Count()); ++i)
        pile.At(i)->faceDown = false;
    if (clCard* top = pile.Top()) top->blocked = false;
}

clWaste::clWaste() {
    Allocate(kLargeCapacity);
    inert = false;
    canGive = true;
    canReceive = true;
    maxIn = maxOut = 1;
}

bool clWaste::AddCards(clGroup& group) {
    if (!clPile::AddCards(group)) return false;
    ShowAsWaste(*this);
    return true;
}

bool clWaste::GetTop(clLocation& location, std::int32_t& dealIndex) const {
    location = clLocation::Single(clLocationKind::Waste, count > 0 ? TopIndex() : 0);
    dealIndex = TopDealIndex();
    return count > 0;
}

clWasteDiscard::clWasteDiscard() {
    canGive = false;
}

clWasteFromStock::clWasteFromStock() {
    symbol = clPileSymbol::Outline;
    SetKey('W');
}

bool clWasteFromStock::CanAccept(int index, const clGroup& moving, const clLocation& source) const {
    return source.kind == takesFrom && clWaste::CanAccept(index, moving, source);
}

clWasteFromStockSelect::clWasteFromStockSelect() {
    clickAction = true;
}

clWasteFromStockSingle::clWasteFromStockSingle() {
    Allocate(1);
}

clWasteFromReserveSelect::clWasteFromReserveSelect() {
    clickAction = true;
    takesFrom = clLocationKind::Reserve;
}
