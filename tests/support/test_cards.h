#pragma once

#include <deque>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "cards/card.h"
#include "piles/group.h"
#include "piles/pile.h"

// Cards for pile fixtures, written as rank then suit ("TD KS"), bottom card
// first. Each card gets the next deal index, starting at 0.
class clTestCards {
public:
    clCard* Card(std::string_view text) {
        constexpr std::string_view kRanks = "A23456789TJQK";
        constexpr std::string_view kSuits = "CDHS";
        clCard& card = cards.emplace_back();
        card.dealIndex = static_cast<std::int32_t>(cards.size()) - 1;
        const auto rank = text.size() == 2 ? kRanks.find(text[0]) : std::string_view::npos;
        const auto suit = text.size() == 2 ? kSuits.find(text[1]) : std::string_view::npos;
        if (rank == std::string_view::npos || suit == std::string_view::npos) {
            ADD_FAILURE() << "not a card: " << text;
            return &card;
        }
        card.SetCard(static_cast<int>(rank) + 1, static_cast<int>(suit) + 1);
        return &card;
    }

    std::vector<clCard*> Cards(const std::string& text) {
        std::vector<clCard*> out;
        std::istringstream words(text);
        for (std::string word; words >> word;)
            out.push_back(Card(word));
        return out;
    }

    // A moving group holding the cards.
    clGroup Group(const std::string& text) {
        clGroup group(clPile::kLargeCapacity);
        for (clCard* card : Cards(text))
            group.Add(card);
        return group;
    }

    // Puts the cards on the pile directly, past its rules.
    void Put(clPile& pile, const std::string& text) {
        for (clCard* card : Cards(text))
            pile.Add(card);
    }

    // Adds the cards to the pile one by one, as a deal does.
    void Fill(clPile& pile, const std::string& text) {
        for (clCard* card : Cards(text)) {
            clGroup one(card);
            EXPECT_TRUE(pile.AddCards(one)) << "no room for " << text;
        }
    }

private:
    std::deque<clCard> cards;  // stable addresses for the piles' references
};
