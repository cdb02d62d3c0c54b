#pragma once

#include <cstdint>

// The suits, ranks and colours, numbered as the card value encodes them.
enum class clSuit { Clubs = 1, Diamonds, Hearts, Spades };
enum class clRank {
    Ace = 1,
    Two,
    Three,
    Four,
    Five,
    Six,
    Seven,
    Eight,
    Nine,
    Ten,
    Jack,
    Queen,
    King
};
enum class clColour { Black = 1, Red };

// The rank one above or below, wrapping round between King and Ace.
int RankAbove(int rank);
int RankBelow(int rank);

// One physical card, owned by the deck. Piles hold pointers to deck cards.
//
// Value encoding: (suit - 1) * 13 + (rank - 1) for suits 1..4 (clubs, diamonds,
// hearts, spades) and ranks 1..13 (ace .. king); 52 and 53 are the jokers and
// 54 is "no card", the value of a fresh record.
class clCard {
public:
    static constexpr std::int32_t kNoCard = 54;
    static constexpr std::int32_t kFirstJoker = 52;
    static constexpr std::int32_t kSecondJoker = 53;
    // "No card" for deal indexes: a real index in games of two or more packs can be 54.
    static constexpr std::int32_t kNoDealIndex = -1;

    bool placed = false;    // has a position on the table
    bool faceDown = false;  // shows its back
    bool blocked = false;   // may not be picked up, clicked or paired
    std::int32_t value = kNoCard;
    std::int32_t dealIndex = 0;  // position in the deal order
    std::int32_t drawKey = 0;    // larger keys are drawn later, on top
    double x = 0.0;              // top-left corner in card widths
    double y = 0.0;              // top-left corner in card heights
    std::int32_t offsetX = 0;    // pixels added after scaling
    std::int32_t offsetY = 0;

    // Rank 1..13, or 0 for jokers and "no card".
    int GetRank() const;
    // Suit 1..4, or 0 for jokers and "no card".
    int GetSuit() const;
    // 1 black (clubs, spades), 2 red (diamonds, hearts), 0 for jokers.
    int GetColour() const;
    // The same as kinds; a joker's and "no card"'s are 0, none of the named ones.
    clRank Rank() const { return static_cast<clRank>(GetRank()); }
    clSuit Suit() const { return static_cast<clSuit>(GetSuit()); }
    clColour Colour() const { return static_cast<clColour>(GetColour()); }
    bool IsAce() const { return Rank() == clRank::Ace; }
    bool IsKing() const { return Rank() == clRank::King; }
    bool IsFaceCard() const { return GetRank() >= 11; }
    bool IsJoker() const { return value == kFirstJoker || value == kSecondJoker; }

    // Each setter ignores out-of-range arguments; rank and suit setters also ignore jokers.
    void SetCard(int rank, int suit);
    void SetRank(int rank);
    void SetSuit(int suit);
    void SetCard(clRank rank, clSuit suit) {
        SetCard(static_cast<int>(rank), static_cast<int>(suit));
    }
    void SetRank(clRank rank) { SetRank(static_cast<int>(rank)); }
    void SetSuit(clSuit suit) { SetSuit(static_cast<int>(suit)); }
    void SetJoker(bool first) { value = first ? kFirstJoker : kSecondJoker; }

    // Ignored when x or y is negative.
    void SetPosition(double newX, double newY, std::int32_t pixelX, std::int32_t pixelY);
    // Whether the card is placed; yields its position in card units.
    bool GetPosition(double& outX, double& outY) const;
};
