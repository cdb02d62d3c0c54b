#include "support/test_table.h"

#include <sstream>

#include "engine/table_text.h"

clTestPile::clTestPile(clLocationKind kind, std::uint32_t capacity) : kind(kind) {
    Allocate(capacity);
    inert = false;
    canGive = true;
    canReceive = true;
    fan.dy = kind == clLocationKind::Tableau ? 0.2 : 0.0;
}

bool clTestPile::GetTop(clLocation& location, std::int32_t& dealIndex) const {
    location = {};
    if (count == 0) return false;
    location = clLocation::Pile(kind, static_cast<std::int32_t>(pileNumber), TopIndex());
    if (!location.HasPileIndex()) location = clLocation::Single(kind, TopIndex());
    dealIndex = TopDealIndex();
    return true;
}

bool clTestFoundation::CanAccept(int index, const clGroup& moving, const clLocation& source) const {
    if (!clPile::CanAccept(index, moving, source) || moving.Count() != 1) return false;
    const clCard* card = moving.Bottom();
    if (count == 0) return card->GetRank() == baseRank;
    return CanPlaceUpInSuit(card, baseRank == 1 ? 13 : 0);
}

clTestTable::clTestTable(const clTestLayout& layout) : layout(layout) {}

void clTestTable::CreateLayout() {
    for (int i = 0; i < layout.foundations; ++i) {
        AddFoundation(std::make_unique<clTestFoundation>(layout.foundationBase))
            ->SetPosition(3 + i, 0);
    }
    for (int i = 0; i < layout.tableau; ++i) {
        AddTableau(std::make_unique<clTestPile>(clLocationKind::Tableau))->SetPosition(i, 1);
    }
    for (int i = 0; i < layout.reserves; ++i) {
        AddReserve(std::make_unique<clTestPile>(clLocationKind::Reserve))->SetPosition(i, 4);
    }
    if (layout.stock)
        SetStock(std::make_unique<clTestPile>(clLocationKind::Stock))->SetPosition(0, 0);
    if (layout.waste)
        SetWaste(std::make_unique<clTestPile>(clLocationKind::Waste))->SetPosition(1, 0);
    deckCount = layout.decks;
    tableauDealCount = layout.tableauDeal;
    stockDealCount = layout.stockDeal;
    reserveDealCount = layout.reserveDeal;
    wasteDealCount = layout.wasteDeal;
    faceDownCount = layout.faceDown;
    autoPlaySupported = layout.autoPlay;
}

void clTestTable::SetupRounds() {
    points.Apply({.goalBase = 1000, .goalStep = 1000, .bonusBase = 600});
}

bool clTestTable::ConfirmResign() {
    events.push_back("ask");
    return agreeToResign;
}

void clTestTable::LogResult(clResultKind kind, std::int32_t finalScore, std::int32_t finalRound) {
    events.push_back(std::string("log ") + (kind == clResultKind::Completed ? "C " : "I ") +
                     std::to_string(finalScore) + " " + std::to_string(finalRound));
}

void clTestTable::ShowGameOver(std::int32_t finalScore, std::int32_t finalRound) {
    events.push_back("game over " + std::to_string(finalScore) + " " + std::to_string(finalRound));
}

bool clTestTable::ShowRoundOver() {
    events.push_back("round over " + std::to_string(score) + " " + std::to_string(round));
    return continueRounds;
}

void clTestTable::AfterMove() {
    if (!layout.turnUpTops) return;
    for (clPile* pile : tableau) {
        if (clCard* top = pile->Top()) top->faceDown = top->blocked = false;
    }
}

void clTestTable::OnMoveCommitted(const clMove& move) {
    if (!layout.refillFromStock || !stock || move.type != clMoveType::Card) return;
    if (move.from.kind != clLocationKind::Tableau) return;
    const clPile* emptied = Tableau(move.from.first);
    if (emptied == nullptr || emptied->Count() != 0 || stock->Count() == 0) return;
    const clMove refill = clMove::CardMove(
        stock->TopDealIndex(), clLocation::Single(clLocationKind::Stock, stock->TopIndex()),
        clLocation::Pile(clLocationKind::Tableau, move.from.first, 0));
    if (ValidateMove(refill)) CommitChainedMove(refill);
}

bool clTestTable::UndoLast() {
    const clMove* move = history->StepBack();
    if (move == nullptr) return false;
    const clMove undone = *move;
    UndoMove(undone);
    return true;
}

bool clTestTable::RedoNext() {
    if (history->Position() >= history->Count()) return false;
    const clMove next = *history->StepForward();
    DoMove(next);
    return true;
}

bool clTestTable::ReplayNext() {
    if (history->Position() >= history->Count()) return false;
    const clMove next = history->At(history->Position());
    return ValidateMove(next) && CommitPlayedMove(next);
}

std::string Snapshot(const clSolitaireRules& game) {
    std::ostringstream out;
    out << DescribeTable(game);
    for (const auto& pile : game.AllPiles()) {
        for (int i = 0; i < static_cast<int>(pile->Count()); ++i) {
            const clCard& c = *pile->At(i);
            out << c.dealIndex << (c.faceDown ? "d" : "u") << (c.blocked ? "b" : "f")
                << (c.placed ? "p" : "-") << "@" << c.x << "," << c.y << "+" << c.offsetX << ","
                << c.offsetY << " ";
        }
        out << "|\n";
    }
    out << "stock actions " << game.StockActions() << ", streak " << game.Streak() << "/"
        << game.LongestStreak() << ", emptied " << game.CountingPilesEmptied() << ", cleared "
        << game.TableauCleared() << "\n";
    return out.str();
}

clMove MoveBetween(const clSolitaireRules& game, clLocation from, clLocation toPile) {
    const clPile* source = game.PileAt(from);
    const clPile* destination = game.PileAt(toPile);
    const clCard* bottom = source ? source->At(from.Position()) : nullptr;
    const int free = destination ? static_cast<int>(destination->Count()) : 0;
    return clMove::CardMove(bottom ? bottom->dealIndex : clCard::kNoDealIndex, from,
                            toPile.WithPosition(free));
}

clCard* FindCard(clDeck& deck, int rank, clSuit suit) {
    for (int k = 0; k < deck.Count(); ++k) {
        clCard* card = deck.CardAt(k);
        if (card->GetRank() == rank && card->Suit() == suit) return card;
    }
    return nullptr;
}

void Lay(clPile& pile, std::initializer_list<clCard*> cards) {
    pile.Clear();
    for (clCard* card : cards) {
        clGroup one(card);
        card->faceDown = card->blocked = false;
        pile.AddCards(one);
    }
}
