#pragma once

#include <cstdint>
#include <deque>
#include <initializer_list>
#include <memory>
#include <string_view>

#include <gtest/gtest.h>

#include "engine/card.h"
#include "piles/group.h"
#include "piles/pile.h"

// Cards for pile fixtures, written as rank then suit ("AS", "TD", "KH").
// Each card gets the next deal index, starting at 0.
class clCardBox {
public:
    clCard* Make(std::string_view text) {
        constexpr std::string_view kRanks = "A23456789TJQK";
        constexpr std::string_view kSuits = "CDHS";
        clCard& card = cards.emplace_back();
        card.SetCard(static_cast<int>(kRanks.find(text[0])) + 1,
                     static_cast<int>(kSuits.find(text[1])) + 1);
        card.dealIndex = static_cast<std::int32_t>(cards.size()) - 1;
        return &card;
    }

    // A group of new cards, bottom first, with room for exactly those cards.
    clGroup Group(std::initializer_list<std::string_view> texts) {
        clGroup group(texts.size() > 0 ? static_cast<std::uint32_t>(texts.size()) : 1);
        for (std::string_view text : texts)
            group.Add(Make(text));
        return group;
    }

    // Puts new cards on the pile directly, past its rules.
    void Put(clPile& pile, std::initializer_list<std::string_view> texts) {
        for (std::string_view text : texts)
            pile.Add(Make(text));
    }

private:
    std::deque<clCard> cards;  // stable addresses
};

template <class P>
std::unique_ptr<clPile> MakePile() {
    return std::make_unique<P>();
}

// The settings a pile class fixes at construction, one row of its class table.
struct clPileSettings {
    std::uint32_t capacity;
    bool inert;
    bool clickAction;
    bool canGive;
    bool canReceive;
    std::uint32_t maxIn;
    std::uint32_t maxOut;
    std::int32_t fanPixelDy;  // the only fan setting a pile class makes
    int symbol;
    int key1;
    bool labelWhenEmpty;
};

inline void ExpectSettings(const clPile& pile, const clPileSettings& want) {
    EXPECT_EQ(pile.Capacity(), want.capacity) << "capacity";
    EXPECT_EQ(pile.Count(), 0u) << "count";
    EXPECT_EQ(pile.IsInert(), want.inert) << "inert";
    EXPECT_EQ(pile.IsClickAction(), want.clickAction) << "click-action";
    EXPECT_EQ(pile.CanGive(), want.canGive) << "can give";
    EXPECT_EQ(pile.CanReceive(), want.canReceive) << "can receive";
    EXPECT_EQ(pile.MaxIn(), want.maxIn) << "max in";
    EXPECT_EQ(pile.MaxOut(), want.maxOut) << "max out";
    EXPECT_TRUE(pile.Fan() == clFan{.pixelDy = want.fanPixelDy})
        << "fan: limit " << pile.Fan().limit << ", dx " << pile.Fan().dx << ", dy " << pile.Fan().dy
        << ", pixel dx " << pile.Fan().pixelDx << ", pixel dy " << pile.Fan().pixelDy;
    EXPECT_EQ(pile.Symbol(), want.symbol) << "symbol";
    EXPECT_EQ(pile.Key1(), want.key1) << "key 1";
    EXPECT_EQ(pile.Key2(), 0) << "key 2";
    EXPECT_EQ(pile.LabelWhenEmpty(), want.labelWhenEmpty) << "label when empty";
}
