#include "engine/scoreboard.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "graphics/text_painter.h"

namespace {

struct clPanelLayout {
    int width, height;
    int fontHeight;
    int shadow;  // offset in both directions; 0: no shadow
    clRect scoreValue, bonusValue, scoreLabel, bonusLabel;
    clRect roundText, goalText;
};

// Field rectangles are x, y, width, height inside the panel.
constexpr clRect Field(int x, int y, int w, int h) {
    return {x, y, x + w, y + h};
}

constexpr clPanelLayout kLayouts[] = {
    {264, 56, 24, 2, Field(150, 4, 108, 24), Field(150, 28, 108, 24), Field(6, 4, 144, 24),
     Field(6, 28, 144, 24), Field(6, 4, 252, 24), Field(6, 28, 252, 24)},
    {220, 48, 20, 1, Field(130, 4, 85, 20), Field(130, 24, 85, 20), Field(5, 4, 125, 20),
     Field(5, 24, 125, 20), Field(5, 4, 210, 20), Field(5, 24, 210, 20)},
    {176, 40, 16, 0, Field(100, 4, 72, 16), Field(100, 20, 72, 16), Field(4, 4, 96, 16),
     Field(4, 20, 96, 16), Field(4, 4, 152, 16), Field(4, 20, 152, 16)},
};

// A pile label's width in desktop pixels, by size; its height is the font's
// with the panels' top margin above and below, and it stands this far above
// its pile.
constexpr int kLabelWidths[] = {48, 40, 32};
constexpr int kLabelGap = 4;

const clPanelLayout& LayoutOf(clScoreboard::Size size) {
    return kLayouts[static_cast<int>(size)];
}

// A layout in device pixels, on a screen of that many device pixels per
// desktop pixel.
clPanelLayout Scaled(const clPanelLayout& layout, double scale) {
    if (scale == 1.0) return layout;
    const auto by = [scale](int length) { return static_cast<int>(std::lround(length * scale)); };
    const auto field = [&by](const clRect& r) {
        return clRect{by(r.left), by(r.top), by(r.right), by(r.bottom)};
    };
    return {by(layout.width),         by(layout.height),        by(layout.fontHeight),
            by(layout.shadow),        field(layout.scoreValue), field(layout.bonusValue),
            field(layout.scoreLabel), field(layout.bonusLabel), field(layout.roundText),
            field(layout.goalText)};
}

// The background under a panel with every colour channel halved; what lies
// outside the background stays black.
void Darken(const clImage& background, const clRect& rect, clImage& into) {
    for (int y = 0; y < into.Height(); ++y) {
        std::uint8_t* out = into.Row(y);
        const int sy = rect.top + y;
        for (int x = 0; x < into.Width(); ++x, out += 4) {
            const int sx = rect.left + x;
            if (sx < 0 || sy < 0 || sx >= background.Width() || sy >= background.Height()) {
                out[0] = out[1] = out[2] = 0;
            } else {
                const std::uint8_t* in = background.At(sx, sy);
                out[0] = in[0] / 2;
                out[1] = in[1] / 2;
                out[2] = in[2] / 2;
            }
            out[3] = 255;
        }
    }
}

std::string Number(const char* format, std::int32_t value) {
    char text[48];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// The height of one text row of a panel.
int RowStep(const clPanelLayout& layout) {
    return layout.bonusValue.top - layout.scoreValue.top;
}

clRect Shifted(const clRect& r, int dy) {
    return {r.left, r.top + dy, r.right, r.bottom + dy};
}

// Whether two sets of labels sit at the same places.
bool SamePlaces(const std::vector<clScoreboard::clPileLabel>& a,
                const std::vector<clScoreboard::clPileLabel>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto& p, const auto& q) {
        return p.x == q.x && p.y == q.y && p.pixelX == q.pixelX && p.pixelY == q.pixelY;
    });
}

}  // namespace

clScoreboard::Size clScoreboard::ChooseSize(int cardWidth, int cardHeight) {
    if (cardWidth >= 72 && cardHeight >= 97) return Size::Large;
    if (cardWidth <= 53 || cardHeight <= 72) return Size::Small;
    return Size::Medium;
}

void clScoreboard::Relay(const clTableMetrics& metrics, const clImage& background,
                         clTextPainter& painter, const clValues& values) {
    // The size is chosen on the card in desktop pixels.
    scale = metrics.scale > 0 ? metrics.scale : 1.0;
    size = ChooseSize(static_cast<int>(std::lround(metrics.cardWidth / scale)),
                      static_cast<int>(std::lround(metrics.cardHeight / scale)));
    const clPanelLayout layout = Scaled(LayoutOf(size), scale);
    const clPoint right = TableToScreen(metrics, metrics.columns, 0, 0, 0);
    const clPoint left = TableToScreen(metrics, 0, 0, 0, 0);
    const std::size_t rowsPanels = values.extra.rows.empty() ? 0 : 1;
    panels.resize(2 + rowsPanels + values.extra.labels.size());
    panels[0].rect = {right.x - layout.width, right.y, right.x, right.y + layout.height};
    panels[1].rect = {left.x, left.y, left.x + layout.width, left.y + layout.height};
    if (rowsPanels > 0) {
        const int rows = static_cast<int>(values.extra.rows.size());
        const int height = 2 * layout.scoreValue.top + rows * RowStep(layout);
        const clPoint corner = TableToScreen(metrics, metrics.columns, metrics.rows, 0, 0);
        panels[2].rect = {corner.x - layout.width, corner.y - height, corner.x, corner.y};
    }
    const int labelWidth =
        static_cast<int>(std::lround(kLabelWidths[static_cast<int>(size)] * scale));
    const int labelHeight = layout.fontHeight + 2 * layout.scoreValue.top;
    const int gap = static_cast<int>(std::lround(kLabelGap * scale));
    for (std::size_t i = 0; i < values.extra.labels.size(); ++i) {
        const clPileLabel& label = values.extra.labels[i];
        const clPoint pile = TableToScreen(metrics, label.x, label.y, label.pixelX, label.pixelY);
        const int x = pile.x + (metrics.cardWidth - labelWidth) / 2;
        const int bottom = std::max(labelHeight, pile.y - gap);
        panels[2 + rowsPanels + i].rect = {x, bottom - labelHeight, x + labelWidth, bottom};
    }
    laidOut = true;
    for (clPanel& panel : panels) {
        if (!panel.picture.CreateImage(panel.rect.Width(), panel.rect.Height()) ||
            !panel.backdrop.CreateImage(panel.rect.Width(), panel.rect.Height())) {
            laidOut = false;
            return;
        }
        Darken(background, panel.rect, panel.backdrop);
    }
    shown = values;
    Draw(painter);
}

bool clScoreboard::FitsLayout(const clValues& values) const {
    return values.extra.rows.size() == shown.extra.rows.size() &&
           SamePlaces(values.extra.labels, shown.extra.labels);
}

bool clScoreboard::Update(clTextPainter& painter, const clValues& values) {
    if (!laidOut || values == shown || !FitsLayout(values)) return false;
    shown = values;
    Draw(painter);
    return true;
}

void clScoreboard::Draw(clTextPainter& painter) {
    const clPanelLayout layout = Scaled(LayoutOf(size), scale);
    for (clPanel& panel : panels)
        panel.picture.Copy(panel.backdrop, {0, 0});

    clTextStyle style;
    style.height = layout.fontHeight;
    style.shadowX = style.shadowY = layout.shadow;
    clImage& scores = panels[0].picture;
    clImage& rounds = panels[1].picture;

    style.colour = kLightGrey;
    painter.DrawText(scores, layout.scoreLabel, "SCORE", style);
    painter.DrawText(scores, layout.bonusLabel, "TIME BONUS", style);
    style.colour = kWhite;
    painter.DrawText(rounds, layout.roundText, Number("ROUND %d", shown.round), style);
    painter.DrawText(rounds, layout.goalText, Number("GOAL: %d", shown.goal), style);

    style.align = clTextAlign::Right;
    style.colour = shown.reachedGoal ? kYellow : kWhite;
    painter.DrawText(scores, layout.scoreValue, Number("%d", shown.score), style);
    style.colour = shown.bonusLow ? kRed : kWhite;
    painter.DrawText(scores, layout.bonusValue, Number("%d", shown.bonus), style);

    // The game's own panel, its rows placed as the score panel's, and its
    // labels.
    const std::size_t rowsPanels = shown.extra.rows.empty() ? 0 : 1;
    const int step = RowStep(layout);
    for (std::size_t r = 0; r < shown.extra.rows.size(); ++r) {
        const clExtraRow& row = shown.extra.rows[r];
        const int dy = static_cast<int>(r) * step;
        style.align = clTextAlign::Left;
        style.colour = row.labelColour;
        painter.DrawText(panels[2].picture, Shifted(layout.scoreLabel, dy), row.label, style);
        style.align = clTextAlign::Right;
        style.colour = row.valueColour;
        painter.DrawText(panels[2].picture, Shifted(layout.scoreValue, dy), row.value, style);
    }
    style.align = clTextAlign::Centre;
    for (std::size_t i = 0; i < shown.extra.labels.size(); ++i) {
        clImage& picture = panels[2 + rowsPanels + i].picture;
        style.colour = shown.extra.labels[i].colour;
        const int top = layout.scoreValue.top;
        painter.DrawText(picture, {0, top, picture.Width(), top + layout.fontHeight},
                         shown.extra.labels[i].text, style);
    }
}

std::string clScoreboard::ExtraText(const clExtra& extra) {
    std::string text;
    for (std::size_t r = 0; r < extra.rows.size(); ++r)
        text += (r == 0 ? "" : ", ") + extra.rows[r].label + " " + extra.rows[r].value;
    if (!extra.rows.empty()) text += "\n";
    for (std::size_t i = 0; i < extra.labels.size(); ++i) {
        text += (i == 0 ? "t" : ", t") + std::to_string(extra.labels[i].pile) + " " +
                extra.labels[i].text;
    }
    if (!extra.labels.empty()) text += "\n";
    return text;
}
