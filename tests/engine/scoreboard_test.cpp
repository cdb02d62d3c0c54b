#include "engine/scoreboard.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "toolkit/text_painter.h"

namespace {

struct clWritten {
    std::string text;
    clRect rect;
    clTextStyle style;
};

class clRecordingPainter final : public clTextPainter {
public:
    std::vector<clWritten> written;
    void DrawText(clImage&, const clRect& rect, std::string_view text,
                  const clTextStyle& style) override {
        written.push_back({std::string(text), rect, style});
    }
    const clWritten* Find(const std::string& text) const {
        for (const clWritten& w : written) {
            if (w.text == text) return &w;
        }
        return nullptr;
    }
};

clImage Background(int width, int height, std::uint8_t grey) {
    clImage image;
    image.CreateImage(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = image.At(x, y);
            p[0] = p[1] = p[2] = grey;
            p[3] = 255;
        }
    }
    return image;
}

}  // namespace

TEST(ScoreboardTest, CardSizeChoosesTheLayout) {
    struct {
        int width, height;
        clScoreboard::Size size;
    } cases[] = {
        {150, 200, clScoreboard::Size::Large}, {72, 97, clScoreboard::Size::Large},
        {72, 96, clScoreboard::Size::Medium},  {71, 96, clScoreboard::Size::Medium},
        {54, 73, clScoreboard::Size::Medium},  {53, 72, clScoreboard::Size::Small},
        {90, 72, clScoreboard::Size::Small},   {53, 200, clScoreboard::Size::Small},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(clScoreboard::ChooseSize(c.width, c.height), c.size)
            << c.width << " x " << c.height;
    }
}

TEST(ScoreboardTest, PanelsSitAtTheTablesTopCornersOverTheDarkenedBackground) {
    const clTableMetrics metrics{71, 96, 7, 4, 800, 600};
    const clImage background = Background(800, 600, 200);
    clRecordingPainter painter;
    clScoreboard board;
    board.Relay(metrics, background, painter, {});
    ASSERT_TRUE(board.IsLaidOut());
    const clPoint right = TableToScreen(metrics, 7, 0, 0, 0);
    const clPoint left = TableToScreen(metrics, 0, 0, 0, 0);
    EXPECT_EQ(board.PanelRect(0), (clRect{right.x - 220, right.y, right.x, right.y + 48}));
    EXPECT_EQ(board.PanelRect(1), (clRect{left.x, left.y, left.x + 220, left.y + 48}));
    EXPECT_EQ(board.Panel(0).At(0, 0)[0], 100);  // 200 halved
}

TEST(ScoreboardTest, TextsAndColoursFollowTheRound) {
    const clTableMetrics metrics{150, 200, 7, 4, 1280, 1024};
    const clImage background = Background(1280, 1024, 0);
    clRecordingPainter painter;
    clScoreboard board;
    board.Relay(metrics, background, painter, {1200, 3450, 2, 1500, false, false});
    ASSERT_NE(painter.Find("SCORE"), nullptr);
    EXPECT_EQ(painter.Find("SCORE")->style.colour, 0xc0c0c0u);
    EXPECT_EQ(painter.Find("TIME BONUS")->rect, (clRect{6, 28, 150, 52}));
    EXPECT_EQ(painter.Find("ROUND 2")->style.colour, 0xffffffu);
    EXPECT_NE(painter.Find("GOAL: 1500"), nullptr);
    EXPECT_EQ(painter.Find("1200")->style.colour, 0xffffffu);
    EXPECT_EQ(painter.Find("1200")->style.height, 24);
    EXPECT_EQ(painter.Find("1200")->style.shadowX, 2);
    EXPECT_EQ(painter.Find("3450")->style.colour, 0xffffffu);

    // At the goal the score turns yellow; from 10 seconds down the bonus red.
    painter.written.clear();
    EXPECT_TRUE(board.Update(painter, {1500, 1000, 2, 1500, true, true}));
    EXPECT_EQ(painter.Find("1500")->style.colour, 0x00ffffu);
    EXPECT_EQ(painter.Find("1000")->style.colour, 0x0000ffu);

    // Nothing changed: nothing is drawn.
    painter.written.clear();
    EXPECT_FALSE(board.Update(painter, {1500, 1000, 2, 1500, true, true}));
    EXPECT_TRUE(painter.written.empty());
}
