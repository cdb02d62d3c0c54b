#pragma once

#include "variants/solitaire_game.h"

// The stock-and-waste games built on descending tableau columns.

// Seven columns dealt as a triangle, face down with the tops turned up; a
// stock dealt one card at a time to the waste, turned over without limit;
// Kings only in spaces.
class clKlondike : public clSolitaireGame {
public:
    clKlondike();
    void CreateLayout() override;
};

// Klondike dealing three cards at a time.
class clKlondikeDealThree : public clKlondike {
public:
    clKlondikeDealThree();
    void CreateLayout() override;
};

// Klondike with any card in spaces.
class clKlondikeFree : public clKlondike {
public:
    clKlondikeFree();
    void CreateLayout() override;
};

class clKlondikeFreeDealThree : public clKlondikeDealThree {
public:
    clKlondikeFreeDealThree();
    void CreateLayout() override;
};

// Two packs: eight foundations, nine columns, any card in spaces.
class clDoubleKlondike : public clKlondike {
public:
    clDoubleKlondike();
    void CreateLayout() override;
};

class clDoubleKlondikeDealThree : public clDoubleKlondike {
public:
    clDoubleKlondikeDealThree();
    void CreateLayout() override;
};

class clDoubleKlondikeKings : public clDoubleKlondike {
public:
    clDoubleKlondikeKings();
    void CreateLayout() override;
};

class clDoubleKlondikeKingsDealThree : public clDoubleKlondikeDealThree {
public:
    clDoubleKlondikeKingsDealThree();
    void CreateLayout() override;
};

// Two packs, ten columns dealt face up; builds down regardless of suit but
// moves only runs in suit; deals three.
class clLadyJane : public clDoubleKlondikeDealThree {
public:
    clLadyJane();
    void CreateLayout() override;
};

// No stock: the whole pack is dealt, and any face-up card moves with
// everything above it.
class clYukon : public clSolitaireGame {
public:
    clYukon();
    void CreateLayout() override;
    // A face-down triangle with the tops turned up, then four more face-up
    // cards on each column but the first.
    void DealCards() override;

protected:
    template <class Tableau>
    void YukonLayout();
};

// Yukon building in suit.
class clRussianSolitaire : public clYukon {
public:
    clRussianSolitaire();
    void CreateLayout() override;
};

// Seven columns of four face-up cards building in suit, any group moving.
class clAustralianPatience : public clSolitaireGame {
public:
    clAustralianPatience();
    void CreateLayout() override;
};

// The games whose foundations start at the rank of the first card dealt,
// which goes to the first foundation (DealBase).
class clDealtBaseGame : public clSolitaireGame {
protected:
    // The foundations from the base rank, and every tableau pile the given
    // stop rank.
    void ApplyBaseRank(int tableauStopRank);
};

// A reserve of thirteen and foundations from the first card's rank; a space
// is refilled from the reserve at once.
class clCanfield : public clDealtBaseGame {
public:
    clCanfield();
    void CreateLayout() override;
    void DealCards() override;
    void OnMoveCommitted(const clMove& move) override;
    bool FindMove(clMove& move) override;
    // The first part must be a valid card move; a deal from the stock may not
    // have more parts than the stock has cards.
    bool ValidateCompound(const clMove& move) override;

private:
    // Compounds of the picked whole pile to a destination and the reserve's
    // top card into the space it leaves.
    bool FindMoveWithRefill(clMove& move, std::int32_t card, const clLocation& from);

    static inline int refillIndex = 0;
};

class clCanfieldDealThree : public clCanfield {
public:
    clCanfieldDealThree();
    void CreateLayout() override;
};

// Two packs: four alternating and five in-suit columns, a reserve of
// thirteen, and foundations from the first card's rank.
class clDemonsAndThieves : public clDealtBaseGame {
public:
    clDemonsAndThieves();
    void CreateLayout() override;
    void DealCards() override;
};
