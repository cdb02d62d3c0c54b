// The interface images and the table background the build wrote, read
// through the game's own picture files and interface cache.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "data/shipped_data.h"
#include "graphics/image.h"
#include "graphics/interface_cache.h"
#include "graphics/interface_layout.h"
#include "toolkit/messages.h"

namespace {

namespace layout = clInterfaceLayout;

int Alpha(const clImage& picture, int x, int y) {
    return static_cast<int>(picture.PixelValue(x, y) >> 24);
}

// Whether every pixel on a grid over the picture is opaque.
bool Opaque(const clImage& picture) {
    for (int y = 0; y < picture.Height(); y += 3) {
        for (int x = 0; x < picture.Width(); x += 3) {
            if (Alpha(picture, x, y) != 255) return false;
        }
    }
    return Alpha(picture, picture.Width() - 1, picture.Height() - 1) == 255;
}

// The share of the picture's pixels that are drawn at all.
double Covered(const clImage& picture) {
    int drawn = 0;
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x)
            drawn += Alpha(picture, x, y) > 0;
    }
    return static_cast<double>(drawn) / (picture.Width() * picture.Height());
}

// Every rectangle the game cuts out of "qarvel.iface", through the cache the
// chooser, the splash, the About window, the key labels and the pause use.
TEST(ShippedInterfaceImageTest, EveryRectangleOfTheLayoutHoldsItsPicture) {
    clHeadlessMessages messages;
    clCache cache(kShippedData);
    clImage whole;
    ASSERT_TRUE(cache.GetInterfaceImage(whole, 0, 0, 0, 0, messages));
    EXPECT_EQ(whole.Width(), layout::kWidth);
    EXPECT_EQ(whole.Height(), layout::kHeight);

    const auto cut = [&](const clRect& r) {
        clImage view;
        EXPECT_TRUE(cache.GetInterfaceImage(view, r.left, r.top, r.Width(), r.Height(), messages));
        return view;
    };
    // Pictures that cover their whole rectangle.
    for (const clRect& r : {layout::kSplash, layout::kAbout, layout::kBackgroundTile}) {
        EXPECT_TRUE(Opaque(cut(r))) << r.left << ", " << r.top;
    }
    // Buttons with rounded corners: clear corners, solid middles.
    for (int filter = 0; filter < layout::kFilterCount; ++filter) {
        for (int state = 0; state < layout::kFilterStates; ++state) {
            const clImage button = cut(layout::FilterButton(filter, state));
            EXPECT_EQ(Alpha(button, 0, 0), 0) << filter << "/" << state;
            EXPECT_EQ(Alpha(button, button.Width() / 2, button.Height() / 2), 255);
        }
    }
    // Each key label a small opaque tag in its cell, Tab's twice as wide.
    const clImage labels = cut(layout::kKeyLabels);
    for (int cell = 0; cell < layout::kKeyCells + 1; ++cell) {
        const int left = cell * layout::kKeyCell;
        const int width = cell < layout::kKeyCells ? layout::kKeyCell : 2 * layout::kKeyCell;
        EXPECT_EQ(Alpha(labels, left, 0), 0) << "cell " << cell;
        EXPECT_GT(Alpha(labels, left + width / 2, layout::kKeyCell / 2), 128) << "cell " << cell;
    }
    const clImage pause = cut(layout::kPause);
    EXPECT_EQ(Alpha(pause, 0, 0), 0);
    EXPECT_GT(Alpha(pause, pause.Width() / 2, pause.Height() / 2), 200);
    for (int i = 0; i < layout::kToolCount; ++i) {
        const double covered = Covered(cut(layout::ToolPicture(i)));
        EXPECT_GT(covered, 0.05) << "tool picture " << i;
        EXPECT_LT(covered, 0.9) << "tool picture " << i;
    }
    EXPECT_TRUE(messages.Texts().empty());
}

TEST(ShippedInterfaceImageTest, HelpCenterPictureHasTheDialogsSize) {
    clHeadlessMessages messages;
    clCache cache(kShippedData, clCache::kHelpFile);
    clImage picture;
    ASSERT_TRUE(cache.GetInterfaceImage(picture, 0, 0, 0, 0, messages));
    EXPECT_EQ(picture.Width(), layout::kHelpWidth);
    EXPECT_EQ(picture.Height(), layout::kHelpHeight);
    EXPECT_TRUE(Opaque(picture));
}

// The default table background, the picture the `image` setting names.
TEST(ShippedInterfaceImageTest, TableBackgroundIsAnOpaqueBitmap) {
    clHeadlessMessages messages;
    clImage picture;
    ASSERT_TRUE(picture.LoadFile((kShippedData / "qarvel.bmp").string(), messages));
    EXPECT_EQ(picture.Width(), 800);
    EXPECT_EQ(picture.Height(), 600);
    // 24 bits a pixel, and no magenta key on the felt.
    EXPECT_EQ(ReadShippedFile(kShippedData / "qarvel.bmp")[28], 24);
    EXPECT_TRUE(Opaque(picture));
}

// Every picture of the interface image has its own place inside it.
TEST(ShippedInterfaceImageTest, LayoutRectanglesLieInsideTheImageApart) {
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

}  // namespace
