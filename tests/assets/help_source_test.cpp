#include "assets/help_source.h"

#include <fstream>
#include <iterator>
#include <memory>

#include <gtest/gtest.h>

#include "engine/solitaire_type.h"
#include "variants/registry.h"

namespace {

const char* const kSmallSource = R"(# a comment
[base]
points: foundationPoints 500, allFoundationsBonus 20000
rounds: setup 10000 10000 2400 0 1; goal 2 20000; bonus 6 50 1
about: A game.
play:
- First rule.
- Second rule.

A closing paragraph.
scoring: {foundationPoints} a card, {allFoundationsBonus} at the end.

[derived] like base
points: foundationPoints 1000
about: Another game.
)";

TEST(HelpSourceTest, DerivedGamesStartFromTheirBase) {
    clHelpSource source;
    ASSERT_TRUE(source.Parse(kSmallSource)) << source.Error();
    const clHelpGame* base = source.Find("base");
    const clHelpGame* derived = source.Find("derived");
    ASSERT_TRUE(base && derived);
    EXPECT_EQ(derived->sections.at("play"), base->sections.at("play"));
    EXPECT_EQ(base->sections.at("play"), "- First rule.\n- Second rule.\n\nA closing paragraph.");
    EXPECT_EQ(derived->sections.at("about"), "Another game.");
    // A points line replaces every value: the derived game has no end bonus.
    EXPECT_EQ(derived->points.foundationPoints, 1000);
    EXPECT_EQ(derived->points.allFoundationsBonus, 0);
    EXPECT_EQ(derived->rounds.Goal(3), base->rounds.Goal(3));
    EXPECT_EQ(*FillPoints(base->sections.at("scoring"), base->points),
              "500 a card, 20,000 at the end.");
}

TEST(HelpSourceTest, RefusesMalformedText) {
    const char* const cases[] = {
        "about: text before any game\n",
        "[a]\nrules: an unknown section\n",
        "[a]\nflavour:\n",
        "[a]\npoints: fondationPoints 500\n",
        "[a]\npoints: foundationPoints five\n",
        "[a] like nothing\n",
        "[a]\n[a]\n",
        "[a]\nrounds: goal 2 20000\n",
        "[a]\nrounds: setup 1 2 3\n",
        "[a]\nrounds: setup 1 2 3 4 5; pattern 3 2 100\n",
        "[a]\nscoring: {noSuchValue} points\n",
        "[a\n",
    };
    for (const char* text : cases) {
        clHelpSource source;
        EXPECT_FALSE(source.Parse(text)) << text;
        EXPECT_FALSE(source.Error().empty()) << text;
    }
}

TEST(HelpSourceTest, PrintsPointsWithThousandsSeparators) {
    EXPECT_EQ(Thousands(0), "0");
    EXPECT_EQ(Thousands(999), "999");
    EXPECT_EQ(Thousands(1000), "1,000");
    EXPECT_EQ(Thousands(1234567), "1,234,567");
    EXPECT_EQ(Thousands(-20000), "-20,000");
}

// The help states each game's point values and round tables; they must be
// the ones the game plays by.
TEST(HelpSourceTest, GameTextsMatchEveryGameTheProgramCanCreate) {
    std::ifstream in(QARVEL_HELP_SOURCE "/games.txt");
    ASSERT_TRUE(in);
    clHelpSource source;
    ASSERT_TRUE(source.Parse(std::string(std::istreambuf_iterator<char>(in), {})))
        << source.Error();
    for (const std::string_view name : RegisteredVariants()) {
        SCOPED_TRACE(std::string(name));
        const std::unique_ptr<clSolitaireType> game = CreateVariant(name);
        ASSERT_TRUE(game);
        const clHelpGame* text = source.Find(game->Key());
        ASSERT_TRUE(text) << "no help text";
        EXPECT_EQ(FirstDifference(text->points, game->Points().values), "");
        for (int round = 1; round <= 60; ++round) {
            EXPECT_EQ(text->rounds.Goal(round), game->Points().Goal(round)) << "round " << round;
            EXPECT_EQ(text->rounds.Bonus(round), game->Points().Bonus(round)) << "round " << round;
        }
    }
}

}  // namespace
