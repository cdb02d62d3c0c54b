// The card-set files the build wrote, read through the game's own readers:
// the catalogue record of each file, then every set of every kind.
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "data/shipped_data.h"
#include "engine/solitaire_rules.h"
#include "graphics/card_set.h"
#include "graphics/card_set_info.h"
#include "graphics/card_size.h"
#include "graphics/display.h"
#include "graphics/display_target.h"
#include "piles/pile.h"
#include "toolkit/messages.h"
#include "variants/registry.h"

namespace {

// Largest first: the three sizes for big screens, then those of the card-size menu.
const std::vector<clPictureSize> kNativeSizes = {{300, 400}, {225, 300}, {180, 240}, {150, 200},
                                                 {120, 160}, {90, 120},  {71, 96},   {53, 72}};

int Alpha(const clImage& picture, int x, int y) {
    return static_cast<int>(picture.PixelValue(x, y) >> 24);
}

// The pixels of a picture, row by row (a picture cut from a bitmap shares
// the bitmap's rows, so its own bytes are not contiguous).
std::vector<std::uint8_t> Pixels(const clImage& picture) {
    std::vector<std::uint8_t> bytes;
    for (int y = 0; y < picture.Height(); ++y) {
        bytes.insert(bytes.end(), picture.Row(y), picture.Row(y) + 4 * picture.Width());
    }
    return bytes;
}

// No two pictures of a set are the same: a painter that drew one face twice
// would show the wrong card.
void ExpectAllDifferent(const clPictureSet& set, int first) {
    std::set<std::vector<std::uint8_t>> seen;
    for (int i = first; i < set.Count(); ++i) {
        EXPECT_TRUE(seen.insert(Pixels(*set.Picture(i))).second)
            << "picture " << i << " of the " << set.Width() << " x " << set.Height()
            << " set repeats";
    }
}

// A rounded card: its corner clear, its middle and the middle of its edges solid.
void ExpectCardShape(const clImage& picture) {
    const int w = picture.Width(), h = picture.Height();
    EXPECT_EQ(Alpha(picture, 0, 0), 0);
    EXPECT_EQ(Alpha(picture, w - 1, h - 1), 0);
    EXPECT_EQ(Alpha(picture, w / 2, h / 2), 255);
    EXPECT_EQ(Alpha(picture, w / 2, 1), 255);
    EXPECT_EQ(Alpha(picture, 1, h / 2), 255);
}

TEST(ShippedCardSetTest, TheCatalogueListsBothSets) {
    clCardSetList list;
    list.Build(kShippedData, {});
    ASSERT_EQ(list.Count(), 2);
    const auto classic = list.Find("qarvel.cards");
    const auto four = list.Find("qarvel_four_colour.cards");
    ASSERT_TRUE(classic && four);
    EXPECT_EQ(list.Entry(*classic).Description(), "Qarvel Classic");
    EXPECT_EQ(list.Entry(*four).Description(), "Qarvel Four Colour");
}

TEST(ShippedCardSetTest, DefaultSetHasEveryKindAtEveryNativeSize) {
    const std::string path = (kShippedData / "qarvel.cards").string();
    clCardSetInfo info;
    ASSERT_TRUE(info.Load(path, "qarvel.cards")) << info.LastError();
    EXPECT_EQ(info.CardSizes(), kNativeSizes);
    EXPECT_EQ(info.BackSizes(), kNativeSizes);
    EXPECT_EQ(info.SymbolSizes(), kNativeSizes);

    clHeadlessMessages messages;
    for (int k = 0; k < static_cast<int>(kNativeSizes.size()); ++k) {
        SCOPED_TRACE("set " + std::to_string(k));
        clCardSet cards;
        ASSERT_TRUE(cards.Load(path, k, messages)) << cards.LastError();
        EXPECT_EQ(cards.Type(), 1u);  // every picture carries its own alpha
        // The mask, the 52 cards, the two jokers and the face of "no card".
        ASSERT_EQ(cards.Count(), 56);
        for (int i = 0; i < cards.Count(); ++i)
            ExpectCardShape(*cards.Picture(i));
        ExpectAllDifferent(cards, 1);

        clCardBacks backs;
        ASSERT_TRUE(backs.Load(path, k, messages)) << backs.LastError();
        EXPECT_EQ(backs.Count(), 8);
        for (int i = 0; i < backs.Count(); ++i)
            ExpectCardShape(*backs.Picture(i));
        ExpectAllDifferent(backs, 0);

        clCardSymbols symbols;
        ASSERT_TRUE(symbols.Load(path, k, messages)) << symbols.LastError();
        ASSERT_EQ(symbols.Count(), 16);
        for (int i = 0; i < symbols.Count(); ++i) {
            // A symbol lets the table show through.
            const clImage& symbol = *symbols.Picture(i);
            EXPECT_EQ(Alpha(symbol, 0, 0), 0);
            EXPECT_GT(Alpha(symbol, symbol.Width() / 2, 1), 0);
            EXPECT_LT(Alpha(symbol, 3 * symbol.Width() / 4, symbol.Height() / 8), 255);
        }
        ExpectAllDifferent(symbols, 0);
    }
    EXPECT_TRUE(messages.Texts().empty());
}

TEST(ShippedCardSetTest, SecondSetTakesItsTransparencyFromTheMask) {
    const std::string path = (kShippedData / "qarvel_four_colour.cards").string();
    clCardSetInfo info;
    ASSERT_TRUE(info.Load(path, "qarvel_four_colour.cards")) << info.LastError();
    const std::vector<clPictureSize> sizes = {kNativeSizes[0], kNativeSizes[1], kNativeSizes[2],
                                              kNativeSizes[3], kNativeSizes[6], kNativeSizes[7]};
    EXPECT_EQ(info.CardSizes(), sizes);
    EXPECT_EQ(info.BackSizes(), sizes);
    EXPECT_EQ(info.SymbolSetCount(), 0);

    clHeadlessMessages messages;
    for (int k = 0; k < static_cast<int>(sizes.size()); ++k) {
        SCOPED_TRACE("set " + std::to_string(k));
        clCardSet cards;
        ASSERT_TRUE(cards.Load(path, k, messages)) << cards.LastError();
        EXPECT_EQ(cards.Type(), 0u);
        ASSERT_EQ(cards.Count(), 56);
        for (int i = 0; i < cards.Count(); ++i)
            ExpectCardShape(*cards.Picture(i));
        ExpectAllDifferent(cards, 1);

        clCardBacks backs;
        ASSERT_TRUE(backs.Load(path, k, messages)) << backs.LastError();
        ASSERT_EQ(backs.Count(), 3);
        // The display gives the backs the mask of the card set in use.
        backs.ApplyMask(*cards.Mask());
        for (int i = 0; i < backs.Count(); ++i)
            ExpectCardShape(*backs.Picture(i));
        ExpectAllDifferent(backs, 0);
    }
    EXPECT_TRUE(messages.Texts().empty());
}

// The display picks the shipped set of each card size as it is, with no
// scaling, and a dealt table shows its faces and backs pixel for pixel: the
// sizes of the card-size menu through the menu's indexes, the larger ones as
// native sizes.
TEST(ShippedCardSetTest, TheDisplayDrawsATableWithTheDefaultSetAtEveryNativeSize) {
    clCardSetList catalogue;
    catalogue.Build(kShippedData, {});
    const std::string path = (kShippedData / "qarvel.cards").string();
    for (int k = 0; k < static_cast<int>(kNativeSizes.size()); ++k) {
        const clPictureSize size = kNativeSizes[static_cast<std::size_t>(k)];
        SCOPED_TRACE(std::to_string(size.width) + " x " + std::to_string(size.height));
        int menuIndex = 0;
        for (int index = 1; index <= kSmallestSizeIndex; ++index) {
            if (CardSizeOf(index) == size) menuIndex = index;
        }
        clDisplayOptions options;
        options.minSize = options.maxSize = menuIndex;
        clHeadlessMessages messages;
        clDisplay display(options, catalogue, messages);
        ASSERT_TRUE(display.Create(1600, 1200));
        if (menuIndex == 0) {
            ASSERT_TRUE(display.SetNativeSize(k));
        }
        std::unique_ptr<clSolitaireType> screen = CreateVariant("Klondike");
        auto* game = dynamic_cast<clSolitaireRules*>(screen.get());
        ASSERT_NE(game, nullptr);
        display.SetLayout(game->TableWidth(), game->TableHeight());
        ASSERT_EQ(display.CardWidth(), size.width);
        ASSERT_EQ(display.CardHeight(), size.height);
        EXPECT_FALSE(display.Cards().Face(0)->OwnsPixels()) << "resampled";
        clDisplayTarget target(display);
        game->Graphics().Attach(&target);
        game->StartRound(1);
        game->DrawTable();

        clCardSet faces;
        clCardBacks backs;
        ASSERT_TRUE(faces.Load(path, k, messages));
        ASSERT_TRUE(backs.Load(path, k, messages));
        const clImage& pixels = display.Screen();
        for (int i = 0; i < game->TableauCount(); ++i) {
            const clPile* pile = game->Tableau(i);
            const clCard& top = *pile->At(static_cast<int>(pile->Count()) - 1);
            const auto rect = game->Graphics().CardRect(top);
            ASSERT_TRUE(rect);
            const clImage& face = *faces.Face(top.value);
            for (const clPoint at : {clPoint{size.width / 2, size.height / 2},
                                     clPoint{size.width / 12, size.height / 12},
                                     clPoint{size.width / 3, size.height - 5}}) {
                EXPECT_EQ(pixels.PixelValue(rect->left + at.x, rect->top + at.y) & 0xFFFFFF,
                          face.PixelValue(at.x, at.y) & 0xFFFFFF)
                    << "column " << i;
            }
            if (pile->Count() > 1) {
                const auto below = game->Graphics().CardRect(*pile->At(0));
                EXPECT_EQ(
                    pixels.PixelValue(below->left + size.width / 2, below->top + 3) & 0xFFFFFF,
                    backs.Picture(0)->PixelValue(size.width / 2, 3) & 0xFFFFFF);
            }
        }
        EXPECT_TRUE(messages.Texts().empty());
    }
}

}  // namespace
