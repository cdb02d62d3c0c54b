#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "graphics/draw_target.h"
#include "graphics/floating_picture.h"

class clDisplay;
class clImage;

// Draws the table's pictures into the display's virtual screen: the
// background, the card faces and backs, the pile symbols and the key labels,
// each limited by the clip rectangle, and reports every changed rectangle
// through the display's invalidate handler.
//
// Pictures float above the table: the cards in flight to their places, and
// the cards the player drags (with their shadow, on top). Each is drawn over
// the screen with the pixels under it saved, and only its old and new
// rectangles are invalidated. Any other drawing first takes them all off the
// screen, so nothing is drawn under a floating picture and no stale pixels
// are left behind: they come back at the next ShowFlights or DragTo.
class clDisplayTarget : public clDrawTarget {
public:
    explicit clDisplayTarget(clDisplay& display) : display(display) {}

    // The 912 x 24 key-label strip of the interface image; without one no
    // label is drawn.
    void SetLabelStrip(const clImage* strip) { labelStrip = strip; }

    clTableMetrics Metrics() const override;
    void ClearTable() override;
    void InvertArea(const clRect& rect) override;
    void DrawCardPicture(const clRect& rect, int face, bool highlighted) override;
    void DrawSymbol(clPoint at, int index) override;
    void DrawLabelCells(clPoint at, int firstCell, int cellCount) override;
    void SetClip(const clRect* rect) override;
    void TakeOff(const clRect& rect) override;

    bool BuildFlight(int slot, std::span<const clCard* const> cards) override;
    void ShowFlights(std::span<const clFlightAt> frame) override;
    void EndFlights() override;
    // The picture of the cards follows the mouse from the next DragTo on.
    void StartDrag(std::span<const clCard* const> cards, clDragShadow shadow) override;
    void DragTo(clPoint at) override;
    // Takes the dragged picture off the screen.
    void EndDrag() override;

    // What floats, for the window's tests and ours: the flights shown (in
    // the order drawn), a flight's picture, and the dragged picture with the
    // corner of its first card.
    const std::vector<clFlightAt>& FlightsShown() const { return frame; }
    const clImage* FlightPicture(int slot) const;
    const clImage& DragPicture() const { return dragged.Picture(); }
    std::optional<clPoint> DragPosition() const;

private:
    bool BuildPicture(clFloatingPicture& floating, std::span<const clCard* const> cards,
                      const clShadow& shadow);
    // Draws a floating picture with its first card's corner at a point, and
    // invalidates what changed.
    void Show(clFloatingPicture& floating, clPoint corner);
    // Takes every floating picture off, the one drawn last first.
    void HideFloating();
    // Draws the flights, then the dragged picture, where they belong.
    void ShowFloating();
    // Forgets the pixels saved under the floating pictures when the screen
    // was made again since they were saved.
    void CheckScreen();

    clDisplay& display;
    const clImage* labelStrip = nullptr;

    std::vector<std::unique_ptr<clFloatingPicture>> flights;  // by slot
    std::vector<clFlightAt> frame;
    clFloatingPicture dragged;
    std::optional<clPoint> dragAt;
    bool dragging = false;
    std::vector<clFloatingPicture*> shown;  // in the order drawn
    std::uint64_t screenGeneration = 0;
};
