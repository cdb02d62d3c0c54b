#pragma once

#include <cstdint>
#include <optional>
#include <random>
#include <span>
#include <vector>

#include "graphics/draw_target.h"
#include "graphics/table_coords.h"

class clAnimationPump;
class clCard;

// The drawing calls the table model makes, one object per playing screen. The
// bookkeeping (which card is placed, which lies on top) happens with or
// without a display; pixels go to the attached draw target, if any.
class clGraphics {
public:
    static constexpr int kLabelCell = 24;
    static constexpr int kTabKey = 9;

    clGraphics() = default;
    // Stops the pump's frames when cards are still in flight.
    ~clGraphics();
    clGraphics(const clGraphics&) = delete;
    clGraphics& operator=(const clGraphics&) = delete;

    // Attaches the display's draw target, or detaches it with null (headless).
    void Attach(clDrawTarget* drawTarget) { target = drawTarget; }
    bool HasDisplay() const { return target != nullptr; }
    clDrawTarget* Target() const { return target; }
    // The display's card size, table and screen; none headless.
    std::optional<clTableMetrics> Metrics() const;

    // Key labels are drawn while the "Display keyboard shortcuts" option is on.
    void SetShowKeyLabels(bool on) { showKeyLabels = on; }
    bool ShowKeyLabels() const { return showKeyLabels; }

    // A card's (or anchor's) rectangle on the virtual screen; none headless or
    // when it is not placed.
    std::optional<clRect> CardRect(const clCard& card) const;

    // The background over the whole table; ends the flights when the layout
    // changed since they were made.
    void ClearTable();
    void DrawCard(const clCard& card);
    // Draws a card's rectangle with another face (the jokers of a concealed table).
    void DrawCardFace(const clCard& card, int face);
    // The card is placed, gets the next draw key (later cards lie above) and is drawn.
    void PlaceCard(clCard& card);
    // Pile symbol 0..15 at a pile's anchor; other indexes draw nothing.
    void DrawSymbol(const clCard& anchor, int index);
    // The key label on a card's rectangle: '0'-'9', 'A'-'Z' (any case) and Tab.
    void DrawKeyLabel(const clCard& card, int key);
    // A two-key label; digits and letters only.
    void DrawKeyLabels(const clCard& card, int key1, int key2);
    void HighlightCard(const clCard& card);
    // An empty pile's place shown as a highlighted card would be: what lies
    // there (its symbol, the table) in inverted colours.
    void HighlightPlace(const clCard& anchor);

    void ClipToCard(const clCard& card);
    // Clips to the rectangle holding all these cards.
    void ClipToCards(std::span<const clCard* const> cards);
    void ClearClip();

    // Cards in flight. The table model moves its cards at once; a flight
    // only shows the move: its cards are not drawn at their place (nor is a
    // key label on them) until their picture has arrived there. Flights need
    // a display and the window's animation pump; without them nothing flies.
    void SetAnimationPump(clAnimationPump* newPump) { pump = newPump; }
    bool CanAnimate() const { return target != nullptr && pump != nullptr; }
    // The cards of a move (bottom first, already at their new place) travel
    // from `from`, the first card's screen corner before the move. The time
    // grows with the distance, from kMoveTime to kLongMoveTime; a flight
    // that follows another one in flight leaves kChainGap after it (later
    // when it carries a card of it), so that a chain of automatic moves
    // stays brisk and every flight arrives after those before it.
    void Fly(std::span<clCard* const> cards, clPoint from);
    // A deal: the cards (in the order dealt, at their places) leave `from`
    // one after another and the last has arrived within kDealTime. A card
    // shows only once it leaves.
    void FlyDeal(std::span<clCard* const> cards, clPoint from);
    bool IsAnimating() const { return !flights.empty(); }
    bool IsFlying(const clCard& card) const;
    // One frame: the cards that arrived are drawn at their places and the
    // pictures move on. True when the last flight has ended; the caller then
    // draws the whole table once more (which also shows the key labels).
    bool AnimationStep();
    // Puts the pictures of the flights back over a table just drawn.
    void ShowFlights();
    // Ends every flight at once; true when there were any, and the caller
    // draws the table, which then shows every card at its place.
    bool EndFlights();

    // The time of a move over `distance` pixels with cards that wide.
    static int MoveTime(int distance, int cardWidth);
    static constexpr int kMoveTime = 150;      // ms, a move next door
    static constexpr int kLongMoveTime = 250;  // ms, across the table
    static constexpr int kChainGap = 50;       // ms between moves of a chain
    static constexpr int kDealFlightTime = 150;
    static constexpr int kDealTime = 450;  // ms for the whole deal, at most

    // A picture of the cards, bottom card first, follows the pointer until
    // EndDrag. `grab` is the point where the player took the cards: the
    // picture keeps that point of it under the pointer.
    void StartDrag(std::span<const clCard* const> cards, clPoint grab);
    // The dragged picture casts a soft shadow (the window turns it on with
    // the animation option).
    void SetDragShadow(bool on) { dragShadow = on; }
    void DragTo(clPoint pointer);
    void EndDrag();

    // Draws the card (its back when face down) at a random place of the
    // virtual screen, behind the round and game dialogs. Its left edge is r1
    // mod (max(0, screen width - card width) + 1), its top likewise with r2.
    void ScatterCard(const clCard& card, std::uint64_t r1, std::uint64_t r2);
    // The same with two numbers of a generator of the caller's (not the
    // game's, whose numbers make the deals).
    template <std::uniform_random_bit_generator Generator>
    void ScatterCard(const clCard& card, Generator& generator) {
        const std::uint64_t r1 = generator();
        ScatterCard(card, r1, generator());
    }

    // The label-strip cell of a key, or -1 (Tab is the double cell 36..37).
    static int LabelCell(int key);

    // The screen position of a card's top-left corner, placed or not; none headless.
    std::optional<clPoint> ScreenPosition(const clCard& card) const;

private:
    struct clFlight {
        std::vector<clCard*> cards;
        clPoint from;
        std::uint32_t start = 0;  // ms after the first flight of the animation began
        std::uint32_t time = 0;
        bool showWaiting = true;  // shown at `from` until it leaves
        int slot = -1;            // its picture on the target; -1 before it is made
    };
    // A card's rectangle where it is drawn: none while it is in flight.
    std::optional<clRect> ShownRect(const clCard& card) const;
    // Queues a flight; false when there is no display or pump.
    bool Queue(clFlight flight);
    // Ms since the animation began.
    std::uint32_t Elapsed() const;
    // Shows every flight at its place at a time (ms since the animation began).
    void ShowFlightsAt(std::uint32_t elapsed);
    int FreeSlot() const;
    // Forgets the flights, takes their pictures off and stops the frames.
    void StopFlights();

    clDrawTarget* target = nullptr;
    clAnimationPump* pump = nullptr;
    bool showKeyLabels = false;
    bool dragShadow = false;
    std::int32_t nextDrawKey = 0;

    std::vector<clFlight> flights;  // in the order queued
    std::uint32_t epoch = 0;        // the pump's time when the animation began
    clTableMetrics flightMetrics;   // the layout the flights were made for
    clPoint dragOffset;             // the grab point's offset from the first card's corner
};

// Drawing held back while a table is made or rebuilt: the cards are placed
// and ordered as always, but no picture is drawn until the object ends. The
// caller draws the whole table once it is complete.
class clDrawingHeldBack {
public:
    explicit clDrawingHeldBack(clGraphics& graphics)
        : graphics(graphics), target(graphics.Target()) {
        graphics.Attach(nullptr);
    }
    ~clDrawingHeldBack() { graphics.Attach(target); }
    clDrawingHeldBack(const clDrawingHeldBack&) = delete;
    clDrawingHeldBack& operator=(const clDrawingHeldBack&) = delete;

private:
    clGraphics& graphics;
    clDrawTarget* target;
};
