#include <cstdint>
#include <cstring>
#include <functional>
#include <optional>
#include <vector>

#include <gtest/gtest.h>

#include "engine/card.h"
#include "graphics/bmp.h"
#include "graphics/chunk.h"
#include "graphics/display.h"
#include "graphics/display_target.h"
#include "graphics/graphics.h"
#include "piles/group.h"
#include "support/card_set_files.h"
#include "support/picture_files.h"
#include "support/test_table.h"
#include "toolkit/animation_pump.h"
#include "toolkit/messages.h"

namespace {

using clMode = clBackgroundChoice::Mode;

// Counts the waits between steps and cancels at the wait numbered cancelAt
// (from 0); onWait runs inside each wait, as the window's events would.
class clFakePump : public clAnimationPump {
public:
    bool WaitForStep(int milliseconds) override {
        times.push_back(milliseconds);
        const int k = waits++;
        if (onWait) onWait(k);
        return k != cancelAt;
    }

    int waits = 0;
    int cancelAt = -1;
    std::vector<int> times;
    std::function<void(int)> onWait;
};

// Every byte of a picture, its unshown part included.
std::vector<std::uint8_t> PixelsOf(const clImage& picture) {
    std::vector<std::uint8_t> bytes;
    for (int y = 0; y < picture.Height(); ++y) {
        const std::uint8_t* row = picture.Row(y);
        bytes.insert(bytes.end(), row, row + 4 * picture.Width());
    }
    return bytes;
}

// A display of 71 x 96 cards over a patterned background, so that a pixel
// put back in the wrong place shows, with the table of 8 x 4 cards centred
// at (36, 48). Its screen is allocated at 800 x 600 but shows 640 x 480.
class AnimationTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteCardSetFile(
            install / "qarvel.cards",
            {{clTag::kCards, 56, 71, 96}, {clTag::kBacks, 2, 71, 96}, {clTag::kSymbols, 4, 71, 96}},
            1);
        WriteBytes(install / "qarvel.bmp", EncodeBitmap(PatternPicture(13, 11, 7), 24));
        catalogue.Build(install.Path(), {});
        options.minSize = options.maxSize = 4;
        options.current = {clMode::Tiled, 0, "qarvel.bmp"};
        ASSERT_TRUE(display.Create(800, 600));
        display.SetLayout(8, 4);
        ASSERT_TRUE(display.OnWindowSize(640, 480));
        ASSERT_EQ(display.VirtualWidth(), 640);
        ASSERT_EQ(display.Screen().Width(), 800);
        display.SetInvalidateHandler([this](const clRect& rect) { invalidated.push_back(rect); });
        target.SetAnimationPump(&pump);
        graphics.Attach(&target);

        // A few cards on the table for the pictures to pass over.
        for (int i = 0; i < 6; ++i) {
            table[i].SetCard(i + 1, 1 + i % 4);
            table[i].SetPosition(i * 1.2, 0.5 + (i % 3) * 0.7, 0, 0);
            graphics.PlaceCard(table[i]);
        }
        invalidated.clear();
    }

    // A card of the table at (column, row), not placed.
    static clCard CardAt(int rank, int suit, double x, double y) {
        clCard card;
        card.SetCard(rank, suit);
        card.SetPosition(x, y, 0, 0);
        return card;
    }
    // The colour of a card's face (or back) at the test's card set.
    static std::uint32_t FaceColour(const clCard& card) {
        return card.faceDown ? SetColour(clTag::kBacks, 0)
                             : SetColour(clTag::kCards, card.value + 1);
    }
    std::vector<std::uint8_t> Screen() const { return PixelsOf(display.Screen()); }

    clTempFolder install;
    clDisplayOptions options;
    clCardSetList catalogue;
    clHeadlessMessages messages;
    clDisplay display{options, catalogue, messages};
    clDisplayTarget target{display};
    clFakePump pump;
    clGraphics graphics;
    std::vector<clRect> invalidated;
    clCard table[6];
};

TEST_F(AnimationTest, ALiftedGroupStacksItsCards16PixelsApart) {
    struct Case {
        int count;
        int height;
    };
    for (const Case c : {Case{1, 96}, Case{5, 160}, Case{2, 112}}) {
        SCOPED_TRACE(c.count);
        std::vector<clCard> cards;
        for (int i = 0; i < c.count; ++i)
            cards.push_back(CardAt(13 - i, 1 + i % 4, 2.0, 1.0 + i * 0.2));
        cards.back().faceDown = c.count > 1;  // the top card shows its back
        clGroup group(8);
        for (clCard& card : cards)
            group.Add(&card);

        graphics.LiftGroup(group);
        const clImage& picture = target.MovingPicture();
        ASSERT_EQ(picture.Width(), 71);
        ASSERT_EQ(picture.Height(), c.height);
        for (int i = 0; i + 1 < c.count; ++i)
            EXPECT_EQ(picture.PixelValue(35, 16 * i + 8), FaceColour(cards[i])) << i;
        EXPECT_EQ(picture.PixelValue(35, c.height - 48), FaceColour(cards.back()));
        // Lifting draws nothing yet.
        EXPECT_FALSE(target.MovingPosition());
        EXPECT_TRUE(invalidated.empty());
    }
}

TEST_F(AnimationTest, TheStepsOfAMoveLieEvenlyOnTheWay) {
    struct Case {
        const char* what;
        clPoint to;
        int stepTime, steps;
        std::vector<clPoint> positions;  // one for every step
    };
    const Case cases[] = {
        {"eight steps, 0/7 .. 7/7 of the way",
         {457, 4},
         10,
         8,
         {{107, 144},
          {157, 124},
          {207, 104},
          {257, 84},
          {307, 64},
          {357, 44},
          {407, 24},
          {457, 4}}},
        {"integer division",
         {117, 144},
         10,
         8,
         {{107, 144},
          {108, 144},
          {109, 144},
          {111, 144},
          {112, 144},
          {114, 144},
          {115, 144},
          {117, 144}}},
        {"two steps: start and target", {300, 300}, 25, 2, {{107, 144}, {300, 300}}},
        {"one step: nothing", {300, 300}, 10, 1, {}},
        {"no step time: nothing", {300, 300}, 0, 8, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        pump = clFakePump{};
        std::vector<clPoint> seen;
        pump.onWait = [&](int) { seen.push_back(*target.MovingPosition()); };
        clCard card = CardAt(1, 3, 1.0, 1.0);  // at (107, 144)
        graphics.LiftCard(card);
        EXPECT_TRUE(target.Animate(c.to, c.stepTime, c.steps));
        if (const auto last = target.MovingPosition()) seen.push_back(*last);
        EXPECT_EQ(seen, c.positions);
        EXPECT_EQ(pump.times,
                  std::vector<int>(c.positions.empty() ? 0 : c.positions.size() - 1, c.stepTime));
        EXPECT_FALSE(target.IsAnimating());
        target.StopAnimation();
    }
}

// Whatever way a moving picture ends, the screen is what it would have been
// without it.
TEST_F(AnimationTest, AnEndedAnimationLeavesTheScreenAsItWas) {
    struct Case {
        const char* what;
        int cancelAt;
        std::function<void(clDisplayTarget&, clGraphics&)> after;
        bool result;
    };
    clCard other = CardAt(5, 2, 6.0, 3.0);
    const Case cases[] = {
        {"completed, then stopped", -1, [](clDisplayTarget& t, clGraphics&) { t.StopAnimation(); },
         true},
        {"completed, then other cards lifted", -1,
         [&](clDisplayTarget&, clGraphics& g) { g.LiftCard(other); }, true},
        {"cancelled at the first wait", 0, nullptr, false},
        {"cancelled half way", 3, nullptr, false},
        {"cancelled at the last wait", 6, nullptr, false},
    };
    const std::vector<std::uint8_t> before = Screen();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        pump = clFakePump{};
        pump.cancelAt = c.cancelAt;
        graphics.LiftCard(table[1]);
        EXPECT_EQ(graphics.Animate(table[4], 10, 8), c.result);
        if (c.after) c.after(target, graphics);
        EXPECT_FALSE(target.MovingPosition());
        EXPECT_FALSE(target.IsAnimating());
        EXPECT_TRUE(Screen() == before);
    }
}

TEST_F(AnimationTest, AnAnimationStoppedWhileTheWindowsEventsRunEndsCancelled) {
    const std::vector<std::uint8_t> before = Screen();
    pump.onWait = [&](int k) {
        if (k == 2) graphics.StopAnimation();  // the round's time ran out
    };
    graphics.LiftCard(table[0]);
    EXPECT_FALSE(graphics.Animate(table[5], 10, 8));
    EXPECT_EQ(pump.waits, 3);
    EXPECT_TRUE(Screen() == before);
}

TEST_F(AnimationTest, WithoutAPumpNothingIsLiftedAndMovesJump) {
    target.SetAnimationPump(nullptr);
    const std::vector<std::uint8_t> before = Screen();
    graphics.LiftCard(table[2]);
    EXPECT_TRUE(target.MovingPicture().IsEmpty());
    EXPECT_TRUE(graphics.Animate(table[0], 10, 8));
    EXPECT_TRUE(invalidated.empty());
    EXPECT_TRUE(Screen() == before);
}

TEST_F(AnimationTest, APictureTooLargeToMakeAbandonsTheLift) {
    // Past the largest picture side: 1100 cards stacked 16 pixels apart.
    const clCard card = CardAt(2, 2, 1.0, 1.0);
    const std::vector<const clCard*> cards(1100, &card);
    target.Lift(cards);
    EXPECT_TRUE(target.MovingPicture().IsEmpty());
    EXPECT_TRUE(target.Animate({300, 300}, 10, 8));
    EXPECT_EQ(pump.waits, 0);
    EXPECT_TRUE(invalidated.empty());
    // The next lift works.
    graphics.LiftCard(card);
    EXPECT_EQ(target.MovingPicture().Height(), 96);
}

class DragTest : public AnimationTest {
protected:
    void SetUp() override {
        AnimationTest::SetUp();
        for (int i = 0; i < 3; ++i) {
            cards[i] = CardAt(9 - i, 4, 3.0, 2.0 + i * 0.25);
            group.Add(&cards[i]);
        }
    }
    clCard cards[3];
    clGroup group{4};
};

// The pointer holds the top card at its middle, 8 pixels below its top edge;
// a picture partly or wholly off the screen touches only the shown screen.
TEST_F(DragTest, TheDraggedPictureFollowsThePointerWithinTheScreen) {
    struct Case {
        clPoint pointer;
        clRect changed;  // the rectangle invalidated, within 640 x 480
    };
    const Case cases[] = {
        {{200, 200}, {165, 192, 236, 320}},  // 71 x 128
        {{-30, -5}, {0, 0, 6, 115}},
        {{630, 475}, {595, 467, 640, 480}},
        {{10, 470}, {0, 462, 46, 480}},
        {{-500, -500}, {}},
        {{5000, 5000}, {}},
    };
    const std::vector<std::uint8_t> before = Screen();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.pointer.x) + "," + std::to_string(c.pointer.y));
        graphics.StartDrag(group);
        invalidated.clear();
        graphics.DragTo(c.pointer);
        EXPECT_EQ(target.DragPosition(), (clPoint{c.pointer.x - 35, c.pointer.y - 8}));
        if (c.changed.IsEmpty()) {
            EXPECT_TRUE(invalidated.empty());
            EXPECT_TRUE(Screen() == before);
        } else {
            EXPECT_EQ(invalidated, std::vector<clRect>{c.changed});
            EXPECT_FALSE(Screen() == before);
        }
        // Nothing outside the rectangle changed, the unshown part included.
        const clImage& screen = display.Screen();
        for (int y = 0; y < screen.Height(); ++y) {
            for (int x = 0; x < screen.Width(); ++x) {
                if (c.changed.Contains({x, y})) continue;
                const std::size_t at = 4 * (static_cast<std::size_t>(y) * screen.Width() + x);
                ASSERT_EQ(std::memcmp(screen.At(x, y), &before[at], 4), 0) << x << "," << y;
            }
        }
        invalidated.clear();
        graphics.EndDrag();
        EXPECT_EQ(invalidated,
                  c.changed.IsEmpty() ? std::vector<clRect>{} : std::vector<clRect>{c.changed});
        EXPECT_TRUE(Screen() == before);
    }
}

TEST_F(DragTest, ADragStepInvalidatesOnlyTheOldAndNewRectangles) {
    // A clip the table model left set limits neither the picture nor its erasing.
    const clRect clip{0, 0, 50, 50};
    target.SetClip(&clip);
    graphics.StartDrag(group);
    graphics.DragTo({200, 200});
    invalidated.clear();
    graphics.DragTo({210, 230});
    EXPECT_EQ(invalidated, (std::vector<clRect>{{165, 192, 236, 320}, {175, 222, 246, 350}}));
    EXPECT_EQ(display.Screen().PixelValue(210, 342), FaceColour(cards[2]));
    EXPECT_EQ(display.Screen().Clip(), clip);
    target.SetClip(nullptr);
}

TEST_F(DragTest, StartingADragPutsBackTheEarlierPicture) {
    const std::vector<std::uint8_t> before = Screen();
    graphics.StartDrag(group);
    graphics.DragTo({300, 100});
    clGroup one(1);
    one.Add(&cards[2]);
    graphics.StartDrag(one);
    EXPECT_FALSE(target.DragPosition());
    EXPECT_EQ(target.DragPicture().Height(), 96);
    EXPECT_TRUE(Screen() == before);
    graphics.DragTo({20, 20});
    graphics.EndDrag();
    EXPECT_TRUE(Screen() == before);
    graphics.DragTo({40, 40});  // after the end: nothing
    EXPECT_TRUE(Screen() == before);
}

// Drawing under a dragged picture takes it off first, so that ending the drag
// puts back what was drawn instead of the pixels from before.
TEST_F(DragTest, DrawingTakesTheDraggedPictureOffFirst) {
    graphics.StartDrag(group);
    graphics.DragTo({150, 150});
    clCard card = CardAt(3, 3, 1.0, 1.0);  // under the picture
    graphics.PlaceCard(card);
    EXPECT_FALSE(target.DragPosition());
    const std::vector<std::uint8_t> drawn = Screen();
    graphics.DragTo({150, 150});
    graphics.EndDrag();
    EXPECT_TRUE(Screen() == drawn);

    // A screen made again (it grew) holds none of the saved pixels.
    graphics.StartDrag(group);
    graphics.DragTo({150, 150});
    ASSERT_TRUE(display.UpdateVirtualScreen(1000, 700));
    display.CopyBackgroundToScreen();
    const std::vector<std::uint8_t> grown = Screen();
    graphics.EndDrag();
    EXPECT_TRUE(Screen() == grown);
}

// A rules engine with the animation option on.
class clAnimatedTable : public clTestTable {
public:
    using clTestTable::clTestTable;

protected:
    bool IsAnimationOn() const override { return true; }
};

clLocation Tableau(int pile, int position) {
    return clLocation::Pile(clLocationKind::Tableau, pile, position);
}

// The engine lifts the cards, redraws the table without them, lets the
// picture travel and only then places the cards: a redraw while the window's
// events run shows them nowhere, and the end is the table a move without
// animation leaves.
TEST_F(AnimationTest, TheEngineShowsTheCardsTravelAndPlacesThemAfterwards) {
    struct Case {
        const char* what;
        clLocation to;
        int cancelAt;
    };
    // The tableau fans its cards wider than the picture; the stock stacks them
    // on one place, so the picture reaches below its cards.
    const clLocation stock = clLocation::Single(clLocationKind::Stock, 0);
    const Case cases[] = {
        {"to a fanned pile", Tableau(2, 0), -1},
        {"to a stacked pile", stock, -1},
        {"cancelled at once", stock, 0},
        {"cancelled half way", Tableau(2, 0), 4},
    };
    clTestLayout layout;
    layout.tableauDeal = 12;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        clTestTable plain(layout);
        plain.Initialize();
        plain.StartDeal(77);
        clAnimatedTable game(layout);
        game.Initialize();
        game.Graphics().Attach(&target);
        game.StartDeal(77);
        game.DrawTable();

        const clMove move = MoveBetween(game, Tableau(0, 1), c.to);  // two cards
        const clCard& moved = *game.Tableau(0)->At(1);
        const clCard& top = *game.Tableau(0)->Top();
        const clRect destination = *game.Graphics().CardRect(*game.PileAt(c.to)->Top());
        pump = clFakePump{};
        pump.cancelAt = c.cancelAt;
        pump.onWait = [&](int) {
            EXPECT_FALSE(moved.placed);
            game.DrawTable();  // the window repaints the table meanwhile
            EXPECT_NE(display.Screen().PixelValue(destination.left + 35, destination.top + 60),
                      FaceColour(moved));
        };
        game.PlayMove(move);
        EXPECT_EQ(pump.waits, c.cancelAt < 0 ? 7 : c.cancelAt + 1);
        EXPECT_FALSE(target.IsAnimating());
        const clRect placed = *game.Graphics().CardRect(top);
        EXPECT_EQ(display.Screen().PixelValue(placed.left + 35, placed.top + 60), FaceColour(top));

        // Nothing of the picture is left: the screen is the table drawn anew.
        const std::vector<std::uint8_t> played = Screen();
        game.DrawTable();
        EXPECT_TRUE(Screen() == played);

        plain.PlayMove(move);
        EXPECT_EQ(Snapshot(game), Snapshot(plain));
    }
}

}  // namespace
