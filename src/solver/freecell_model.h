#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "engine/move.h"
#include "engine/solitaire_type.h"

class clSolitaireRules;

// The open games of the FreeCell family (FreeCell, Baker's Game, Eight Off,
// Sea Towers, Penguin, Beleaguered Castle and their versions) as a compact
// model: the same moves the game's piles accept, the same multi-card limits
// and the same automatic play, on plain byte arrays a search can copy and
// hash cheaply. It is read from a live screen and never changes it.

// Where a card lies in the model.
enum class clSpot : std::uint8_t { Column, Cell, Foundation };

// A move of the model: the top `count` cards of one pile onto another.
struct clFamilyMove {
    clSpot fromSpot = clSpot::Column;
    std::uint8_t from = 0;
    clSpot toSpot = clSpot::Column;
    std::uint8_t to = 0;
    std::uint8_t count = 1;
    friend bool operator==(const clFamilyMove&, const clFamilyMove&) = default;
};

// A position. Cards are numbered 1..N (0: none); a column lists its cards
// bottom first; a cell or a foundation holds its top card or 0.
struct clFamilyState {
    static constexpr int kMaxColumns = 12;
    static constexpr int kMaxColumnCards = 40;
    static constexpr int kMaxCells = 10;
    static constexpr int kMaxFoundations = 8;

    std::array<std::uint8_t, kMaxColumns> length{};
    std::array<std::array<std::uint8_t, kMaxColumnCards>, kMaxColumns> column{};
    std::array<std::uint8_t, kMaxCells> cell{};
    std::array<std::uint8_t, kMaxFoundations> foundation{};
    // Each column's hash, kept up to date by the model's moves.
    std::array<std::uint64_t, kMaxColumns> columnKeyA{};
    std::array<std::uint64_t, kMaxColumns> columnKeyB{};
};

// A 128-bit key of a position, the same for positions that differ only in
// the order of their columns or of their cells.
struct clFamilyKey {
    std::uint64_t a = 0;
    std::uint64_t b = 0;
    friend bool operator==(const clFamilyKey&, const clFamilyKey&) = default;
};

class clFamilyModel {
public:
    // The model of the game on the screen with these options, and its
    // position; nullopt when the game is not one of the family, or its table
    // holds what the model cannot (a face-down card, a pile of another kind).
    static std::optional<clFamilyModel> Read(const clSolitaireRules& game,
                                             const clPlayOptions& options);
    const clFamilyState& Start() const { return start; }

    int Columns() const { return columns; }
    int Cells() const { return cells; }
    int Foundations() const { return foundations; }
    int CardTotal() const { return cardTotal; }
    int Decks() const { return decks; }

    // Every move the game would accept: multi-card moves of every length the
    // limits allow, to every pile that takes them.
    void LegalMoves(const clFamilyState& state, std::vector<clFamilyMove>& out) const;
    // The same without moves that only give a position with the same key (a
    // card from one cell to an empty one, a whole column into an empty one).
    void SearchMoves(const clFamilyState& state, std::vector<clFamilyMove>& out) const;
    // Plays a legal move as the player's: the move, then the game's automatic
    // play when it is on.
    void Play(clFamilyState& state, const clFamilyMove& move) const;
    // A foundation move no winning line can need to postpone: the card's
    // followers are all up already. Played as the player's, it lets the
    // search skip the positions before it. Nullopt when none.
    std::optional<clFamilyMove> SafeMove(const clFamilyState& state) const;

    bool IsWon(const clFamilyState& state) const;
    clFamilyKey Key(const clFamilyState& state) const;
    // Hashes every column again, after the state was changed by hand.
    void Rehash(clFamilyState& state) const;

    // The card of the model's number, as the deal knows it.
    std::int32_t DealIndex(std::uint8_t card) const { return dealIndex[card]; }
    int Rank(std::uint8_t card) const { return rank[card]; }
    int Suit(std::uint8_t card) const { return suit[card]; }
    // How far up its foundation a card goes: 0 for the base rank.
    int Order(std::uint8_t card) const { return order[card]; }
    // The cards on a foundation whose top is this card (0: none).
    int FoundationHeight(std::uint8_t top) const { return top ? order[top] + 1 : 0; }
    // Whether `card` may lie on `below` in a column.
    bool Fits(std::uint8_t card, std::uint8_t below) const {
        return (fits[std::size_t{below} * 256 + card] & kFits) != 0;
    }
    // Whether the card one up from `below` in a column continues its run.
    bool Follows(std::uint8_t card, std::uint8_t below) const {
        return (fits[std::size_t{below} * 256 + card] & kFollows) != 0;
    }

    // The move as the game's history records it, on the table of `state`.
    clMove ToMove(const clFamilyState& state, const clFamilyMove& move) const;

private:
    enum class clRule : std::uint8_t { InSuit, Alternating, AnySuit };
    enum class clLimits : std::uint8_t { Fixed, CellCounting, KingsCellCounting };
    enum class clAuto : std::uint8_t { Off, Plain, Safe };
    // The piles the game's automatic play searches, in its order.
    struct clSource {
        clSpot spot;
        std::uint8_t index;
    };

    static constexpr std::uint8_t kFits = 1;
    static constexpr std::uint8_t kFollows = 2;

    bool SuitsFit(clRule rule, std::uint8_t card, std::uint8_t below) const;
    // The most cards a column gives and takes, by its length and the empty
    // cells and columns.
    int ColumnLimit(int length, int fixed, int emptyCells, int emptyColumns) const;
    void HashColumn(clFamilyState& state, int c) const;
    // Whether a foundation with this top card (0: empty) takes the card.
    bool Takes(std::uint8_t top, std::uint8_t card) const;
    // Which foundation takes the card, by the game's search order; -1: none.
    int FoundationFor(const clFamilyState& state, std::uint8_t card) const;
    void Apply(clFamilyState& state, const clFamilyMove& move) const;
    void AutoPlay(clFamilyState& state) const;
    void Moves(const clFamilyState& state, std::vector<clFamilyMove>& out, bool all) const;

    int columns = 0;
    int cells = 0;
    int foundations = 0;
    int cardTotal = 0;
    int decks = 1;
    clRule accept = clRule::Alternating;  // what a column takes
    clRule run = clRule::Alternating;     // what leaves a column together
    int columnStop = 1;                   // a column top of this rank takes nothing
    int emptyRank = 0;                    // 0: any card starts a column
    clLimits limits = clLimits::Fixed;
    int fixedIn = 0;  // Fixed limits, 0: none
    int fixedOut = 0;
    int baseRank = 1;
    int foundationStop = 13;
    bool foundationsGive = true;
    clAuto autoPlay = clAuto::Off;
    std::vector<clSource> autoOrder;

    std::array<std::int32_t, 256> dealIndex{};
    std::array<std::uint8_t, 256> rank{};
    std::array<std::uint8_t, 256> suit{};
    std::array<std::uint8_t, 256> colour{};
    std::array<std::uint8_t, 256> order{};
    std::array<std::uint64_t, 256> face{};  // the same for both packs' copies of a card
    // A card's share of the key in a cell and on a foundation.
    std::array<clFamilyKey, 256> cellKey{};
    std::array<clFamilyKey, 256> foundationKey{};
    std::array<std::uint8_t, 256> under{};  // one pack: the card below it on its foundation
    std::array<std::uint8_t, 5> suitColour{};
    std::vector<std::uint8_t> fits = std::vector<std::uint8_t>(256 * 256);  // by below, card
    clFamilyState start;
};
