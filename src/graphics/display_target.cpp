#include "graphics/display_target.h"

#include <cstdint>
#include <vector>

#include "engine/card.h"
#include "graphics/display.h"
#include "graphics/graphics.h"
#include "graphics/image.h"
#include "toolkit/animation_pump.h"

namespace {

// A point `k` of `n - 1` steps of the way from one coordinate to another.
int Along(int from, int to, int k, int n) {
    return static_cast<int>(from + (std::int64_t{to} - from) * k / (n - 1));
}

}  // namespace

clTableMetrics clDisplayTarget::Metrics() const {
    return display.Metrics();
}

void clDisplayTarget::ClearTable() {
    HideFloating();
    display.Screen().Copy(display.Background(), {0, 0});
    display.Invalidate({0, 0, display.VirtualWidth(), display.VirtualHeight()});
}

void clDisplayTarget::DrawCardPicture(const clRect& rect, int face, bool highlighted) {
    const clImage* picture = face == kBackFace ? display.CurrentBack() : display.Cards().Face(face);
    if (picture == nullptr) return;
    HideFloating();
    clImage& screen = display.Screen();
    if (highlighted) {
        screen.DrawInverted(*picture, {rect.left, rect.top});
    } else {
        screen.Draw(*picture, {rect.left, rect.top});
    }
    display.Invalidate(rect);
}

void clDisplayTarget::DrawSymbol(clPoint at, int index) {
    const clImage* picture = display.Symbols().Picture(index);
    if (picture == nullptr) return;
    HideFloating();
    display.Screen().Draw(*picture, at);
    display.Invalidate({at.x, at.y, at.x + picture->Width(), at.y + picture->Height()});
}

void clDisplayTarget::DrawLabelCells(clPoint at, int firstCell, int cellCount) {
    if (labelStrip == nullptr || firstCell < 0 || cellCount < 1) return;
    HideFloating();
    const int cell = clGraphics::kLabelCell;
    const clRect from{firstCell * cell, 0, (firstCell + cellCount) * cell, cell};
    display.Screen().Draw(*labelStrip, at, from);
    display.Invalidate({at.x, at.y, at.x + from.Width(), at.y + from.Height()});
}

void clDisplayTarget::SetClip(const clRect* rect) {
    clImage& screen = display.Screen();
    if (rect) {
        screen.SetClip(*rect);
    } else {
        screen.ClearClip();
    }
}

void clDisplayTarget::TakeOff(const clRect& rect) {
    HideFloating();
    display.Screen().Copy(display.Background(), {rect.left, rect.top}, rect);
    display.Invalidate(rect);
}

void clDisplayTarget::Lift(std::span<const clCard* const> cards) {
    StopAnimation();
    if (pump == nullptr || cards.empty() || !BuildPicture(moving, cards)) {
        moving.Clear();
        return;
    }
    const clCard& first = *cards.front();
    start = TableToScreen(display.Metrics(), first.x, first.y, first.offsetX, first.offsetY);
}

bool clDisplayTarget::Animate(clPoint to, int stepTime, int steps) {
    if (pump == nullptr || !moving.HasPicture() || stepTime <= 0 || steps <= 1) return true;
    running = true;
    for (int k = 0; k < steps; ++k) {
        CheckScreen();
        Hide(moving);
        Show(moving, {Along(start.x, to.x, k, steps), Along(start.y, to.y, k, steps)});
        if (k + 1 == steps) break;
        const bool goOn = pump->WaitForStep(stepTime);
        // The window's events may have stopped the animation, or lifted other cards.
        if (!running) return false;
        if (!goOn) {
            StopAnimation();
            return false;
        }
    }
    running = false;
    return true;
}

void clDisplayTarget::StopAnimation() {
    running = false;
    CheckScreen();
    Hide(moving);  // always the picture on top when it is shown
}

void clDisplayTarget::StartDrag(std::span<const clCard* const> cards) {
    HideFloating();
    dragging = !cards.empty() && BuildPicture(dragged, cards);
    if (!dragging) dragged.Clear();
}

void clDisplayTarget::DragTo(clPoint to) {
    if (!dragging) return;
    HideFloating();
    const int half = clFloatingPicture::kGroupSpacing / 2;
    Show(dragged, {to.x - dragged.Picture().Width() / 2, to.y - half});
}

void clDisplayTarget::EndDrag() {
    dragging = false;
    HideFloating();
}

bool clDisplayTarget::BuildPicture(clFloatingPicture& floating,
                                   std::span<const clCard* const> cards) {
    std::vector<const clImage*> pictures;
    pictures.reserve(cards.size());
    for (const clCard* card : cards) {
        if (card == nullptr) return false;
        pictures.push_back(card->faceDown ? display.CurrentBack()
                                          : display.Cards().Face(card->value));
    }
    return floating.Build(pictures, display.CardWidth(), display.CardHeight());
}

void clDisplayTarget::Show(clFloatingPicture& floating, clPoint at) {
    const clRect area{0, 0, display.VirtualWidth(), display.VirtualHeight()};
    display.Invalidate(floating.Show(display.Screen(), at, area));
}

void clDisplayTarget::Hide(clFloatingPicture& floating) {
    display.Invalidate(floating.Hide(display.Screen()));
}

void clDisplayTarget::HideFloating() {
    CheckScreen();
    Hide(moving);
    Hide(dragged);
}

void clDisplayTarget::CheckScreen() {
    if (display.ScreenGeneration() == screenGeneration) return;
    moving.Forget();
    dragged.Forget();
    screenGeneration = display.ScreenGeneration();
}
