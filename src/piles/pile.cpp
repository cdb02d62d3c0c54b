#include "piles/pile.h"

#include "graphics/graphics.h"
#include "toolkit/operation_error.h"

void clPile::Allocate(std::uint32_t newCapacity) {
    if (!Initialize(newCapacity)) throw clOperationError("clGroup::Initialize");
}

void clPile::Clear() {
    clGroup::Clear();
}

bool clPile::AddCards(clGroup& group) {
    if (group.Count() == 0) return true;
    if (!group.MoveTo(*this, 0)) return false;
    Arrange();
    return true;
}

bool clPile::GiveCards(clGroup& into, int index) {
    const bool moved = MoveTo(into, index);
    Arrange();
    return moved;
}

void clPile::Arrange() {
    LayOut(false);
}

void clPile::LayOut(bool topAtAnchor) {
    if (!anchor.placed) return;
    double dx = fan.dx;
    double dy = fan.dy;
    if (count > 1 && fan.limit >= 0.01) {
        const double step = fan.limit / count;
        if (dx > step) dx = step;
        if (dy > step) dy = step;
    }
    for (std::uint32_t i = 0; i < count; ++i) {
        clCard* card = slots[i];
        if (card == nullptr) continue;
        const std::uint32_t steps = topAtAnchor ? count - 1 - i : i;
        card->x = anchor.x + steps * dx;
        card->y = anchor.y + steps * dy;
        card->offsetX = anchor.offsetX + static_cast<std::int32_t>(steps) * fan.pixelDx;
        card->offsetY = anchor.offsetY + static_cast<std::int32_t>(steps) * fan.pixelDy;
    }
}

bool clPile::GetTop(clLocation& location, std::int32_t& dealIndex) const {
    location = clLocation{};
    if (count == 0) return false;
    dealIndex = slots[count - 1]->dealIndex;
    return true;
}

bool clPile::MayGiveFrom(int index) const {
    if (inert || !canGive) return false;
    if (index < 0 || static_cast<std::uint32_t>(index) >= count) return false;
    return maxOut == 0 || count - static_cast<std::uint32_t>(index) <= maxOut;
}

bool clPile::PickUp(int index, const clLocation& destination, clGroup& into) const {
    (void)destination;
    if (!MayGiveFrom(index)) return false;
    if (slots[static_cast<std::size_t>(index)]->blocked) return false;
    CopyFrom(index, into);
    return true;
}

// Refuses a group that would not fit, so AddCards never has to drop cards.
bool clPile::CanAccept(int index, const clGroup& moving, const clLocation& source) const {
    (void)source;
    if (inert || !canReceive) return false;
    if (index < 0 || static_cast<std::uint32_t>(index) != count || !IsNextSlot(index)) return false;
    if (moving.Count() > capacity - count) return false;
    return maxIn == 0 || moving.Count() <= maxIn;
}

bool clPile::CanPickUp(int index) const {
    return MayGiveFrom(index);
}

bool clPile::HitCard(const clGraphics& graphics, clPoint point, int& index) const {
    for (int i = static_cast<int>(count) - 1; i >= 0; --i) {
        const clCard& card = *slots[static_cast<std::size_t>(i)];
        if (card.blocked) continue;
        const auto rect = graphics.CardRect(card);
        if (rect && rect->Contains(point)) {
            index = i;
            return true;
        }
    }
    return false;
}

bool clPile::HitEmpty(const clGraphics& graphics, clPoint point) const {
    if (count != 0) return false;
    const auto rect = graphics.CardRect(anchor);
    return rect && rect->Contains(point);
}

void clPile::SaveState(clStateWords& words) const {
    words.insert(words.end(),
                 {static_cast<std::int32_t>(symbol), labelHidden, inert, clickAction, canGive,
                  canReceive, static_cast<std::int32_t>(maxIn), static_cast<std::int32_t>(maxOut)});
}

void clPile::RestoreState(clStateReader& words) {
    symbol = static_cast<clPileSymbol>(words.Next());
    labelHidden = words.NextBool();
    inert = words.NextBool();
    clickAction = words.NextBool();
    canGive = words.NextBool();
    canReceive = words.NextBool();
    maxIn = static_cast<std::uint32_t>(words.Next());
    maxOut = static_cast<std::uint32_t>(words.Next());
}
