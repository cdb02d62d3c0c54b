// The data files the build writes into its data folder, read back.
#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "assets/card_file_reader.h"
#include "assets/card_file_writer.h"
#include "assets/sound_synth.h"
#include "engine/catalogue.h"
#include "graphics/interface_layout.h"

namespace {

const std::filesystem::path kData = QARVEL_DATA_DIR;

struct clSize {
    int width;
    int height;
};
constexpr std::array<clSize, 5> kNativeSizes = {
    {{150, 200}, {120, 160}, {90, 120}, {71, 96}, {53, 72}}};

std::uint8_t Alpha(const clPicture& p, int x, int y) {
    return p.At(x, y)[3];
}

// Every set of one kind, in file order, with the sizes it should have.
void ExpectSets(clCardFileReader& reader, std::uint32_t tag, const std::vector<clSize>& sizes,
                std::size_t count, std::vector<clPictureSet>& sets) {
    ASSERT_EQ(reader.Count(tag), static_cast<int>(sizes.size()));
    for (std::size_t k = 0; k < sizes.size(); ++k) {
        clPictureSet set;
        ASSERT_TRUE(reader.ReadSet(tag, static_cast<int>(k), set)) << reader.Error();
        EXPECT_EQ(set.width, sizes[k].width) << "set " << k;
        EXPECT_EQ(set.height, sizes[k].height) << "set " << k;
        EXPECT_EQ(set.pictures.size(), count) << "set " << k;
        sets.push_back(std::move(set));
    }
}

// No two pictures of a set are the same: a painter that drew one face twice
// would show the wrong card.
void ExpectAllDifferent(const clPictureSet& set, std::size_t first) {
    std::set<std::vector<std::uint8_t>> seen;
    for (std::size_t i = first; i < set.pictures.size(); ++i) {
        EXPECT_TRUE(seen.insert(set.pictures[i].bgra).second)
            << "picture " << i << " of the " << set.width << " x " << set.height << " set repeats";
    }
}

TEST(ShippedCardSetTest, DefaultSetHasEveryKindAtEveryNativeSize) {
    clCardFileReader reader;
    ASSERT_TRUE(reader.Open(kData / "qarvel.cards")) << reader.Error();
    EXPECT_EQ(reader.Description(), "Qarvel Classic");
    EXPECT_EQ(reader.Type(), kOwnTransparency);
    const std::vector<clSize> sizes(kNativeSizes.begin(), kNativeSizes.end());
    std::vector<clPictureSet> cards, backs, symbols;
    ExpectSets(reader, clCardFileTag::kCards, sizes, 56, cards);
    ExpectSets(reader, clCardFileTag::kBacks, sizes, 8, backs);
    ExpectSets(reader, clCardFileTag::kSymbols, sizes, 16, symbols);
    for (const clPictureSet& set : cards) {
        const int cx = set.width / 2, cy = set.height / 2;
        // The mask and every face: rounded corners clear, the middle solid.
        for (const clPicture& picture : set.pictures) {
            EXPECT_EQ(Alpha(picture, 0, 0), 0);
            EXPECT_EQ(Alpha(picture, set.width - 1, set.height - 1), 0);
            EXPECT_EQ(Alpha(picture, cx, cy), 255);
            EXPECT_EQ(Alpha(picture, cx, 1), 255);
        }
        ExpectAllDifferent(set, 1);
    }
    for (const clPictureSet& set : backs) {
        for (const clPicture& picture : set.pictures) {
            EXPECT_EQ(Alpha(picture, 0, 0), 0);
            EXPECT_EQ(Alpha(picture, set.width / 2, set.height / 2), 255);
        }
        ExpectAllDifferent(set, 0);
    }
    for (const clPictureSet& set : symbols) {
        // Symbols let the table show through.
        for (const clPicture& picture : set.pictures) {
            EXPECT_EQ(Alpha(picture, 0, 0), 0);
            EXPECT_LT(Alpha(picture, 3 * set.width / 4, set.height / 8), 255);
        }
        ExpectAllDifferent(set, 0);
    }
}

TEST(ShippedCardSetTest, SecondSetTakesItsTransparencyFromTheMask) {
    clCardFileReader reader;
    ASSERT_TRUE(reader.Open(kData / "qarvel_four_colour.cards")) << reader.Error();
    EXPECT_EQ(reader.Description(), "Qarvel Four Colour");
    EXPECT_EQ(reader.Type(), kMaskTransparency);
    const std::vector<clSize> sizes = {kNativeSizes[0], kNativeSizes[3], kNativeSizes[4]};
    std::vector<clPictureSet> cards, backs;
    ExpectSets(reader, clCardFileTag::kCards, sizes, 56, cards);
    ExpectSets(reader, clCardFileTag::kBacks, sizes, 3, backs);
    EXPECT_EQ(reader.Count(clCardFileTag::kSymbols), 0);
    for (std::size_t k = 0; k < cards.size(); ++k) {
        const clPicture& mask = cards[k].pictures.front();
        // A mask of black outside the card and a solid middle.
        EXPECT_EQ(mask.At(0, 0)[0], 0);
        EXPECT_EQ(mask.At(0, 0)[2], 0);
        EXPECT_EQ(Alpha(mask, mask.width / 2, mask.height / 2), 255);
        for (clPictureSet* set : {&cards[k], &backs[k]}) {
            for (clPicture& picture : set->pictures) {
                clCardFileReader::ApplyMask(mask, picture);
                EXPECT_EQ(Alpha(picture, 0, 0), 0);
                EXPECT_EQ(Alpha(picture, picture.width / 2, picture.height / 2), 255);
            }
        }
        ExpectAllDifferent(cards[k], 1);
    }
}

std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

std::uint32_t BigEndian(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) << 24 | b[at + 1] << 16 | b[at + 2] << 8 | b[at + 3];
}

// Both interface images are PNG files of the size their layout gives, the
// picture with an alpha channel where nothing is drawn.
TEST(ShippedInterfaceImageTest, ArePngFilesOfTheLayoutSize) {
    const struct {
        const char* name;
        int width;
        int height;
    } files[] = {
        {"qarvel.iface", clInterfaceLayout::kWidth, clInterfaceLayout::kHeight},
        {"qarvel_help.iface", clInterfaceLayout::kHelpWidth, clInterfaceLayout::kHelpHeight}};
    for (const auto& file : files) {
        SCOPED_TRACE(file.name);
        const std::vector<std::uint8_t> b = ReadFile(kData / file.name);
        ASSERT_GE(b.size(), 33u);
        EXPECT_EQ(std::vector<std::uint8_t>(b.begin(), b.begin() + 8),
                  (std::vector<std::uint8_t>{0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'}));
        EXPECT_EQ(std::string(b.begin() + 12, b.begin() + 16), "IHDR");
        EXPECT_EQ(BigEndian(b, 16), static_cast<std::uint32_t>(file.width));
        EXPECT_EQ(BigEndian(b, 20), static_cast<std::uint32_t>(file.height));
        EXPECT_EQ(b[24], 8);  // bits a channel
    }
}

// The default table background, the picture the `image` setting names.
TEST(ShippedInterfaceImageTest, TableBackgroundIsAnOpaqueBitmap) {
    const std::vector<std::uint8_t> b = ReadFile(kData / "qarvel.bmp");
    clPicture picture;
    ASSERT_TRUE(DecodeBmp(b.data(), b.size(), picture));
    EXPECT_EQ(picture.width, 1024);
    EXPECT_EQ(picture.height, 768);
    EXPECT_EQ(b[28], 24);  // bits a pixel: no alpha, and no magenta key on the felt
    for (int y = 0; y < picture.height; y += 37) {
        for (int x = 0; x < picture.width; x += 41)
            EXPECT_EQ(Alpha(picture, x, y), 255);
    }
}

// Every picture of the interface image has its own place inside it.
TEST(ShippedInterfaceImageTest, LayoutRectanglesLieInsideTheImageApart) {
    namespace layout = clInterfaceLayout;
    std::vector<clRect> rects = {layout::kSplash, layout::kAbout, layout::kBackgroundTile,
                                 layout::kKeyLabels, layout::kPause};
    for (int f = 0; f < layout::kFilterCount; ++f) {
        for (int s = 0; s < layout::kFilterStates; ++s)
            rects.push_back(layout::FilterButton(f, s));
    }
    for (int i = 0; i < layout::kToolCount; ++i)
        rects.push_back(layout::ToolPicture(i));
    const clRect image{0, 0, layout::kWidth, layout::kHeight};
    for (std::size_t i = 0; i < rects.size(); ++i) {
        EXPECT_EQ(image.Union(rects[i]), image) << "rectangle " << i << " leaves the image";
        for (std::size_t j = i + 1; j < rects.size(); ++j) {
            const clRect& a = rects[i];
            const clRect& b = rects[j];
            const bool apart =
                a.right <= b.left || b.right <= a.left || a.bottom <= b.top || b.bottom <= a.top;
            EXPECT_TRUE(apart) << "rectangles " << i << " and " << j << " overlap";
        }
    }
    EXPECT_EQ(layout::kKeyLabels.Width(), (layout::kKeyCells + 2) * layout::kKeyCell);
    const clRect help{0, 0, layout::kHelpWidth, layout::kHelpHeight};
    for (const layout::clHotRectangle& hot : layout::kHelpHotRectangles) {
        EXPECT_EQ(help.Union(hot.rect), help) << hot.caption;
    }
    EXPECT_LE(layout::kHelpHotRectangles.size(), 32u);
}

std::string ReadText(const std::filesystem::path& path) {
    const std::vector<std::uint8_t> bytes = ReadFile(path);
    return std::string(bytes.begin(), bytes.end());
}

// A page for every help topic a game carries, each naming its game, and a
// games list that leads to every game on the chooser.
TEST(ShippedHelpTest, EveryGameHasItsPage) {
    const std::string list = ReadText(kData / "help" / "1000.html");
    ASSERT_FALSE(list.empty());
    EXPECT_FALSE(ReadText(kData / "help" / "index.html").empty());
    for (const auto rows : {Catalogue(), HiddenVariants()}) {
        for (const clCatalogueRow& row : rows) {
            SCOPED_TRACE(std::string(row.displayName));
            const std::string page = std::to_string(row.helpTopic) + ".html";
            const std::string html = ReadText(kData / "help" / page);
            EXPECT_NE(html.find("<h1>" + std::string(row.displayName) + "</h1>"),
                      std::string::npos);
            EXPECT_NE(html.find("<h2>How to play</h2>"), std::string::npos);
            EXPECT_NE(html.find("<h2>Scoring</h2>"), std::string::npos);
            EXPECT_NE(list.find("href=\"" + page + "\""), std::string::npos);
        }
    }
}

// The web pages the program opens by key: from its menus and from the Help
// Center's hot rectangles, whose help targets must exist too.
TEST(ShippedHelpTest, EveryPageTheProgramOpensExists) {
    std::set<std::string> keys = {"index",    "latest160", "cardsets", "newsletter",
                                  "customer", "forum",     "games"};
    for (const clInterfaceLayout::clHotRectangle& hot : clInterfaceLayout::kHelpHotRectangles) {
        if (!hot.webPage.empty()) {
            keys.insert(std::string(hot.webPage));
        } else {
            const std::string page =
                hot.helpTopic == 0 ? "index.html" : std::to_string(hot.helpTopic) + ".html";
            EXPECT_TRUE(std::filesystem::exists(kData / "help" / page)) << page;
        }
    }
    for (const std::string& key : keys) {
        EXPECT_NE(ReadText(kData / "web" / "app" / (key + ".html")).find("<h1>"), std::string::npos)
            << key;
    }
}

// Pages are written for players: every point value filled in, and no names
// from the program's code.
TEST(ShippedHelpTest, PagesReadAsPlainText) {
    const std::regex codeName("\\bcl[A-Z][a-zA-Z]+");
    for (const auto& folder : {kData / "help", kData / "web" / "app"}) {
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            if (entry.path().extension() != ".html") continue;
            const std::string html = ReadText(entry.path());
            EXPECT_EQ(html.find('{'), std::string::npos) << entry.path();
            EXPECT_FALSE(std::regex_search(html, codeName)) << entry.path();
        }
    }
}

std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

std::uint16_t U16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

// Every sound: a plain PCM wave header, short, audible but not clipped, and
// starting and ending at rest so that cutting one off with the next does not click.
TEST(ShippedSoundTest, EveryWaveIsAShortCleanPcmSound) {
    ASSERT_EQ(SoundNames().size(), 16u);
    for (const std::string& name : SoundNames()) {
        SCOPED_TRACE(name);
        std::ifstream in(kData / (name + ".wav"), std::ios::binary);
        ASSERT_TRUE(in);
        const std::vector<std::uint8_t> b(std::istreambuf_iterator<char>(in), {});
        ASSERT_GE(b.size(), 44u);
        EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "RIFF");
        EXPECT_EQ(U32(b, 4), b.size() - 8);
        EXPECT_EQ(std::string(b.begin() + 8, b.begin() + 16), "WAVEfmt ");
        EXPECT_EQ(U32(b, 16), 16u);
        EXPECT_EQ(U16(b, 20), 1);  // PCM
        EXPECT_EQ(U16(b, 22), 1);  // mono
        EXPECT_EQ(U32(b, 24), 22050u);
        EXPECT_EQ(U32(b, 28), 44100u);
        EXPECT_EQ(U16(b, 32), 2);
        EXPECT_EQ(U16(b, 34), 16);
        EXPECT_EQ(std::string(b.begin() + 36, b.begin() + 40), "data");
        ASSERT_EQ(U32(b, 40), b.size() - 44);
        const std::size_t samples = (b.size() - 44) / 2;
        EXPECT_GE(samples, 22050u / 40) << "shorter than 25 ms";
        EXPECT_LE(samples, 22050u * 2) << "longer than two seconds";
        int peak = 0;
        for (std::size_t i = 0; i < samples; ++i) {
            peak = std::max(
                peak, std::abs(static_cast<int>(static_cast<std::int16_t>(U16(b, 44 + 2 * i)))));
        }
        EXPECT_GT(peak, 16000);
        EXPECT_LT(peak, 32767);
        EXPECT_LT(std::abs(static_cast<std::int16_t>(U16(b, 44))), 2000);
        EXPECT_LT(std::abs(static_cast<std::int16_t>(U16(b, b.size() - 2))), 2000);
    }
}

}  // namespace
