// Every registered variant gives each of its piles a place, and deals every
// card inside the table's size at the standard card size with the pixel
// offsets of its rows added (the gaps between neighbours must not push the
// outer piles off the table).
#include <string>

#include <gtest/gtest.h>

#include "engine/registry.h"
#include "engine/solitaire_rules.h"
#include "support/variant_fixture.h"

namespace {

constexpr int kCardWidth = 71;
constexpr int kCardHeight = 96;

class TableExtentTest : public VariantTest,
                        public ::testing::WithParamInterface<std::string_view> {};

TEST_P(TableExtentTest, DealsEveryCardInsideTheTable) {
    for (const std::int32_t deal : {1, 2, 3}) {
        Start(GetParam(), deal);
        const int right = game->TableWidth() * kCardWidth;
        const int bottom = game->TableHeight() * kCardHeight;
        for (const auto& pile : game->AllPiles()) {
            const clLocation at = game->LocationOf(pile.get(), 0);
            SCOPED_TRACE(::testing::Message() << "deal " << deal << ", pile kind "
                                              << static_cast<int>(at.kind) << " #" << at.first);
            // A pile may have no place only while it never holds a card (Hidden
            // Sums' hidden cover pile).
            if (pile->Count() == 0 && !pile->GetAnchor().placed) continue;
            ASSERT_TRUE(pile->GetAnchor().placed) << "a pile with no place";
            for (int i = 0; i < static_cast<int>(pile->Count()); ++i) {
                const clCard& card = *pile->At(i);
                const double x = card.x * kCardWidth + card.offsetX;
                const double y = card.y * kCardHeight + card.offsetY;
                EXPECT_GE(x, 0) << "card " << i;
                EXPECT_GE(y, 0) << "card " << i;
                EXPECT_LE(x + kCardWidth, right) << "card " << i;
                EXPECT_LE(y + kCardHeight, bottom) << "card " << i;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryVariant, TableExtentTest, ::testing::ValuesIn(RegisteredVariants()),
                         [](const auto& info) { return Identifier(info.param); });

}  // namespace
