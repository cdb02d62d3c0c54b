#include "graphics/display_target.h"

#include "graphics/display.h"
#include "graphics/graphics.h"
#include "graphics/image.h"

clTableMetrics clDisplayTarget::Metrics() const {
    return display.Metrics();
}

void clDisplayTarget::ClearTable() {
    display.Screen().Copy(display.Background(), {0, 0});
    display.Invalidate({0, 0, display.VirtualWidth(), display.VirtualHeight()});
}

void clDisplayTarget::DrawCardPicture(const clRect& rect, int face, bool highlighted) {
    const clImage* picture = face == kBackFace ? display.CurrentBack() : display.Cards().Face(face);
    if (picture == nullptr) return;
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
    display.Screen().Draw(*picture, at);
    display.Invalidate({at.x, at.y, at.x + picture->Width(), at.y + picture->Height()});
}

void clDisplayTarget::DrawLabelCells(clPoint at, int firstCell, int cellCount) {
    if (labelStrip == nullptr || firstCell < 0 || cellCount < 1) return;
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
    display.Screen().Copy(display.Background(), {rect.left, rect.top}, rect);
    display.Invalidate(rect);
}
