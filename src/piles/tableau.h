#pragma once

#include <cstdint>

#include "piles/group.h"
#include "piles/location.h"
#include "piles/pile.h"

// A tableau pile: a working column, fan or single-card space. The building
// rule is data (the build rule, free pick-up, the rank that starts an empty
// pile, the stop rank); the subclasses fix that data, change the fan or
// replace the acceptance rule. How many cards move at once is the variant's
// business: a pile only enforces its max in and max out.
class clStore : public clPile {
public:
    // Not inert; gives and receives without limits; fanned down 0.2 card
    // heights; builds down in suit; no rank needed in an empty pile; nothing
    // goes on an ace.
    clStore();

    // Tableau location with the pile number and top index (0 when empty, then false).
    bool GetTop(clLocation& location, std::int32_t& dealIndex) const override;
    // The cards from `index` up must form a movable run, then the pile tests.
    bool PickUp(int index, const clLocation& destination, clGroup& into) const override;
    // An empty pile takes a card of the empty rank; otherwise the bottom card
    // of the group must fit on the top card. Then the pile tests (room, max in).
    bool CanAccept(int index, const clGroup& moving, const clLocation& source) const override;
    bool CanPickUp(int index) const override;
    // The build rule, free moves, empty and stop ranks.
    void SaveState(clStateWords& words) const override;
    void RestoreState(clStateReader& words) override;

    clBuildRule BuildRule() const { return build; }
    bool IsFree() const { return freeMoves; }
    int EmptyRank() const { return emptyRank; }
    int StopRank() const { return stopRank; }

    // How cards build on the pile, and how the runs that leave it are ordered.
    void SetBuildRule(clBuildRule rule) { build = rule; }
    // On: any group from any index may be picked up, ordered or not.
    void SetFree(bool on) { freeMoves = on; }
    // 0 lets any card start an empty pile. The symbol becomes the rank's mark
    // (rank + 2), or none for 0.
    void SetEmptyRank(int rank);
    void SetEmptyRank(clRank rank) { SetEmptyRank(static_cast<int>(rank)); }
    // A top card of this rank takes nothing, and runs do not wrap past it; 0 wraps without end.
    void SetStopRank(int rank) { stopRank = rank; }

protected:
    // Whether `card` may start the empty pile.
    bool FitsEmpty(const clCard* card) const;
    // Whether `card` may go on the top card, by the build rule.
    bool FitsOnTop(const clCard* card) const;
    // Whether the cards from `index` up may leave together.
    bool IsMovableRun(int index) const;
    // The acceptance rule of the down-in-any-suit builders.
    bool CanAcceptDownAnySuit(int index, const clGroup& moving, const clLocation& source) const;

    clBuildRule build = clBuildRule::DownInSuit;
    bool freeMoves = false;
    int emptyRank = 0;
    int stopRank = 1;
};

// Builds down in alternating colours; moves ordered runs.
class clTableauDownAlternating : public clStore {
public:
    clTableauDownAlternating();
};

// Builds down in alternating colours; any group leaves.
class clTableauDownAlternatingFree : public clTableauDownAlternating {
public:
    clTableauDownAlternatingFree();
    bool PickUp(int index, const clLocation& destination, clGroup& into) const override;
};

// Builds and moves down in suit.
class clTableauDownInSuit : public clStore {
public:
    clTableauDownInSuit();
};

// Builds down in suit; any group leaves.
class clTableauDownInSuitFree : public clTableauDownInSuit {
public:
    clTableauDownInSuitFree();
    bool PickUp(int index, const clLocation& destination, clGroup& into) const override;
};

// Stacked cards, one at a time, down in suit; an emptied pile stays empty.
class clTableauDownInSuitNoSpace : public clStore {
public:
    clTableauDownInSuitNoSpace();
    bool CanAccept(int index, const clGroup& moving, const clLocation& source) const override;
};

// Builds down in any suit but moves only runs in suit.
class clTableauDownMoveInSuit : public clStore {
public:
    clTableauDownMoveInSuit();
    bool CanAccept(int index, const clGroup& moving, const clLocation& source) const override;
};

// Takes cards only while empty; gives its top card.
class clTableauMoveOnlyToSpace : public clStore {
public:
    clTableauMoveOnlyToSpace();
    bool CanAccept(int index, const clGroup& moving, const clLocation& source) const override;
};

// A column whose cards the variant discards by clicks.
class clTableauDiscardOnly : public clStore {
public:
    clTableauDiscardOnly();
};

// Takes any card while the point total stays at most 21; gives nothing.
class clTableauBlackJack : public clStore {
public:
    static constexpr int kMostPoints = 21;

    clTableauBlackJack();
    bool CanAccept(int index, const clGroup& moving, const clLocation& source) const override;

    // Ace 1, two to ten their rank, court cards 10.
    static int Points(const clCard& card);
    // A pile's total: its cards' points, plus 10 when it holds an ace and
    // that does not pass 21.
    static int Total(const clGroup& pile);
};

// A row fanned to the right, building down in suit one card at a time.
class clTableauFan : public clStore {
public:
    clTableauFan();
};

// A fan building down in any suit.
class clTableauFanDownInSequence : public clTableauFan {
public:
    clTableauFanDownInSequence();
    bool CanAccept(int index, const clGroup& moving, const clLocation& source) const override;
};

// A fan whose first four cards spread and the rest close up by pixels; an
// emptied fan stays empty.
class clTableauFanDownInSuit : public clTableauFan {
public:
    clTableauFanDownInSuit();
    // Card 0 on the anchor; x steps by fan dx up to card 3, then pixel x by
    // fan pixel dx; y and pixel y step every card. The fan limit is not used.
    void Arrange() override;
    bool CanAccept(int index, const clGroup& moving, const clLocation& source) const override;
};

// The compressed fan with the ordinary acceptance rule, spaces included.
class clTableauFanBase : public clTableauFanDownInSuit {
public:
    clTableauFanBase() = default;
    bool CanAccept(int index, const clGroup& moving, const clLocation& source) const override;
};

// A fan that only gives.
class clTableauFanSourceOnly : public clTableauFan {
public:
    clTableauFanSourceOnly();
};

// A fan without transfer limits whose cards the variant discards by clicks.
class clTableauFanDiscard : public clStore {
public:
    clTableauFanDiscard();
};

// A space for one card.
class clTableauSingle : public clStore {
public:
    clTableauSingle();
};

// A one-card space that takes part only through the variant's click action.
class clTableauSingleDiscard : public clStore {
public:
    clTableauSingleDiscard();
};

// A one-card space with a click action.
class clTableauSingleQuick : public clStore {
public:
    clTableauSingleQuick();
};
