#include "engine/scoreboard.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "graphics/text_painter.h"

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
    board.Relay(metrics, background, painter, {1200, 3450, 2, 1500, false, false, {}});
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
    EXPECT_TRUE(board.Update(painter, {1500, 1000, 2, 1500, true, true, {}}));
    EXPECT_EQ(painter.Find("1500")->style.colour, 0x00ffffu);
    EXPECT_EQ(painter.Find("1000")->style.colour, 0x0000ffu);

    // Nothing changed: nothing is drawn.
    painter.written.clear();
    EXPECT_FALSE(board.Update(painter, {1500, 1000, 2, 1500, true, true, {}}));
    EXPECT_TRUE(painter.written.empty());
}

// A game's own panel of rows lies at the table's bottom right corner, as wide
// as the score panel, its rows where the score panel has its own; pile labels
// sit centred above their piles.
TEST(ScoreboardTest, AGamesRowsAndPileLabelsHaveTheirOwnPanels) {
    const clTableMetrics metrics{150, 200, 8, 5, 1400, 1200};
    const clImage background = Background(1400, 1200, 0);
    clRecordingPainter painter;
    clScoreboard board;
    clScoreboard::clValues values;
    values.extra.rows = {{"CURRENT RUN", "2"},
                         {"LONGEST RUN", "5", clScoreboard::kLightGrey, clScoreboard::kWhite}};
    values.extra.labels = {{0, 1.0, 1.0, 0, 0, "21", clScoreboard::kYellow},
                           {3, 4.5, 1.0, 0, 0, "9"}};
    board.Relay(metrics, background, painter, values);
    ASSERT_TRUE(board.IsLaidOut());
    ASSERT_EQ(board.PanelCount(), 5);
    const clPoint corner = TableToScreen(metrics, 8, 5, 0, 0);
    EXPECT_EQ(board.PanelRect(2), (clRect{corner.x - 264, corner.y - 56, corner.x, corner.y}));
    EXPECT_EQ(painter.Find("CURRENT RUN")->rect, (clRect{6, 4, 150, 28}));
    EXPECT_EQ(painter.Find("5")->rect, (clRect{150, 28, 258, 52}));
    EXPECT_EQ(painter.Find("5")->style.align, clTextAlign::Right);
    for (int i = 0; i < 2; ++i) {
        const auto& label = values.extra.labels[static_cast<std::size_t>(i)];
        const clPoint pile = TableToScreen(metrics, label.x, label.y, 0, 0);
        const clRect rect = board.PanelRect(3 + i);
        EXPECT_EQ(rect.left + rect.right, 2 * pile.x + 150) << "centred over pile " << label.pile;
        EXPECT_EQ(rect.bottom, pile.y - 4) << "just above pile " << label.pile;
    }
    EXPECT_EQ(painter.Find("21")->style.colour, clScoreboard::kYellow);
    EXPECT_EQ(clScoreboard::ExtraText(values.extra), "CURRENT RUN 2, LONGEST RUN 5\nt0 21, t3 9\n");

    // A changed text is drawn again in place; a label more or a row less
    // needs the panels laid out again.
    painter.written.clear();
    values.extra.labels[1].text = "19";
    EXPECT_TRUE(board.FitsLayout(values));
    EXPECT_TRUE(board.Update(painter, values));
    EXPECT_NE(painter.Find("19"), nullptr);
    clScoreboard::clValues fewer = values;
    fewer.extra.labels.pop_back();
    EXPECT_FALSE(board.FitsLayout(fewer));
    EXPECT_FALSE(board.Update(painter, fewer));
    fewer.extra.rows.clear();
    board.Relay(metrics, background, painter, fewer);
    EXPECT_EQ(board.PanelCount(), 3);
    EXPECT_EQ(clScoreboard::ExtraText({}), "");
}
