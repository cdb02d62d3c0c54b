#include "graphics/display_target.h"

#include <algorithm>
#include <vector>

#include "cards/card.h"
#include "graphics/display.h"
#include "graphics/graphics.h"
#include "graphics/image.h"

namespace {

// More flights at once than any deal has cards is a fault of the caller.
constexpr int kMaxFlights = 1024;
constexpr std::size_t kKeptFlights = 8;

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

void clDisplayTarget::InvertArea(const clRect& rect) {
    clImage& screen = display.Screen();
    const clRect& clip = screen.Clip();
    const clRect area{std::max(rect.left, clip.left), std::max(rect.top, clip.top),
                      std::min(rect.right, clip.right), std::min(rect.bottom, clip.bottom)};
    if (area.IsEmpty()) return;
    HideFloating();
    for (int y = area.top; y < area.bottom; ++y) {
        std::uint8_t* pixel = screen.At(area.left, y);
        for (int x = area.left; x < area.right; ++x, pixel += 4) {
            pixel[0] = static_cast<std::uint8_t>(255 - pixel[0]);
            pixel[1] = static_cast<std::uint8_t>(255 - pixel[1]);
            pixel[2] = static_cast<std::uint8_t>(255 - pixel[2]);
        }
    }
    display.Invalidate(area);
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

const clImage* clDisplayTarget::FlightPicture(int slot) const {
    if (slot < 0 || static_cast<std::size_t>(slot) >= flights.size()) return nullptr;
    const clFloatingPicture& flight = *flights[static_cast<std::size_t>(slot)];
    return flight.HasPicture() ? &flight.Picture() : nullptr;
}

bool clDisplayTarget::BuildFlight(int slot, std::span<const clCard* const> cards) {
    if (slot < 0 || slot >= kMaxFlights || cards.empty()) return false;
    HideFloating();
    std::erase_if(frame, [slot](const clFlightAt& f) { return f.slot == slot; });
    while (flights.size() <= static_cast<std::size_t>(slot))
        flights.push_back(std::make_unique<clFloatingPicture>());
    clFloatingPicture& flight = *flights[static_cast<std::size_t>(slot)];
    if (BuildPicture(flight, cards, {})) return true;
    flight.Clear();
    return false;
}

void clDisplayTarget::ShowFlights(std::span<const clFlightAt> newFrame) {
    HideFloating();
    frame.clear();
    for (const clFlightAt& flight : newFrame) {
        const auto same = [&flight](const clFlightAt& f) { return f.slot == flight.slot; };
        if (FlightPicture(flight.slot) && std::none_of(frame.begin(), frame.end(), same)) {
            frame.push_back(flight);
        }
    }
    ShowFloating();
}

// The buffers of a few flights stay for the next moves; a deal's many go.
void clDisplayTarget::EndFlights() {
    HideFloating();
    frame.clear();
    if (flights.size() > kKeptFlights) flights.resize(kKeptFlights);
    for (const auto& flight : flights)
        flight->Clear();
}

void clDisplayTarget::StartDrag(std::span<const clCard* const> cards, clDragShadow shadow) {
    HideFloating();
    dragAt.reset();
    const clShadow cast =
        shadow == clDragShadow::On ? clShadow::ForCardWidth(display.CardWidth()) : clShadow{};
    dragging = !cards.empty() && BuildPicture(dragged, cards, cast);
    if (!dragging) dragged.Clear();
}

void clDisplayTarget::DragTo(clPoint at) {
    if (!dragging) return;
    HideFloating();
    dragAt = at;
    ShowFloating();
}

void clDisplayTarget::EndDrag() {
    dragging = false;
    dragAt.reset();
    HideFloating();
}

std::optional<clPoint> clDisplayTarget::DragPosition() const {
    if (!dragged.IsShown()) return std::nullopt;
    const clPoint at = *dragged.Position();
    const clPoint origin = dragged.Origin();
    return clPoint{at.x + origin.x, at.y + origin.y};
}

bool clDisplayTarget::BuildPicture(clFloatingPicture& floating,
                                   std::span<const clCard* const> cards, const clShadow& shadow) {
    std::vector<const clImage*> pictures;
    pictures.reserve(cards.size());
    for (const clCard* card : cards) {
        if (card == nullptr) return false;
        pictures.push_back(card->faceDown ? display.CurrentBack()
                                          : display.Cards().Face(card->value));
    }
    return floating.Build(pictures, display.CardWidth(), display.CardHeight(), shadow);
}

void clDisplayTarget::Show(clFloatingPicture& floating, clPoint corner) {
    const clRect area{0, 0, display.VirtualWidth(), display.VirtualHeight()};
    const clPoint origin = floating.Origin();
    display.Invalidate(
        floating.Show(display.Screen(), {corner.x - origin.x, corner.y - origin.y}, area));
    shown.push_back(&floating);
}

void clDisplayTarget::HideFloating() {
    CheckScreen();
    for (auto it = shown.rbegin(); it != shown.rend(); ++it)
        display.Invalidate((*it)->Hide(display.Screen()));
    shown.clear();
}

void clDisplayTarget::ShowFloating() {
    for (const clFlightAt& flight : frame)
        Show(*flights[static_cast<std::size_t>(flight.slot)], flight.at);
    if (dragging && dragAt) Show(dragged, *dragAt);
}

void clDisplayTarget::CheckScreen() {
    if (display.ScreenGeneration() == screenGeneration) return;
    for (const auto& flight : flights)
        flight->Forget();
    dragged.Forget();
    shown.clear();
    screenGeneration = display.ScreenGeneration();
}
