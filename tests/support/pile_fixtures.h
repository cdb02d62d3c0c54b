#pragma once

#include <cstdint>
#include <deque>
#include <initializer_list>
#include <memory>
#include <string_view>

#include <gtest/gtest.h>

#include "cards/card.h"
#include "piles/group.h"
#include "piles/pile.h"
#include "support/test_cards.h"

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
    clPileSymbol symbol;
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
