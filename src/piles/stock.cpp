#include "piles/stock.h"

namespace {

constexpr int kTab = 9;

void TurnAll(clGroup& pile, bool faceDown) {
    for (int i = 0; i < static_cast<int>(pile.Count()); ++i)
        pile.At(i)->faceDown = faceDown;
}

}  // namespace

clStock::clStock() {
    Allocate(kLargeCapacity);
    inert = false;
    clickAction = true;
}

bool clStock::AddCards(clGroup& group) {
    if (!clPile::AddCards(group)) return false;
    TurnAll(*this, true);
    return true;
}

bool clStock::GetTop(clLocation& location, std::int32_t& dealIndex) const {
    location = clLocation::Single(clLocationKind::Stock, count > 0 ? TopIndex() : 0);
    dealIndex = TopDealIndex();
    return count > 0;
}

clStockDealOnly::clStockDealOnly() {
    canGive = true;
    SetKey(kTab);
}

clStockToWaste::clStockToWaste() {
    canGive = true;
    canReceive = true;
    symbol = clPileSymbol::Redeal;
    SetKey(kTab, true);
}

bool clStockToWaste::PickUp(int index, const clLocation& destination, clGroup& into) const {
    return destination.kind == dealsTo && clStock::PickUp(index, destination, into);
}

void clStockToWaste::CountPass() {
    clStock::CountPass();
    if (passes == passLimit) symbol = clPileSymbol::NoRedeal;
}

clStockToReserve::clStockToReserve() {
    dealsTo = clLocationKind::Reserve;
}

clStockToWasteOnly::clStockToWasteOnly() {
    symbol = clPileSymbol::NoRedeal;
    SetKey(kTab, false);
}

bool clStockToWasteOpen::AddCards(clGroup& group) {
    if (!clPile::AddCards(group)) return false;
    TurnAll(*this, false);
    return true;
}

void clStock::SaveState(clStateWords& words) const {
    clPile::SaveState(words);
    words.insert(words.end(),
                 {static_cast<std::int32_t>(passes), static_cast<std::int32_t>(passLimit)});
}

void clStock::RestoreState(clStateReader& words) {
    clPile::RestoreState(words);
    passes = static_cast<std::uint32_t>(words.Next());
    passLimit = static_cast<std::uint32_t>(words.Next());
}
