#include "engine/scoreboard.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "toolkit/text_painter.h"

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

constexpr std::uint32_t kWhite = 0xffffff;
constexpr std::uint32_t kLightGrey = 0xc0c0c0;
constexpr std::uint32_t kYellow = 0x00ffff;
constexpr std::uint32_t kRed = 0x0000ff;

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
    panels[0].rect = {right.x - layout.width, right.y, right.x, right.y + layout.height};
    panels[1].rect = {left.x, left.y, left.x + layout.width, left.y + layout.height};
    laidOut = true;
    for (clPanel& panel : panels) {
        if (!panel.picture.CreateImage(layout.width, layout.height) ||
            !panel.backdrop.CreateImage(layout.width, layout.height)) {
            laidOut = false;
            return;
        }
        Darken(background, panel.rect, panel.backdrop);
    }
    shown = values;
    Draw(painter);
}

bool clScoreboard::Update(clTextPainter& painter, const clValues& values) {
    if (!laidOut || values == shown) return false;
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
}
