// Every playable variant under random play: cards are conserved, undo and
// redo are exact, and replaying the history reproduces the table.
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "engine/solitaire_rules.h"
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
