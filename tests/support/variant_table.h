#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "engine/solitaire_rules.h"
#include "toolkit/sound.h"

// A variant class played headless, recording the sounds it plays.
template <class Variant>
class clRecordingVariant : public Variant {
public:
    // Initialises the screen and deals a first round of `deal`. Automatic play
    // follows `autoPlay`; nothing prompts or saves.
    explicit clRecordingVariant(std::int32_t deal, bool autoPlay = false) {
        this->Initialize();
        this->SetOptions({.promptBeforeResign = false, .autoSave = false, .autoPlay = autoPlay});
        this->StartRound(deal);
    }

    std::vector<clSound> sounds;

protected:
    void PlaySound(clSound sound) override { sounds.push_back(sound); }
};

// A pile by its move-file name: f<i>, t<i>, r<i>, s, w, and o<i> for the
// i-th pile outside the typed lists. Null when there is none.
clPile* PileNamed(const clSolitaireRules& game, std::string_view name);

// The piles in registration order, a kind letter (f, t, r, s, w, o) before
// each run of piles of one kind, then each pile's card count:
// "f 0 0 t 6 5 s 50".
std::string PileCounts(const clSolitaireRules& game);
// The number of face-down cards of each tableau pile: "5 5 4".
std::string FaceDownCounts(const clSolitaireRules& game);
// The tableau keys in order, then those of the reserves.
std::string Keys(const clSolitaireRules& game);
// The deal positions of a pile's cards, bottom first: "0 10 20".
std::string DealPositions(const clPile& pile);
// A pile's anchor: "x,y", with ",px" when it has a pixel x offset.
std::string Anchor(const clPile& pile);
// Whether every placed card lies inside the table, pixel offsets taken at
// the smallest card size.
::testing::AssertionResult CardsInsideTable(const clSolitaireRules& game);

// Empties every pile; the cards are out of play until laid again.
void ClearTable(clSolitaireRules& game);
// After ClearTable: empties the pile and lays cards written as in "KS QS JS"
// (rank then suit, bottom first) on it, face up and free, each the first
// card of that rank and suit in deal order not yet laid.
void LayCards(clSolitaireRules& game, clPile& pile, std::string_view cards);

// What a variant's table must look like after its deal.
struct clLayoutCase {
    std::string_view game;
    int width = 0;
    int height = 0;
    bool autoPlay = false;
    std::string_view counts;    // PileCounts
    std::string_view faceDown;  // FaceDownCounts
    std::string_view keys;      // Keys
    // Pile name and Anchor.
    std::vector<std::pair<std::string_view, std::string_view>> anchors;
    // Pile name and DealPositions.
    std::vector<std::pair<std::string_view, std::string_view>> dealt;
};

// Deals the case's game and checks every fact of the case, that every card
// lies on exactly one pile, and that every card lies inside the table.
void ExpectLayout(const clLayoutCase& expected, std::int32_t deal);
// The case's game name without spaces, for test names.
std::string LayoutName(const ::testing::TestParamInfo<clLayoutCase>& info);
