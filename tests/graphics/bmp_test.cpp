#include "graphics/bmp.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "graphics/image.h"
#include "graphics/picture_read_ahead.h"
#include "support/picture_files.h"
#include "toolkit/messages.h"

namespace {

void Put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// A bitmap file made by hand: headers, `entries` palette colours, and rows of
// zero bytes (palette index 0), each row padded to 4 bytes.
std::vector<std::uint8_t> HandMadeBitmap(int bits, int width, int height, int entries) {
    const std::size_t rowBytes = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
    const std::size_t offset = 54 + 4 * static_cast<std::size_t>(entries);
    std::vector<std::uint8_t> b(offset + rowBytes * static_cast<std::size_t>(std::abs(height)));
    b[0] = 'B', b[1] = 'M';
    Put32(b, 2, static_cast<std::uint32_t>(b.size()));
    Put32(b, 10, static_cast<std::uint32_t>(offset));
    Put32(b, 14, 40);
    Put32(b, 18, static_cast<std::uint32_t>(width));
    Put32(b, 22, static_cast<std::uint32_t>(height));
    b[26] = 1;
    b[28] = static_cast<std::uint8_t>(bits);
    Put32(b, 46, static_cast<std::uint32_t>(entries));
    for (int i = 0; i < entries; ++i)
        b[54 + 4 * i] = static_cast<std::uint8_t>(10 * i + 10);  // blue of entry i
    return b;
}

// Every kind of damage leaves the picture as it was and reports the status
// that picks the player's message.
TEST(BitmapTest, DamagedOrUnsupportedBitmapsFailCleanly) {
    using Mutate = void (*)(std::vector<std::uint8_t>&);
    struct Case {
        const char* what;
        Mutate mutate;
        clBitmapStatus status;
    };
    const Case cases[] = {
        {"empty", [](auto& b) { b.clear(); }, clBitmapStatus::Damaged},
        {"shorter than the headers", [](auto& b) { b.resize(53); }, clBitmapStatus::Damaged},
        {"two planes", [](auto& b) { b[26] = 2; }, clBitmapStatus::Invalid},
        {"2 bits a pixel", [](auto& b) { b[28] = 2; }, clBitmapStatus::Invalid},
        {"width 0", [](auto& b) { Put32(b, 18, 0); }, clBitmapStatus::Invalid},
        {"negative width", [](auto& b) { Put32(b, 18, 0xFFFFFFF0); }, clBitmapStatus::Invalid},
        {"height 0", [](auto& b) { Put32(b, 22, 0); }, clBitmapStatus::Invalid},
        {"absurd width", [](auto& b) { Put32(b, 18, 0x7FFFFFFF); }, clBitmapStatus::Damaged},
        {"absurd height", [](auto& b) { Put32(b, 22, 0x7FFFFFFF); }, clBitmapStatus::Damaged},
        {"most negative height", [](auto& b) { Put32(b, 22, 0x80000000); },
         clBitmapStatus::Damaged},
        {"pixel offset past the end", [](auto& b) { Put32(b, 10, 0xFFFFFFF0); },
         clBitmapStatus::Damaged},
        {"last row cut short", [](auto& b) { b.pop_back(); }, clBitmapStatus::Damaged},
        {"index past the palette", [](auto& b) { b[62] = 5; }, clBitmapStatus::Damaged},
        {"palette past the pixel offset", [](auto& b) { Put32(b, 14, 0xFFFFFF00); },
         clBitmapStatus::Damaged},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::uint8_t> bytes = HandMadeBitmap(8, 5, 3, 2);
        c.mutate(bytes);
        clImage picture = SolidPicture(1, 1, 0xFFABCDEF);
        EXPECT_EQ(DecodeBitmap(bytes, picture), c.status);
        EXPECT_EQ(picture.Width(), 1);
        EXPECT_EQ(picture.PixelValue(0, 0), 0xFFABCDEFu);
    }
    clImage picture;
    ASSERT_EQ(DecodeBitmap(HandMadeBitmap(8, 5, 3, 2), picture), clBitmapStatus::Ok);
    EXPECT_EQ(picture.PixelValue(4, 2), 0xFF00000Au);  // palette entry 0
}

TEST(BitmapTest, MagentaIsTheTransparentKeyOfTwentyFourBitPictures) {
    clImage source;
    source.CreateImage(3, 1);
    source.At(0, 0)[0] = 255, source.At(0, 0)[2] = 255;                          // magenta
    source.At(1, 0)[0] = 254, source.At(1, 0)[2] = 255;                          // almost
    source.At(2, 0)[0] = 255, source.At(2, 0)[1] = 1, source.At(2, 0)[2] = 255;  // almost
    clImage picture;
    ASSERT_EQ(DecodeBitmap(EncodeBitmap(source, 24), picture), clBitmapStatus::Ok);
    EXPECT_EQ(picture.PixelValue(0, 0), 0x00808080u);
    EXPECT_EQ(picture.PixelValue(1, 0), 0xFFFF00FEu);
    EXPECT_EQ(picture.PixelValue(2, 0), 0xFFFF01FFu);
}

TEST(BitmapTest, RowsComeOutTopDownWhicheverWayTheFileStoresThem) {
    const clImage source = PatternPicture(5, 4, 2);
    std::vector<std::uint8_t> bottomUp = EncodeBitmap(source, 32);
    // The same rows stored top-down, as a negative height says.
    std::vector<std::uint8_t> topDown = bottomUp;
    Put32(topDown, 22, static_cast<std::uint32_t>(-4));
    for (int r = 0; r < 4; ++r)
        std::copy_n(bottomUp.begin() + 54 + 20 * (3 - r), 20, topDown.begin() + 54 + 20 * r);
    for (const auto* bytes : {&bottomUp, &topDown}) {
        clImage picture;
        ASSERT_EQ(DecodeBitmap(*bytes, picture), clBitmapStatus::Ok);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 5; ++x)
                EXPECT_EQ(picture.PixelValue(x, y), source.PixelValue(x, y));
    }
}

// Bitmaps written by ImageMagick at every depth, compared pixel for pixel
// with ImageMagick's own decode of the same file.
TEST(BitmapTest, ImageMagickBitmapsOfEveryDepthMatchItsDecode) {
    const std::string convert = FindTool("convert");
    if (convert.empty()) GTEST_SKIP() << "ImageMagick is not installed (scripts/install-deps)";
    const std::filesystem::path photo = SampleImagesFolder() / "egret.jpg";
    if (!std::filesystem::exists(photo)) GTEST_SKIP() << "libsixel-examples is not installed";

    clTempFolder folder;
    const std::string source = Quoted(folder / "source.png");
    ASSERT_TRUE(RunCommand(convert + " " + Quoted(photo) + " -resize 37x29! " + source));
    struct Case {
        int bits;
        const char* options;
    };
    const Case cases[] = {
        {1, "-type Bilevel"},
        {4, "-colors 16 -type Palette"},
        {8, "-colors 200 -type Palette"},
        {16, "-define bmp:subtype=RGB555"},
        {24, "-type TrueColor"},
        {32, "-alpha set -channel A -fx i/w +channel -define bmp3:alpha=true"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bits);
        const std::filesystem::path bmp = folder / ("picture" + std::to_string(c.bits) + ".bmp");
        const std::filesystem::path raw = folder / "reference.rgba";
        ASSERT_TRUE(RunCommand(convert + " " + source + " " + c.options +
                               " -compress None BMP3:" + Quoted(bmp)));
        std::vector<std::uint8_t> bytes = ReadBytes(bmp);
        ASSERT_EQ(bytes[28], c.bits) << "ImageMagick wrote another depth";
        if (c.bits == 16) {
            // Its 16-bit files say "bit fields" without giving the masks, and
            // then it reads them back as black; marked plain 5-5-5 (which the
            // program's decoder assumes either way), they read right.
            bytes[30] = 0;
            WriteBytes(bmp, bytes);
        }
        ASSERT_TRUE(RunCommand(convert + " " + Quoted(bmp) + " -depth 8 RGBA:" + Quoted(raw)));
        const std::vector<std::uint8_t> reference = ReadBytes(raw);
        ASSERT_EQ(reference.size(), 37u * 29 * 4);

        clImage picture;
        clHeadlessMessages messages;
        ASSERT_TRUE(picture.LoadFile(bmp.string(), messages));
        ASSERT_EQ(picture.Width(), 37);
        ASSERT_EQ(picture.Height(), 29);
        int differences = 0;
        for (int y = 0; y < 29; ++y) {
            for (int x = 0; x < 37; ++x) {
                const std::uint8_t* r = &reference[4 * (37 * y + x)];
                const std::uint8_t* p = picture.At(x, y);
                // ImageMagick widens 5-bit channels as (v << 3) | (v >> 2); the
                // program shifts by 3 only.
                const std::uint8_t mask = c.bits == 16 ? 0xF8 : 0xFF;
                const bool same = (r[2] & mask) == p[0] && (r[1] & mask) == p[1] &&
                                  (r[0] & mask) == p[2] && (c.bits != 32 || r[3] == p[3]) &&
                                  (c.bits == 32 || p[3] == 255);
                differences += !same;
            }
        }
        EXPECT_EQ(differences, 0);
    }
}

TEST(BitmapTest, PictureFilesThatAreNotBitmapsGiveThePlayersMessages) {
    clTempFolder folder;
    clHeadlessMessages messages;
    clImage picture = SolidPicture(1, 1, 0xFF010203);

    const std::string missing = (folder / "missing.bmp").string();
    EXPECT_FALSE(picture.LoadFile(missing, messages));

    const std::string cut = (folder / "cut.bmp").string();
    std::vector<std::uint8_t> bytes = HandMadeBitmap(24, 9, 9, 0);
    bytes.resize(bytes.size() - 10);
    WriteBytes(cut, bytes);
    EXPECT_FALSE(picture.LoadFile(cut, messages));

    // A GIF is tried as a bitmap because of its extension, and its header is no bitmap's.
    const std::string gif = (folder / "picture.gif").string();
    WriteBytes(gif, {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                     0,   0,   0,   0,   0,   0,   0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                     0,   0,   0,   0,   0,   0,   0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    EXPECT_FALSE(picture.LoadFile(gif, messages));

    EXPECT_EQ(messages.Texts(), (std::vector<std::string>{
                                    "Cannot find '" + missing + "' file.",
                                    "Unable to load '" + cut + "' file.",
                                    "Unable to load bitmap file.",
                                }));
    EXPECT_EQ(picture.PixelValue(0, 0), 0xFF010203u);
}

// A picture read ahead is the same picture, taken once; a read ahead that
// failed, or that was dropped, leaves the load to read the file and say why.
TEST(BitmapTest, APictureReadAheadIsTakenOnceAndFailuresAreStillReported) {
    clTempFolder folder;
    clHeadlessMessages messages;
    const std::string path = (folder / "read_ahead.bmp").string();
    std::vector<std::uint8_t> bytes = HandMadeBitmap(8, 5, 3, 1);
    WriteBytes(path, bytes);
    clImage direct;
    ASSERT_TRUE(direct.LoadFile(path, messages));

    ReadPictureAhead(path);
    clImage early;
    ASSERT_TRUE(early.LoadFile(path, messages));
    EXPECT_EQ(early.Width(), 5);
    EXPECT_EQ(early.Height(), 3);
    EXPECT_EQ(early.PixelValue(4, 2), direct.PixelValue(4, 2));
    std::filesystem::remove(path);
    EXPECT_FALSE(early.LoadFile(path, messages));  // not handed out twice

    ReadPictureAhead(path);  // a file that is not there
    EXPECT_FALSE(early.LoadFile(path, messages));

    WriteBytes(path, bytes);
    ReadPictureAhead(path);
    ForgetPicturesReadAhead();
    std::filesystem::remove(path);
    EXPECT_FALSE(early.LoadFile(path, messages));

    const std::string missing = "Cannot find '" + path + "' file.";
    EXPECT_EQ(messages.Texts(), (std::vector<std::string>{missing, missing, missing}));
    EXPECT_EQ(early.Width(), 5);
}

}  // namespace
