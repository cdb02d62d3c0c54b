#include "engine/solitaire_rules.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "cards/random.h"
#include "engine/saved_game.h"
#include "toolkit/operation_error.h"

clSolitaireRules::clSolitaireRules() = default;

void clSolitaireRules::RegisterPile(std::unique_ptr<clPile> pile, std::vector<clPile*>* list,
                                    std::size_t limit) {
    if (!pile || allPiles.size() >= kMaxPiles || (list && list->size() >= limit)) {
        throw clOperationError("clSolitaireRules::CreateLayout");
    }
    if (list) {
        pile->SetPileNumber(static_cast<std::uint32_t>(list->size()));
        list->push_back(pile.get());
    }
    allPiles.push_back(std::move(pile));
}

clPile* clSolitaireRules::PileAt(const clLocation& location) const {
    switch (location.kind) {
        case clLocationKind::Foundation:
            return Foundation(location.first);
        case clLocationKind::Tableau:
            return Tableau(location.first);
        case clLocationKind::Reserve:
            return Reserve(location.first);
        case clLocationKind::Stock:
            return stock;
        case clLocationKind::Waste:
            return waste;
        default:
            return nullptr;
    }
}

clLocation clSolitaireRules::LocationOf(const clPile* pile, std::int32_t position) const {
    const auto indexIn = [pile](const std::vector<clPile*>& list) {
        const auto it = std::find(list.begin(), list.end(), pile);
        return it == list.end() ? -1 : static_cast<std::int32_t>(it - list.begin());
    };
    if (pile == nullptr) return {};
    if (const int i = indexIn(foundations); i >= 0) {
        return clLocation::Pile(clLocationKind::Foundation, i, position);
    }
    if (const int i = indexIn(tableau); i >= 0) {
        return clLocation::Pile(clLocationKind::Tableau, i, position);
    }
    if (const int i = indexIn(reserves); i >= 0) {
        return clLocation::Pile(clLocationKind::Reserve, i, position);
    }
    if (pile == stock) return clLocation::Single(clLocationKind::Stock, position);
    if (pile == waste) return clLocation::Single(clLocationKind::Waste, position);
    return {};
}

bool clSolitaireRules::CreateDeck() {
    if (!deck->Build(deckCount, 0)) return false;
    cardCount = deckCount * 52;
    return true;
}

void clSolitaireRules::DealCard(clPile& pile, int k, clFacing facing) {
    clCard* card = deck->CardAt(k);
    if (card == nullptr) return;
    dealGroup.Clear();
    dealGroup.Add(card);
    if (!pile.AddCards(dealGroup)) {
        dealGroup.Clear();
        return;
    }
    card->faceDown = facing != clFacing::Up;
    card->blocked = facing == clFacing::DownBlocked;
    graphics->PlaceCard(*card);
}

clSolitaireRules::clDealCounts clSolitaireRules::DealCounts() const {
    clDealCounts counts{tableauDealCount, stockDealCount, reserveDealCount, wasteDealCount};
    if (counts.tableau == 0) {
        counts.tableau = cardCount - counts.waste - counts.reserve - counts.stock;
    } else if (counts.stock == 0) {
        counts.stock = cardCount - counts.waste - counts.reserve - counts.tableau;
    }
    return counts;
}

void clSolitaireRules::Deal() {
    DealGeneric();
    Repaint();
}

void clSolitaireRules::DealGeneric() {
    const clDealCounts counts = DealCounts();
    int k = 0;
    if (!tableau.empty()) {
        for (int n = 0; n < counts.tableau; ++n) {
            DealCard(*tableau[n % tableau.size()], k++, TableauFacing(n >= faceDownCount));
        }
    }
    DealOutside(k, counts);
}

// Phases with no pile to receive them deal nothing and take no deal positions.
void clSolitaireRules::DealOutside(int& k, const clDealCounts& counts) {
    if (stock) {
        for (int n = 0; n < counts.stock; ++n)
            DealCard(*stock, k++, clFacing::Down);
    }
    if (!reserves.empty()) {
        for (int n = 0; n < counts.reserve; ++n) {
            DealCard(*reserves[n % reserves.size()], k++, clFacing::Up);
        }
    }
    if (waste) {
        for (int n = 0; n < counts.waste; ++n)
            DealCard(*waste, k++, clFacing::Up);
    }
}

std::vector<clSolitaireType::clPileExtent> clSolitaireRules::PileExtents() const {
    std::vector<clPileExtent> extents;
    if (!graphics) return extents;
    for (const auto& pile : allPiles) {
        clRect extent;
        if (const auto anchor = graphics->CardRect(pile->GetAnchor())) extent = *anchor;
        for (const clCard* card : pile->Cards()) {
            if (const auto rect = graphics->CardRect(*card)) extent = extent.Union(*rect);
        }
        if (extent.IsEmpty()) continue;
        extents.push_back({extent, pile->CanReceive() && pile->Fan().dy > 0});
    }
    return extents;
}

void clSolitaireRules::HighlightMove(const clMove& hinted) {
    const clMove& move = hinted.type == clMoveType::Compound && !hinted.parts.empty()
                             ? hinted.parts.front()
                             : hinted;
    const auto card = [this](std::int32_t dealIndex) {
        if (const clCard* c = deck->CardAt(dealIndex)) graphics->HighlightCard(*c);
    };
    const auto top = [this](const clPile* pile) {
        if (pile == nullptr) return;
        if (const clCard* c = pile->Top()) {
            graphics->HighlightCard(*c);
        } else {
            graphics->HighlightPlace(pile->GetAnchor());
        }
    };
    switch (move.type) {
        case clMoveType::Card:
            if (const clPile* from = PileAt(move.from)) {
                for (auto i = static_cast<std::uint32_t>(std::max(0, move.from.Position()));
                     i < from->Count(); ++i) {
                    graphics->HighlightCard(*from->At(static_cast<int>(i)));
                }
            }
            top(PileAt(move.to));
            break;
        case clMoveType::Pair:
            card(move.first);
            if (move.second != move.first) card(move.second);
            break;
        case clMoveType::Set:
            for (int i = 0; i < std::clamp(move.count, 0, clMove::kSetSlots); ++i)
                card(move.cards[static_cast<std::size_t>(i)]);
            break;
        case clMoveType::Stock:
            top(stock);
            break;
        case clMoveType::None:
        case clMoveType::Compound:
            break;
    }
}

bool clSolitaireRules::IsGameWon() {
    const auto full = [](const clPile* p) { return p->IsFull(); };
    const auto empty = [](const clPile* p) { return p->Count() == 0; };
    return std::all_of(foundations.begin(), foundations.end(), full) &&
           std::all_of(tableau.begin(), tableau.end(), empty) &&
           std::all_of(reserves.begin(), reserves.end(), empty) && (!stock || empty(stock)) &&
           (!waste || empty(waste));
}

bool clSolitaireRules::ValidateMove(const clMove& move) {
    switch (move.type) {
        case clMoveType::Compound:
            return ValidateCompound(move);
        case clMoveType::Card:
            return ValidateCardMove(move);
        case clMoveType::Set:
            if (move.count < 1 || move.count > clMove::kMaxSetCards) return false;
            return ValidateRemoval(move.count, move.cards.data());
        case clMoveType::Pair:
            return ValidatePair(move.first, move.second) &&
                   PairMoveFor(move.first, move.second) == move;
        case clMoveType::Stock:
            return ValidateStockAction();
        default:
            return false;
    }
}

bool clSolitaireRules::ValidateCompound(const clMove& move) {
    if (move.count < 1 || move.count > clMove::kMaxParts ||
        move.parts.size() != static_cast<std::size_t>(move.count)) {
        return false;
    }
    return std::all_of(move.parts.begin(), move.parts.end(), [this](const clMove& part) {
        return part.type != clMoveType::Compound && ValidateMove(part);
    });
}

// Both ends must be piles of the typed lists: a card move that leaves or
// reaches no pile could only lose cards or do nothing.
bool clSolitaireRules::ValidateCardMove(const clMove& move) {
    if (move.from.SamePile(move.to)) return false;
    if (PileAt(move.from) == nullptr || PileAt(move.to) == nullptr) return false;
    scratchGroup.Clear();
    return CanTake(move.from, move.to, scratchGroup) && CanPlace(move.to, scratchGroup, move.from);
}

bool clSolitaireRules::CanTake(const clLocation& from, const clLocation& to, clGroup& into) {
    const clPile* pile = PileAt(from);
    return pile && pile->PickUp(from.Position(), to, into);
}

bool clSolitaireRules::CanPlace(const clLocation& to, const clGroup& moving,
                                const clLocation& from) {
    const clPile* pile = PileAt(to);
    return pile && pile->CanAccept(to.Position(), moving, from);
}

void clSolitaireRules::ResetDeal() {
    if (deck) {
        deck->Reset();
        deck->Shuffle(*random);
    }
    for (const auto& pile : allPiles)
        pile->Clear();
    moveGroup.Clear();
    graphics->EndFlights();           // the table is dealt anew; the caller draws it
    if (lifted) graphics->EndDrag();  // an undo or a new deal in the middle of a drag
    dragGroup.Clear();
    sourcePile = nullptr;
    lifted = false;
    stockActions = 0;
    streak = 0;
    longestStreak = 0;
    countingPilesEmptied = 0;
    tableauCleared = false;
}

void clSolitaireRules::DrawTable() {
    graphics->ClearTable();
    for (const auto& pile : allPiles)
        pile->Draw(*graphics);
    graphics->ShowFlights();
}

void clSolitaireRules::AnimateDeal() {
    std::vector<clCard*> dealt;
    for (const auto& pile : allPiles) {
        if (pile.get() == stock) continue;
        for (std::uint32_t i = 0; i < pile->Count(); ++i) {
            if (clCard* card = pile->At(static_cast<int>(i)); card && card->placed) {
                dealt.push_back(card);
            }
        }
    }
    std::sort(dealt.begin(), dealt.end(),
              [](const clCard* a, const clCard* b) { return a->drawKey < b->drawKey; });
    std::optional<clPoint> from;
    if (stock) {
        from = graphics->ScreenPosition(stock->GetAnchor());
    } else if (const auto metrics = graphics->Metrics()) {
        // Without a stock, from the player's side: below the middle of the screen.
        from = clPoint{(metrics->screenWidth - metrics->cardWidth) / 2, metrics->screenHeight};
    }
    if (from) graphics->FlyDeal(dealt, *from);
    DrawTable();
}

void clSolitaireRules::DrawPausedTable() {
    graphics->ClearTable();
    for (const auto& pile : allPiles)
        pile->DrawHidden(*graphics);
}

bool clSolitaireRules::TakeCards(const clMove& move) {
    clPile* source = PileAt(move.from);
    moveGroup.Clear();
    if (source == nullptr || !source->GiveCards(moveGroup, move.from.Position())) return false;

    if (move.from.kind == clLocationKind::Tableau) {
        ++streak;
        longestStreak = std::max(longestStreak, streak);
        if (source->Scoring().counting && source->Count() == 0) ++countingPilesEmptied;
    } else if (move.from.kind == clLocationKind::Stock) {
        streak = 0;
    }
    return true;
}

// Cards that cannot be placed go back where they came from, never astray.
bool clSolitaireRules::PlaceCards(const clMove& move) {
    clPile* destination = PileAt(move.to);
    if (destination && destination->AddCards(moveGroup)) return true;
    if (clPile* source = PileAt(move.from)) source->AddCards(moveGroup);
    moveGroup.Clear();
    return false;
}

clPile* clSolitaireRules::PileWithTop(std::int32_t dealIndex) const {
    for (const auto& pile : allPiles) {
        if (pile->Count() > 0 && pile->TopDealIndex() == dealIndex) return pile.get();
    }
    return nullptr;
}

void clSolitaireRules::RemoveCards(int count, const std::int32_t* cards) {
    count = std::clamp(count, 0, clMove::kSetSlots);
    for (int i = 0; i < count; ++i) {
        if (clPile* pile = PileWithTop(cards[i])) {
            pile->Top()->placed = false;
            pile->RemoveTop();
        }
    }
    tableauCleared = std::all_of(tableau.begin(), tableau.end(),
                                 [](const clPile* p) { return p->Count() == 0; });
}

void clSolitaireRules::RemovePair(std::int32_t first, std::int32_t second) {
    for (const auto& pile : allPiles) {
        const clCard* top = pile->Top();
        if (top && (top->dealIndex == first || top->dealIndex == second)) {
            pile->Top()->placed = false;
            pile->RemoveTop();
        }
    }
}

void clSolitaireRules::StockAction(bool animated) {
    (void)animated;
    ++stockActions;
}

void clSolitaireRules::DoMove(const clMove& move) {
    switch (move.type) {
        case clMoveType::Card:
            if (TakeCards(move)) PlaceCards(move);
            break;
        case clMoveType::Set:
            RemoveCards(move.count, move.cards.data());
            break;
        case clMoveType::Pair:
            RemovePair(move.first, move.second);
            break;
        case clMoveType::Stock:
            StockAction(false);
            break;
        case clMoveType::Compound: {
            const std::size_t n = std::min<std::size_t>(move.parts.size(), clMove::kMaxParts);
            for (std::size_t i = 0; i < n; ++i) {
                if (move.parts[i].type != clMoveType::Compound) DoMove(move.parts[i]);
            }
            return;
        }
        default:
            return;
    }
    AfterMove();
}

void clSolitaireRules::PlayPart(const clMove& move) {
    AddToScore(ScoreMove(move));
    switch (move.type) {
        case clMoveType::Card:
            if (!TakeCards(move)) break;
            if (IsAnimationOn()) {
                MoveAnimated(move);
            } else {
                PlaceCards(move);
            }
            break;
        case clMoveType::Set:
            RemoveCards(move.count, move.cards.data());
            break;
        case clMoveType::Pair:
            RemovePair(move.first, move.second);
            break;
        case clMoveType::Stock:
            StockAction(true);
            break;
        default:
            return;
    }
    AfterMove();
}

// The move is made at once; only its picture travels. Until it has arrived
// the cards are drawn neither at their old place nor at their new one (the
// caller draws the table after the move).
void clSolitaireRules::MoveAnimated(const clMove& move) {
    std::vector<clCard*> cards;
    for (int i = 0; i < static_cast<int>(moveGroup.Count()); ++i)
        cards.push_back(moveGroup.At(i));
    const auto from = cards.empty() ? std::nullopt : graphics->ScreenPosition(*cards.front());
    if (PlaceCards(move) && from) graphics->Fly(cards, *from);
}

void clSolitaireRules::PlayMove(const clMove& move) {
    if (move.type != clMoveType::Compound) {
        PlayPart(move);
        return;
    }
    const std::size_t n = std::min<std::size_t>(move.parts.size(), clMove::kMaxParts);
    for (std::size_t i = 0; i < n; ++i) {
        if (move.parts[i].type == clMoveType::Compound) continue;
        PlayPart(move.parts[i]);
        if (i + 1 < n) {
            PlaySound(clSound::Card);
            UpdateWindow();
            RefreshScore();
            DrawTable();
            UpdateScoreboard();
        }
    }
}

// Without a deal in progress there is nothing to rebuild (and seeding with 0
// would deal a random layout). Every caller draws the table afterwards.
bool clSolitaireRules::Replay(std::size_t target, bool checked) {
    if (dealNumber <= 0) return false;
    random->Seed(dealNumber);
    // The reset ends a drag or an animation on the display; from the deal on
    // nothing is drawn, since drawing every replayed move on the way (the
    // cost of an undo late in a long game) would only be drawn over.
    ResetDeal();
    const clDrawingHeldBack heldBack(*graphics);
    Deal();
    AfterMove();
    history->SetPosition(0);
    while (history->Position() < target) {
        const clMove* move = history->StepForward();
        if (move == nullptr) break;
        if (checked && !ValidateMove(*move)) {
            history->SetPosition(history->Position() - 1);
            return false;
        }
        DoMove(*move);
    }
    return true;
}

void clSolitaireRules::Rebuild() {
    if (!Replay(history->Position(), false)) return;
    DrawTable();
    RelayScoreboard();
}

bool clSolitaireRules::CheckedRebuild() {
    const bool ok = Replay(history->Position(), true);
    DrawTable();
    RelayScoreboard();
    return ok;
}

bool clSolitaireRules::NamesOwnPiles(const clMove& move) const {
    if (move.type == clMoveType::Compound) {
        return std::all_of(move.parts.begin(), move.parts.end(),
                           [this](const clMove& part) { return NamesOwnPiles(part); });
    }
    return move.type != clMoveType::Card ||
           (PileAt(move.from) != nullptr && PileAt(move.to) != nullptr);
}

bool clSolitaireRules::ReplaysCleanly(const clSavedGame& game) const {
    if (game.dealNumber <= 0 || game.moves.size() > clHistory::kCapacity) return false;
    clRandom generator;  // the program's generator keeps its sequence
    if (maker == nullptr) return false;
    const std::unique_ptr<clSolitaireType> made = BuildScreen(maker);
    auto* scratch = dynamic_cast<clSolitaireRules*>(made.get());
    if (scratch == nullptr) return false;
    const auto own = [scratch](const clMove& move) { return scratch->NamesOwnPiles(move); };
    if (!std::all_of(game.moves.begin(), game.moves.end(), own)) return false;
    scratch->random = &generator;
    scratch->dealNumber = game.dealNumber;
    scratch->history->Clear();
    for (const clMove& move : game.moves) {
        if (!scratch->history->Push(move)) return false;
    }
    return scratch->CheckedRebuild() && scratch->history->Position() == game.moves.size();
}

// A compound's points were earned part by part, each on the table the earlier
// parts left; they are found again by playing the parts forward silently from
// the rebuilt table and rebuilding once more. Nothing is drawn on the way:
// the Undo command draws the finished table once.
void clSolitaireRules::UndoMove(const clMove& move) {
    Replay(history->Position(), false);
    std::int32_t points = 0;
    {
        const clDrawingHeldBack heldBack(*graphics);
        AfterMove();
        if (move.type == clMoveType::Compound) {
            for (const clMove& part : move.parts) {
                points += ScoreMove(part);
                DoMove(part);
            }
        } else {
            points = ScoreMove(move);
        }
    }
    if (move.type == clMoveType::Compound) {
        Replay(history->Position(), false);
        const clDrawingHeldBack heldBack(*graphics);
        AfterMove();
    }
    AddToScore(-std::int64_t{points});
    RefreshScore();
}

bool clSolitaireRules::IsAutoPlayOn() {
    return !IsControlKeyDown() && autoPlaySupported;
}

bool clSolitaireRules::CanCommit(const clMove& move) const {
    return !roundEnded && history->CanPush(move);
}

bool clSolitaireRules::CommitDraggedMove(const clMove& move) {
    if (!CanCommit(move)) return false;
    PlaySound(clSound::Card);
    const std::int32_t oldScore = score;
    AddToScore(ScoreMove(move));
    DoMove(move);
    GoalCrossingSounds(oldScore);
    Bookkeeping(move);
    return true;
}

bool clSolitaireRules::CommitPlayedMove(const clMove& move, bool stockDeal) {
    if (!CanCommit(move)) return false;
    const std::int32_t oldScore = score;
    PlayMove(move);
    PlaySound(stockDeal ? clSound::Shuffle : clSound::Card);
    GoalCrossingSounds(oldScore);
    Bookkeeping(move);
    return true;
}

bool clSolitaireRules::CommitChainedMove(const clMove& move) {
    if (roundEnded || !history->CanAppend(move)) return false;
    PlayMove(move);
    PlaySound(clSound::Card);
    DrawTable();
    UpdateScoreboard();
    history->Append(move);
    NoteRecorded(true);
    UpdateMenus();
    CheckRoundEnd();
    return true;
}

void clSolitaireRules::Bookkeeping(const clMove& move) {
    if (roundEnded) return;
    DrawTable();
    UpdateScoreboard();
    history->Push(move);
    NoteRecorded(false);
    OnMoveCommitted(move);
    if (IsAutoPlayOn() && options.autoPlay) {
        const std::int32_t oldScore = score;
        while (AutoPlay()) {
        }
        GoalCrossingSounds(oldScore);
    }
    UpdateMenus();
    CheckRoundEnd();
}
