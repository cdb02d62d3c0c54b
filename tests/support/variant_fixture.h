#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "engine/solitaire_rules.h"

// A variant's display name as a test name: its letters and digits.
std::string Identifier(std::string_view name);

// A registered variant played headless, with automatic play off so that a
// test sees only the moves it makes.
class VariantTest : public ::testing::Test {
protected:
    // Creates the variant and deals the deal number; fails the test when the
    // variant is not registered.
    clSolitaireRules& Start(std::string_view name, std::int32_t deal = 1);

    // The deck card written as rank then suit ("TD"); the first of its kind.
    clCard* Card(std::string_view text);
    // Empties every pile of the table.
    void ClearTable();
    // Empties the pile and lays these cards on it face up, bottom first
    // ("KS QH"); the variant's after-move hook then sees the new table.
    void Put(clPile* pile, const std::string& cards);

    // A card move of the top card (or the cards from `position`) of one pile
    // onto the top of another.
    clMove Move(clPile* from, clPile* to, int position = -1) const;
    clMove Pair(clPile* first, clPile* second) const;

    std::unique_ptr<clSolitaireType> screen;
    clSolitaireRules* game = nullptr;
};
