#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "cards/card.h"
#include "piles/pile_symbol.h"

class clGraphics;
class clRandom;

// How cards build on a pile: the direction, and what each card's suit must
// be beside the card below it (the same suit, the other colour, or any).
enum class clBuildRule {
    DownInSuit,
    DownAlternating,
    DownAnySuit,
    UpInSuit,
    UpAlternating,
    UpAnySuit
};

// A fixed-capacity array of references to deck cards, bottom card first, with
// an anchor that holds the container's own place on the table. Groups never
// own cards; moving cards between groups moves references.
class clGroup {
public:
    // No storage: not even IsEmpty() holds until Initialize.
    clGroup() = default;
    // Throws "clGroup::clGroup" for capacity 0.
    explicit clGroup(std::uint32_t capacity);
    // A one-card group; throws "clGroup::clGroup" for a null card.
    explicit clGroup(clCard* card);
    clGroup(const clGroup& other);
    clGroup& operator=(const clGroup& other);
    virtual ~clGroup() = default;

    // Empties the group and sets its capacity, reusing storage when it is
    // large enough. False for capacity 0.
    bool Initialize(std::uint32_t capacity);
    virtual void Clear();

    // Appends a card when there is room; a full group ignores it. Yields the slot taken.
    bool Add(clCard* card, std::uint32_t* index = nullptr);
    // Appends the cards from `index` to the top onto `into`, as far as it has room.
    void CopyFrom(int index, clGroup& into) const;
    // Moves the cards from `index` to the top onto `into`. Moves nothing and
    // yields false when they do not all fit or `index` is not a card of this
    // group, so no card is ever dropped.
    bool MoveTo(clGroup& into, int index);
    void RemoveTop();
    // Replaces the cards with these, bottom first (a snapshot taken back).
    // False, changing nothing, when they do not fit.
    bool Assign(std::span<clCard* const> cards);

    std::uint32_t Count() const { return count; }
    std::uint32_t Capacity() const { return capacity; }
    clCard* At(int i) const;
    // The cards, bottom first.
    std::span<const clCard* const> Cards() const { return {slots.data(), count}; }
    clCard* Top() const { return count > 0 ? slots[count - 1] : nullptr; }
    clCard* Bottom() const { return count > 0 ? slots[0] : nullptr; }
    int TopIndex() const { return static_cast<int>(count) - 1; }
    // The card's deal index, or clCard::kNoDealIndex.
    std::int32_t TopDealIndex() const;
    std::int32_t BottomDealIndex() const;

    bool HasStorage() const { return capacity > 0; }
    bool IsEmpty() const { return HasStorage() && count == 0; }
    bool IsFull() const { return count == capacity; }
    bool IsLastSlot(int i) const { return i == static_cast<int>(capacity) - 1; }
    bool IsNextSlot(int i) const { return i == static_cast<int>(count) && !IsFull(); }
    bool NextFreeSlot(int& i) const;

    const clCard& GetAnchor() const { return anchor; }
    // Sets the anchor and marks it placed (a negative coordinate keeps the old position).
    void SetPosition(double x, double y, std::int32_t pixelX = 0, std::int32_t pixelY = 0);

    clPileSymbol Symbol() const { return symbol; }
    void SetSymbol(clPileSymbol newSymbol) { symbol = newSymbol; }
    int Key1() const { return key1; }
    int Key2() const { return key2; }
    bool LabelWhenEmpty() const { return labelWhenEmpty; }
    bool LabelHidden() const { return labelHidden; }
    void SetLabelHidden(bool hidden) { labelHidden = hidden; }
    void SetKey(int key, bool labelWhenEmpty = false);
    void SetKeys(int firstKey, int secondKey, bool labelWhenEmpty = false);
    // Whether typing `key` (after `previousKey`) selects this group.
    bool MatchesKey(int key, int previousKey) const;

    void UnplaceAll();
    void PlaceAll();
    // Fisher-Yates with the game's generator, as the deck shuffles.
    void Shuffle(clRandom& random);

    // Whether the cards from `index` to the top form a run. `stopRank` ends a
    // run and controls wrap-around: 0 wraps without end, 1 stops a downward run
    // at the ace, 13 an upward one at the king.
    bool IsRun(int index, int stopRank, clBuildRule rule) const;
    bool IsRunDownAlternating(int index, int stopRank) const;
    bool IsRunDownInSuit(int index, int stopRank) const;
    bool IsRunUpAlternating(int index, int stopRank) const;
    bool IsRunUpInSuit(int index, int stopRank) const;

    // Whether `card` may go on the top card, with the same stop ranks.
    bool CanPlace(const clCard* card, int stopRank, clBuildRule rule) const;
    bool CanPlaceDownAlternating(const clCard* card, int stopRank) const;
    bool CanPlaceDownInSuit(const clCard* card, int stopRank) const;
    bool CanPlaceDownAnySuit(const clCard* card, int stopRank) const;
    bool CanPlaceUpAlternating(const clCard* card, int stopRank) const;
    bool CanPlaceUpInSuit(const clCard* card, int stopRank) const;
    bool CanPlaceUpAnySuit(const clCard* card, int stopRank) const;

    // Symbol, cards bottom to top, then the key label.
    void Draw(clGraphics& graphics) const;
    // The top card in the selected style, then the key label.
    void DrawSelected(clGraphics& graphics) const;
    // Symbol and cards with the faces concealed behind alternating jokers.
    void DrawHidden(clGraphics& graphics) const;

protected:
    void DrawLabel(clGraphics& graphics) const;

    std::vector<clCard*> slots;
    std::uint32_t capacity = 0;
    std::uint32_t count = 0;
    clCard anchor;
    clPileSymbol symbol = clPileSymbol::None;
    int key1 = 0;
    int key2 = 0;
    bool labelWhenEmpty = false;
    bool labelHidden = false;
};
