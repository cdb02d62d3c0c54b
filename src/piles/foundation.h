#pragma once

#include <cstdint>

#include "piles/group.h"
#include "piles/location.h"
#include "piles/pile.h"

// A pile on which the game collects its cards. The building rule is data:
// the build rule, the rank the first card must have and the rank that ends
// building. Games use the subclasses; variants may change the base and
// stop ranks after construction, even in the middle of a deal.
class clFoundation : public clPile {
public:
    static constexpr std::uint32_t kCapacity = 13;

    // Up in suit from the ace to the king, any number of cards at once.
    clFoundation();

    // Foundation location with the pile number and the top index (0 when empty).
    bool GetTop(clLocation& location, std::int32_t& dealIndex) const override;
    // The first moving card must have the base rank on an empty pile, or fit
    // the top card by the building rule; the cards above it are not examined.
    bool CanAccept(int index, const clGroup& moving, const clLocation& source) const override;
    // The build rule, base and stop ranks (a deal may set the base).
    void SaveState(clStateWords& words) const override;
    void RestoreState(clStateReader& words) override;

    clBuildRule BuildRule() const { return build; }
    int BaseRank() const { return baseRank; }
    int StopRank() const { return stopRank; }

    void SetBuildRule(clBuildRule rule) { build = rule; }
    // 0 lets any card start the pile. Also shows the rank's mark, or no symbol for 0.
    void SetBaseRank(int rank);
    void SetBaseRank(clRank rank) { SetBaseRank(static_cast<int>(rank)); }
    // A top card of this rank takes nothing more, and building does not wrap
    // past it; 0 wraps without end.
    void SetStopRank(int rank) { stopRank = rank; }
    void SetStopRank(clRank rank) { SetStopRank(static_cast<int>(rank)); }

protected:
    // Whether `card` may start the empty pile.
    bool FitsBase(const clCard& card) const { return baseRank == 0 || card.GetRank() == baseRank; }

    clBuildRule build = clBuildRule::UpInSuit;
    int baseRank = 1;
    int stopRank = 13;
};

// Up in suit from the ace, one card at a time: the foundation of most games.
class clFoundationUpInSuit : public clFoundation {
public:
    clFoundationUpInSuit();
};

// Up from the ace in any suit.
class clFoundationUpInSequence : public clFoundation {
public:
    clFoundationUpInSequence();
};

// Down from the king in any suit.
class clFoundationDownInSequence : public clFoundation {
public:
    clFoundationDownInSequence();
};

// Takes a whole suit at once, king to ace, onto an empty pile, and never gives.
class clFoundationWholeSuitDown : public clFoundation {
public:
    clFoundationWholeSuitDown();
    bool CanAccept(int index, const clGroup& moving, const clLocation& source) const override;
};

// Any rank in any order, one card at a time, of the suit of the bottom card.
class clFoundationInSuit : public clFoundation {
public:
    clFoundationInSuit();
    bool CanAccept(int index, const clGroup& moving, const clLocation& source) const override;
};

// One up or one down in any suit, wrapping round, one card at a time; it never
// completes by rank, only by its capacity.
class clFoundationInSequence : public clFoundation {
public:
    clFoundationInSequence();
    bool CanAccept(int index, const clGroup& moving, const clLocation& source) const override;
};
