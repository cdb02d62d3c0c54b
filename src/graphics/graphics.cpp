#include "graphics/graphics.h"

#include <algorithm>
#include <vector>

#include "engine/card.h"
#include "piles/group.h"

namespace {

constexpr int kTabCell = 36;
constexpr int kLabelRise = 30;  // a label's top lies this far above the card's bottom edge

std::vector<const clCard*> CardsOf(const clGroup& group) {
    std::vector<const clCard*> cards;
    for (int i = 0; i < static_cast<int>(group.Count()); ++i)
        cards.push_back(group.At(i));
    return cards;
}

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

void clGraphics::ClearTable() {
    if (target) target->ClearTable();
}

void clGraphics::DrawCard(const clCard& card) {
    DrawCardFace(card, card.faceDown ? clDrawTarget::kBackFace : card.value);
}

void clGraphics::DrawCardFace(const clCard& card, int face) {
    if (const auto rect = CardRect(card)) target->DrawCardPicture(*rect, face, false);
}

void clGraphics::PlaceCard(clCard& card) {
    if (card.placed) {
        if (const auto rect = CardRect(card)) target->TakeOff(*rect);
    }
    card.placed = true;
    card.drawKey = ++nextDrawKey;
    DrawCard(card);
}

void clGraphics::DrawSymbol(const clGroup& pile, int index) {
    if (index < 0 || index > 15) return;
    if (const auto rect = CardRect(pile.GetAnchor())) {
        target->DrawSymbol({rect->left, rect->top}, index);
    }
}

void clGraphics::DrawKeyLabel(const clCard& card, int key) {
    const int cell = LabelCell(key);
    const auto rect = CardRect(card);
    if (cell < 0 || !rect) return;
    const int y = rect->bottom - kLabelRise;
    if (cell == kTabCell) {
        target->DrawLabelCells({rect->left + (rect->Width() - kLabelCell) / 2 - 12, y}, cell, 2);
    } else {
        target->DrawLabelCells({rect->left + (rect->Width() - kLabelCell) / 2, y}, cell, 1);
    }
}

void clGraphics::DrawKeyLabels(const clCard& card, int key1, int key2) {
    const auto rect = CardRect(card);
    if (!rect || !IsDigitOrLetter(key1)) return;
    const clPoint at{rect->left + (rect->Width() - 2 * kLabelCell) / 2, rect->bottom - kLabelRise};
    target->DrawLabelCells(at, LabelCell(key1), 1);
    if (IsDigitOrLetter(key2)) {
        target->DrawLabelCells({at.x + kLabelCell, at.y}, LabelCell(key2), 1);
    }
}

void clGraphics::HighlightCard(const clCard& card) {
    if (const auto rect = CardRect(card)) {
        target->DrawCardPicture(*rect, card.faceDown ? clDrawTarget::kBackFace : card.value, true);
    }
}

void clGraphics::ClipToCard(const clCard& card) {
    if (const auto rect = CardRect(card)) target->SetClip(&*rect);
}

void clGraphics::ClipToGroup(const clGroup& pile) {
    if (target == nullptr) return;
    clRect area;
    for (const clCard* card : CardsOf(pile)) {
        if (const auto rect = CardRect(*card)) area = area.Union(*rect);
    }
    target->SetClip(&area);
}

void clGraphics::ClearClip() {
    if (target) target->SetClip(nullptr);
}

void clGraphics::LiftCard(const clCard& card) {
    if (target) {
        const clCard* cards[] = {&card};
        target->Lift(cards);
    }
}

void clGraphics::LiftGroup(const clGroup& group) {
    if (target) target->Lift(CardsOf(group));
}

bool clGraphics::Animate(const clCard& card, int stepTime, int steps) {
    const auto at = ScreenPosition(card);
    if (!at) return true;
    return target->Animate(*at, stepTime, steps);
}

void clGraphics::StopAnimation() {
    if (target) target->StopAnimation();
}

void clGraphics::StartDrag(const clGroup& group) {
    if (target) target->StartDrag(CardsOf(group));
}

void clGraphics::DragTo(clPoint to) {
    if (target) target->DragTo(to);
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
