#include "support/random_play.h"

#include "engine/solitaire_rules.h"
#include "support/test_table.h"

std::vector<clMove> ValidCardMoves(clSolitaireRules& game) {
    std::vector<clMove> moves;
    for (const auto& source : game.AllPiles()) {
        for (int position = 0; position < static_cast<int>(source->Count()); ++position) {
            const clLocation from = game.LocationOf(source.get(), position);
            if (from.kind == clLocationKind::None) continue;
            for (const auto& destination : game.AllPiles()) {
                if (destination == source) continue;
                const clLocation to = game.LocationOf(destination.get(), 0);
                if (to.kind == clLocationKind::None) continue;
                const clMove move = MoveBetween(game, from, to);
                if (game.ValidateMove(move)) moves.push_back(move);
            }
        }
    }
    return moves;
}

std::vector<clMove> ValidPairs(clSolitaireRules& game) {
    std::vector<std::int32_t> tops;
    for (const auto& pile : game.AllPiles()) {
        if (pile->Count() > 0) tops.push_back(pile->TopDealIndex());
    }
    std::vector<clMove> moves;
    for (std::size_t i = 0; i < tops.size(); ++i) {
        for (std::size_t j = i; j < tops.size(); ++j) {
            const clMove pair = game.PairMoveFor(tops[i], tops[j]);
            if (game.ValidateMove(pair)) moves.push_back(pair);
        }
    }
    return moves;
}

namespace {

::testing::AssertionResult CountCards(const clSolitaireRules& game, bool allInPiles) {
    std::vector<int> seen(static_cast<std::size_t>(game.Deck().Count()), 0);
    for (const auto& pile : game.AllPiles()) {
        for (int i = 0; i < static_cast<int>(pile->Count()); ++i) {
            const int k = pile->At(i)->dealIndex;
            if (k < 0 || k >= static_cast<int>(seen.size())) {
                return ::testing::AssertionFailure() << "deal index " << k << " out of range";
            }
            ++seen[static_cast<std::size_t>(k)];
        }
    }
    for (std::size_t k = 0; k < seen.size(); ++k) {
        const clCard* card = game.Deck().CardAt(static_cast<int>(k));
        if (seen[k] > 1 || (seen[k] == 0 && (allInPiles || card->placed))) {
            return ::testing::AssertionFailure() << "card " << k << " lies " << seen[k] << " times";
        }
    }
    return ::testing::AssertionSuccess();
}

}  // namespace

::testing::AssertionResult EveryCardAtMostOnce(const clSolitaireRules& game) {
    return CountCards(game, false);
}

::testing::AssertionResult EveryCardOnce(const clSolitaireRules& game) {
    return CountCards(game, true);
}

namespace {

// Undo as the command does it, without its cost: step back and rebuild.
void UndoOne(clSolitaireRules& game) {
    const clMove move = *game.History().StepBack();
    game.UndoMove(move);
}

// Redo as a replay does it: the next record applied again.
void RedoOne(clSolitaireRules& game) {
    const clMove move = *game.History().StepForward();
    game.DoMove(move);
}

}  // namespace

bool PlayRandomStep(clSolitaireRules& game, std::mt19937& chance) {
    std::vector<clMove> moves = ValidCardMoves(game);
    const std::vector<clMove> pairs = ValidPairs(game);
    moves.insert(moves.end(), pairs.begin(), pairs.end());
    if (game.ValidateMove(clMove::StockMove())) moves.push_back(clMove::StockMove());
    const bool canDeal = game.Stock() != nullptr && game.Stock()->IsClickAction();
    if (moves.empty() && !canDeal) return false;
    const std::size_t pick = chance() % (moves.size() + (canDeal ? 1 : 0));
    if (pick == moves.size()) {
        clPile* stock = game.Stock();
        game.PressPile(*stock, stock->TopIndex());
        game.ReleasePick();
        return true;
    }
    const clMove& move = moves[pick];
    return chance() % 2 == 0 ? game.CommitPlayedMove(move) : game.CommitDraggedMove(move);
}

void PlayRandomly(clSolitaireRules& game, std::mt19937& chance, int deals, int steps) {
    for (int deal = 0; deal < deals; ++deal) {
        game.StartRound(static_cast<std::int32_t>(chance() % 2147483646) + 1);
        for (int step = 0; step < steps && !game.RoundEnded(); ++step) {
            SCOPED_TRACE(::testing::Message() << game.DisplayName() << ", deal "
                                              << game.DealNumber() << ", step " << step);
            if (game.History().Position() > 0 && chance() % 4 == 0) {
                const std::string before = Snapshot(game);
                UndoOne(game);
                ASSERT_TRUE(EveryCardAtMostOnce(game));
                RedoOne(game);
                ASSERT_EQ(Snapshot(game), before) << "undo then redo changed the table";
                UndoOne(game);
            } else if (!PlayRandomStep(game, chance)) {
                break;
            }
            ASSERT_TRUE(EveryCardAtMostOnce(game));
            if (game.RoundEnded()) break;
            const std::string reached = Snapshot(game);
            game.Rebuild();
            ASSERT_EQ(Snapshot(game), reached) << "replaying the history gave another table";
        }
        if (::testing::Test::HasFatalFailure()) return;
        // Resign quietly and start again.
        game.SetOptions({.practice = true, .promptBeforeResign = false, .autoSave = false});
        game.NewGame();
    }
}
