#pragma once

#include <cstdint>

#include "graphics/table_coords.h"
#include "piles/group.h"
#include "piles/location.h"
#include "piles/state_words.h"

class clGraphics;

// How a pile fans its cards out: the step per card in card units and pixels,
// and the longest total fan in card units (below 0.01: no limit).
struct clFan {
    double limit = 0.0;
    double dx = 0.0;
    double dy = 0.0;
    std::int32_t pixelDx = 0;
    std::int32_t pixelDy = 0;
    friend bool operator==(const clFan&, const clFan&) = default;
};

// What a tableau pile contributes to scoring: emptying a `counting` pile earns
// the pile-cleared bonuses; `rowValue` multiplies row points; `requiredRank`
// belongs at the pile's bottom or row position; `rowLength` marks the first
// pile of a row scored as a sequence.
struct clTableauScoring {
    bool counting = false;
    std::uint32_t rowValue = 0;
    std::uint32_t requiredRank = 0;
    std::uint32_t rowLength = 0;
    friend bool operator==(const clTableauScoring&, const clTableauScoring&) = default;
};

// A card container on the table. The rules engine asks a pile, through its
// virtual operations, what may leave it, what it may take and where its cards
// lie; the pile families override them and variants adjust the settings.
//
// A newly constructed clPile is inert and has no storage.
class clPile : public clGroup {
public:
    // Enough for four packs plus a margin.
    static constexpr std::uint32_t kLargeCapacity = 216;

    clPile() = default;

    void Clear() override;
    // Moves every card of the group onto the top, leaving the group empty, then
    // arranges. Adds nothing (and leaves the group as it was) when the cards
    // would not all fit.
    virtual bool AddCards(clGroup& group);
    // Moves the cards from `index` to the top into the group, then arranges.
    virtual bool GiveCards(clGroup& into, int index);
    // Lays the cards out along the fan from the anchor.
    virtual void Arrange();
    // Offers the top card: its location and deal index. False when empty.
    virtual bool GetTop(clLocation& location, std::int32_t& dealIndex) const;
    // Whether the cards from `index` up may leave towards `destination`; copies them into `into`.
    virtual bool PickUp(int index, const clLocation& destination, clGroup& into) const;
    // Whether the group from `source` may be put at position `index`.
    virtual bool CanAccept(int index, const clGroup& moving, const clLocation& source) const;
    // The checks of PickUp except the blocked test, without copying.
    virtual bool CanPickUp(int index) const;

    // What play may change of the pile besides its cards (its symbol,
    // whether it takes part, and in the families their own: a stock's
    // passes, a foundation's base rank), for a table snapshot. A family
    // with state of its own appends it after its base's.
    virtual void SaveState(clStateWords& words) const;
    virtual void RestoreState(clStateReader& words);

    // The highest unblocked card containing the point; needs a display.
    bool HitCard(const clGraphics& graphics, clPoint point, int& index) const;
    // The empty pile's own outline contains the point; needs a display.
    bool HitEmpty(const clGraphics& graphics, clPoint point) const;

    bool IsInert() const { return inert; }
    bool IsClickAction() const { return clickAction; }
    bool CanGive() const { return canGive; }
    bool CanReceive() const { return canReceive; }
    std::uint32_t MaxIn() const { return maxIn; }
    std::uint32_t MaxOut() const { return maxOut; }
    std::uint32_t PileNumber() const { return pileNumber; }
    const clFan& Fan() const { return fan; }
    const clTableauScoring& Scoring() const { return scoring; }

    void SetInert(bool on) { inert = on; }
    void SetClickAction(bool on) { clickAction = on; }
    void SetCanGive(bool on) { canGive = on; }
    void SetCanReceive(bool on) { canReceive = on; }
    // 0 means no limit.
    void SetMaxIn(std::uint32_t n) { maxIn = n; }
    void SetMaxOut(std::uint32_t n) { maxOut = n; }
    void SetPileNumber(std::uint32_t n) { pileNumber = n; }
    void SetFan(const clFan& newFan) { fan = newFan; }
    void SetFanLimit(double limit) { fan.limit = limit; }
    void SetScoring(const clTableauScoring& newScoring) { scoring = newScoring; }

protected:
    // Allocates storage; throws "clGroup::Initialize" when it cannot.
    void Allocate(std::uint32_t newCapacity);
    // Places card i at the anchor plus i fan steps, or with `topAtAnchor`
    // the top card at the anchor and each card below it one step further.
    void LayOut(bool topAtAnchor);
    // Whether `index` names a card this pile may give (not inert, can give,
    // within max out).
    bool MayGiveFrom(int index) const;

    bool inert = true;
    bool clickAction = false;
    bool canGive = false;
    bool canReceive = false;
    std::uint32_t maxIn = 0;
    std::uint32_t maxOut = 0;
    std::uint32_t pileNumber = 0;
    clFan fan;
    clTableauScoring scoring;
};
