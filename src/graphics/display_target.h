#pragma once

#include "graphics/draw_target.h"

class clDisplay;
class clImage;

// Draws the table's pictures into the display's virtual screen: the
// background, the card faces and backs, the pile symbols and the key labels,
// each limited by the clip rectangle, and reports every changed rectangle
// through the display's invalidate handler. Moving pictures (lifting,
// animation, dragging) are not drawn here yet.
class clDisplayTarget : public clDrawTarget {
public:
    explicit clDisplayTarget(clDisplay& display) : display(display) {}

    // The 912 x 24 key-label strip of the interface image; without one no
    // label is drawn.
    void SetLabelStrip(const clImage* strip) { labelStrip = strip; }

    clTableMetrics Metrics() const override;
    void ClearTable() override;
    void DrawCardPicture(const clRect& rect, int face, bool highlighted) override;
    void DrawSymbol(clPoint at, int index) override;
    void DrawLabelCells(clPoint at, int firstCell, int cellCount) override;
    void SetClip(const clRect* rect) override;
    void TakeOff(const clRect& rect) override;

private:
    clDisplay& display;
    const clImage* labelStrip = nullptr;
};
