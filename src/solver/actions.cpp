#include "solver/actions.h"

#include <cstdint>

#include "engine/solitaire_rules.h"
#include "engine/table_script.h"
#include "solver/family.h"
#include "solver/position.h"

namespace {

bool Receives(const clPile& pile) {
    return pile.CanReceive() && !pile.IsInert();
}

// Card moves from every card that may be picked up to the top of every pile
// that may take it. Of empty piles that play alike only the first is tried:
// the others give the same position.
void CardMoves(clSolitaireRules& game, const clPositionView& view, std::vector<clAction>& out,
               std::vector<clAction>& toFoundations) {
    const auto& piles = game.AllPiles();
    for (const auto& source : piles) {
        const clLocation fromPile = game.LocationOf(source.get(), 0);
        if (fromPile.kind == clLocationKind::None || source->Count() == 0) continue;
        const int top = source->TopIndex();
        const int lowest = fromPile.kind == clLocationKind::Stock ? top : 0;
        for (int p = top; p >= lowest; --p) {
            const clCard* card = source->At(p);
            if (card->blocked || !source->CanPickUp(p)) continue;
            std::vector<const clPile*> emptyTried;
            for (const auto& destination : piles) {
                if (destination == source || !Receives(*destination)) continue;
                const clLocation to =
                    game.LocationOf(destination.get(), static_cast<int>(destination->Count()));
                if (to.kind == clLocationKind::None) continue;
                if (destination->Count() == 0) {
                    bool tried = false;
                    for (const clPile* other : emptyTried)
                        tried = tried || view.SameSet(other, destination.get());
                    if (tried) continue;
                }
                const clMove move = clMove::CardMove(card->dealIndex, fromPile.WithPosition(p), to);
                if (!game.ValidateMove(move)) continue;
                if (destination->Count() == 0) emptyTried.push_back(destination.get());
                auto& list = to.kind == clLocationKind::Foundation ? toFoundations : out;
                list.push_back({clAction::clKind::Move, move});
            }
        }
    }
}

std::vector<std::int32_t> TopCards(const clSolitaireRules& game) {
    std::vector<std::int32_t> tops;
    for (const auto& pile : game.AllPiles()) {
        if (pile->Count() > 0 && !pile->Top()->blocked) tops.push_back(pile->TopDealIndex());
    }
    return tops;
}

void Pairs(clSolitaireRules& game, const std::vector<std::int32_t>& tops,
           std::vector<clAction>& out) {
    for (std::size_t i = 0; i < tops.size(); ++i) {
        for (std::size_t j = i; j < tops.size(); ++j) {
            if (!game.ValidatePair(tops[i], tops[j])) continue;
            const clMove pair = game.PairMoveFor(tops[i], tops[j]);
            if (game.ValidateMove(pair)) out.push_back({clAction::clKind::Move, pair});
        }
    }
}

// Sets of top cards whose ranks add up to at most `total`, tried by the rules.
void Sets(clSolitaireRules& game, const std::vector<std::int32_t>& tops, int total,
          std::vector<clAction>& out) {
    std::vector<std::int32_t> chosen;
    const auto rankOf = [&](std::int32_t k) { return game.Deck().CardAt(k)->GetRank(); };
    const auto extend = [&](auto& self, std::size_t from, int sum) -> void {
        if (!chosen.empty() &&
            game.ValidateRemoval(static_cast<int>(chosen.size()), chosen.data())) {
            out.push_back({clAction::clKind::Move, clMove::SetMove(chosen)});
        }
        if (chosen.size() >= static_cast<std::size_t>(clMove::kMaxSetCards)) return;
        for (std::size_t i = from; i < tops.size(); ++i) {
            const int rank = rankOf(tops[i]);
            if (sum + rank > total) continue;
            chosen.push_back(tops[i]);
            self(self, i + 1, sum + rank);
            chosen.pop_back();
        }
    };
    extend(extend, 0, 0);
}

}  // namespace

std::vector<clAction> PossibleActions(clSolitaireRules& game, const clPositionView& view,
                                      const clFamilyTraits& traits) {
    std::vector<clAction> actions;
    std::vector<clAction> others;
    CardMoves(game, view, others, actions);
    const std::vector<std::int32_t> tops = TopCards(game);
    Pairs(game, tops, actions);
    if (traits.setTotal > 0) Sets(game, tops, traits.setTotal, actions);
    actions.insert(actions.end(), others.begin(), others.end());
    if (DealPile(game) != nullptr) actions.push_back({clAction::clKind::Deal, {}});
    if (game.ValidateMove(clMove::StockMove())) {
        actions.push_back({clAction::clKind::Move, clMove::StockMove()});
    }
    return actions;
}

std::optional<clMove> PlayAction(clSolitaireRules& game, const clAction& action) {
    const std::size_t before = game.History().Position();
    const std::int32_t score = game.Score();
    if (action.kind == clAction::clKind::Deal) {
        clPile* pile = DealPile(game);
        if (pile == nullptr) return std::nullopt;
        game.PressPile(*pile, pile->TopIndex());
        game.ReleasePick();
    } else {
        const bool stock = action.move.type == clMoveType::Stock;
        if (!game.ValidateMove(action.move) || !game.CommitPlayedMove(action.move, stock)) {
            return std::nullopt;
        }
    }
    // A round that ended cleared the history: the move made it end.
    if (game.RoundEnded() && game.History().Count() == 0) {
        if (action.kind == clAction::clKind::Move) return action.move;
        return score != game.Score() ? std::optional<clMove>(clMove::StockMove()) : std::nullopt;
    }
    if (game.History().Count() <= before) return std::nullopt;
    return game.History().At(before);
}
