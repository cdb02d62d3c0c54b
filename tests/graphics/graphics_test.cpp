#include "graphics/graphics.h"

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cards/card.h"
#include "graphics/table_coords.h"
#include "piles/group.h"
#include "support/recording_target.h"

namespace {

TEST(TableCoordsTest, CentresTheTableInTheVirtualScreen) {
    const clTableMetrics metrics{71, 96, 8, 4, 640, 480};
    EXPECT_EQ(TableToScreen(metrics, 0.0, 0.0, 0, 0), (clPoint{36, 48}));
    EXPECT_EQ(TableToScreen(metrics, 1.5, 0.25, 4, 0), (clPoint{147, 72}));

    // A table wider than the screen has a negative margin; invalidation clamps it.
    const clTableMetrics wide{150, 200, 12, 6, 1024, 768};
    const clPoint corner = TableToScreen(wide, 0.0, 0.0, 0, 0);
    EXPECT_EQ(corner, (clPoint{-388, -216}));
    EXPECT_EQ((clRect{corner.x, corner.y, corner.x + 150, corner.y + 200}.ClampedToScreen()),
              (clRect{0, 0, 0, 0}));
}

class GraphicsTest : public ::testing::Test {
protected:
    void SetUp() override {
        graphics.Attach(&target);
        card.SetCard(10, 2);  // ten of diamonds
        card.SetPosition(1.0, 1.0, 0, 0);
        card.placed = true;  // its rectangle: 107,144 - 178,240
    }
    clRecordingTarget target;
    clGraphics graphics;
    clCard card;
};

TEST_F(GraphicsTest, KeyLabelsUseTheirStripCellsAndSitAtTheCardsFoot) {
    struct Case {
        int key;
        const char* call;  // nullptr: nothing drawn
    };
    const Case cases[] = {
        {'0', "label 0x1 at 130,210"},
        {'9', "label 9x1 at 130,210"},
        {'K', "label 20x1 at 130,210"},
        {'k', "label 20x1 at 130,210"},
        {'Z', "label 35x1 at 130,210"},
        {9, "label 36x2 at 118,210"},
        {'#', nullptr},
        {0, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        target.calls.clear();
        graphics.DrawKeyLabel(card, c.key);
        if (c.call) {
            EXPECT_EQ(target.calls, std::vector<std::string>{c.call});
        } else {
            EXPECT_TRUE(target.calls.empty());
        }
    }
}

TEST_F(GraphicsTest, TwoKeyLabelsDrawTwoCells) {
    graphics.DrawKeyLabels(card, '1', '0');
    EXPECT_EQ(target.calls,
              (std::vector<std::string>{"label 1x1 at 118,210", "label 0x1 at 142,210"}));
    target.calls.clear();
    graphics.DrawKeyLabels(card, 9, '0');  // Tab is not a two-key label
    EXPECT_TRUE(target.calls.empty());
}

TEST_F(GraphicsTest, PlacingACardRaisesItsDrawKey) {
    clCard other = card;
    other.placed = false;
    graphics.PlaceCard(other);
    graphics.PlaceCard(card);
    EXPECT_TRUE(other.placed);
    EXPECT_LT(other.drawKey, card.drawKey);
    // A card that was placed before is taken off its old place first.
    EXPECT_EQ(target.calls.at(1), "take off 107,144-178,240");
    EXPECT_EQ(target.calls.at(2), "card 22 at 107,144-178,240");
}

TEST_F(GraphicsTest, HeadlessDrawingDoesNothingButKeepsTheBookkeeping) {
    clGraphics headless;
    clCard loose;
    headless.PlaceCard(loose);
    EXPECT_TRUE(loose.placed);
    EXPECT_EQ(loose.drawKey, 1);
    EXPECT_FALSE(headless.CardRect(loose).has_value());
    headless.DrawCard(loose);
    headless.ClearTable();
    clCard* cards[] = {&loose};
    headless.Fly(cards, {0, 0});
    EXPECT_FALSE(headless.IsAnimating());
}

TEST_F(GraphicsTest, APileDrawsSymbolCardsThenLabel) {
    clCard below = card, above = card;
    above.SetCard(5, 4);  // five of spades, face down
    above.faceDown = true;
    above.y = 1.25;
    clGroup pile(4);
    pile.SetPosition(1.0, 1.0);
    pile.SetSymbol(RankMark(clRank::Ace));
    pile.SetKey('A');
    pile.Add(&below);
    pile.Add(&above);

    pile.Draw(graphics);
    EXPECT_EQ(target.calls,
              (std::vector<std::string>{"symbol 3 at 107,144", "card 22 at 107,144-178,240",
                                        "card -1 at 107,168-178,264"}));
    target.calls.clear();
    graphics.SetShowKeyLabels(true);
    pile.Draw(graphics);
    EXPECT_EQ(target.calls.back(), "label 10x1 at 130,234");  // on the top card

    target.calls.clear();
    pile.DrawHidden(graphics);  // face-up cards hide behind a joker face
    EXPECT_EQ(target.calls,
              (std::vector<std::string>{"symbol 3 at 107,144", "card 52 at 107,144-178,240",
                                        "card -1 at 107,168-178,264"}));

    target.calls.clear();
    pile.DrawSelected(graphics);
    EXPECT_EQ(target.calls.front(), "highlight -1 at 107,168-178,264");
}

TEST_F(GraphicsTest, AnEmptyPileShowsItsLabelOnlyWhenAsked) {
    graphics.SetShowKeyLabels(true);
    clGroup pile(4);
    pile.SetPosition(1.0, 1.0);
    pile.SetKey('W');
    pile.Draw(graphics);
    EXPECT_TRUE(target.calls.empty());
    pile.SetKey('W', true);
    pile.Draw(graphics);
    EXPECT_EQ(target.calls, std::vector<std::string>{"label 32x1 at 130,210"});
    pile.SetLabelHidden(true);
    target.calls.clear();
    pile.Draw(graphics);
    EXPECT_TRUE(target.calls.empty());
}

// x = r1 mod (max(0, screen width - card width) + 1), y likewise with r2;
// a screen no larger than a card leaves only its corner.
TEST_F(GraphicsTest, AScatteredCardLiesWithinTheScreen) {
    struct Case {
        int screenWidth, screenHeight;
        std::uint64_t r1, r2;
        const char* call;
    };
    const Case cases[] = {
        {640, 480, 0, 0, "card 22 at 0,0-71,96"},
        {640, 480, 569, 384, "card 22 at 569,384-640,480"},
        {640, 480, 570, 385, "card 22 at 0,0-71,96"},
        {640, 480, 1000003, 77, "card 22 at 223,77-294,173"},
        {71, 96, 12345, 678, "card 22 at 0,0-71,96"},
        {50, 40, 7, 9, "card 22 at 0,0-71,96"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.call);
        target.metrics.screenWidth = c.screenWidth;
        target.metrics.screenHeight = c.screenHeight;
        target.calls.clear();
        graphics.ScatterCard(card, c.r1, c.r2);
        EXPECT_EQ(target.calls, std::vector<std::string>{c.call});
    }
    // Face down it shows the back; a generator of the caller's gives the numbers.
    target.metrics = clTableMetrics{71, 96, 8, 4, 640, 480};
    clCard back = card;
    back.faceDown = true;
    std::mt19937 generator(5);
    std::mt19937 same(5);
    const std::uint64_t r1 = same(), r2 = same();
    target.calls.clear();
    graphics.ScatterCard(back, generator);
    const int x = static_cast<int>(r1 % 570), y = static_cast<int>(r2 % 385);
    EXPECT_EQ(target.calls, std::vector<std::string>{
                                "card -1 at " + std::to_string(x) + "," + std::to_string(y) + "-" +
                                std::to_string(x + 71) + "," + std::to_string(y + 96)});
}

TEST_F(GraphicsTest, ClipToCardsCoversEveryCard) {
    clCard lower = card;
    lower.y = 2.0;
    clGroup pile(2);
    pile.Add(&card);
    pile.Add(&lower);
    graphics.ClipToCards(pile.Cards());
    graphics.ClearClip();
    EXPECT_EQ(target.calls, (std::vector<std::string>{"clip 107,144-178,336", "unclip"}));
}

}  // namespace
