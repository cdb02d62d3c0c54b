#include "variants/solitaire_game.h"

#include <algorithm>

#include "piles/tableau_limits.h"

namespace {

clLocation StockAt(int position) {
    return clLocation::Single(clLocationKind::Stock, position);
}
clLocation WasteAt(int position) {
    return clLocation::Single(clLocationKind::Waste, position);
}

}  // namespace

void clSolitaireGame::Describe(const clGameRules& row) {
    rules = &row;
    displayName = row.game.displayName;
    key = row.game.key;
    helpTopic = row.game.helpTopic;
    tableWidth = row.width;
    tableHeight = row.height;
}

void clSolitaireGame::SetupRounds() {
    points.Apply(rules->rounds);
}

void clSolitaireGame::SetupPoints() {
    points.values = rules->points;
}

void clSolitaireGame::RowCentred(std::span<clPile* const> piles, double centreX, double y,
                                 double fanLimit, int pixelX) {
    const int n = static_cast<int>(piles.size());
    for (int i = 0; i < n; ++i) {
        piles[i]->SetPosition(centreX - n / 2.0 + i, y, pixelX - 2 * (n - 1) + 4 * i, 0);
        if (fanLimit > 0) piles[i]->SetFanLimit(fanLimit);
    }
}

void clSolitaireGame::RowRightAligned(std::span<clPile* const> piles, double rightX, double y,
                                      double fanLimit, int pixelX) {
    const int n = static_cast<int>(piles.size());
    for (int i = 0; i < n; ++i) {
        piles[i]->SetPosition(rightX - n + i, y, pixelX - 4 * (n - 1) + 4 * i, 0);
        if (fanLimit > 0) piles[i]->SetFanLimit(fanLimit);
    }
}

void clSolitaireGame::RowLeftAligned(std::span<clPile* const> piles, double leftX, double y,
                                     double fanLimit, int pixelX) {
    const int n = static_cast<int>(piles.size());
    for (int i = 0; i < n; ++i) {
        piles[i]->SetPosition(leftX + i, y, pixelX + 4 * i, 0);
        if (fanLimit > 0) piles[i]->SetFanLimit(fanLimit);
    }
}

void clSolitaireGame::RowSpaced(std::span<clPile* const> piles, double leftX, double y, double step,
                                double fanLimit) {
    for (std::size_t i = 0; i < piles.size(); ++i) {
        piles[i]->SetPosition(leftX + static_cast<double>(i) * step, y, 0, 0);
        if (fanLimit > 0) piles[i]->SetFanLimit(fanLimit);
    }
}

void clSolitaireGame::KeyTableau() {
    static constexpr char kKeys[] = "1234567890";
    for (std::size_t i = 0; i < tableau.size(); ++i)
        tableau[i]->SetKey(kKeys[i % 10]);
}

void clSolitaireGame::KeyPiles(std::span<clPile* const> piles, std::string_view keys) {
    for (std::size_t i = 0; i < piles.size() && i < keys.size(); ++i)
        piles[i]->SetKey(keys[i]);
}

void clSolitaireGame::SetFoundationBaseRank(int rank, int n, int first) {
    for (clPile* pile : PileRange(foundations, n, first)) {
        if (auto* foundation = dynamic_cast<clFoundation*>(pile)) foundation->SetBaseRank(rank);
    }
}

void clSolitaireGame::SetFoundationStopRank(int rank, int n, int first) {
    for (clPile* pile : PileRange(foundations, n, first)) {
        if (auto* foundation = dynamic_cast<clFoundation*>(pile)) foundation->SetStopRank(rank);
    }
}

void clSolitaireGame::DealBase(int& k) {
    const clCard* first = deck->CardAt(k);
    baseRank = first ? first->GetRank() : 1;
    if (!foundations.empty()) DealCard(*foundations[0], k, clFacing::Up);
    ++k;
}

void clSolitaireGame::FoundationsFromBase() {
    SetFoundationBaseRank(baseRank);
    SetFoundationStopRank(0);
}

void clSolitaireGame::KingsOnlyInSpaces() {
    SetTableauEmptyRank(tableau, clRank::King);
}

void clSolitaireGame::AnyCardInSpaces() {
    SetTableauEmptyRank(tableau, 0);
    SetTableauSymbol(tableau, clPileSymbol::Outline);
}

void clSolitaireGame::Deal() {
    DealCards();
    EndSelection();
}

void clSolitaireGame::DealCards() {
    if (forms.deal == clDealForm::Triangle) {
        TriangleDeal();
    } else {
        DealGeneric();
    }
}

void clSolitaireGame::DealThreeAtATime() {
    forms.clicks = clClickForm::DealThree;
    forms.dealThreeCompound = true;
}

// Rows that run past the last pile start again at the first, so a count
// larger than the triangle still deals every card.
void clSolitaireGame::TriangleDeal() {
    const clDealCounts counts = DealCounts();
    const int n = TableauCount();
    int k = 0;
    for (int row = 0, pile = 0; n > 0 && k < counts.tableau; ++k) {
        DealCard(*tableau[pile], k, TableauFacing(k >= faceDownCount));
        if (++pile == n) {
            row = row + 1 < n ? row + 1 : 0;
            pile = row;
        }
    }
    DealOutside(k, counts);
}

void clSolitaireGame::TurnUpTops() {
    for (clPile* pile : tableau) {
        if (clCard* top = pile->Top()) top->faceDown = top->blocked = false;
    }
}

void clSolitaireGame::AfterMove() {
    switch (forms.afterMove) {
        case clAfterMoveForm::TurnUpTops:
            TurnUpTops();
            break;
        case clAfterMoveForm::CellCounting:
            CellCounting(tableau, reserves);
            break;
        case clAfterMoveForm::KingsCellCounting:
            KingsCellCounting(tableau, reserves);
            break;
        case clAfterMoveForm::None:
            break;
    }
}

bool clSolitaireGame::AutoPlay() {
    if (!IsAutoPlayOn()) return false;
    switch (forms.autoPlay) {
        case clAutoPlayForm::Safe:
            return SafeAutoPlay();
        case clAutoPlayForm::SafeFromBase:
            return SafeAutoPlayFromBase(baseRank);
        case clAutoPlayForm::Plain:
            break;
    }
    return clSolitaireRules::AutoPlay();
}

bool clSolitaireGame::FindMove(clMove& move) {
    switch (forms.findMove) {
        case clFindMoveForm::PreferBuilt:
            return FindMovePreferBuilt(move);
        case clFindMoveForm::PreferSuit:
            return FindMovePreferSuit(move);
        case clFindMoveForm::Plain:
            break;
    }
    return clSolitaireRules::FindMove(move);
}

void clSolitaireGame::OnPileClick() {
    CancelPick();
    if (forms.clicks == clClickForm::DealOne) DealOne();
    if (forms.clicks == clClickForm::DealThree) DealMany(3);
}

void clSolitaireGame::OnEmptyPick() {
    CancelPick();
    if (forms.clicks == clClickForm::None || sourcePile == nullptr) return;
    clLocation at;
    std::int32_t card = 0;
    sourcePile->GetTop(at, card);
    if (at.kind == clLocationKind::Waste) {
        if (forms.clicks == clClickForm::DealOne) DealOne();
        if (forms.clicks == clClickForm::DealThree) DealMany(3);
    } else if (at.kind == clLocationKind::Stock) {
        RequestRedeal();
    }
}

void clSolitaireGame::StockAction(bool animated) {
    if (forms.redealWasteToStock) {
        RedealWasteToStock();
    } else {
        clSolitaireRules::StockAction(animated);
    }
}

bool clSolitaireGame::ValidateStockAction() {
    return forms.redealWasteToStock ? ValidateRedeal() : clSolitaireRules::ValidateStockAction();
}

bool clSolitaireGame::ValidateMove(const clMove& move) {
    if (move.type == clMoveType::Card && move.from.kind == clLocationKind::Stock &&
        forms.clicks == clClickForm::DealThree && stock && stock->Count() > 1) {
        return false;
    }
    return clSolitaireRules::ValidateMove(move);
}

// Compounds are moves a variant makes itself: a game without a compound
// form of its own makes none, so it refuses them.
bool clSolitaireGame::ValidateCompound(const clMove& move) {
    return forms.dealThreeCompound && ValidateDealThree(move);
}

void clSolitaireGame::DealOne() {
    int free = 0;
    if (!stock || !waste || stock->Count() == 0 || !waste->NextFreeSlot(free)) return;
    const clMove move =
        clMove::CardMove(stock->TopDealIndex(), StockAt(stock->TopIndex()), WasteAt(free));
    if (ValidateMove(move)) CommitPlayedMove(move);
}

void clSolitaireGame::DealMany(int k) {
    const int m = stock ? std::min(k, static_cast<int>(stock->Count())) : 0;
    if (m <= 0 || !waste) return;
    if (m == 1) {
        DealOne();
        return;
    }
    const int top = stock->TopIndex();
    const int free = static_cast<int>(waste->Count());
    std::vector<clMove> parts;
    for (int j = 0; j < m; ++j) {
        parts.push_back(
            clMove::CardMove(stock->At(top - j)->dealIndex, StockAt(top - j), WasteAt(free + j)));
    }
    const clMove move = clMove::CompoundMove(std::move(parts));
    if (ValidateMove(move)) CommitPlayedMove(move);
}

bool clSolitaireGame::CommitStockAction() {
    const clMove move = clMove::StockMove();
    return ValidateMove(move) && CommitPlayedMove(move, true);
}

void clSolitaireGame::RequestRedeal() {
    if (waste && waste->Count() > 0) CommitStockAction();
}

void clSolitaireGame::RedealWasteToStock() {
    while (stock && waste && waste->Count() > 0) {
        dealGroup.Clear();
        if (!waste->GiveCards(dealGroup, waste->TopIndex()) || !stock->AddCards(dealGroup)) {
            waste->AddCards(dealGroup);  // the stock is full: the card stays in the waste
            break;
        }
    }
    clSolitaireRules::StockAction(false);
}

void clSolitaireGame::DealToEach(std::span<clPile* const> piles) {
    for (clPile* pile : piles) {
        if (!stock || stock->Count() == 0) return;
        dealGroup.Clear();
        if (!stock->GiveCards(dealGroup, stock->TopIndex())) return;
        clCard* card = dealGroup.Top();
        if (!pile->AddCards(dealGroup)) {
            stock->AddCards(dealGroup);  // no room: the card goes back
            return;
        }
        card->faceDown = card->blocked = false;
        graphics->PlaceCard(*card);
    }
}

bool clSolitaireGame::ValidateRedeal() {
    return stock && waste && stock->Count() == 0 && waste->Count() > 0;
}

bool clSolitaireGame::ValidateDealThree(const clMove& move) {
    if (move.type != clMoveType::Compound || !stock || !waste) return false;
    const int m = move.count;
    if (m < 1 || m > static_cast<int>(stock->Count()) ||
        move.parts.size() != static_cast<std::size_t>(m)) {
        return false;
    }
    const int top = stock->TopIndex();
    const int free = static_cast<int>(waste->Count());
    if (static_cast<std::uint32_t>(free + m) > waste->Capacity()) return false;
    for (int j = 0; j < m; ++j) {
        const clMove& part = move.parts[j];
        if (part.type != clMoveType::Card || !(part.from == StockAt(top - j)) ||
            !(part.to == WasteAt(free + j))) {
            return false;
        }
    }
    return ValidateCardMove(move.parts[0]);
}

// A type 1 move of the picked cards to the pile's free position, when valid.
bool clSolitaireGame::TryDestination(clMove& move, std::int32_t card, clLocationKind kind, int i,
                                     const clPile* pile) {
    int free = 0;
    if (!pile->NextFreeSlot(free)) return false;
    move = clMove::CardMove(card, pickLocation, clLocation::Pile(kind, i, free));
    return ValidateMove(move);
}

bool clSolitaireGame::FindMovePreferBuilt(clMove& move) {
    const clCard* bottom = dragGroup.Bottom();
    if (bottom == nullptr) return false;
    const std::int32_t card = bottom->dealIndex;
    for (int i = 0; i < FoundationCount(); ++i) {
        if (TryDestination(move, card, clLocationKind::Foundation, i, foundations[i])) return true;
    }
    for (int n = 0; n < TableauCount(); ++n) {
        const int i = preferBuiltIndex % TableauCount();
        preferBuiltIndex = (i + 1) % TableauCount();
        if (tableau[i]->Count() > 0 &&
            TryDestination(move, card, clLocationKind::Tableau, i, tableau[i])) {
            return true;
        }
    }
    return clSolitaireRules::FindMove(move);
}

bool clSolitaireGame::FindMovePreferSuit(clMove& move) {
    const clCard* bottom = dragGroup.Bottom();
    if (bottom == nullptr) return false;
    const std::int32_t card = bottom->dealIndex;
    for (int i = 0; i < FoundationCount(); ++i) {
        if (TryDestination(move, card, clLocationKind::Foundation, i, foundations[i])) return true;
    }
    for (const bool sameSuitOnly : {true, false}) {
        for (int n = 0; n < TableauCount(); ++n) {
            const int i = preferSuitIndex % TableauCount();
            preferSuitIndex = (i + 1) % TableauCount();
            const clCard* top = tableau[i]->Top();
            if (top == nullptr || (sameSuitOnly && top->Suit() != bottom->Suit())) continue;
            if (TryDestination(move, card, clLocationKind::Tableau, i, tableau[i])) return true;
        }
    }
    return clSolitaireRules::FindMove(move);
}

clCard* clSolitaireGame::PressedTop() const {
    return sourcePile ? sourcePile->Top() : nullptr;
}

void clSolitaireGame::SelectPair() {
    SelectPairWith(false);
}

void clSolitaireGame::SelectPairWithRefill() {
    SelectPairWith(true);
}

// The first press selects a card (and removes it at once when it may go
// alone); a second press on it deselects it, on another card tries the pair.
void clSolitaireGame::SelectPairWith(bool refill) {
    const clCard* card = PressedTop();
    if (card == nullptr) return;
    const std::int32_t pressed = card->dealIndex;
    if (selectionCount == 0) {
        selection[0] = pressed;
        selectionCount = 1;
        sourcePile->DrawSelected(*graphics);
        if (ValidatePair(pressed, pressed)) {
            CommitPair(pressed, pressed, refill);
            EndSelection();
        }
        return;
    }
    if (pressed == selection[0]) {
        ClearSelection();
        sourcePile->Draw(*graphics);
    } else {
        sourcePile->DrawSelected(*graphics);
        if (ValidatePair(selection[0], pressed)) CommitPair(selection[0], pressed, refill);
    }
    EndSelection();
}

// Each tableau pile the pair leaves empty is filled at once from the
// stock's top card, or from the waste's once the stock is out; the pair and
// its refills are one move.
clMove clSolitaireGame::PairWithRefills(std::int32_t first, std::int32_t second) const {
    const clMove pair = clMove::PairMove(first, second);
    std::vector<clMove> parts{pair};
    int fromStock = stock ? static_cast<int>(stock->Count()) : 0;
    int fromWaste = waste ? static_cast<int>(waste->Count()) : 0;
    // The pair's own waste card is no refill.
    if (waste && fromWaste > 0 &&
        (waste->TopDealIndex() == first || waste->TopDealIndex() == second)) {
        --fromWaste;
    }
    for (int i = 0; i < TableauCount() && (fromStock > 0 || fromWaste > 0); ++i) {
        const clPile* pile = tableau[i];
        const std::int32_t top = pile->TopDealIndex();
        if (pile->Count() != 1 || (top != first && top != second)) continue;
        if (parts.size() >= static_cast<std::size_t>(clMove::kMaxParts)) break;
        const clLocation to = clLocation::Pile(clLocationKind::Tableau, i, 0);
        if (fromStock > 0) {
            --fromStock;
            parts.push_back(
                clMove::CardMove(stock->At(fromStock)->dealIndex, StockAt(fromStock), to));
        } else {
            --fromWaste;
            parts.push_back(
                clMove::CardMove(waste->At(fromWaste)->dealIndex, WasteAt(fromWaste), to));
        }
    }
    return parts.size() == 1 ? pair : clMove::CompoundMove(std::move(parts));
}

void clSolitaireGame::CommitPair(std::int32_t first, std::int32_t second, bool withRefill) {
    const clMove move =
        withRefill ? PairWithRefills(first, second) : clMove::PairMove(first, second);
    if (ValidateMove(move)) CommitPlayedMove(move);
}

void clSolitaireGame::SelectSet() {
    const clCard* card = PressedTop();
    if (card == nullptr) return;
    const std::int32_t pressed = card->dealIndex;
    auto* end = selection.begin() + selectionCount;
    if (auto* found = std::find(selection.begin(), end, pressed); found != end) {
        std::copy(found + 1, end, found);
        --selectionCount;
        sourcePile->Draw(*graphics);
        return;
    }
    if (selectionCount >= kMaxSelection) return;
    selection[selectionCount++] = pressed;
    sourcePile->DrawSelected(*graphics);
    if (ValidateRemoval(selectionCount, selection.data())) {
        const std::vector<std::int32_t> cards(selection.begin(),
                                              selection.begin() + selectionCount);
        CommitPlayedMove(clMove::SetMove(cards));
        EndSelection();
    }
}

void clSolitaireGame::SaveGameState(clStateWords& words) const {
    words.push_back(baseRank);
    words.push_back(selectionCount);
    words.insert(words.end(), selection.begin(), selection.end());
}

void clSolitaireGame::RestoreGameState(clStateReader& words) {
    baseRank = words.Next();
    selectionCount = words.Next();
    for (std::int32_t& card : selection)
        card = words.Next();
}
