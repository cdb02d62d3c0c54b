#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "graphics/draw_target.h"
#include "graphics/floating_picture.h"

class clAnimationPump;
class clDisplay;
class clImage;

// Draws the table's pictures into the display's virtual screen: the
// background, the card faces and backs, the pile symbols and the key labels,
// each limited by the clip rectangle, and reports every changed rectangle
// through the display's invalidate handler.
//
// Two pictures float above the table: the lifted cards on their way to a
// pile, and the cards the player drags. Each is drawn over the screen with
// the pixels under it saved, and only its old and new rectangles are
// invalidated. Any other drawing first takes them off the screen, so nothing
// is drawn under a floating picture and no stale pixels are left behind: a
// dragged picture comes back at the next DragTo, and the picture of an
// animation that arrived is gone once its cards are drawn at their place.
class clDisplayTarget : public clDrawTarget {
public:
    explicit clDisplayTarget(clDisplay& display) : display(display) {}

    // The 912 x 24 key-label strip of the interface image; without one no
    // label is drawn.
    void SetLabelStrip(const clImage* strip) { labelStrip = strip; }
    // Lets the window's events run between the steps of an animation. Without
    // a pump (or with null) nothing is lifted and moves jump to their place.
    void SetAnimationPump(clAnimationPump* newPump) { pump = newPump; }

    clTableMetrics Metrics() const override;
    void ClearTable() override;
    void DrawCardPicture(const clRect& rect, int face, bool highlighted) override;
    void DrawSymbol(clPoint at, int index) override;
    void DrawLabelCells(clPoint at, int firstCell, int cellCount) override;
    void SetClip(const clRect* rect) override;
    void TakeOff(const clRect& rect) override;

    // Stops a running animation, then builds the moving picture of the cards
    // (nothing without a pump); it starts at the first card's place.
    void Lift(std::span<const clCard* const> cards) override;
    // Steps k = 0 .. steps - 1 draw the lifted picture at start + (to - start)
    // * k / (steps - 1), waiting `stepTime` ms on the pump between steps. The
    // picture stays at `to` until the next drawing. Nothing happens without a
    // lifted picture, a pump, a step time above 0 and at least two steps.
    // False when the player cancelled (the picture is then taken off at once).
    bool Animate(clPoint to, int stepTime, int steps) override;
    // Takes the moving picture off the screen; a running animation ends.
    void StopAnimation() override;
    // The picture of the cards follows the mouse from the next DragTo on,
    // the top card's middle 8 pixels below its top edge under the pointer.
    void StartDrag(std::span<const clCard* const> cards) override;
    void DragTo(clPoint to) override;
    // Takes the dragged picture off the screen.
    void EndDrag() override;

    // What floats, for the window's tests and ours.
    const clImage& MovingPicture() const { return moving.Picture(); }
    std::optional<clPoint> MovingPosition() const { return moving.Position(); }
    bool IsAnimating() const { return running; }
    const clImage& DragPicture() const { return dragged.Picture(); }
    std::optional<clPoint> DragPosition() const { return dragged.Position(); }

private:
    bool BuildPicture(clFloatingPicture& floating, std::span<const clCard* const> cards);
    // Draws a floating picture at a point, or takes it off, and invalidates
    // what changed.
    void Show(clFloatingPicture& floating, clPoint at);
    void Hide(clFloatingPicture& floating);
    // Takes both floating pictures off before other drawing, the one drawn
    // last first.
    void HideFloating();
    // Forgets the pixels saved under the floating pictures when the screen
    // was made again since they were saved.
    void CheckScreen();

    clDisplay& display;
    const clImage* labelStrip = nullptr;
    clAnimationPump* pump = nullptr;

    clFloatingPicture moving;
    clPoint start;
    bool running = false;

    clFloatingPicture dragged;
    bool dragging = false;
    std::uint64_t screenGeneration = 0;
};
