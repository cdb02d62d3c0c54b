// Pointer and keyboard play: presses, drags, right clicks, double clicks and
// keys on the playing screen, turned into moves through the rules slots.
#include <algorithm>

#include "engine/solitaire_rules.h"

std::vector<clPile*> clSolitaireRules::SearchOrder() const {
    std::vector<clPile*> order;
    order.reserve(allPiles.size());
    order.insert(order.end(), foundations.begin(), foundations.end());
    order.insert(order.end(), tableau.begin(), tableau.end());
    order.insert(order.end(), reserves.begin(), reserves.end());
    if (stock) order.push_back(stock);
    if (waste) order.push_back(waste);
    for (const auto& pile : allPiles) {
        if (std::find(order.begin(), order.end(), pile.get()) == order.end()) {
            order.push_back(pile.get());
        }
    }
    return order;
}

// Blocked cards are transparent: a point on a covered card reaches the next
// pile in the order.
clPile* clSolitaireRules::HitTest(clPoint point, int& position) const {
    const std::vector<clPile*> order = SearchOrder();
    for (clPile* pile : order) {
        if (pile->HitCard(*graphics, point, position)) return pile;
    }
    for (clPile* pile : order) {
        if (pile->HitEmpty(*graphics, point)) {
            position = 0;
            return pile;
        }
    }
    return nullptr;
}

void clSolitaireRules::CancelPick() {
    if (lifted) {
        graphics->EndDrag();
        dragGroup.PlaceAll();
        if (sourcePile) sourcePile->Arrange();
        DrawTable();
    }
    dragGroup.Clear();
    lifted = false;
}

// A click-action pile acts on a press even when its cards cannot be picked
// up: a discard heap or a BlackJack pile gives nothing, but a click on it
// plays the waste card there.
bool clSolitaireRules::PickFrom(clPile& pile, int position) {
    CancelPick();
    sourcePile = &pile;
    if (pile.Count() == 0) position = 0;
    pickLocation = LocationOf(&pile, position);
    if (pile.Count() == 0) return true;
    if (pile.CanPickUp(position)) {
        pile.CopyFrom(position, dragGroup);
        return true;
    }
    return pile.IsClickAction() && !pile.IsInert();
}

bool clSolitaireRules::ActOnPick(clPile& pile, clButton button) {
    StartTimer();
    if (pile.IsInert()) {
        CancelPick();
        PlaySound(clSound::Error);
        return false;
    }
    if (button == clButton::Right && OnRightClick()) return false;
    if (pile.Count() > 0 && pile.IsClickAction()) {
        OnPileClick();
        return false;
    }
    if (dragGroup.Count() == 0) {
        OnEmptyPick();
        return false;
    }
    if (CanStartDrag()) return true;
    CancelPick();
    PlaySound(clSound::Error);
    return false;
}

bool clSolitaireRules::PressPile(clPile& pile, int position) {
    if (!PickFrom(pile, position)) {
        PlaySound(clSound::Error);
        return false;
    }
    return ActOnPick(pile, clButton::Left);
}

void clSolitaireRules::OnEmptyPick() {
    CancelPick();
}

void clSolitaireRules::OnPileClick() {
    CancelPick();
}

// A press during an animation ends it first and then acts on the table as
// it is; one on no pile only ends it, without the error sound.
void clSolitaireRules::OnLeftDown(clPoint point) {
    const bool ended = FinishAnimation();
    CancelPick();
    grabPoint = point;
    int position = 0;
    clPile* pile = HitTest(point, position);
    if (pile == nullptr) {
        if (!ended) PlaySound(clSound::Error);
        return;
    }
    PressPile(*pile, position);
}

// The picked cards leave the table picture on the first movement and follow
// the pointer from then on, held where they were taken.
void clSolitaireRules::OnMouseMove(clPoint point) {
    if (dragGroup.Count() == 0) return;
    if (!lifted) {
        dragGroup.UnplaceAll();
        DrawTable();
        graphics->StartDrag(dragGroup.Cards(), grabPoint);
        lifted = true;
    }
    graphics->DragTo(point);
}

// The cards show in their pile again before the drop point is tested, so a
// drop onto them is a drop onto their own pile.
void clSolitaireRules::OnLeftUp(clPoint point) {
    if (dragGroup.Count() == 0) return;
    const std::int32_t card = dragGroup.Bottom()->dealIndex;
    const clLocation from = pickLocation;
    CancelPick();
    int position = 0;
    const clPile* pile = HitTest(point, position);
    if (pile == nullptr) return;
    clMove move = clMove::CardMove(card, from, LocationOf(pile, position));
    if (ValidateMove(move) || RetargetDrop(move)) CommitDraggedMove(move);
}

void clSolitaireRules::OnRightDown(clPoint point) {
    const bool ended = FinishAnimation();
    CancelPick();
    int position = 0;
    clPile* pile = HitTest(point, position);
    if (pile == nullptr) {
        if (!ended) PlaySound(clSound::Error);
        return;
    }
    if (!PickFrom(*pile, position)) {
        PlaySound(clSound::Error);
        return;
    }
    if (ActOnPick(*pile, clButton::Right)) {
        clMove move;
        const bool found = FindMove(move);
        CancelPick();
        if (!found || !CommitPlayedMove(move)) PlaySound(clSound::Error);
    }
    CancelPick();  // a right press leaves nothing to drag
}

void clSolitaireRules::OnDoubleClick(clPoint point) {
    OnRightDown(point);
}

void clSolitaireRules::OnChar(int character) {
    FinishAnimation();
    CancelPick();
    const int key = character >= 'a' && character <= 'z' ? character - 'a' + 'A' : character;
    const int previous = previousKey;
    previousKey = key;
    clPile* pile = nullptr;
    for (clPile* candidate : SearchOrder()) {
        if (candidate->MatchesKey(key, previous)) {
            pile = candidate;
            break;
        }
    }
    if (pile == nullptr) return;

    sourcePile = pile;
    pickLocation = LocationOf(pile, 0);
    StartTimer();
    if (pile->IsInert()) {
        PlaySound(clSound::Error);
        return;
    }
    if (pile->Count() == 0) {
        OnEmptyPick();
        return;
    }
    // A key acts on a click-action pile as a click on its top card does.
    if (pile->IsClickAction()) {
        PickFrom(*pile, pile->TopIndex());
        OnPileClick();
        return;
    }
    clMove move;
    const bool found = FindKeyMove(move);
    CancelPick();
    if (!found || !CommitPlayedMove(move)) PlaySound(clSound::Error);
}

void clSolitaireRules::Pause() {
    CancelPick();
    clSolitaireType::Pause();
}
