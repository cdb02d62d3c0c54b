#pragma once

#include <span>

#include "graphics/table_coords.h"

class clCard;

// Whether a dragged picture casts a shadow.
enum class clDragShadow { Off, On };

// Where a flight's picture is shown: its first card's top-left corner.
struct clFlightAt {
    int slot = 0;
    clPoint at;
    friend bool operator==(const clFlightAt&, const clFlightAt&) = default;
};

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
    // Inverts the colours of what the table shows in a rectangle (an empty
    // place picked out as a highlighted card is).
    virtual void InvertArea(const clRect& rect) { (void)rect; }

    // Cards in flight: pictures of cards on their way to their places, above
    // the table. BuildFlight makes the picture of flight `slot` (0, 1, ...),
    // the cards stacked 16 pixels apart; false when it cannot be made.
    virtual bool BuildFlight(int slot, std::span<const clCard* const> cards) {
        (void)slot, (void)cards;
        return false;
    }
    // Shows the flights named, each with its first card's corner at its
    // point, the first named lowest; the others are not shown.
    virtual void ShowFlights(std::span<const clFlightAt> frame) { (void)frame; }
    // Takes every flight's picture off the screen and forgets them.
    virtual void EndFlights() {}
    // A picture of the cards, with a soft shadow or none, follows the
    // pointer: DragTo puts the first card's corner at a point; EndDrag takes
    // it off.
    virtual void StartDrag(std::span<const clCard* const> cards, clDragShadow shadow) {
        (void)cards, (void)shadow;
    }
    virtual void DragTo(clPoint at) { (void)at; }
    virtual void EndDrag() {}
};
