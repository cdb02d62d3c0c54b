#pragma once

#include <cstdint>
#include <optional>
#include <random>

#include "graphics/draw_target.h"
#include "graphics/table_coords.h"

class clCard;
class clGroup;

// The drawing calls the table model makes, one object per playing screen. The
// bookkeeping (which card is placed, which lies on top) happens with or
// without a display; pixels go to the attached draw target, if any.
class clGraphics {
public:
    static constexpr int kLabelCell = 24;
    static constexpr int kTabKey = 9;

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

    void ClearTable();
    void DrawCard(const clCard& card);
    // Draws a card's rectangle with another face (the jokers of a concealed table).
    void DrawCardFace(const clCard& card, int face);
    // The card is placed, gets the next draw key (later cards lie above) and is drawn.
    void PlaceCard(clCard& card);
    // Pile symbol 0..15 at the pile's anchor; other indexes draw nothing.
    void DrawSymbol(const clGroup& pile, int index);
    // The key label on a card's rectangle: '0'-'9', 'A'-'Z' (any case) and Tab.
    void DrawKeyLabel(const clCard& card, int key);
    // A two-key label; digits and letters only.
    void DrawKeyLabels(const clCard& card, int key1, int key2);
    void HighlightCard(const clCard& card);

    void ClipToCard(const clCard& card);
    void ClipToGroup(const clGroup& pile);
    void ClearClip();

    // A picture of the card, or of the group's cards stacked 16 pixels apart,
    // that can travel across the table (the caller redraws the table without
    // the cards).
    void LiftCard(const clCard& card);
    void LiftGroup(const clGroup& group);
    // Moves the lifted picture to the card's place, whether or not the card
    // is placed yet (cards are placed once their picture has arrived); false
    // when the player cancelled.
    bool Animate(const clCard& card, int stepTime, int steps);
    void StopAnimation();
    // A picture of the group's cards follows the pointer until EndDrag.
    void StartDrag(const clGroup& group);
    void DragTo(clPoint to);
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

private:
    // The screen position of a card's top-left corner, placed or not; none headless.
    std::optional<clPoint> ScreenPosition(const clCard& card) const;

    clDrawTarget* target = nullptr;
    bool showKeyLabels = false;
    std::int32_t nextDrawKey = 0;
};
