#include "graphics/display.h"

#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "engine/solitaire_rules.h"
#include "graphics/bmp.h"
#include "graphics/card_set_writer.h"
#include "graphics/card_size.h"
#include "graphics/chunk.h"
#include "graphics/display_settings.h"
#include "graphics/display_target.h"
#include "support/card_set_files.h"
#include "support/hang_guard.h"
#include "support/picture_files.h"
#include "toolkit/memory_settings_store.h"
#include "toolkit/messages.h"
#include "variants/registry.h"

namespace {

using clMode = clBackgroundChoice::Mode;

// The card-size rule with the worked examples of the card-size menu.
TEST(CardSizeTest, AutomaticSizeTakesTheLargestAllowedSizeThatFits) {
    struct Case {
        const char* what;
        clSizeRule rule;
        clPictureSize expected;
    };
    const clPictureSize proposed{150, 200};
    const Case cases[] = {
        {"10 x 4 on 800 x 600: small", {0, 0, 10, 4, 800, 600}, {71, 96}},
        {"10 x 4 on 640 x 480: tiny", {0, 0, 10, 4, 640, 480}, {53, 72}},
        {"nothing fits at all: tiny", {0, 0, 20, 10, 640, 480}, {53, 72}},
        {"both limits large: always large", {2, 2, 10, 4, 640, 480}, {120, 160}},
        {"smallest above largest: the proposal", {2, 4, 10, 4, 640, 480}, proposed},
        {"large to small, small fits", {4, 2, 10, 4, 800, 600}, {71, 96}},
        {"large to small, none fits: small", {4, 2, 10, 4, 640, 480}, {71, 96}},
        {"large to small, large fits", {4, 2, 5, 3, 800, 600}, {120, 160}},
        {"no table: the largest", {0, 0, 0, 0, 640, 480}, {150, 200}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(AutomaticCardSize(c.rule, proposed), c.expected);
    }
}

class DisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteCardSetFile(install / "qarvel.cards",
                         {{clTag::kCards, 56, 71, 96},
                          {clTag::kCards, 56, 150, 200},
                          {clTag::kBacks, 3, 71, 96},
                          {clTag::kBacks, 2, 150, 200},
                          {clTag::kSymbols, 4, 150, 200}},
                         1);
        WriteBytes(install / "qarvel.bmp", EncodeBitmap(PatternPicture(3, 2, 5), 24));
        options.virtualWidth = 300;  // raised to the minimum
        catalogue.Build(install.Path(), {});
    }
    // A fresh display over the same files, for one case of a table.
    struct clFresh {
        clDisplayOptions options;
        clHeadlessMessages messages;
        clDisplay display;
        clFresh(clCardSetList& catalogue, const clDisplayOptions& start)
            : options(start), display(options, catalogue, messages) {}
    };
    std::unique_ptr<clFresh> Fresh(const clDisplayOptions& start) {
        return std::make_unique<clFresh>(catalogue, start);
    }

    clTempFolder install;
    clDisplayOptions options;
    clCardSetList catalogue;
    clHeadlessMessages messages;
    clDisplay display{options, catalogue, messages};
};

TEST_F(DisplayTest, CreateSizesTheScreenAndLoadsExactSetsAtTheirOwnSize) {
    ASSERT_TRUE(display.Create(800, 600));
    EXPECT_EQ(options.virtualWidth, 640);
    EXPECT_EQ(display.Screen().Width(), 800);
    EXPECT_EQ(display.VirtualWidth(), 800);
    EXPECT_EQ(display.VirtualHeight(), 600);
    // No table yet: the largest size fits.
    EXPECT_EQ(display.CardWidth(), 150);
    EXPECT_FALSE(display.Cards().Face(0)->OwnsPixels());
    EXPECT_EQ(display.Cards().Face(51)->PixelValue(0, 0), SetColour(clTag::kCards, 52));
    EXPECT_EQ(display.Backs().Count(), 2);
    EXPECT_EQ(display.Backs().Width(), 150);
    EXPECT_EQ(display.Symbols().Count(), 4);
    EXPECT_EQ(display.Screen().PixelValue(799, 599), display.Background().PixelValue(799, 599));
    EXPECT_TRUE(messages.Texts().empty());
}

TEST_F(DisplayTest, TheCardSizeFollowsTheTableAndThePlayersLimits) {
    struct Case {
        const char* what;
        int minSize, maxSize, areaWidth, areaHeight, columns, rows;
        clPictureSize card;
        bool resampled;
        clPictureSize screen;
    };
    const Case cases[] = {
        {"small is native", 0, 0, 800, 600, 10, 4, {71, 96}, false, {800, 600}},
        {"medium is scaled from huge", 0, 0, 800, 600, 8, 4, {90, 120}, true, {800, 600}},
        {"tiny on a small window", 0, 0, 600, 400, 10, 4, {53, 72}, true, {640, 480}},
        {"fixed large grows the screen", 2, 2, 800, 600, 10, 4, {120, 160}, true, {1200, 640}},
        {"smallest above largest keeps the size",
         2,
         4,
         800,
         600,
         10,
         4,
         {150, 200},
         false,
         {1500, 800}},
        {"large down to small", 4, 2, 800, 600, 10, 4, {71, 96}, false, {800, 600}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        clDisplayOptions start;
        start.minSize = c.minSize;
        start.maxSize = c.maxSize;
        auto fresh = Fresh(start);
        ASSERT_TRUE(fresh->display.Create(c.areaWidth, c.areaHeight));
        fresh->display.SetLayout(c.columns, c.rows);
        EXPECT_EQ(fresh->display.CardWidth(), c.card.width);
        EXPECT_EQ(fresh->display.CardHeight(), c.card.height);
        EXPECT_EQ(fresh->display.Cards().Face(0)->OwnsPixels(), c.resampled);
        EXPECT_EQ(fresh->display.Backs().Width(), c.card.width);
        EXPECT_EQ(fresh->display.Symbols().Height(), c.card.height);
        EXPECT_EQ(fresh->display.VirtualWidth(), c.screen.width);
        EXPECT_EQ(fresh->display.VirtualHeight(), c.screen.height);
    }
}

TEST_F(DisplayTest, NativeAndCustomSizes) {
    ASSERT_TRUE(display.Create(800, 600));
    ASSERT_TRUE(display.SetNativeSize(0));
    EXPECT_TRUE(display.IsNativeSize());
    EXPECT_EQ(display.CardWidth(), 71);
    // A set the file does not have: back to the automatic rule.
    ASSERT_TRUE(display.SetNativeSize(9));
    EXPECT_FALSE(display.IsNativeSize());
    EXPECT_EQ(display.CardWidth(), 150);

    ASSERT_TRUE(display.SetCustomSize(100, 130));
    EXPECT_TRUE(display.IsCustomSize());
    EXPECT_EQ(display.CardWidth(), 100);
    EXPECT_EQ(display.Backs().Height(), 130);
    EXPECT_FALSE(display.SetCustomSize(0, 50));
    EXPECT_EQ(display.CardWidth(), 100);
    ASSERT_TRUE(display.SetCustomSize(5000, 90));  // held to the fixed limit
    EXPECT_EQ(display.CardWidth(), clDisplay::kMaxCardSide);
    EXPECT_EQ(display.CardHeight(), 90);

    ASSERT_TRUE(display.ChooseCardSize(3));
    EXPECT_FALSE(display.IsCustomSize());
    EXPECT_EQ(options.minSize, 3);
    EXPECT_EQ(options.maxSize, 3);
    EXPECT_EQ(display.CardWidth(), 90);
}

// A size with no set of its own is scaled down from the nearest larger set,
// the smallest at least as wide and as high, for faces, backs and symbols
// alike; only a size beyond every set is scaled up from the largest. Each
// set of the file is painted in its own colour, so the scaled pictures tell
// which one was used.
TEST_F(DisplayTest, AMissingSizeIsScaledFromTheNearestLargerSet) {
    // 110 x 80 is wider than 75 x 100 but lower, and smaller than 150 x 200.
    const std::vector<clPictureSize> sizes = {{150, 200}, {110, 80}, {75, 100}, {36, 48}};
    const auto colour = [](std::uint32_t tag, int set) {
        const std::uint32_t kind = tag == clTag::kCards ? 0 : tag == clTag::kBacks ? 1 : 2;
        return 0xFF000000 | (40 + 50 * static_cast<std::uint32_t>(set)) << 16 |
               (60 + 60 * kind) << 8 | 0x50;
    };
    clCardSetWriter writer;
    writer.AddType(1);
    for (const auto& [tag, count] : {std::pair{clTag::kCards, 56}, std::pair{clTag::kBacks, 2},
                                     std::pair{clTag::kSymbols, 3}}) {
        for (int k = 0; k < static_cast<int>(sizes.size()); ++k) {
            const clPictureSize size = sizes[static_cast<std::size_t>(k)];
            std::vector<clImage> pictures;
            for (int i = 0; i < count; ++i)
                pictures.push_back(SolidPicture(size.width, size.height, colour(tag, k)));
            writer.AddPictureSet(tag, Pointers(pictures));
        }
    }
    ASSERT_TRUE(writer.Write(install / "ladder.cards"));
    catalogue.Build(install.Path(), {});
    options.cardSet = options.backs = options.symbols = "ladder.cards";
    ASSERT_TRUE(display.Create(800, 600));

    // Solid pictures stay solid when scaled, within the filter's rounding
    // (its weights are not normalised); the sets' colours lie 50 apart.
    const auto near = [](std::uint32_t a, std::uint32_t b) {
        for (int shift = 0; shift < 32; shift += 8) {
            if (std::abs(static_cast<int>((a >> shift) & 0xFF) -
                         static_cast<int>((b >> shift) & 0xFF)) > 8)
                return false;
        }
        return true;
    };
    struct Case {
        clPictureSize wanted;
        int set;
        bool resampled;
    };
    const Case cases[] = {
        {{45, 60}, 2, true},    // from 75 x 100, not from the largest
        {{27, 36}, 3, true},    // from 36 x 48
        {{90, 120}, 0, true},   // 110 x 80 is not high enough
        {{100, 75}, 1, true},   // 75 x 100 is not wide enough
        {{36, 48}, 3, false},   // a set of its own
        {{160, 210}, 0, true},  // beyond every set: up from the largest
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.wanted.width) + " x " + std::to_string(c.wanted.height));
        ASSERT_TRUE(display.SetCustomSize(c.wanted.width, c.wanted.height));
        ASSERT_EQ(display.CardWidth(), c.wanted.width);
        ASSERT_EQ(display.CardHeight(), c.wanted.height);
        EXPECT_EQ(display.Cards().Face(0)->OwnsPixels(), c.resampled);
        const int x = c.wanted.width / 2, y = c.wanted.height / 2;
        EXPECT_PRED2(near, display.Cards().Face(0)->PixelValue(x, y), colour(clTag::kCards, c.set));
        EXPECT_PRED2(near, display.Backs().Picture(1)->PixelValue(x, y),
                     colour(clTag::kBacks, c.set));
        EXPECT_PRED2(near, display.Symbols().Picture(2)->PixelValue(x, y),
                     colour(clTag::kSymbols, c.set));
    }
    EXPECT_TRUE(messages.Texts().empty());
}

TEST_F(DisplayTest, ADamagedCardSetFallsBackToTheDefaultFile) {
    // Its headers are fine (so the catalogue lists it); its bitmap is not.
    clCardSetWriter writer;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> corners(56, {0, 0});
    std::vector<std::uint8_t> bitmap = EncodeBitmap(SolidPicture(2, 2, 0xFF000000), 32);
    bitmap[26] = 2;  // two planes
    writer.AddChunk(clTag::kCards, clCardSetWriter::PictureSetPayload(56, 2, 2, corners, bitmap));
    writer.Write(install / "broken.cards");
    catalogue.Build(install.Path(), {});
    ASSERT_EQ(catalogue.Count(), 2);

    options.cardSet = "broken.cards";
    ASSERT_TRUE(display.Create(800, 600));
    EXPECT_EQ(options.cardSet, "qarvel.cards");
    EXPECT_EQ(display.CardWidth(), 150);
    // One message: what failed, why, and what is used instead.
    EXPECT_EQ(messages.Texts(),
              std::vector<std::string>{"The card set \"broken.cards\" could not be loaded: " +
                                       (install / "broken.cards").string() +
                                       " is damaged or cannot be read. Qarvel uses the card set "
                                       "\"qarvel.cards\" instead."});
}

// The default file missing or damaged: any other file with faces and backs
// carries the game, told once; with nothing left the display is not made,
// and the player learns where card sets were looked for.
struct clInstallation {
    const char* name;
    // What becomes of qarvel.cards: removed, a FIFO, or its bitmap damaged.
    enum class clDefault { Missing, Fifo, Damaged } qarvel;
    bool otherSet;  // "Four" (faces and backs, no symbols), in the player's folder
    const char* why;
};

class CardSetFallbackTest : public DisplayTest,
                            public ::testing::WithParamInterface<clInstallation> {};

TEST_P(CardSetFallbackTest, AnyValidSetIsUsedWithOneMessageElseNone) {
    const clInstallation& c = GetParam();
    const std::filesystem::path qarvel = install / "qarvel.cards";
    std::filesystem::remove(qarvel);
    if (c.qarvel == clInstallation::clDefault::Fifo) {
        ASSERT_EQ(mkfifo(qarvel.c_str(), 0600), 0);
    } else if (c.qarvel == clInstallation::clDefault::Damaged) {
        // Headers the catalogue reads; a bitmap that does not decode.
        clCardSetWriter writer;
        std::vector<std::uint8_t> bitmap = EncodeBitmap(SolidPicture(2, 2, 0xFF000000), 32);
        bitmap[26] = 2;  // two planes
        const std::vector<std::pair<std::uint32_t, std::uint32_t>> corners(56, {0, 0});
        writer.AddChunk(clTag::kCards,
                        clCardSetWriter::PictureSetPayload(56, 2, 2, corners, bitmap));
        writer.Write(qarvel);
    }
    clTempFolder own;
    const std::filesystem::path four = own / "four.cards";
    if (c.otherSet) {
        WriteCardSetFile(four, {{clTag::kCards, 56, 71, 96}, {clTag::kBacks, 3, 71, 96}},
                         std::nullopt, "Four");
    }
    catalogue.Build(install.Path(), {own.Path()});

    if (!c.otherSet) {
        EXPECT_FALSE(display.Create(800, 600));
        EXPECT_TRUE(display.CardSetsFailed());
        ASSERT_EQ(messages.Texts(), std::vector<std::string>{NoCardSetText(catalogue)});
        EXPECT_NE(messages.Texts()[0].find(own.Path().string()), std::string::npos);
        EXPECT_EQ(options.cardSet, "qarvel.cards");  // the setting is kept
        return;
    }
    ASSERT_TRUE(display.Create(800, 600));
    EXPECT_FALSE(display.CardSetsFailed());
    EXPECT_EQ(options.cardSet, four.string());
    EXPECT_EQ(options.backs, four.string());
    EXPECT_EQ(options.symbols, "");  // no file has symbols
    EXPECT_EQ(display.Cards().Face(0)->PixelValue(0, 0), SetColour(clTag::kCards, 1));
    EXPECT_EQ(display.Backs().Count(), 3);
    EXPECT_EQ(display.Symbols().Count(), 0);
    const std::string expected =
        "The card set \"qarvel.cards\" could not be loaded: " + qarvel.string() + " " + c.why +
        ". Qarvel uses the card set \"Four\" (" + four.string() +
        ") instead.\n\nNo card set that could be loaded has pile "
        "symbols, so the piles are shown without them.";
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{expected});

    // Said once: other sizes load quietly. Choosing the failed set again is
    // told again, as that choice.
    display.SetLayout(10, 4);
    ASSERT_TRUE(display.ChooseCardSize(2));
    EXPECT_TRUE(display.SetAutomaticSize());
    EXPECT_EQ(messages.Texts().size(), 1u);
    options.cardSet = "qarvel.cards";
    EXPECT_TRUE(display.ChangeCardSet());
    EXPECT_EQ(options.cardSet, four.string());
    ASSERT_EQ(messages.Texts().size(), 2u);
    EXPECT_EQ(messages.Texts()[1], expected.substr(0, expected.find("\n")));

    // The next start looks for the symbols again.
    clDisplayOptions stored = options;
    const auto next = Fresh(stored);
    ASSERT_TRUE(next->display.Create(800, 600));
    EXPECT_EQ(next->options.symbols, "");
    EXPECT_EQ(next->messages.Texts().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Installations, CardSetFallbackTest,
    ::testing::Values(
        clInstallation{"DefaultMissing", clInstallation::clDefault::Missing, true, "is missing"},
        clInstallation{"DefaultIsAFifo", clInstallation::clDefault::Fifo, true,
                       "is not a regular file"},
        clInstallation{"DefaultDamaged", clInstallation::clDefault::Damaged, true,
                       "is damaged or cannot be read"},
        clInstallation{"NothingLeft", clInstallation::clDefault::Missing, false, ""},
        clInstallation{"OnlyADamagedOne", clInstallation::clDefault::Damaged, false, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DisplayTest, BacksFallBackAndTheBackNumberStaysInRange) {
    WriteCardSetFile(install / "faces.cards", {{clTag::kCards, 56, 71, 96}});
    catalogue.Build(install.Path(), {});
    options.backs = "faces.cards";  // no backs in it
    options.cardBack = 5;
    ASSERT_TRUE(display.Create(800, 600));
    EXPECT_EQ(options.backs, "qarvel.cards");
    EXPECT_EQ(options.cardBack, 0);
    display.SetCardBack(1);
    EXPECT_EQ(options.cardBack, 1);
    display.SetCardBack(2);  // only two backs at this size
    EXPECT_EQ(options.cardBack, 1);
    EXPECT_EQ(display.CurrentBack()->PixelValue(0, 0), SetColour(clTag::kBacks, 1));
}

TEST_F(DisplayTest, BackgroundsAndTheirFallbacks) {
    const clImage source = PatternPicture(3, 2, 5);
    const std::uint32_t green = 0x00008000;  // dark green, alpha 0
    struct Case {
        const char* what;
        clBackgroundChoice current, global;
        std::uint32_t topLeft, at4x3;  // expected pixels (0xAARRGGBB)
        clMode currentAfter, globalAfter;
        std::size_t messages;
    };
    const Case cases[] = {
        {"solid colour",
         {clMode::Solid, 0x332211, ""},
         {},
         0x00112233,
         0x00112233,
         clMode::Solid,
         clMode::Stretched,
         0},
        {"global solid",
         {clMode::Global, 0, ""},
         {clMode::Solid, 0x0000FF, ""},
         0x00FF0000,
         0x00FF0000,
         clMode::Global,
         clMode::Solid,
         0},
        {"tiled picture",
         {clMode::Tiled, 0, "qarvel.bmp"},
         {},
         source.PixelValue(0, 0),
         source.PixelValue(1, 1),
         clMode::Tiled,
         clMode::Stretched,
         0},
        {"missing picture: the global picture instead",
         {clMode::Tiled, 0, "missing.bmp"},
         {clMode::Solid, 0x123456, "qarvel.bmp"},
         source.PixelValue(0, 0),
         source.PixelValue(1, 1),
         clMode::Tiled,
         clMode::Solid,
         1},
        {"both missing: dark green",
         {clMode::Tiled, 0x123456, "missing.bmp"},
         {clMode::Solid, 0, "alsomissing.bmp"},
         green,
         green,
         clMode::Solid,
         clMode::Solid,
         2},
        {"global picture missing",
         {clMode::Global, 0, ""},
         {clMode::Stretched, 0x123456, "missing.png"},
         green,
         green,
         clMode::Global,
         clMode::Solid,
         0},
        {"a FIFO in the picture's place: the global picture instead",
         {clMode::Tiled, 0, "fifo.bmp"},
         {clMode::Solid, 0x123456, "qarvel.bmp"},
         source.PixelValue(0, 0),
         source.PixelValue(1, 1),
         clMode::Tiled,
         clMode::Solid,
         1},
        {"global picture linked to /dev/zero: dark green",
         {clMode::Global, 0, ""},
         {clMode::Stretched, 0x123456, "zero.png"},
         green,
         green,
         clMode::Global,
         clMode::Solid,
         0},
    };
    ASSERT_EQ(mkfifo((install / "fifo.bmp").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", install / "zero.png");
    const clHangGuard guard("a background picture that is no regular file");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        clDisplayOptions start;
        start.current = c.current;
        start.global = c.global;
        auto fresh = Fresh(start);
        ASSERT_TRUE(fresh->display.Create(640, 480));
        const clImage& background = fresh->display.Background();
        EXPECT_EQ(background.PixelValue(0, 0), c.topLeft);
        EXPECT_EQ(background.PixelValue(4, 3), c.at4x3);
        EXPECT_EQ(fresh->options.current.mode, c.currentAfter);
        EXPECT_EQ(fresh->options.global.mode, c.globalAfter);
        if (c.currentAfter == clMode::Solid && c.current.mode != clMode::Solid) {
            EXPECT_EQ(fresh->options.current.colour, 0x008000u);
        }
        EXPECT_EQ(fresh->messages.Texts().size(), c.messages);
        EXPECT_EQ(fresh->display.Screen().PixelValue(4, 3), c.at4x3);
    }

    // Stretched over the logical size by nearest neighbour: 3 x 2 over 640 x 480.
    options.current = {clMode::Stretched, 0, "qarvel.bmp"};
    ASSERT_TRUE(display.Create(640, 480));
    EXPECT_EQ(display.Background().PixelValue(213, 239), source.PixelValue(0, 0));
    EXPECT_EQ(display.Background().PixelValue(214, 240), source.PixelValue(1, 1));
    EXPECT_EQ(display.Background().PixelValue(639, 479), source.PixelValue(2, 1));

    // Let go once the size has settled, the picture is read again at the
    // next change of size.
    display.ReleaseBackgroundSource();
    ASSERT_TRUE(display.OnWindowSize(660, 500));
    EXPECT_EQ(display.Background().PixelValue(659, 499), source.PixelValue(2, 1));
    EXPECT_EQ(display.Background().PixelValue(0, 0), source.PixelValue(0, 0));
    EXPECT_EQ(options.current.mode, clMode::Stretched);
}

// A screen's own picture that is missing is reported once, not at every
// redraw of the background (each step of a window resize).
TEST_F(DisplayTest, AMissingPictureIsReportedOnce) {
    options.current = {clMode::Tiled, 0, "missing.bmp"};
    ASSERT_TRUE(display.Create(640, 480));
    ASSERT_TRUE(display.OnWindowSize(700, 500));
    ASSERT_TRUE(display.OnWindowSize(720, 520));
    EXPECT_EQ(messages.Texts().size(), 1u);
    EXPECT_EQ(options.current.mode, clMode::Tiled);  // the player's picture stands in
    EXPECT_EQ(display.Background().PixelValue(719, 519),
              PatternPicture(3, 2, 5).PixelValue(719 % 3, 519 % 2));
}

TEST_F(DisplayTest, TheVirtualScreenFollowsTheWindowWithinItsMinimum) {
    ASSERT_TRUE(display.Create(640, 480));
    const std::uint64_t generation = display.ScreenGeneration();
    EXPECT_FALSE(display.OnWindowSize(640, 480));  // nothing changes
    ASSERT_TRUE(display.OnWindowSize(1024, 768));
    EXPECT_EQ(display.Screen().Width(), 1024);
    EXPECT_GT(display.ScreenGeneration(), generation);

    // Smaller windows only change the logical size, never below 640 x 480.
    const std::uint64_t grown = display.ScreenGeneration();
    ASSERT_TRUE(display.OnWindowSize(700, 500));
    EXPECT_EQ(display.VirtualWidth(), 700);
    EXPECT_EQ(display.Screen().Width(), 1024);
    ASSERT_TRUE(display.OnWindowSize(300, 200));
    EXPECT_EQ(display.VirtualWidth(), 640);
    EXPECT_EQ(display.VirtualHeight(), 480);
    EXPECT_EQ(display.ScreenGeneration(), grown);

    // The table's minimum with the smallest allowed size, and the forced size.
    options.minSize = 2;
    display.SetLayout(10, 4);
    ASSERT_TRUE(display.OnWindowSize(1300, 700));
    ASSERT_TRUE(display.OnWindowSize(800, 600));
    EXPECT_EQ(display.VirtualWidth(), 1200);
    EXPECT_EQ(display.VirtualHeight(), 640);
    options.forceVirtual = true;
    options.virtualWidth = 1600;
    ASSERT_TRUE(display.OnWindowSize(1000, 700));
    EXPECT_EQ(display.VirtualWidth(), 1600);
    EXPECT_EQ(display.VirtualHeight(), 700);
}

// A table larger than the screen grows it per side to the larger of the
// table and the current size, never below the current size.
TEST_F(DisplayTest, ALargeTableGrowsTheScreenSideBySide) {
    ASSERT_TRUE(display.Create(640, 480));
    display.SetLayout(12, 2);
    EXPECT_EQ(display.CardWidth(), 53);  // automatic: tiny fits
    ASSERT_TRUE(display.ChooseCardSize(1));
    EXPECT_EQ(display.VirtualWidth(), 1800);
    EXPECT_EQ(display.VirtualHeight(), 480);

    // The same when the size stays and only the table changes.
    display.SetLayout(13, 3);
    EXPECT_EQ(display.VirtualWidth(), 1950);
    EXPECT_EQ(display.VirtualHeight(), 600);
}

// Fit to Window: the largest cards of the set's shape (3 : 4 here, from its
// 150 x 200 set) at which the table fits the drawing area.
TEST_F(DisplayTest, FitToWindowTakesTheLargestCardsThatFitTheArea) {
    struct clCase {
        const char* what;
        int columns, rows, width, height;
        clPictureSize expected;
    };
    const clCase cases[] = {
        {"width decides", 10, 3, 1600, 1000, {160, 213}},
        {"height decides", 9, 5, 1600, 1000, {150, 200}},
        {"a tiny window: never below tiny", 9, 5, 300, 200, {53, 72}},
        {"a huge window: held to the largest side",
         1,
         1,
         4000,
         4000,
         {clDisplay::kMaxCardSide * 3 / 4, clDisplay::kMaxCardSide}},
    };
    ASSERT_TRUE(display.Create(640, 480));
    ASSERT_TRUE(display.ChooseFitToWindow());
    for (const clCase& c : cases) {
        SCOPED_TRACE(c.what);
        display.SetLayout(c.columns, c.rows);
        display.OnWindowSize(c.width, c.height);
        EXPECT_EQ(display.FitCardSize(), c.expected);
        EXPECT_EQ(display.CardWidth(), c.expected.width);
        EXPECT_EQ(display.CardHeight(), c.expected.height);
        EXPECT_EQ(display.Backs().Width(), c.expected.width);
    }
}

// Picking a size after a larger one leaves no trace of the larger one: the
// virtual screen shrinks back to the drawing area, and Automatic chooses as
// it would have at the start.
TEST_F(DisplayTest, ASizeChoiceForgetsTheSizeBefore) {
    ASSERT_TRUE(display.Create(800, 600));
    display.SetLayout(10, 4);
    const clPictureSize automatic{display.CardWidth(), display.CardHeight()};
    ASSERT_TRUE(display.ChooseCardSize(1));  // huge: the screen grows to 1500 x 800
    EXPECT_EQ(display.VirtualWidth(), 1500);
    ASSERT_TRUE(display.ChooseCardSize(5));
    EXPECT_EQ(display.VirtualWidth(), 800);
    EXPECT_EQ(display.VirtualHeight(), 600);
    ASSERT_TRUE(display.ChooseCardSize(0));
    EXPECT_EQ(display.CardWidth(), automatic.width);
    EXPECT_EQ(display.CardHeight(), automatic.height);
    EXPECT_EQ(display.VirtualWidth(), 800);

    // While the window's edge is dragged the cards stay; then they follow.
    ASSERT_TRUE(display.ChooseFitToWindow());
    const int before = display.CardWidth();
    ASSERT_TRUE(display.OnWindowSize(1200, 900, false));
    EXPECT_EQ(display.CardWidth(), before);
    EXPECT_TRUE(display.ReloadForArea());
    EXPECT_EQ(display.CardWidth(), display.FitCardSize().width);
    EXPECT_GT(display.CardWidth(), before);
    EXPECT_FALSE(display.ReloadForArea());
}

// A window's display leaves resampling to another thread: the shown cards
// stay until the new ones are adopted, which are the very pictures a
// display that resamples at once makes, and a load made for a size the
// display has since left is refused.
TEST_F(DisplayTest, DeferredLoadsAreAdoptedOnlyWhileTheyAreWanted) {
    display.SetDeferredLoading(true);
    options.fitWindow = true;
    display.SetLayout(7, 4);
    ASSERT_TRUE(display.Create(900, 700));
    // Until then: the largest native size that fits, as it is.
    EXPECT_EQ(display.CardWidth(), 71);
    const std::optional<clCardLoadPlan> plan = display.PendingCardLoad();
    ASSERT_TRUE(plan.has_value());
    EXPECT_EQ(plan->size, display.FitCardSize());
    EXPECT_EQ(plan->faces.set, 1);  // from the 150 x 200 pictures

    clCardPictures pictures;
    clHeadlessMessages worker;
    ASSERT_TRUE(LoadCardPictures(*plan, pictures, worker));
    ASSERT_TRUE(display.AdoptCardPictures(*plan, std::move(pictures)));
    EXPECT_EQ(display.CardWidth(), plan->size.width);
    EXPECT_EQ(display.Backs().Width(), plan->size.width);
    EXPECT_EQ(display.Symbols().Height(), plan->size.height);
    EXPECT_FALSE(display.PendingCardLoad().has_value());

    clFresh direct(catalogue, options);
    direct.options.fitWindow = true;
    direct.display.SetLayout(7, 4);
    ASSERT_TRUE(direct.display.Create(900, 700));
    ASSERT_EQ(direct.display.CardWidth(), plan->size.width);
    for (int face : {0, 13, 52}) {
        const clImage& mine = *display.Cards().Face(face);
        const clImage& theirs = *direct.display.Cards().Face(face);
        for (int y = 0; y < mine.Height(); y += 7) {
            for (int x = 0; x < mine.Width(); x += 5)
                ASSERT_EQ(mine.PixelValue(x, y), theirs.PixelValue(x, y)) << face;
        }
    }
    EXPECT_EQ(display.Backs().Picture(0)->PixelValue(40, 40),
              direct.display.Backs().Picture(0)->PixelValue(40, 40));

    // Made for one size, delivered after the window changed again.
    display.OnWindowSize(1300, 900, false);
    display.ReloadForArea();
    const std::optional<clCardLoadPlan> larger = display.PendingCardLoad();
    ASSERT_TRUE(larger.has_value());
    display.OnWindowSize(800, 600, false);
    display.ReloadForArea();
    clCardPictures stale;
    ASSERT_TRUE(LoadCardPictures(*larger, stale, worker));
    const int shown = display.CardWidth();
    EXPECT_FALSE(display.AdoptCardPictures(*larger, std::move(stale)));
    EXPECT_EQ(display.CardWidth(), shown);

    // A native size needs no resampling and loads at once.
    ASSERT_TRUE(display.ChooseCardSize(4));
    EXPECT_EQ(display.CardWidth(), 71);
    EXPECT_FALSE(display.PendingCardLoad().has_value());
    EXPECT_TRUE(worker.Texts().empty());
}

TEST_F(DisplayTest, AStoppedLoadGivesNothing) {
    ASSERT_TRUE(display.Create(800, 600));
    clCardLoadPlan plan{{(install / "qarvel.cards").string(), 1},
                        {(install / "qarvel.cards").string(), 1},
                        {(install / "qarvel.cards").string(), 0},
                        {111, 148}};
    std::stop_source stop;
    stop.request_stop();
    clCardPictures pictures;
    EXPECT_FALSE(LoadCardPictures(plan, pictures, messages, stop.get_token()));
    EXPECT_NE(pictures.cards.Width(), 111);
    EXPECT_TRUE(LoadCardPictures(plan, pictures, messages));
    EXPECT_EQ(pictures.symbols.Width(), 111);

    plan.faces.path = (install / "missing.cards").string();
    EXPECT_FALSE(LoadCardPictures(plan, pictures, messages));
}

TEST_F(DisplayTest, StoredValuesOutOfRangeFallBack) {
    options.minSize = 9;
    options.maxSize = -2;
    options.cardBack = -3;
    options.virtualWidth = 1000000;
    options.virtualHeight = 0;
    options.global.mode = static_cast<clMode>(3);
    ASSERT_TRUE(display.Create(800, 600));
    EXPECT_EQ(options.minSize, 0);
    EXPECT_EQ(options.maxSize, 0);
    EXPECT_EQ(options.cardBack, 0);
    EXPECT_EQ(options.virtualWidth, clDisplay::kMaxVirtualSide);
    EXPECT_EQ(options.virtualHeight, 480);
    EXPECT_EQ(options.global.mode, clMode::Stretched);
    EXPECT_EQ(display.Screen().Width(), clDisplay::kMaxVirtualSide);
}

TEST_F(DisplayTest, TableCoordinatesAndFractions) {
    options.minSize = options.maxSize = 4;
    ASSERT_TRUE(display.Create(640, 480));
    display.SetLayout(8, 4);
    EXPECT_EQ(display.TableToScreen(1.5, 0.25, 4, 0), (clPoint{147, 72}));

    // The table spans 36..604 x 48..432; its centre is (320, 240).
    double fx = 1, fy = 1;
    display.TableFraction({300, 220, 340, 260}, fx, fy);
    EXPECT_EQ(fx, 0.0);
    EXPECT_EQ(fy, 0.0);
    display.TableFraction({604 - 10, 432 - 10, 604 + 10, 432 + 10}, fx, fy);
    EXPECT_DOUBLE_EQ(fx, 0.5);
    EXPECT_DOUBLE_EQ(fy, 0.5);
    for (const clRect& rect : {clRect{100, 100, 244, 172}, clRect{500, 400, 645, 473}}) {
        display.TableFraction(rect, fx, fy);
        EXPECT_EQ(display.PositionInTable(fx, fy, rect), rect);
    }
    EXPECT_EQ(display.PositionInTable(0.0, -0.5, {0, 0, 144, 72}), (clRect{248, 12, 392, 84}));
}

// The drawing calls of a real game put the card set's pictures on the screen.
TEST_F(DisplayTest, TheDisplayTargetDrawsATableIntoTheVirtualScreen) {
    options.current = {clMode::Solid, 0x404040, ""};
    ASSERT_TRUE(display.Create(800, 600));
    std::vector<clRect> invalidated;
    display.SetInvalidateHandler([&](const clRect& rect) { invalidated.push_back(rect); });
    clDisplayTarget target(display);

    std::unique_ptr<clSolitaireType> screen = CreateVariant("Klondike");
    auto* game = dynamic_cast<clSolitaireRules*>(screen.get());
    ASSERT_NE(game, nullptr);
    display.SetLayout(game->TableWidth(), game->TableHeight());
    EXPECT_EQ(display.CardWidth(), 71);
    game->Graphics().Attach(&target);
    game->StartRound(1);
    game->DrawTable();
    EXPECT_FALSE(invalidated.empty());

    // The screen's alpha is not shown (a solid background has alpha 0), so
    // only colours are compared.
    const clImage& pixels = display.Screen();
    const auto colour = [&](int x, int y) { return pixels.PixelValue(x, y) & 0xFFFFFF; };
    for (int i = 0; i < game->TableauCount(); ++i) {
        const clPile* pile = game->Tableau(i);
        const clCard& top = *pile->At(static_cast<int>(pile->Count()) - 1);
        const auto rect = game->Graphics().CardRect(top);
        ASSERT_TRUE(rect);
        const int x = rect->left + 35, y = rect->top + 60;
        EXPECT_EQ(colour(x, y), SetColour(clTag::kCards, top.value + 1) & 0xFFFFFF) << i;
        if (pile->Count() > 1) {
            const auto below = game->Graphics().CardRect(*pile->At(0));
            EXPECT_EQ(colour(below->left + 35, below->top + 2),
                      SetColour(clTag::kBacks, 0) & 0xFFFFFF);
        }
    }
    EXPECT_EQ(colour(0, 0), 0x404040u);

    // Highlighting inverts the face; taking a card off shows the background.
    const clCard& card = *game->Tableau(0)->At(0);
    const clRect rect = *game->Graphics().CardRect(card);
    game->Graphics().HighlightCard(card);
    EXPECT_EQ(colour(rect.left + 1, rect.top + 1),
              ~SetColour(clTag::kCards, card.value + 1) & 0xFFFFFF);
    invalidated.clear();
    target.TakeOff(rect);
    EXPECT_EQ(colour(rect.left + 1, rect.top + 1), 0x404040u);
    EXPECT_EQ(invalidated, std::vector<clRect>{rect});
}

// The player's settings feed the display, and what the display changed goes
// back: here the raised virtual width and a back number past the backs.
TEST_F(DisplayTest, ThePlayersSettingsFeedTheDisplayAndTakeItsChangesBack) {
    clMemorySettingsStore store;
    clSettings settings(store);
    settings.SetNumber(clNumber::MinSize, 4);
    settings.SetNumber(clNumber::MaxSize, 4);
    settings.SetFlag(clFlag::FitWindow, false);
    settings.SetNumber(clNumber::VirtualWidth, 300);
    settings.SetNumber(clNumber::CardBack, 7);
    settings.SetCurrentBackground(clBackgroundMode::Solid, 0x102030, "");

    clDisplayOptions fromSettings = DisplayOptionsFromSettings(settings);
    EXPECT_EQ(fromSettings.current.mode, clMode::Solid);
    EXPECT_EQ(fromSettings.global.mode, clMode::Stretched);
    clHeadlessMessages quiet;
    clDisplay fed(fromSettings, catalogue, quiet);
    ASSERT_TRUE(fed.Create(800, 600));
    EXPECT_EQ(fed.CardWidth(), 71);
    EXPECT_EQ(fed.Background().PixelValue(0, 0), 0x00302010u);
    StoreDisplayOptions(fromSettings, settings);
    EXPECT_EQ(settings.Number(clNumber::VirtualWidth), 640);
    EXPECT_EQ(settings.Number(clNumber::CardBack), 0);
    EXPECT_EQ(settings.CurrentBackgroundMode(), clBackgroundMode::Solid);

    const clCardSetLookup lookup = CatalogueLookup(catalogue);
    EXPECT_EQ(lookup("QARVEL.cards"), 0);
    EXPECT_FALSE(lookup("gone.cards"));
}

}  // namespace
