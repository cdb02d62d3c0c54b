#pragma once

#include <span>

#include "graphics/table_coords.h"

class clCard;

// The pixel side of the table's drawing calls: the display's virtual screen with
// the card set's pictures. clGraphics decides what goes where; a draw target
// puts pictures there and invalidates the window. Without one the table is
// headless: nothing is drawn and nothing can be hit.
class clDrawTarget {
public:
    static constexpr int kBackFace = -1;

    virtual ~clDrawTarget() = default;

    virtual clTableMetrics Metrics() const = 0;
    // The background over the whole virtual screen.
    virtual void ClearTable() = 0;
    // Face `face` (card value 0..53) or the current back (kBackFace) at a
    // card's rectangle, inverted when highlighted.
    virtual void DrawCardPicture(const clRect& rect, int face, bool highlighted) = 0;
    // Pile symbol 0..15 with its top-left corner at a point.
    virtual void DrawSymbol(clPoint at, int index) = 0;
    // `cellCount` 24 x 24 cells of the key-label strip from `firstCell` on.
    virtual void DrawLabelCells(clPoint at, int firstCell, int cellCount) = 0;
    // Limits drawing to a rectangle, or lifts the limit when null.
    virtual void SetClip(const clRect* rect) = 0;
    // Takes a card's old picture off the table (before it is drawn elsewhere).
    virtual void TakeOff(const clRect& rect) { (void)rect; }

    // Moving pictures. A lifted picture shows the cards stacked 16 pixels
    // apart and starts at the first card's place; lifting stops a running
    // animation.
    virtual void Lift(std::span<const clCard* const> cards) { (void)cards; }
    // Moves the lifted picture to a point in `steps` steps of `stepTime` ms;
    // false when the player cancelled it. The picture stays at the point
    // until the next drawing, so drawing the cards there leaves nothing of it.
    virtual bool Animate(clPoint to, int stepTime, int steps) {
        (void)to, (void)stepTime, (void)steps;
        return true;
    }
    // Takes the lifted picture off the screen; a running animation ends.
    virtual void StopAnimation() {}
    // A picture of the cards follows the pointer, which holds the top card at
    // its middle 8 pixels below its top edge; EndDrag takes it off.
    virtual void StartDrag(std::span<const clCard* const> cards) { (void)cards; }
    virtual void DragTo(clPoint to) { (void)to; }
    virtual void EndDrag() {}
};
