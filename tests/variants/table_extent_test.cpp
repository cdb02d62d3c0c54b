// Every registered variant gives each of its piles a place, and deals every
// card inside the table's size at the standard card size with the pixel
// offsets of its rows added (the gaps between neighbours must not push the
// outer piles off the table); the games of rows of single cards keep their
// neighbours apart.
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "engine/solitaire_rules.h"
#include "graphics/table_coords.h"
#include "piles/pile.h"
#include "support/variant_fixture.h"
#include "variants/registry.h"

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

// The removal and pair games lay single cards in rows. Two cards of different
// piles there either overlap or lie a few pixels apart, side by side or one
// above the other, as the columns of the other games do: none meet edge to
// edge, where the rounded corners would show slivers of what lies behind.
// Where a row of single cards fills the table's whole width (Pelmanism's
// thirteen columns, Vertical's nine reserves) there is no room for gaps
// between them, only between its rows.
struct clRowGame {
    std::string_view game;
    bool fillsTheWidth = false;
};

void PrintTo(const clRowGame& row, std::ostream* out) {
    *out << row.game;
}

class NeighbourGapTest : public VariantTest, public ::testing::WithParamInterface<clRowGame> {};

TEST_P(NeighbourGapTest, NeighboursOverlapOrLeaveAGap) {
    constexpr int kGap = 3;  // the rows of the other games leave 4 pixels
    Start(GetParam().game, 1);
    struct clPlaced {
        clRect rect;
        const clPile* pile;
    };
    std::vector<clPlaced> cards;
    for (const auto& pile : game->AllPiles()) {
        for (int i = 0; i < static_cast<int>(pile->Count()); ++i) {
            const clCard& card = *pile->At(i);
            const int x = static_cast<int>(card.x * kCardWidth + 0.5) + card.offsetX;
            const int y = static_cast<int>(card.y * kCardHeight + 0.5) + card.offsetY;
            cards.push_back({{x, y, x + kCardWidth, y + kCardHeight}, pile.get()});
        }
    }
    for (const clPlaced& a : cards) {
        for (const clPlaced& b : cards) {
            if (a.pile == b.pile) continue;
            const bool sideBySide = a.rect.top < b.rect.bottom && b.rect.top < a.rect.bottom;
            const bool aboveOther = a.rect.left < b.rect.right && b.rect.left < a.rect.right;
            const int across = b.rect.left - a.rect.right;
            const int down = b.rect.top - a.rect.bottom;
            if (sideBySide && !GetParam().fillsTheWidth) {
                EXPECT_FALSE(across >= 0 && across < kGap)
                    << "cards at " << a.rect.left << "," << a.rect.top << " and " << b.rect.left
                    << "," << b.rect.top << " are " << across << " pixels apart";
            }
            if (aboveOther) {
                EXPECT_FALSE(down >= 0 && down < kGap)
                    << "cards at " << a.rect.left << "," << a.rect.top << " and " << b.rect.left
                    << "," << b.rect.top << " are " << down << " pixels apart";
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(RemovalAndPairGames, NeighbourGapTest,
                         ::testing::Values(clRowGame{"Pyramid"}, clRowGame{"Hidden Pyramid"},
                                           clRowGame{"Double Pyramid"}, clRowGame{"Cheops"},
                                           clRowGame{"King Tut"}, clRowGame{"Picking Pairs"},
                                           clRowGame{"Golf"}, clRowGame{"Putt Putt"},
                                           clRowGame{"Driving Range"}, clRowGame{"Night Golf"},
                                           clRowGame{"Triple Towers"}, clRowGame{"Triple Peaks"},
                                           clRowGame{"Twin Peaks"}, clRowGame{"Crown Peaks"},
                                           clRowGame{"Rapunzel"}, clRowGame{"Nestor"},
                                           clRowGame{"Vertical", true}, clRowGame{"Patient Pairs"},
                                           clRowGame{"Fourteen Out"}, clRowGame{"Fourteen Up"},
                                           clRowGame{"Five Piles"}, clRowGame{"Pelmanism", true}),
                         [](const auto& info) { return Identifier(info.param.game); });

}  // namespace
