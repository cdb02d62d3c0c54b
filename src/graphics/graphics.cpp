#include "graphics/graphics.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "cards/card.h"
#include "graphics/floating_picture.h"
#include "toolkit/animation_pump.h"

namespace {

constexpr int kTabCell = 36;
constexpr int kLabelRise = 30;  // a label's top lies this far above the card's bottom edge

bool IsDigitOrLetter(int key) {
    return (key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z') || (key >= 'a' && key <= 'z');
}

}  // namespace

int clGraphics::LabelCell(int key) {
    if (key >= '0' && key <= '9') return key - '0';
    if (key >= 'A' && key <= 'Z') return 10 + key - 'A';
    if (key >= 'a' && key <= 'z') return 10 + key - 'a';
    if (key == kTabKey) return kTabCell;
    return -1;
}

std::optional<clTableMetrics> clGraphics::Metrics() const {
    if (target == nullptr) return std::nullopt;
    return target->Metrics();
}

std::optional<clPoint> clGraphics::ScreenPosition(const clCard& card) const {
    if (target == nullptr) return std::nullopt;
    return TableToScreen(target->Metrics(), card.x, card.y, card.offsetX, card.offsetY);
}

std::optional<clRect> clGraphics::CardRect(const clCard& card) const {
    if (!card.placed) return std::nullopt;
    const auto at = ScreenPosition(card);
    if (!at) return std::nullopt;
    const clTableMetrics metrics = target->Metrics();
    return clRect{at->x, at->y, at->x + metrics.cardWidth, at->y + metrics.cardHeight};
}

// A table drawn for another layout (a new card size, a resized screen) shows
// every card at its place: flights made for the old one end first.
void clGraphics::ClearTable() {
    if (target == nullptr) return;
    if (!flights.empty() && target->Metrics() != flightMetrics) StopFlights();
    target->ClearTable();
}

void clGraphics::DrawCard(const clCard& card) {
    DrawCardFace(card, card.faceDown ? clDrawTarget::kBackFace : card.value);
}

std::optional<clRect> clGraphics::ShownRect(const clCard& card) const {
    if (!flights.empty() && IsFlying(card)) return std::nullopt;
    return CardRect(card);
}

void clGraphics::DrawCardFace(const clCard& card, int face) {
    if (const auto rect = ShownRect(card)) target->DrawCardPicture(*rect, face, false);
}

void clGraphics::PlaceCard(clCard& card) {
    if (card.placed) {
        if (const auto rect = ShownRect(card)) target->TakeOff(*rect);
    }
    card.placed = true;
    card.drawKey = ++nextDrawKey;
    DrawCard(card);
}

void clGraphics::DrawSymbol(const clCard& anchor, int index) {
    if (index < 0 || index > 15) return;
    if (const auto rect = CardRect(anchor)) {
        target->DrawSymbol({rect->left, rect->top}, index);
    }
}

void clGraphics::DrawKeyLabel(const clCard& card, int key) {
    const int cell = LabelCell(key);
    const auto rect = ShownRect(card);
    if (cell < 0 || !rect) return;
    const int y = rect->bottom - kLabelRise;
    if (cell == kTabCell) {
        target->DrawLabelCells({rect->left + (rect->Width() - kLabelCell) / 2 - 12, y}, cell, 2);
    } else {
        target->DrawLabelCells({rect->left + (rect->Width() - kLabelCell) / 2, y}, cell, 1);
    }
}

void clGraphics::DrawKeyLabels(const clCard& card, int key1, int key2) {
    const auto rect = ShownRect(card);
    if (!rect || !IsDigitOrLetter(key1)) return;
    const clPoint at{rect->left + (rect->Width() - 2 * kLabelCell) / 2, rect->bottom - kLabelRise};
    target->DrawLabelCells(at, LabelCell(key1), 1);
    if (IsDigitOrLetter(key2)) {
        target->DrawLabelCells({at.x + kLabelCell, at.y}, LabelCell(key2), 1);
    }
}

void clGraphics::HighlightCard(const clCard& card) {
    if (const auto rect = ShownRect(card)) {
        target->DrawCardPicture(*rect, card.faceDown ? clDrawTarget::kBackFace : card.value, true);
    }
}

void clGraphics::HighlightPlace(const clCard& anchor) {
    if (const auto rect = CardRect(anchor)) target->InvertArea(*rect);
}

void clGraphics::ClipToCard(const clCard& card) {
    if (const auto rect = CardRect(card)) target->SetClip(&*rect);
}

void clGraphics::ClipToCards(std::span<const clCard* const> cards) {
    if (target == nullptr) return;
    clRect area;
    for (const clCard* card : cards) {
        if (const auto rect = CardRect(*card)) area = area.Union(*rect);
    }
    target->SetClip(&area);
}

void clGraphics::ClearClip() {
    if (target) target->SetClip(nullptr);
}

clGraphics::~clGraphics() {
    if (!flights.empty() && pump) pump->RunFrames(false);
}

bool clGraphics::IsFlying(const clCard& card) const {
    for (const clFlight& flight : flights) {
        if (std::find(flight.cards.begin(), flight.cards.end(), &card) != flight.cards.end()) {
            return true;
        }
    }
    return false;
}

int clGraphics::MoveTime(int distance, int cardWidth) {
    const std::int64_t extra = std::int64_t{25} * std::max(0, distance) / std::max(1, cardWidth);
    return kMoveTime + static_cast<int>(std::min<std::int64_t>(extra, kLongMoveTime - kMoveTime));
}

std::uint32_t clGraphics::Elapsed() const {
    return pump ? pump->Now() - epoch : 0;
}

void clGraphics::Fly(std::span<clCard* const> cards, clPoint from) {
    if (!CanAnimate() || cards.empty() || cards.front() == nullptr) return;
    const clPoint to = *ScreenPosition(*cards.front());
    const int distance = static_cast<int>(std::hypot(to.x - from.x, to.y - from.y));
    clFlight flight;
    flight.cards.assign(cards.begin(), cards.end());
    flight.from = from;
    flight.time = static_cast<std::uint32_t>(MoveTime(distance, target->Metrics().cardWidth));
    flight.start = flights.empty() ? 0 : Elapsed();
    if (!flights.empty()) {
        const clFlight& last = flights.back();
        flight.start = std::max(flight.start, last.start + kChainGap);
        // A card still on its way to where this flight starts leaves once it is there.
        for (const clFlight& earlier : flights) {
            const bool shares = std::any_of(cards.begin(), cards.end(), [&earlier](clCard* card) {
                return std::find(earlier.cards.begin(), earlier.cards.end(), card) !=
                       earlier.cards.end();
            });
            if (shares) {
                flight.start = std::max(flight.start, earlier.start + earlier.time);
                flight.showWaiting = false;
            }
        }
        // It arrives after the flights before it, so that the cards land in order.
        const std::uint32_t lastEnd = last.start + last.time;
        if (flight.start + flight.time < lastEnd) flight.time = lastEnd - flight.start;
    }
    Queue(std::move(flight));
}

void clGraphics::FlyDeal(std::span<clCard* const> cards, clPoint from) {
    if (!CanAnimate() || cards.empty()) return;
    const auto n = static_cast<int>(cards.size());
    const int gap = n > 1 ? std::min(25, (kDealTime - kDealFlightTime) / (n - 1)) : 0;
    const std::uint32_t now = flights.empty() ? 0 : Elapsed();
    for (int i = 0; i < n; ++i) {
        if (cards[static_cast<std::size_t>(i)] == nullptr) continue;
        clFlight flight;
        flight.cards = {cards[static_cast<std::size_t>(i)]};
        flight.from = from;
        flight.start = now + static_cast<std::uint32_t>(i * gap);
        flight.time = kDealFlightTime;
        flight.showWaiting = false;
        if (!Queue(std::move(flight))) return;
    }
}

bool clGraphics::Queue(clFlight flight) {
    if (!CanAnimate()) return false;
    const clTableMetrics metrics = target->Metrics();
    if (flights.empty()) {
        epoch = pump->Now();
        flightMetrics = metrics;
        pump->RunFrames(true);
    } else if (metrics != flightMetrics) {
        // Made for another layout: those flights end, and so does this one.
        EndFlights();
        return false;
    }
    flights.push_back(std::move(flight));
    return true;
}

int clGraphics::FreeSlot() const {
    for (int slot = 0;; ++slot) {
        const bool used = std::any_of(flights.begin(), flights.end(),
                                      [slot](const clFlight& f) { return f.slot == slot; });
        if (!used) return slot;
    }
}

bool clGraphics::AnimationStep() {
    if (flights.empty()) return false;
    if (target == nullptr || target->Metrics() != flightMetrics) return EndFlights();
    const std::uint32_t now = Elapsed();
    std::vector<clCard*> arrived;
    std::erase_if(flights, [&](const clFlight& flight) {
        if (now < flight.start + flight.time) return false;
        arrived.insert(arrived.end(), flight.cards.begin(), flight.cards.end());
        return true;
    });
    // The cards that arrived, in the order they were queued, each on top of its pile.
    for (clCard* card : arrived) {
        if (card->placed && !IsFlying(*card)) DrawCard(*card);
    }
    if (flights.empty()) {
        StopFlights();
        return true;
    }
    ShowFlightsAt(now);
    return false;
}

void clGraphics::ShowFlights() {
    if (!flights.empty() && target) ShowFlightsAt(Elapsed());
}

// A flight's picture leaves quickly and slows down as it arrives. The flights
// queued later lie lower: the cards that left first are above the next.
void clGraphics::ShowFlightsAt(std::uint32_t now) {
    std::vector<clFlightAt> frame;
    for (auto it = flights.rbegin(); it != flights.rend(); ++it) {
        clFlight& flight = *it;
        if (now < flight.start && !flight.showWaiting) continue;
        if (flight.slot < 0) {
            const int slot = FreeSlot();
            const std::vector<const clCard*> cards(flight.cards.begin(), flight.cards.end());
            if (!target->BuildFlight(slot, cards)) {
                // No picture: the cards show at their place at once.
                flight.time = 0;
                flight.start = 0;
                continue;
            }
            flight.slot = slot;
        }
        clPoint at = flight.from;
        if (now > flight.start) {
            const double t = std::min(1.0, double(now - flight.start) / std::max(1u, flight.time));
            const double eased = 1.0 - (1.0 - t) * (1.0 - t);
            const clPoint to = *ScreenPosition(*flight.cards.front());
            at = {flight.from.x + static_cast<int>(std::lround((to.x - flight.from.x) * eased)),
                  flight.from.y + static_cast<int>(std::lround((to.y - flight.from.y) * eased))};
        }
        frame.push_back({flight.slot, at});
    }
    target->ShowFlights(frame);
}

bool clGraphics::EndFlights() {
    if (flights.empty()) return false;
    StopFlights();
    return true;
}

void clGraphics::StopFlights() {
    flights.clear();
    if (target) target->EndFlights();
    if (pump) pump->RunFrames(false);
}

void clGraphics::StartDrag(std::span<const clCard* const> cards, clPoint grab) {
    if (target == nullptr || cards.empty()) return;
    // The offset stays on the picture, whatever point the caller names.
    const clTableMetrics metrics = target->Metrics();
    const clPoint corner = *ScreenPosition(*cards.front());
    const int height = metrics.cardHeight +
                       (static_cast<int>(cards.size()) - 1) * clFloatingPicture::kGroupSpacing;
    dragOffset = {std::clamp(grab.x - corner.x, 0, std::max(0, metrics.cardWidth - 1)),
                  std::clamp(grab.y - corner.y, 0, std::max(0, height - 1))};
    target->StartDrag(cards, dragShadow ? clDragShadow::On : clDragShadow::Off);
}

void clGraphics::DragTo(clPoint pointer) {
    if (target) target->DragTo({pointer.x - dragOffset.x, pointer.y - dragOffset.y});
}

void clGraphics::EndDrag() {
    if (target) target->EndDrag();
}

void clGraphics::ScatterCard(const clCard& card, std::uint64_t r1, std::uint64_t r2) {
    if (target == nullptr) return;
    const clTableMetrics metrics = target->Metrics();
    // A screen no larger than a card leaves one place: its corner.
    const auto place = [](std::uint64_t r, int screen, int cardSide) {
        const std::uint64_t room = static_cast<std::uint64_t>(std::max(0, screen - cardSide));
        return static_cast<int>(r % (room + 1));
    };
    const int x = place(r1, metrics.screenWidth, metrics.cardWidth);
    const int y = place(r2, metrics.screenHeight, metrics.cardHeight);
    const clRect rect{x, y, x + metrics.cardWidth, y + metrics.cardHeight};
    target->DrawCardPicture(rect, card.faceDown ? clDrawTarget::kBackFace : card.value, false);
}
