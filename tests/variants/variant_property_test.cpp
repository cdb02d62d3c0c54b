// Every playable variant under random play: cards are conserved, undo and
// redo are exact, and replaying the history reproduces the table.
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cards/random.h"
#include "engine/solitaire_rules.h"
#include "engine/table_text.h"
#include "support/random_play.h"
#include "support/test_table.h"
#include "variants/registry.h"

namespace {

class VariantPropertyTest : public ::testing::TestWithParam<std::string_view> {};

TEST_P(VariantPropertyTest, RandomPlayStaysConsistent) {
    auto screen = CreateVariant(GetParam());
    ASSERT_NE(screen, nullptr);
    auto* game = dynamic_cast<clSolitaireRules*>(screen.get());
    ASSERT_NE(game, nullptr);
    game->SetOptions({.promptBeforeResign = false, .autoSave = false});
    std::mt19937 chance(static_cast<unsigned>(std::hash<std::string_view>{}(GetParam())));
    PlayRandomly(*game, chance, 8, 40);
}

// Whatever the player's own actions commit (presses that deal, select and
// pair, keys that find a place for a card, the game's refills and
// automatic play) replays under the rules, as a saved game of it does.
TEST_P(VariantPropertyTest, ThePlayersMovesReplayUnderTheRules) {
    auto screen = CreateVariant(GetParam());
    ASSERT_NE(screen, nullptr);
    auto& game = dynamic_cast<clSolitaireRules&>(*screen);
    game.SetOptions({.promptBeforeResign = false, .autoSave = false, .autoPlay = true});
    std::mt19937 chance(static_cast<unsigned>(std::hash<std::string_view>{}(GetParam())));
    for (int deal = 0; deal < 4; ++deal) {
        game.StartRound(static_cast<std::int32_t>(chance() % 2147483646) + 1);
        for (int step = 0; step < 150 && !game.RoundEnded(); ++step) {
            clPile& pile = *game.AllPiles()[chance() % game.AllPiles().size()];
            if (chance() % 2 == 0 || pile.Key1() == 0) {
                game.PressPile(pile, pile.Count() > 0 ? pile.TopIndex() : 0);
                game.ReleasePick();
            } else {
                game.OnChar(pile.Key1());
                if (pile.Key2() != 0) game.OnChar(pile.Key2());
            }
        }
        if (game.RoundEnded()) continue;
        SCOPED_TRACE(::testing::Message() << "deal " << game.DealNumber());
        // Pelmanism's turned cards are no record: the replay shows them face down.
        const bool turned = GetParam() == "Pelmanism" && game.SelectionCount() > 0;
        const std::string reached = Snapshot(game);
        EXPECT_TRUE(game.CheckedRebuild()) << "move " << game.History().Position() << " of "
                                           << game.History().Count() << " is refused";
        if (!turned) {
            EXPECT_EQ(Snapshot(game), reached);
        }
    }
}

// Every dealt card lies inside the table the variant asks the display for.
TEST_P(VariantPropertyTest, DealtCardsLieInsideTheTable) {
    auto screen = CreateVariant(GetParam());
    ASSERT_NE(screen, nullptr);
    auto& game = dynamic_cast<clSolitaireRules&>(*screen);
    for (const std::int32_t deal : {1, 77, 2024}) {
        game.StartRound(deal);
        for (const auto& pile : game.AllPiles()) {
            for (int k = 0; k < static_cast<int>(pile->Count()); ++k) {
                const clCard& card = *pile->At(k);
                EXPECT_GE(card.x, 0.0);
                EXPECT_GE(card.y, 0.0);
                EXPECT_LE(card.x + 1.0, game.TableWidth() + 1e-9) << "deal " << deal;
                EXPECT_LE(card.y + 1.0, game.TableHeight() + 1e-9) << "deal " << deal;
            }
        }
    }
}

std::ostream& operator<<(std::ostream& out, const clLocation& at) {
    return out << static_cast<int>(at.kind) << "/" << at.first << "/" << at.second;
}

void Describe(std::ostream& out, const clMove& move) {
    out << static_cast<int>(move.type) << " " << move.first << " " << move.from << " " << move.to
        << " " << move.second;
    for (int i = 0; i < move.count && move.type == clMoveType::Set; ++i)
        out << " " << move.cards[i];
    for (const clMove& part : move.parts) {
        out << " (";
        Describe(out, part);
        out << ")";
    }
}

// What a player may do next: every valid card move, pair and stock action.
std::string NextMoves(clSolitaireRules& game) {
    std::vector<clMove> moves = ValidCardMoves(game);
    const std::vector<clMove> pairs = ValidPairs(game);
    moves.insert(moves.end(), pairs.begin(), pairs.end());
    if (game.ValidateMove(clMove::StockMove())) moves.push_back(clMove::StockMove());
    std::ostringstream out;
    for (const clMove& move : moves) {
        Describe(out, move);
        out << "\n";
    }
    return out.str();
}

// The position play reached: the table with every card's flags, the
// counters, the score and what may be done next.
std::string Position(clSolitaireRules& game) {
    return Snapshot(game) + "score " + std::to_string(game.Score()) + "\n" + NextMoves(game);
}

// The game's state after a few random steps from here, with this chance.
std::string PlayOn(clSolitaireRules& game, std::mt19937 chance, int steps) {
    for (int step = 0; step < steps && !game.RoundEnded(); ++step) {
        if (!PlayRandomStep(game, chance)) break;
    }
    return Position(game);
}

// A snapshot taken during play and restored after more play gives back the
// position a replay of the history reaches, and play goes on from it as it
// did the first time: the variant's own state and the screen's generator
// (Fast Fan's redeals shuffle with it) come back too, and neither the
// program's generator nor anything program-wide is touched.
TEST_P(VariantPropertyTest, ASnapshotRestoresThePosition) {
    auto screen = CreateVariant(GetParam());
    ASSERT_NE(screen, nullptr);
    auto& game = dynamic_cast<clSolitaireRules&>(*screen);
    clRandom generator;
    game.SetGenerator(generator);
    game.SetOptions({.promptBeforeResign = false, .autoSave = false, .autoPlay = true});
    auto replay = CreateVariant(GetParam());
    auto& replayed = dynamic_cast<clSolitaireRules&>(*replay);
    clRandom replayGenerator;
    replayed.SetGenerator(replayGenerator);
    std::mt19937 chance(static_cast<unsigned>(std::hash<std::string_view>{}(GetParam())));
    for (int deal = 0; deal < 6; ++deal) {
        game.StartRound(static_cast<std::int32_t>(chance() % 2147483646) + 1);
        SCOPED_TRACE(::testing::Message() << "deal " << game.DealNumber());
        PlayOn(game, chance, static_cast<int>(chance() % 30));
        if (game.RoundEnded()) continue;

        clTableSnapshot snapshot;
        game.SaveSnapshot(snapshot);
        const std::string taken = Position(game);
        std::vector<clMove> played;
        for (std::size_t i = 0; i < game.History().Position(); ++i)
            played.push_back(game.History().At(i));
        const std::mt19937 from = chance;
        const std::string later = PlayOn(game, from, 25);
        const std::int32_t programState = clRandom::Program().State();
        game.RestoreSnapshot(snapshot);
        EXPECT_EQ(clRandom::Program().State(), programState);
        ASSERT_EQ(Position(game), taken);

        replayed.StartRound(game.DealNumber());
        replayed.History().Clear();
        for (const clMove& move : played)
            replayed.History().Push(move);
        ASSERT_TRUE(replayed.CheckedRebuild());
        EXPECT_EQ(DescribeTable(replayed), DescribeTable(game));
        EXPECT_EQ(NextMoves(replayed), NextMoves(game));

        EXPECT_EQ(PlayOn(game, from, 25), later)
            << "play from the restored position went otherwise";
        game.SetOptions({.practice = true, .promptBeforeResign = false, .autoSave = false});
        game.NewGame();
        game.SetOptions({.promptBeforeResign = false, .autoSave = false, .autoPlay = true});
    }
}

std::string TestName(const ::testing::TestParamInfo<std::string_view>& info) {
    std::string name;
    for (const char c : info.param) {
        if (std::isalnum(static_cast<unsigned char>(c))) name += c;
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(EveryVariant, VariantPropertyTest,
                         ::testing::ValuesIn(RegisteredVariants()), TestName);

}  // namespace
