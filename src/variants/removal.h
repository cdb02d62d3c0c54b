#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "variants/card_rules.h"
#include "variants/solitaire_game.h"

// Tableau pile p of a covering layout is covered by the piles `first` and
// `second` (the same pile twice when one pile covers it).
struct clCover {
    int first = 0;
    int second = 0;
};

// A stretch of one row of a layout: n piles one card apart from x.
struct clRowRun {
    int row = 0;
    double x = 0;
    int n = 0;
};

// The base of the games whose cards leave the table instead of building on
// foundations: the Pyramid, Golf and Towers families. Their tableau piles
// hold single cards in overlapping rows (or, in Golf, short columns); a card
// becomes playable once the piles covering it are empty.
class clRemovalGame : public clSolitaireGame {
public:
    // With a covering table, after the deal and every move: a covered pile
    // is inert, hides its key and its card is blocked; an uncovered one
    // takes part, shows its key and its card lies face up and free. Piles
    // past the table are never covered; empty piles take no part.
    void AfterMove() override;
    // Every tableau pile empty; the stock and the waste may still hold cards.
    bool IsGameWon() override;
    // Cards move only as deals do: from the stock or a reserve to a reserve
    // or the waste (the piles decide which of these). Table cards leave by
    // the games' own rules.
    bool ValidateCardMove(const clMove& move) override;

    std::span<const clCover> Covers() const { return covers; }

protected:
    void SetCovers(std::span<const clCover> table) { covers = table; }
    // Places the tableau piles in list order along the runs: row r at
    // y = firstY + r * rowStep; pixel offsets of 4 per card unit from
    // centreX, and of about 4 per card height down the rows, keep neighbours
    // apart (the cards of a row, and two rows a card height apart, which
    // would otherwise meet edge to edge).
    void PlaceRows(std::span<const clRowRun> runs, double firstY, double rowStep, double centreX);
    // Keys by horizontal place: piles at the same x share a key, and since a
    // pile covers the one two rows above it, at most one of them is free.
    // Digits first, then letters (W is the waste's).
    void KeyBySlot();

    // Whether the card may take part in a pair: the top card of a free
    // tableau pile, of a reserve or of the waste.
    bool IsPairable(std::int32_t dealIndex) const;
    // Both cards may take part; one card alone when they are the same.
    bool ArePairable(std::int32_t first, std::int32_t second) const {
        return IsPairable(first) && (first == second || IsPairable(second));
    }
    // The cards of a pair, or null for deal indexes outside the deck.
    const clCard* CardOf(std::int32_t dealIndex) const;

    // The click of the games played onto the waste: the pressed tableau
    // pile's top card goes onto the waste when the move is valid.
    void PlayTopToWaste();
    // A card move onto the waste from a tableau pile must be one rank above
    // or below the waste's top card; without the wrap nothing goes on a King.
    // Other moves as the base.
    bool ValidateWasteMove(const clMove& move, clRankWrap wrap);

private:
    std::span<const clCover> covers;
};

// The games played onto one waste pile in runs (Golf and the Towers games):
// the waste points go to each card played from the table, and a card turned
// from the stock costs the stock card cost and earns nothing else (the
// general rule would pay the waste points for it too).
class clWasteRunGame : public clRemovalGame {
public:
    // A click on the stock turns its next card onto the waste; on a table
    // pile it plays the top card onto the waste.
    void OnPileClick() override;
    std::int32_t ScoreMove(const clMove& move) override;
    // Two rows below the scoreboard's own: "CURRENT RUN", the table cards
    // played since the last stock card, and "LONGEST RUN" of the deal.
    // Labels light grey; the longest run's value yellow while it equals the
    // current run, else white.
    void UpdateScoreboardExtra(clScoreboard::clExtra& extra) const override;
};

// The Pyramid's seven rows of 1 to 7 piles, with pile p of row r covered by
// p + r + 1 and p + r + 2; the rows' values run from 7 (top) to 1.
std::span<const clCover> PyramidCovers();
std::span<const clRowRun> PyramidRows();
// Two pyramids side by side whose rows of 2, 4, 6, 8, 9, 10 and 11 piles
// merge from the fifth row on (Double Pyramid, Twin Peaks).
std::span<const clCover> DoublePyramidCovers();
std::span<const clRowRun> DoublePyramidRows();
// The rounds of the games on that table.
inline constexpr clRoundTable kDoublePyramidRounds{
    .goalBase = 15000,
    .goalStep = 30000,
    .bonusBase = 1800,
    .goalSteps = {{.from = 2, .step = 45000}},
    .bonusSteps = {{.from = 3, .step = 20}},
};
// Row values from 7 for the first row down to 1 for the last.
void SetRowValues(std::span<clPile* const> tableau, std::span<const clRowRun> runs);
