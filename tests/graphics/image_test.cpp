#include "graphics/image.h"

#include <vector>

#include <gtest/gtest.h>

#include "graphics/resample.h"
#include "support/picture_files.h"

namespace {

clImage OnePixel(std::uint32_t argb) {
    return SolidPicture(1, 1, argb);
}

TEST(ImageTest, CreateImageRefusesSizesOutsideTheLimitsAndKeepsThePicture) {
    clImage picture = SolidPicture(2, 2, 0xFF112233);
    const std::pair<int, int> refused[] = {
        {0, 1}, {1, 0}, {-1, 5}, {clImage::kMaxSide + 1, 1}, {8193, 8193},
    };
    for (const auto& [w, h] : refused) {
        SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
        EXPECT_FALSE(picture.CreateImage(w, h));
        EXPECT_EQ(picture.Width(), 2);
        EXPECT_EQ(picture.PixelValue(1, 1), 0xFF112233u);
    }
    ASSERT_TRUE(picture.CreateImage(3, 1));
    EXPECT_EQ(picture.PixelValue(2, 0), 0u);  // transparent black
    EXPECT_EQ(picture.Stride(), 12);
    EXPECT_EQ(picture.Clip(), (clRect{0, 0, 3, 1}));
}

TEST(ImageTest, FillPutsTheColourInBlueGreenRedOrder) {
    clImage picture;
    picture.CreateImage(2, 1);
    picture.Fill(0x00332211);  // 0x00BBGGRR
    const std::uint8_t* p = picture.At(1, 0);
    EXPECT_EQ(p[0], 0x33);
    EXPECT_EQ(p[1], 0x22);
    EXPECT_EQ(p[2], 0x11);
    EXPECT_EQ(p[3], 0x00);
    picture.FillAlpha(200);
    EXPECT_EQ(picture.PixelValue(0, 0), 0xC8112233u);
}

// Every pixel rule of the four drawing operations on one pixel (0xAARRGGBB).
TEST(ImageTest, PixelRulesOfCopyDrawComposeAndInvertedDraw) {
    enum class Op { Copy, Draw, Compose, Inverted };
    struct Case {
        const char* what;
        Op op;
        std::uint32_t target, source, expected;
    };
    const Case cases[] = {
        {"copy takes all four bytes", Op::Copy, 0xFF102030, 0x00405060, 0x00405060},
        {"draw: transparent source leaves the target", Op::Draw, 0x80102030, 0x00FFFFFF,
         0x80102030},
        {"draw: opaque source replaces colour, keeps alpha", Op::Draw, 0x80102030, 0xFF405060,
         0x80405060},
        // (0x10 * 128 + 0x90 * 127) / 255 = 79 = 0x4F, and so on.
        {"draw: partial alpha blends", Op::Draw, 0xFF101010, 0x7F909090, 0xFF4F4F4F},
        {"compose: transparent target copies", Op::Compose, 0x00102030, 0x40405060, 0x40405060},
        {"compose: opaque source copies", Op::Compose, 0x80102030, 0xFF405060, 0xFF405060},
        {"compose: transparent source leaves", Op::Compose, 0x80102030, 0x00405060, 0x80102030},
        {"compose: opaque target blends as draw", Op::Compose, 0xFF101010, 0x7F909090, 0xFF4F4F4F},
        // d = 128, a = 128: w = 128 * 127 / 255 = 63; colour = (200 * 128 + 100 * 63) / 191
        // = 167; alpha = 255 - 127 * 127 / 255 = 192.
        {"compose: both partial", Op::Compose, 0x80646464, 0x80C8C8C8, 0xC0A7A7A7},
        {"inverted: opaque source writes the inverse", Op::Inverted, 0xFF000000, 0xFF102030,
         0xFFEFDFCF},
        {"inverted: transparent source leaves", Op::Inverted, 0xFF000000, 0x00102030, 0xFF000000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        clImage target = OnePixel(c.target);
        const clImage source = OnePixel(c.source);
        switch (c.op) {
            case Op::Copy:
                target.Copy(source, {0, 0});
                break;
            case Op::Draw:
                target.Draw(source, {0, 0});
                break;
            case Op::Compose:
                target.Compose(source, {0, 0});
                break;
            case Op::Inverted:
                target.DrawInverted(source, {0, 0});
                break;
        }
        EXPECT_EQ(target.PixelValue(0, 0), c.expected);
    }
}

// Draw takes a row two pixels at a time: pairs of every mix of opaque,
// transparent and partly transparent pixels, starting at even and odd
// places and ending with an odd pixel, each drawn as its own rule says.
TEST(ImageTest, DrawGivesEveryPixelOfARowItsOwnRule) {
    const std::uint32_t kinds[] = {0xFF405060, 0x00FFFFFF, 0x7F909090};
    std::vector<std::uint32_t> row;
    for (const std::uint32_t first : kinds) {
        for (const std::uint32_t second : kinds)
            row.insert(row.end(), {first, second});
    }
    row.push_back(kinds[2]);
    const int width = static_cast<int>(row.size());
    clImage source;
    source.CreateImage(width, 1);
    for (int x = 0; x < width; ++x) {
        const std::uint32_t argb = row[static_cast<std::size_t>(x)] ^ static_cast<std::uint32_t>(x);
        source.At(x, 0)[0] = static_cast<std::uint8_t>(argb);
        source.At(x, 0)[1] = static_cast<std::uint8_t>(argb >> 8);
        source.At(x, 0)[2] = static_cast<std::uint8_t>(argb >> 16);
        source.At(x, 0)[3] = static_cast<std::uint8_t>(argb >> 24);
    }
    for (const int at : {0, 1}) {
        SCOPED_TRACE(at);
        clImage target = SolidPicture(width + 1, 1, 0x80101010);
        target.Draw(source, {at, 0});
        for (int x = 0; x < width; ++x) {
            clImage expected = OnePixel(0x80101010);
            expected.Draw(source, {0, 0}, {x, 0, x + 1, 1});
            EXPECT_EQ(target.PixelValue(at + x, 0), expected.PixelValue(0, 0)) << x;
        }
        if (at == 1) {
            EXPECT_EQ(target.PixelValue(0, 0), 0x80101010u);
        }
    }
}

// A 4 x 4 source numbered by position, drawn at various places on a 5 x 5
// target: only the overlap changes, and its pixels come from the matching
// source positions.
TEST(ImageTest, DrawingPartlyOutsideDrawsOnlyTheOverlap) {
    clImage source;
    source.CreateImage(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            source.At(x, y)[0] = static_cast<std::uint8_t>(10 * y + x + 1),
                         source.At(x, y)[3] = 255;

    struct Case {
        clPoint at;
        clRect clip;  // the target's clip rectangle
        clRect from;  // the source rectangle
    };
    const Case cases[] = {
        {{-2, -1}, {0, 0, 5, 5}, {0, 0, 4, 4}},
        {{3, 3}, {0, 0, 5, 5}, {0, 0, 4, 4}},
        {{1, 1}, {2, 0, 4, 3}, {0, 0, 4, 4}},
        {{0, 0}, {0, 0, 5, 5}, {-1, 2, 9, 3}},  // a source rectangle reaching past the source
        {{-100000, 7}, {0, 0, 5, 5}, {0, 0, 4, 4}},
        {{2147483000, 2147483000}, {0, 0, 5, 5}, {0, 0, 4, 4}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.at.x) + "," + std::to_string(c.at.y));
        clImage target;
        target.CreateImage(5, 5);
        target.SetClip(c.clip);
        target.Draw(source, c.at, c.from);
        for (int y = 0; y < 5; ++y) {
            for (int x = 0; x < 5; ++x) {
                // Where the target pixel would come from: the source rectangle's
                // corner lies at `at`.
                const std::int64_t sx = std::int64_t{x} - c.at.x + c.from.left;
                const std::int64_t sy = std::int64_t{y} - c.at.y + c.from.top;
                const bool inside = c.clip.Contains({x, y}) && sx >= std::max(c.from.left, 0) &&
                                    sx < std::min(c.from.right, 4) &&
                                    sy >= std::max(c.from.top, 0) &&
                                    sy < std::min(c.from.bottom, 4);
                const int expected = inside ? static_cast<int>(10 * sy + sx + 1) : 0;
                EXPECT_EQ(target.At(x, y)[0], expected) << "at " << x << "," << y;
            }
        }
    }
}

TEST(ImageTest, ViewsShareTheParentsPixelsAndStayInside) {
    clImage parent;
    parent.CreateImage(6, 4);
    clImage view;
    ASSERT_TRUE(view.SetView(parent, {2, 1, 5, 3}));
    EXPECT_EQ(view.Width(), 3);
    EXPECT_EQ(view.Height(), 2);
    EXPECT_EQ(view.Stride(), parent.Stride());
    EXPECT_FALSE(view.OwnsPixels());
    view.Fill(0xFF0000FF);
    EXPECT_EQ(parent.PixelValue(2, 1), 0xFFFF0000u);
    EXPECT_EQ(parent.PixelValue(4, 2), 0xFFFF0000u);
    EXPECT_EQ(parent.PixelValue(5, 2), 0u);
    EXPECT_EQ(parent.PixelValue(2, 3), 0u);

    // A moved parent keeps its pixels where they were.
    clImage moved = std::move(parent);
    EXPECT_EQ(view.PixelValue(0, 0), moved.PixelValue(2, 1));
    EXPECT_TRUE(parent.IsEmpty());

    const clRect outside[] = {{4, 0, 7, 2}, {-1, 0, 2, 2}, {0, 3, 2, 5}, {2, 2, 2, 3}};
    for (const clRect& rect : outside) {
        EXPECT_FALSE(view.SetView(moved, rect));
        EXPECT_TRUE(view.IsEmpty());
    }
}

TEST(ImageTest, StretchByNearestNeighbourAndTileFromTheCorner) {
    clImage source;
    source.CreateImage(2, 2);
    for (int i = 0; i < 4; ++i)
        source.At(i % 2, i / 2)[0] = static_cast<std::uint8_t>(i + 1);

    clImage stretched;
    stretched.CreateImage(5, 4);
    stretched.Stretch(source, 4, 3);
    const int expectedStretch[3][4] = {{1, 1, 2, 2}, {1, 1, 2, 2}, {3, 3, 4, 4}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(stretched.At(x, y)[0], expectedStretch[y][x]) << x << "," << y;
    EXPECT_EQ(stretched.At(4, 0)[0], 0);  // outside the stretched area
    EXPECT_EQ(stretched.At(0, 3)[0], 0);

    clImage tiled;
    tiled.CreateImage(5, 3);
    tiled.Tile(source, 5, 3);
    const int expectedTile[3][5] = {{1, 2, 1, 2, 1}, {3, 4, 3, 4, 3}, {1, 2, 1, 2, 1}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(tiled.At(x, y)[0], expectedTile[y][x]) << x << "," << y;
}

TEST(ResampleTest, KernelValues) {
    struct Case {
        clFilter filter;
        double x, value, support;
    };
    const Case cases[] = {
        {clFilter::Box, 0.5, 1.0, 0.5},
        {clFilter::Box, -0.5, 0.0, 0.5},
        {clFilter::Triangle, 0.25, 0.75, 1.0},
        {clFilter::Bell, 0.0, 0.75, 1.5},
        {clFilter::Bell, 1.0, 0.125, 1.5},
        {clFilter::BSpline, 0.0, 2.0 / 3.0, 2.0},
        {clFilter::BSpline, 1.0, 1.0 / 6.0, 2.0},
        {clFilter::Hermite, 0.5, 0.5, 1.0},
        {clFilter::Lanczos3, 0.0, 1.0, 3.0},
        {clFilter::Lanczos3, 2.0, 0.0, 3.0},
        {clFilter::Lanczos3, 3.5, 0.0, 3.0},
        {clFilter::Mitchell, 0.0, 16.0 / 18.0, 2.0},
        {clFilter::Mitchell, 1.0, 1.0 / 18.0, 2.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.filter));
        EXPECT_NEAR(FilterValue(c.filter, c.x), c.value, 1e-12);
        EXPECT_EQ(FilterSupport(c.filter), c.support);
    }
    EXPECT_EQ(FilterFromNumber(0), clFilter::Lanczos3);
    EXPECT_EQ(FilterFromNumber(99), clFilter::Lanczos3);
    EXPECT_EQ(FilterFromNumber(3), clFilter::Bell);
}

TEST(ResampleTest, SameSizeWithLanczosCopiesThePicture) {
    const clImage source = PatternPicture(13, 7, 3);
    clImage result;
    ASSERT_TRUE(result.Resample(source, 13, 7, clFilter::Lanczos3));
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 13; ++x)
            EXPECT_EQ(result.PixelValue(x, y), source.PixelValue(x, y));
}

// A flat opaque area stays exactly that colour and opaque, at any ratio and
// with every filter: cards resampled to a new size must not turn translucent.
TEST(ResampleTest, AFlatPictureKeepsItsColourAndStaysOpaque) {
    const clImage source = SolidPicture(300, 400, 0xFFB12533);
    for (int f = 1; f <= 7; ++f) {
        for (const auto& [w, h] :
             {std::pair{270, 360}, std::pair{112, 150}, std::pair{53, 72}, std::pair{450, 600}}) {
            SCOPED_TRACE(::testing::Message() << "filter " << f << " at " << w << " x " << h);
            clImage result;
            ASSERT_TRUE(result.Resample(source, w, h, static_cast<clFilter>(f)));
            EXPECT_EQ(result.PixelValue(w / 2, h / 2), 0xFFB12533u);
            EXPECT_EQ(result.PixelValue(0, 0), 0xFFB12533u);
            EXPECT_EQ(result.PixelValue(w - 1, h - 1), 0xFFB12533u);
        }
    }
}

TEST(ResampleTest, DoublingWithBoxRepeatsPixels) {
    const clImage source = PatternPicture(3, 2, 1);
    clImage result;
    ASSERT_TRUE(result.Resample(source, 6, 4, clFilter::Box));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(result.PixelValue(x, y), source.PixelValue(x / 2, y / 2)) << x << "," << y;
}

// Sources far smaller than the kernel's reach: the mirrored positions must
// be clamped into the picture (AddressSanitizer watches the reads).
TEST(ResampleTest, TinySourcesAndTargetsStayInBounds) {
    const std::pair<int, int> sizes[] = {{1, 1}, {2, 3}, {150, 200}};
    const std::pair<int, int> targets[] = {{90, 120}, {2, 2}, {3, 1}, {300, 400}};
    for (int f = 1; f <= 7; ++f) {
        for (const auto& [sw, sh] : sizes) {
            for (const auto& [tw, th] : targets) {
                SCOPED_TRACE(std::to_string(f) + ": " + std::to_string(sw) + "x" +
                             std::to_string(sh) + " to " + std::to_string(tw) + "x" +
                             std::to_string(th));
                const clImage source = SolidPicture(sw, sh, 0xFF808080);
                clImage result;
                ASSERT_TRUE(result.Resample(source, tw, th, static_cast<clFilter>(f)));
                EXPECT_EQ(result.Width(), tw);
                EXPECT_EQ(result.Height(), th);
                if (tw < 2 || th < 2) {
                    EXPECT_EQ(result.PixelValue(0, 0), 0u);
                }
            }
        }
    }
    // A one-pixel source stays its colour under the box filter at any size.
    clImage result;
    ASSERT_TRUE(result.Resample(SolidPicture(1, 1, 0xFF204060), 5, 4, clFilter::Box));
    EXPECT_EQ(result.PixelValue(4, 3), 0xFF204060u);
}

}  // namespace
