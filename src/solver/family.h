#pragma once

#include <string_view>

// What the search knows of a family of games: how it weighs a position
// (the larger the better) and which piles it may treat as one kind.
struct clFamilyTraits {
    // Points per card on a foundation, and per card taken out of play.
    int foundation = 100;
    int removed = 100;
    // Per face-down card left on the table (not the stock's).
    int faceDown = -40;
    // Per empty tableau pile, and per empty single cell.
    int emptyTableau = 30;
    int emptyCell = 20;
    // Per tableau card lying on a card it builds on by its pile's rule.
    int ordered = 8;
    // Per card left on the tableau (games won by clearing it).
    int tableauCard = 0;
    // Per card left in the stock (Golf's reserve of plays).
    int stockCard = 0;
    // Per card of a Gaps row's leading run.
    int inPlace = 0;
    // The columns differ only by their cards: any order of them plays alike
    // (not where a deal gives a card to each column in order).
    bool columnsAlike = false;
    // The waste is a discard heap that is never turned over: only its top
    // card plays a part.
    bool wasteTopOnly = false;
    // Cards leave in sets (the addition games): sets of top cards up to
    // this rank total are tried.
    int setTotal = 0;
};

// The traits of a game by its display name (its catalogue row's category).
clFamilyTraits FamilyTraits(std::string_view displayName);
