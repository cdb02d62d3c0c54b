// Automatic play to the foundations and the search for a destination.
#include <algorithm>

#include "engine/solitaire_rules.h"

bool clSolitaireRules::AutoPlay() {
    if (!IsAutoPlayOn()) return false;
    for (const auto& pile : allPiles) {
        clLocation from;
        std::int32_t card = 0;
        if (pile->GetTop(from, card) && MoveToFoundation(card, from)) return true;
    }
    return false;
}

bool clSolitaireRules::SafeAutoPlay() {
    int lowest = foundations.empty() ? 13 : 14;
    for (const clPile* foundation : foundations) {
        const clCard* top = foundation->Top();
        lowest = std::min(lowest, top ? top->GetRank() : 0);
    }
    for (const auto& pile : allPiles) {
        clLocation from;
        std::int32_t card = 0;
        if (!pile->GetTop(from, card) || pile->Top()->GetRank() > lowest + 2) continue;
        if (MoveToFoundation(card, from)) return true;
    }
    return false;
}

bool clSolitaireRules::SafeAutoPlayFromBase(int baseRank) {
    // Ranks below the base come after the king.
    const auto counted = [baseRank](int rank) { return rank < baseRank ? rank + 13 : rank; };
    int lowest = baseRank + 12;
    for (const clPile* foundation : foundations) {
        const clCard* top = foundation->Top();
        if (top == nullptr) {
            lowest = baseRank - 1;
            break;
        }
        lowest = std::min(lowest, counted(top->GetRank()));
    }
    for (const auto& pile : allPiles) {
        clLocation from;
        std::int32_t card = 0;
        if (!pile->GetTop(from, card) || counted(pile->Top()->GetRank()) > lowest + 2) continue;
        if (MoveToFoundation(card, from)) return true;
    }
    return false;
}

bool clSolitaireRules::MoveToFoundation(std::int32_t dealIndex, const clLocation& from) {
    if (from.kind == clLocationKind::Foundation || foundations.empty()) return false;
    for (int i = 0; i < FoundationCount(); ++i) {
        int free = 0;
        if (!foundations[i]->NextFreeSlot(free)) continue;
        const clMove move = clMove::CardMove(dealIndex, from,
                                             clLocation::Pile(clLocationKind::Foundation, i, free));
        if (!ValidateMove(move)) continue;
        if (!CanCommit(move)) return false;
        PlaySound(clSound::Redo);
        PlayMove(move);
        UpdateWindow();
        RefreshScore();
        DrawTable();
        UpdateScoreboard();
        history->Push(move);
        NoteRecorded(false);
        OnMoveCommitted(move);
        return true;
    }
    return false;
}

bool clSolitaireRules::FindMove(clMove& move) {
    const clCard* bottom = dragGroup.Bottom();
    if (bottom == nullptr) return false;
    const std::int32_t card = bottom->dealIndex;
    const auto tryPile = [&](clLocationKind kind, int index, const clPile* pile) {
        int free = 0;
        if (!pile->NextFreeSlot(free)) return false;
        move = clMove::CardMove(card, pickLocation, clLocation::Pile(kind, index, free));
        return ValidateMove(move);
    };

    for (int i = 0; i < FoundationCount(); ++i) {
        if (tryPile(clLocationKind::Foundation, i, foundations[i])) return true;
    }
    for (int n = 0; n < TableauCount(); ++n) {
        const int i = findMoveIndex % TableauCount();
        findMoveIndex = (i + 1) % TableauCount();
        if (tryPile(clLocationKind::Tableau, i, tableau[i])) return true;
    }
    for (int i = 0; i < ReserveCount(); ++i) {
        if (tryPile(clLocationKind::Reserve, i, reserves[i])) return true;
    }
    CancelPick();
    return false;
}

bool clSolitaireRules::FindKeyMove(clMove& move) {
    if (sourcePile == nullptr) return false;
    for (int position = 0; position < static_cast<int>(sourcePile->Count()); ++position) {
        dragGroup.Clear();
        sourcePile->CopyFrom(position, dragGroup);
        pickLocation = pickLocation.WithPosition(position);
        if (FindMove(move)) return true;
    }
    return false;
}

bool clSolitaireRules::RetargetDrop(clMove& move) {
    CancelPick();
    if (!move.to.HasPileIndex()) return false;
    const clPile* pile = PileAt(move.to);
    int free = 0;
    if (pile == nullptr || !pile->NextFreeSlot(free)) return false;
    move.to = move.to.WithPosition(free);
    return ValidateMove(move);
}
