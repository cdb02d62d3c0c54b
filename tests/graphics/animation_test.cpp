#include <cstdint>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cards/card.h"
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

// A frame clock the test sets. It starts shortly before its count wraps
// around, as a tick count does after 49 days.
class clFakePump : public clAnimationPump {
public:
    std::uint32_t Now() const override { return now; }
    void RunFrames(bool on) override { running = on; }

    std::uint32_t now = 0xFFFFFFA0u;
    bool running = false;
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
        graphics.SetAnimationPump(&pump);
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
    // The colour in the middle of a card's place on the screen.
    std::uint32_t ColourAt(const clCard& card) const {
        const clPoint at = *graphics.ScreenPosition(card);
        return display.Screen().PixelValue(at.x + 35, at.y + 48);
    }
    std::vector<std::uint8_t> Screen() const { return PixelsOf(display.Screen()); }
    // Where the flights are shown, lowest first.
    std::vector<clPoint> FlightsAt() const {
        std::vector<clPoint> at;
        for (const clFlightAt& flight : target.FlightsShown())
            at.push_back(flight.at);
        return at;
    }

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

TEST_F(AnimationTest, AFlightsPictureStacksItsCards16PixelsApart) {
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
        std::vector<const clCard*> group;
        for (const clCard& card : cards)
            group.push_back(&card);

        ASSERT_TRUE(target.BuildFlight(3, group));
        const clImage& picture = *target.FlightPicture(3);
        ASSERT_EQ(picture.Width(), 71);
        ASSERT_EQ(picture.Height(), c.height);
        for (int i = 0; i + 1 < c.count; ++i)
            EXPECT_EQ(picture.PixelValue(35, 16 * i + 8), FaceColour(cards[i])) << i;
        EXPECT_EQ(picture.PixelValue(35, c.height - 48), FaceColour(cards.back()));
        // Making the picture draws nothing yet.
        EXPECT_TRUE(target.FlightsShown().empty());
        EXPECT_TRUE(invalidated.empty());
    }
    // Past the largest picture side (1100 cards stacked 16 pixels apart),
    // there is no picture, and the next one is made.
    const clCard card = CardAt(2, 2, 1.0, 1.0);
    const std::vector<const clCard*> tooMany(1100, &card);
    EXPECT_FALSE(target.BuildFlight(0, tooMany));
    EXPECT_EQ(target.FlightPicture(0), nullptr);
    EXPECT_TRUE(target.BuildFlight(0, std::vector<const clCard*>{&card}));
}

TEST_F(AnimationTest, AMoveTakesLongerTheFartherItGoes) {
    struct Case {
        int distance, cardWidth, time;
    };
    for (const Case c :
         {Case{0, 71, 150}, Case{71, 71, 175}, Case{142, 71, 200}, Case{284, 71, 250},
          Case{5000, 71, 250}, Case{-5, 71, 150}, Case{150, 150, 175}, Case{10, 0, 250}}) {
        EXPECT_EQ(clGraphics::MoveTime(c.distance, c.cardWidth), c.time)
            << c.distance << " with " << c.cardWidth;
    }
}

// The model has moved the card already; the flight only shows it: the card
// is drawn at its place once its picture has arrived there.
TEST_F(AnimationTest, AFlyingCardLeavesQuicklyAndIsDrawnOnceItHasArrived) {
    clCard card = CardAt(1, 3, 6.0, 3.0);  // at (462, 336)
    card.placed = true;
    clCard* cards[] = {&card};
    graphics.Fly(cards, {107, 144});  // 404 pixels: 250 ms
    EXPECT_TRUE(pump.running);
    EXPECT_TRUE(graphics.IsFlying(card));
    EXPECT_FALSE(graphics.IsFlying(table[0]));
    graphics.DrawCard(card);  // the table drawn after the move leaves it out
    EXPECT_NE(ColourAt(card), FaceColour(card));
    graphics.ShowFlights();
    EXPECT_EQ(FlightsAt(), std::vector<clPoint>({{107, 144}}));

    struct Frame {
        std::uint32_t elapsed;
        std::optional<clPoint> at;  // none: arrived
    };
    const std::uint32_t start = pump.now;
    for (const Frame f : {Frame{16, clPoint{151, 168}}, Frame{125, clPoint{373, 288}},
                          Frame{249, clPoint{462, 336}}, Frame{250, std::nullopt}}) {
        SCOPED_TRACE(f.elapsed);
        pump.now = start + f.elapsed;
        const bool ended = graphics.AnimationStep();
        EXPECT_EQ(ended, !f.at);
        if (f.at) {
            EXPECT_EQ(FlightsAt(), std::vector<clPoint>({*f.at}));
            if (f.elapsed < 200) {
                EXPECT_NE(ColourAt(card), FaceColour(card));
            }
        } else {
            EXPECT_TRUE(target.FlightsShown().empty());
            EXPECT_EQ(ColourAt(card), FaceColour(card));
        }
    }
    EXPECT_FALSE(graphics.IsAnimating());
    EXPECT_FALSE(pump.running);
    EXPECT_FALSE(graphics.AnimationStep());  // nothing more to do
}

// The automatic moves that follow one another overlap, each leaving a
// little after the one before; a move of a card still on its way waits for
// it to arrive. Later flights lie below earlier ones.
TEST_F(AnimationTest, AChainOfMovesStaysBriskAndArrivesInOrder) {
    clCard far = CardAt(1, 1, 7.0, 3.0), near = CardAt(2, 1, 1.0, 1.0);
    far.placed = near.placed = true;
    clCard* first[] = {&far};
    clCard* second[] = {&near};
    const std::uint32_t start = pump.now;
    graphics.Fly(first, {36, 48});    // 574 pixels: 250 ms
    graphics.Fly(second, {36, 48});   // 119 pixels: leaves at 50 and arrives with the first
    graphics.Fly(first, {300, 300});  // carries the far card on, 235 pixels, once it is there

    graphics.ShowFlights();
    // The second waits at its start, below the first; the third waits unseen.
    EXPECT_EQ(FlightsAt(), std::vector<clPoint>({{36, 48}, {36, 48}}));
    pump.now = start + 50;
    graphics.AnimationStep();
    EXPECT_EQ(FlightsAt(), std::vector<clPoint>({{36, 48}, {215, 152}}));
    pump.now = start + 249;
    graphics.AnimationStep();
    EXPECT_EQ(FlightsAt().size(), 2u);
    // Both arrive together; the far card flies on at once and is not drawn yet.
    pump.now = start + 250;
    EXPECT_FALSE(graphics.AnimationStep());
    EXPECT_EQ(ColourAt(near), FaceColour(near));
    EXPECT_NE(ColourAt(far), FaceColour(far));
    EXPECT_EQ(FlightsAt(), std::vector<clPoint>({{300, 300}}));
    pump.now = start + 250 + clGraphics::MoveTime(235, 71) - 1;
    EXPECT_FALSE(graphics.AnimationStep());
    pump.now += 1;
    EXPECT_TRUE(graphics.AnimationStep());
    EXPECT_EQ(ColourAt(far), FaceColour(far));
}

// Klondike deals 28 cards, Spider 54 and Gaps 52, one after another; a card
// shows only once it leaves the stock, and the last one has arrived in
// under half a second.
TEST_F(AnimationTest, ADealLeavesCardByCardAndIsOverWithinItsTime) {
    for (const int count : {1, 28, 54, 104}) {
        SCOPED_TRACE(count);
        std::vector<clCard> cards(static_cast<std::size_t>(count));
        std::vector<clCard*> dealt;
        for (int i = 0; i < count; ++i) {
            cards[i] = CardAt(1 + i % 13, 1 + i / 13 % 4, 1 + i % 7, 1 + 0.05 * (i / 7));
            cards[i].placed = true;
            dealt.push_back(&cards[i]);
        }
        const std::uint32_t start = pump.now;
        graphics.FlyDeal(dealt, {36, 48});
        graphics.ShowFlights();
        EXPECT_EQ(FlightsAt(), std::vector<clPoint>({{36, 48}}));
        pump.now = start + 100;
        graphics.AnimationStep();
        EXPECT_GT(FlightsAt().size(), count > 1 ? 2u : 0u);
        pump.now = start + clGraphics::kDealTime;
        EXPECT_TRUE(graphics.AnimationStep());
        EXPECT_FALSE(graphics.IsAnimating());
        EXPECT_FALSE(pump.running);
        EXPECT_LT(clGraphics::kDealTime, 500);
        for (const clCard& card : cards)
            ASSERT_FALSE(graphics.IsFlying(card));
    }
}

// Ended at any moment, the flights leave nothing behind: the table drawn
// then is the table drawn without any animation.
TEST_F(AnimationTest, EndedFlightsLeaveTheScreenAsATableDrawnWithoutThem) {
    clCard moved[3] = {CardAt(9, 2, 5.0, 2.0), CardAt(8, 1, 5.0, 2.2), CardAt(4, 4, 2.0, 3.0)};
    const auto drawTable = [&] {
        graphics.ClearTable();
        for (const clCard& card : table)
            graphics.DrawCard(card);
        for (const clCard& card : moved)
            graphics.DrawCard(card);
        graphics.ShowFlights();
    };
    for (clCard& card : moved)
        card.placed = true;
    drawTable();
    const std::vector<std::uint8_t> still = Screen();

    for (const std::uint32_t endAt : {0u, 30u, 120u, 260u}) {
        SCOPED_TRACE(endAt);
        const std::uint32_t start = pump.now;
        clCard* group[] = {&moved[0], &moved[1]};
        clCard* single[] = {&moved[2]};
        graphics.Fly(group, {500, 40});
        graphics.Fly(single, {36, 400});
        drawTable();
        for (std::uint32_t t = 16; t <= endAt; t += 16) {
            pump.now = start + t;
            if (graphics.AnimationStep()) drawTable();
        }
        if (graphics.EndFlights()) drawTable();
        EXPECT_FALSE(pump.running);
        EXPECT_TRUE(Screen() == still);
    }
}

// A table laid out anew (another card size, another screen) has its cards
// elsewhere: the flights end, and so does a flight made for the new layout.
TEST_F(AnimationTest, ALayoutChangeEndsTheFlights) {
    clCard card = CardAt(1, 3, 6.0, 3.0);
    card.placed = true;
    clCard* cards[] = {&card};
    graphics.Fly(cards, {107, 144});
    ASSERT_TRUE(display.OnWindowSize(700, 500));
    graphics.Fly(cards, {0, 0});
    EXPECT_FALSE(graphics.IsAnimating());
    EXPECT_FALSE(pump.running);

    graphics.Fly(cards, {107, 144});
    ASSERT_TRUE(display.OnWindowSize(640, 480));
    EXPECT_TRUE(graphics.AnimationStep());
    EXPECT_FALSE(graphics.IsAnimating());

    // The table drawn for the new layout shows the card.
    graphics.Fly(cards, {107, 144});
    ASSERT_TRUE(display.OnWindowSize(700, 500));
    graphics.ClearTable();
    EXPECT_FALSE(graphics.IsAnimating());
    graphics.DrawCard(card);
    EXPECT_EQ(ColourAt(card), FaceColour(card));
}

TEST_F(AnimationTest, WithoutAPumpOrADisplayNothingFlies) {
    clCard card = CardAt(1, 3, 6.0, 3.0);
    card.placed = true;
    clCard* cards[] = {&card};
    graphics.SetAnimationPump(nullptr);
    graphics.Fly(cards, {107, 144});
    graphics.FlyDeal(cards, {107, 144});
    EXPECT_FALSE(graphics.IsAnimating());
    graphics.DrawCard(card);
    EXPECT_EQ(ColourAt(card), FaceColour(card));

    clGraphics headless;
    headless.SetAnimationPump(&pump);
    headless.Fly(cards, {107, 144});
    EXPECT_FALSE(headless.IsAnimating());
    EXPECT_FALSE(pump.running);
}

class DragTest : public AnimationTest {
protected:
    void SetUp() override {
        AnimationTest::SetUp();
        for (int i = 0; i < 3; ++i) {
            cards[i] = CardAt(9 - i, 4, 3.0, 2.0 + i * 0.25);  // at (249, 240)
            group.Add(&cards[i]);
        }
        shadow = clShadow::ForCardWidth(71);
        graphics.SetDragShadow(true);
    }
    // The rectangle of the dragged picture, shadow included, with the first
    // card's corner at a point (71 x 128 cards).
    clRect PictureAt(clPoint corner) const {
        const int before = shadow.blur - shadow.offset;
        const int after = shadow.blur + shadow.offset;
        return {corner.x - before, corner.y - before, corner.x + 71 + after,
                corner.y + 128 + after};
    }
    clCard cards[3];
    clGroup group{4};
    clShadow shadow;
};

// The shadow lies below and right of the cards, darkest near them and fading
// out; it shows through nothing where the cards are opaque.
TEST_F(DragTest, TheDraggedPictureCastsASoftShadow) {
    EXPECT_GT(shadow.offset, 0);
    EXPECT_GT(shadow.blur, shadow.offset);
    graphics.StartDrag(group.Cards(), {284, 248});
    const clImage& picture = target.DragPicture();
    const clRect whole = PictureAt({0, 0});
    ASSERT_EQ(picture.Width(), whole.Width());
    ASSERT_EQ(picture.Height(), whole.Height());
    const int left = -whole.left;  // the first card's corner in the picture
    EXPECT_EQ(picture.PixelValue(left + 35, left + 8), FaceColour(cards[0]));
    EXPECT_EQ(picture.PixelValue(left + 35, left + 127), FaceColour(cards[2]));

    const auto alphaAt = [&](int x, int y) { return picture.PixelValue(x, y) >> 24; };
    const int right = left + 71;
    const int middle = left + 64;
    // Right of the cards: dark and half transparent, fading out outwards.
    EXPECT_GT(alphaAt(right, middle), 40u);
    EXPECT_LT(alphaAt(right, middle), 255u);
    EXPECT_GT(alphaAt(right, middle), alphaAt(right + shadow.offset + shadow.blur / 2, middle));
    EXPECT_EQ(alphaAt(picture.Width() - 1, middle), 0u);
    EXPECT_EQ(picture.PixelValue(right, middle) & 0xFFFFFFu, 0u);  // black
    // Below the cards too; above and left of them hardly any.
    EXPECT_GT(alphaAt(left + 35, left + 128), 40u);
    EXPECT_LT(alphaAt(left - 1, middle), alphaAt(right, middle) / 3);
    EXPECT_EQ(alphaAt(0, 0), 0u);

    // Off (with the animation option): the cards alone, held where they were taken.
    graphics.SetDragShadow(false);
    graphics.StartDrag(group.Cards(), {284, 248});
    EXPECT_EQ(target.DragPicture().Width(), 71);
    EXPECT_EQ(target.DragPicture().Height(), 128);
    graphics.DragTo({200, 200});
    EXPECT_EQ(target.DragPosition(), (clPoint{165, 192}));
    EXPECT_EQ(invalidated.back(), (clRect{165, 192, 236, 320}));
    graphics.EndDrag();
}

// The picture keeps the point where the cards were taken under the pointer;
// a point off the cards is held at their nearest edge. A picture partly or
// wholly off the screen touches only the shown screen, and taking it off
// leaves no trace.
TEST_F(DragTest, TheGrabPointStaysUnderThePointerWithinTheScreen) {
    struct Case {
        const char* what;
        clPoint grab;     // pressed, on the cards at (249, 240) .. (320, 368)
        clPoint pointer;  // moved to
        clPoint corner;   // the first card's corner
    };
    const Case cases[] = {
        {"the middle of the top card", {284, 300}, {200, 200}, {165, 140}},
        {"near the top left corner", {252, 243}, {200, 200}, {197, 197}},
        {"the bottom right corner", {319, 367}, {200, 200}, {130, 73}},
        {"left of the cards", {100, 250}, {200, 200}, {200, 190}},
        {"below the cards", {300, 500}, {200, 200}, {149, 73}},
        {"pulled off the top left", {284, 248}, {-30, -5}, {-65, -13}},
        {"pulled off the bottom right", {284, 248}, {630, 475}, {595, 467}},
        {"far off the screen", {284, 248}, {-500, -500}, {-535, -508}},
        {"far off the other way", {284, 248}, {5000, 5000}, {4965, 4992}},
    };
    const std::vector<std::uint8_t> before = Screen();
    const clRect screen{0, 0, 640, 480};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        graphics.StartDrag(group.Cards(), c.grab);
        invalidated.clear();
        graphics.DragTo(c.pointer);
        EXPECT_EQ(target.DragPosition(), c.corner);
        const clRect full = PictureAt(c.corner);
        const clRect changed{std::max(full.left, 0), std::max(full.top, 0),
                             std::min(full.right, screen.right),
                             std::min(full.bottom, screen.bottom)};
        if (changed.IsEmpty()) {
            EXPECT_TRUE(invalidated.empty());
            EXPECT_TRUE(Screen() == before);
        } else {
            EXPECT_EQ(invalidated, std::vector<clRect>{changed});
            EXPECT_FALSE(Screen() == before);
            const clPoint inside{std::clamp(c.corner.x + 35, 0, 639),
                                 std::clamp(c.corner.y + 8, 0, 479)};
            if (clRect{c.corner.x, c.corner.y, c.corner.x + 71, c.corner.y + 96}.Contains(inside)) {
                EXPECT_EQ(display.Screen().PixelValue(inside.x, inside.y), FaceColour(cards[0]));
            }
        }
        // Nothing outside the rectangle changed, the unshown part included.
        const clImage& pixels = display.Screen();
        for (int y = 0; y < pixels.Height(); ++y) {
            for (int x = 0; x < pixels.Width(); ++x) {
                if (changed.Contains({x, y})) continue;
                const std::size_t at = 4 * (static_cast<std::size_t>(y) * pixels.Width() + x);
                ASSERT_EQ(std::memcmp(pixels.At(x, y), &before[at], 4), 0) << x << "," << y;
            }
        }
        invalidated.clear();
        graphics.EndDrag();
        EXPECT_EQ(invalidated,
                  changed.IsEmpty() ? std::vector<clRect>{} : std::vector<clRect>{changed});
        EXPECT_TRUE(Screen() == before);
    }
}

// The picture is drawn row by row in runs; the screen gets exactly what
// drawing it with alpha would give, where it lies partly off the screen too.
TEST_F(DragTest, TheDraggedPictureLooksAsDrawingItWithAlpha) {
    for (const clPoint pointer : {clPoint{200, 200}, clPoint{-20, 470}, clPoint{630, -30}}) {
        SCOPED_TRACE(std::to_string(pointer.x) + "," + std::to_string(pointer.y));
        clImage expected;
        ASSERT_TRUE(expected.CreateImage(800, 600));
        expected.Copy(display.Screen(), {0, 0});
        graphics.StartDrag(group.Cards(), {284, 248});
        graphics.DragTo(pointer);
        const clRect at = PictureAt(*target.DragPosition());
        expected.SetClip({0, 0, 640, 480});
        expected.Draw(target.DragPicture(), {at.left, at.top});
        EXPECT_TRUE(Screen() == PixelsOf(expected));
        graphics.EndDrag();
    }
}

TEST_F(DragTest, ADragStepInvalidatesOnlyTheOldAndNewRectangles) {
    // A clip the table model left set limits neither the picture nor its erasing.
    const clRect clip{0, 0, 50, 50};
    target.SetClip(&clip);
    graphics.StartDrag(group.Cards(), {284, 248});  // the top card's middle, 8 pixels down
    graphics.DragTo({200, 200});
    invalidated.clear();
    graphics.DragTo({210, 230});
    EXPECT_EQ(invalidated, (std::vector<clRect>{PictureAt({165, 192}), PictureAt({175, 222})}));
    EXPECT_EQ(display.Screen().PixelValue(210, 342), FaceColour(cards[2]));
    EXPECT_EQ(display.Screen().Clip(), clip);
    target.SetClip(nullptr);
}

TEST_F(DragTest, StartingADragPutsBackTheEarlierPicture) {
    const std::vector<std::uint8_t> before = Screen();
    graphics.StartDrag(group.Cards(), {284, 248});
    graphics.DragTo({300, 100});
    clGroup one(1);
    one.Add(&cards[2]);
    graphics.StartDrag(one.Cards(), {284, 290});
    EXPECT_FALSE(target.DragPosition());
    EXPECT_EQ(target.DragPicture().Height(), 96 + 2 * shadow.blur);
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
    graphics.StartDrag(group.Cards(), {284, 248});
    graphics.DragTo({150, 150});
    clCard card = CardAt(3, 3, 1.0, 1.0);  // under the picture
    graphics.PlaceCard(card);
    EXPECT_FALSE(target.DragPosition());
    const std::vector<std::uint8_t> drawn = Screen();
    graphics.DragTo({150, 150});
    graphics.EndDrag();
    EXPECT_TRUE(Screen() == drawn);

    // A screen made again (it grew) holds none of the saved pixels.
    graphics.StartDrag(group.Cards(), {284, 248});
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

class EngineAnimationTest : public AnimationTest {
protected:
    // Two games of the same layout on the test's display, one animated.
    void Make(const clTestLayout& layout) {
        plain = std::make_unique<clTestTable>(layout);
        plain->Initialize();
        plain->Graphics().Attach(&target);
        animated = std::make_unique<clAnimatedTable>(layout);
        animated->Initialize();
        animated->Graphics().Attach(&target);
        animated->Graphics().SetAnimationPump(&pump);
    }
    void TearDown() override {
        if (plain) plain->Graphics().Attach(nullptr);
        if (animated) animated->Graphics().Attach(nullptr);
    }
    // Frames of the window's pump every 16 ms for `ms`.
    void RunFrames(std::uint32_t ms) {
        for (std::uint32_t t = 0; t < ms && pump.running; t += 16) {
            pump.now += 16;
            animated->OnAnimationStep();
        }
    }

    std::unique_ptr<clTestTable> plain;
    std::unique_ptr<clAnimatedTable> animated;
};

// The engine makes the move at once, as it does without animation; the
// cards show nowhere on the table until their picture has arrived, and the
// table the animation ends with, however it ends, is the table drawn anew.
TEST_F(EngineAnimationTest, AMoveIsMadeAtOnceAndOnlyShownFlying) {
    struct Case {
        const char* what;
        clLocation to;
        std::uint32_t framesFor;  // then any flight left is ended
    };
    // The tableau fans its cards; the stock stacks them on one place, so the
    // picture reaches below its cards.
    const clLocation stock = clLocation::Single(clLocationKind::Stock, 0);
    const Case cases[] = {
        {"to a fanned pile, to the end", Tableau(2, 0), 400},
        {"to a stacked pile, to the end", stock, 400},
        {"ended at once", stock, 0},
        {"ended half way", Tableau(2, 0), 100},
    };
    clTestLayout layout;
    layout.tableauDeal = 12;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Make(layout);
        plain->StartDeal(77);
        animated->StartDeal(77);
        ASSERT_TRUE(animated->Graphics().IsAnimating());
        animated->FinishAnimation();  // the deal's animation

        const clMove move = MoveBetween(*animated, Tableau(0, 1), c.to);  // two cards
        const clCard& moved = *animated->Tableau(0)->At(1);
        animated->PlayMove(move);
        animated->DrawTable();
        plain->PlayMove(move);
        EXPECT_EQ(Snapshot(*animated), Snapshot(*plain));
        EXPECT_TRUE(pump.running);
        EXPECT_NE(ColourAt(moved), FaceColour(moved));

        RunFrames(c.framesFor);
        animated->FinishAnimation();
        EXPECT_FALSE(pump.running);
        EXPECT_EQ(ColourAt(*animated->PileAt(c.to)->Top()),
                  FaceColour(*animated->PileAt(c.to)->Top()));
        const std::vector<std::uint8_t> played = Screen();
        animated->DrawTable();
        EXPECT_TRUE(Screen() == played);
    }
}

// An animated deal is the same deal; the stock's cards lie there from the
// start, the others leave it one by one; and the table it ends with, run to
// the end or ended at once, has the same pixels as a deal never animated.
TEST_F(EngineAnimationTest, AnAnimatedDealEndsAsTheDealWithoutAnimation) {
    clTestLayout layout;
    layout.tableauDeal = 20;
    layout.stockDeal = 20;
    layout.waste = true;
    layout.wasteDeal = 2;
    for (const std::uint32_t framesFor : {1000u, 0u, 200u}) {
        SCOPED_TRACE(framesFor);
        Make(layout);
        plain->StartRound(77);
        const std::vector<std::uint8_t> unanimated = Screen();

        animated->StartRound(77);
        EXPECT_EQ(Snapshot(*animated), Snapshot(*plain));
        EXPECT_TRUE(animated->Graphics().IsAnimating());
        EXPECT_FALSE(animated->Timer().IsRunning());
        for (std::uint32_t i = 0; i < animated->Stock()->Count(); ++i)
            EXPECT_FALSE(animated->Graphics().IsFlying(*animated->Stock()->At(int(i))));
        EXPECT_TRUE(animated->Graphics().IsFlying(*animated->Waste()->Top()));
        for (int i = 0; i < animated->TableauCount(); ++i) {
            const clCard& top = *animated->Tableau(i)->Top();
            EXPECT_TRUE(animated->Graphics().IsFlying(top));
            EXPECT_NE(ColourAt(top), FaceColour(top)) << i;
        }
        RunFrames(framesFor);
        animated->FinishAnimation();
        EXPECT_FALSE(animated->Graphics().IsAnimating());
        EXPECT_FALSE(animated->Timer().IsRunning());
        EXPECT_TRUE(Screen() == unanimated);
    }
}

// A press on the felt while cards fly only ends their flight: it is how a
// player skips a deal, not a miss. The next one is a miss again.
TEST_F(EngineAnimationTest, APressOnNoPileEndsTheAnimationWithoutTheErrorSound) {
    clTestLayout layout;
    layout.tableauDeal = 12;
    for (const bool right : {false, true}) {
        SCOPED_TRACE(right ? "right button" : "left button");
        Make(layout);
        animated->StartRound(5);
        ASSERT_TRUE(animated->Graphics().IsAnimating());
        const clPoint felt{600, 450};
        const auto press = [&] {
            if (right) {
                animated->OnRightDown(felt);
            } else {
                animated->OnLeftDown(felt);
            }
        };
        press();
        EXPECT_FALSE(animated->Graphics().IsAnimating());
        EXPECT_TRUE(animated->sounds.empty());
        press();
        EXPECT_EQ(animated->sounds, std::vector<clSound>{clSound::Error});
    }
}

}  // namespace
