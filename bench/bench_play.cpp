#include "bench_play.h"

#include "engine/solitaire_rules.h"
#include "variants/registry.h"

std::unique_ptr<clSolitaireType> CreateBenchVariant(std::string_view name, bool autoPlay) {
    std::unique_ptr<clSolitaireType> screen = CreateVariant(name);
    if (screen == nullptr || dynamic_cast<clSolitaireRules*>(screen.get()) == nullptr) {
        return nullptr;
    }
    // Practice mode: a round never ends because its score fell.
    screen->SetOptions(
        {.practice = true, .promptBeforeResign = false, .autoSave = false, .autoPlay = autoPlay});
    return screen;
}

clSolitaireRules& Rules(clSolitaireType& screen) {
    return dynamic_cast<clSolitaireRules&>(screen);
}

std::vector<clMove> ValidMoves(clSolitaireRules& game) {
    std::vector<clMove> moves;
    const auto& piles = game.AllPiles();
    // Each pile's location, found once: the search below pairs every card
    // with every pile.
    std::vector<clLocation> places;
    for (const auto& pile : piles)
        places.push_back(game.LocationOf(pile.get(), 0));
    for (std::size_t i = 0; i < piles.size(); ++i) {
        const clPile& source = *piles[i];
        if (places[i].kind == clLocationKind::None) continue;
        for (int position = 0; position < static_cast<int>(source.Count()); ++position) {
            const clLocation from = places[i].WithPosition(position);
            const std::int32_t card = source.At(position)->dealIndex;
            for (std::size_t j = 0; j < piles.size(); ++j) {
                if (j == i || places[j].kind == clLocationKind::None) continue;
                const clLocation to =
                    places[j].WithPosition(static_cast<std::int32_t>(piles[j]->Count()));
                const clMove move = clMove::CardMove(card, from, to);
                if (game.ValidateMove(move)) moves.push_back(move);
            }
        }
    }
    std::vector<std::int32_t> tops;
    for (const auto& pile : piles) {
        if (pile->Count() > 0) tops.push_back(pile->TopDealIndex());
    }
    for (std::size_t i = 0; i < tops.size(); ++i) {
        for (std::size_t j = i; j < tops.size(); ++j) {
            const clMove pair = game.PairMoveFor(tops[i], tops[j]);
            if (game.ValidateMove(pair)) moves.push_back(pair);
        }
    }
    if (game.ValidateMove(clMove::StockMove())) moves.push_back(clMove::StockMove());
    return moves;
}

namespace {

void ClickStock(clSolitaireRules& game) {
    clPile* stock = game.Stock();
    game.PressPile(*stock, stock->TopIndex());
    game.ReleasePick();
}

bool CanClickStock(const clSolitaireRules& game) {
    return game.Stock() != nullptr && game.Stock()->IsClickAction();
}

}  // namespace

bool PlayRandomStep(clSolitaireRules& game, std::mt19937& chance) {
    const std::vector<clMove> moves = ValidMoves(game);
    const bool canDeal = CanClickStock(game);
    if (moves.empty() && !canDeal) return false;
    const std::size_t pick = chance() % (moves.size() + (canDeal ? 1 : 0));
    if (pick == moves.size()) {
        ClickStock(game);
        return true;
    }
    const clMove& move = moves[pick];
    return chance() % 2 == 0 ? game.CommitPlayedMove(move) : game.CommitDraggedMove(move);
}

bool PlayHistory(clSolitaireRules& game, std::int32_t deal, std::size_t count, std::uint32_t seed) {
    std::mt19937 chance(seed);
    game.History().Clear();
    game.StartRound(deal);
    // A bounded number of tries: a refused click records nothing.
    for (std::size_t tries = 0; game.History().Position() < count && tries < 100 * count; ++tries) {
        if (game.RoundEnded()) return false;
        std::vector<clMove> moves = ValidMoves(game);
        const bool canDeal = CanClickStock(game);
        if (moves.empty() && !canDeal) return false;
        // One time in three the stock, when it can act.
        if (canDeal && (moves.empty() || chance() % 3 == 0)) {
            ClickStock(game);
            continue;
        }
        const clMove& move = moves[chance() % moves.size()];
        game.CommitDraggedMove(move);
    }
    return game.History().Position() == count && !game.RoundEnded();
}

std::string BenchName(std::string_view displayName) {
    std::string name;
    for (const char c : displayName) {
        if (c != ' ') name += c;
    }
    return name;
}
