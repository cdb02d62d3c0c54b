#include "piles/group.h"

#include <algorithm>
#include <new>
#include <utility>

#include "cards/random.h"
#include "graphics/graphics.h"
#include "toolkit/operation_error.h"

clGroup::clGroup(std::uint32_t capacity) {
    if (capacity == 0) throw clOperationError("clGroup::clGroup");
    if (!Initialize(capacity)) throw clOperationError("clGroup::Initialize");
}

clGroup::clGroup(clCard* card) {
    if (card == nullptr) throw clOperationError("clGroup::clGroup");
    Initialize(1);
    Add(card);
}

clGroup::clGroup(const clGroup& other)
    : slots(other.slots),
      capacity(other.capacity),
      count(other.count),
      anchor(other.anchor),
      symbol(other.symbol),
      key1(other.key1),
      key2(other.key2),
      labelWhenEmpty(other.labelWhenEmpty),
      labelHidden(other.labelHidden) {}

clGroup& clGroup::operator=(const clGroup& other) {
    if (this == &other) return *this;
    if (other.capacity > 0 && !Initialize(other.capacity)) {
        throw clOperationError("clGroup::operator=");
    }
    slots = other.slots;
    capacity = other.capacity;
    count = other.count;
    anchor = other.anchor;
    symbol = other.symbol;
    key1 = other.key1;
    key2 = other.key2;
    labelWhenEmpty = other.labelWhenEmpty;
    labelHidden = other.labelHidden;
    return *this;
}

bool clGroup::Initialize(std::uint32_t newCapacity) {
    if (newCapacity == 0) return false;
    try {
        slots.assign(newCapacity, nullptr);
    } catch (const std::bad_alloc&) {
        slots.clear();
        capacity = count = 0;
        return false;
    }
    capacity = newCapacity;
    count = 0;
    return true;
}

void clGroup::Clear() {
    std::fill(slots.begin(), slots.end(), nullptr);
    count = 0;
}

bool clGroup::Assign(std::span<clCard* const> cards) {
    if (cards.size() > capacity) return false;
    std::copy(cards.begin(), cards.end(), slots.begin());
    for (std::size_t i = cards.size(); i < count; ++i)
        slots[i] = nullptr;
    count = static_cast<std::uint32_t>(cards.size());
    return true;
}

bool clGroup::Add(clCard* card, std::uint32_t* index) {
    if (card == nullptr || count >= capacity) return false;
    if (index) *index = count;
    slots[count++] = card;
    return true;
}

void clGroup::CopyFrom(int index, clGroup& into) const {
    if (index < 0) return;
    for (auto i = static_cast<std::uint32_t>(index); i < count; ++i) {
        if (!into.Add(slots[i])) break;
    }
}

bool clGroup::MoveTo(clGroup& into, int index) {
    if (index < 0 || static_cast<std::uint32_t>(index) >= count) return false;
    const auto first = static_cast<std::uint32_t>(index);
    if (&into == this || into.capacity - into.count < count - first) return false;
    for (std::uint32_t i = first; i < count; ++i) {
        into.Add(slots[i]);
        slots[i] = nullptr;
    }
    count = first;
    return true;
}

void clGroup::RemoveTop() {
    if (count == 0) return;
    slots[--count] = nullptr;
}

clCard* clGroup::At(int i) const {
    if (i < 0 || static_cast<std::uint32_t>(i) >= count) return nullptr;
    return slots[static_cast<std::size_t>(i)];
}

std::int32_t clGroup::TopDealIndex() const {
    const clCard* card = Top();
    return card ? card->dealIndex : clCard::kNoDealIndex;
}

std::int32_t clGroup::BottomDealIndex() const {
    const clCard* card = Bottom();
    return card ? card->dealIndex : clCard::kNoDealIndex;
}

bool clGroup::NextFreeSlot(int& i) const {
    if (!HasStorage() || IsFull()) return false;
    i = static_cast<int>(count);
    return true;
}

void clGroup::SetPosition(double x, double y, std::int32_t pixelX, std::int32_t pixelY) {
    anchor.SetPosition(x, y, pixelX, pixelY);
    anchor.placed = true;
}

void clGroup::SetKey(int key, bool whenEmpty) {
    SetKeys(key, 0, whenEmpty);
}

void clGroup::SetKeys(int firstKey, int secondKey, bool whenEmpty) {
    key1 = firstKey;
    key2 = secondKey;
    labelWhenEmpty = whenEmpty;
}

// A group without a key is chosen by no character, not even character 0.
bool clGroup::MatchesKey(int key, int previousKey) const {
    if (labelHidden || key1 == 0) return false;
    if (key2 == 0) return key == key1;
    return key == key2 && previousKey == key1;
}

void clGroup::UnplaceAll() {
    for (std::uint32_t i = 0; i < count; ++i)
        slots[i]->placed = false;
}

void clGroup::PlaceAll() {
    for (std::uint32_t i = 0; i < count; ++i)
        slots[i]->placed = true;
}

void clGroup::Shuffle(clRandom& random) {
    int i = static_cast<int>(count);
    while (i > 0) {
        const int j = random.Next(0, i);
        --i;
        if (j != i)
            std::swap(slots[static_cast<std::size_t>(i)], slots[static_cast<std::size_t>(j)]);
    }
}

namespace {

bool IsDown(clBuildRule rule) {
    return rule == clBuildRule::DownInSuit || rule == clBuildRule::DownAlternating ||
           rule == clBuildRule::DownAnySuit;
}

// Whether `card` may lie on `below` by the rule's suit rule.
bool SuitsFit(const clCard& card, const clCard& below, clBuildRule rule) {
    switch (rule) {
        case clBuildRule::DownInSuit:
        case clBuildRule::UpInSuit:
            return card.GetSuit() == below.GetSuit();
        case clBuildRule::DownAlternating:
        case clBuildRule::UpAlternating:
            return card.GetColour() != below.GetColour();
        case clBuildRule::DownAnySuit:
        case clBuildRule::UpAnySuit:
            break;
    }
    return true;
}

// The rank that follows `rank` in a build, wrapping round between king and ace.
int Step(int rank, clBuildRule rule) {
    return IsDown(rule) ? RankBelow(rank) : RankAbove(rank);
}

}  // namespace

bool clGroup::IsRun(int index, int stopRank, clBuildRule rule) const {
    if (index < 0 || static_cast<std::uint32_t>(index) >= count || stopRank > 13) return false;
    for (auto i = static_cast<std::uint32_t>(index) + 1; i < count; ++i) {
        const clCard& below = *slots[i - 1];
        const clCard& card = *slots[i];
        if (!SuitsFit(card, below, rule) || below.GetRank() == stopRank ||
            card.GetRank() != Step(below.GetRank(), rule)) {
            return false;
        }
    }
    return true;
}

bool clGroup::IsRunDownAlternating(int index, int stopRank) const {
    return IsRun(index, stopRank, clBuildRule::DownAlternating);
}
bool clGroup::IsRunDownInSuit(int index, int stopRank) const {
    return IsRun(index, stopRank, clBuildRule::DownInSuit);
}
bool clGroup::IsRunUpAlternating(int index, int stopRank) const {
    return IsRun(index, stopRank, clBuildRule::UpAlternating);
}
bool clGroup::IsRunUpInSuit(int index, int stopRank) const {
    return IsRun(index, stopRank, clBuildRule::UpInSuit);
}

bool clGroup::CanPlace(const clCard* card, int stopRank, clBuildRule rule) const {
    const clCard* top = Top();
    if (card == nullptr || stopRank > 13 || top == nullptr) return false;
    if (!SuitsFit(*card, *top, rule) || top->GetRank() == stopRank) return false;
    return card->GetRank() == Step(top->GetRank(), rule);
}

bool clGroup::CanPlaceDownAlternating(const clCard* card, int stopRank) const {
    return CanPlace(card, stopRank, clBuildRule::DownAlternating);
}
bool clGroup::CanPlaceDownInSuit(const clCard* card, int stopRank) const {
    return CanPlace(card, stopRank, clBuildRule::DownInSuit);
}
bool clGroup::CanPlaceDownAnySuit(const clCard* card, int stopRank) const {
    return CanPlace(card, stopRank, clBuildRule::DownAnySuit);
}
bool clGroup::CanPlaceUpAlternating(const clCard* card, int stopRank) const {
    return CanPlace(card, stopRank, clBuildRule::UpAlternating);
}
bool clGroup::CanPlaceUpInSuit(const clCard* card, int stopRank) const {
    return CanPlace(card, stopRank, clBuildRule::UpInSuit);
}
bool clGroup::CanPlaceUpAnySuit(const clCard* card, int stopRank) const {
    return CanPlace(card, stopRank, clBuildRule::UpAnySuit);
}

void clGroup::Draw(clGraphics& graphics) const {
    graphics.DrawSymbol(anchor, static_cast<int>(symbol));
    for (std::uint32_t i = 0; i < count; ++i)
        graphics.DrawCard(*slots[i]);
    DrawLabel(graphics);
}

void clGroup::DrawSelected(clGraphics& graphics) const {
    if (const clCard* top = Top()) graphics.HighlightCard(*top);
    DrawLabel(graphics);
}

void clGroup::DrawHidden(clGraphics& graphics) const {
    graphics.DrawSymbol(anchor, static_cast<int>(symbol));
    bool firstJoker = true;
    for (std::uint32_t i = 0; i < count; ++i) {
        const clCard& card = *slots[i];
        if (card.faceDown) {
            graphics.DrawCard(card);
        } else {
            graphics.DrawCardFace(card, firstJoker ? clCard::kFirstJoker : clCard::kSecondJoker);
        }
        firstJoker = !firstJoker;
    }
}

void clGroup::DrawLabel(clGraphics& graphics) const {
    if (!graphics.ShowKeyLabels() || key1 == 0 || labelHidden) return;
    const clCard* at = Top();
    if (at == nullptr) {
        if (!labelWhenEmpty) return;
        at = &anchor;
    }
    if (key2 == 0) {
        graphics.DrawKeyLabel(*at, key1);
    } else {
        graphics.DrawKeyLabels(*at, key1, key2);
    }
}
