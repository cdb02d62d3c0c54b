// Every variant accepts exactly the moves its rules give. Each row plays a
// few accepted lines and then one its rules refuse: the refusal leaves the
// table as it was, and a saved game that holds the refused move is refused
// as damaged while the same game without it loads. The rows under a
// "Piles:" comment name moves the piles alone would take (a card that fits
// the pile it is dropped on): there the variant's own rule is what refuses.
#include <random>
#include <set>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "engine/solitaire_rules.h"
#include "engine/table_script.h"
#include "engine/table_text.h"
#include "support/random_play.h"
#include "support/temp_folder.h"
#include "support/variant_fixture.h"
#include "variants/registry.h"

namespace {

struct clRefusal {
    std::string_view game;
    std::int32_t deal = 1;
    std::vector<std::string_view> accepted;  // played first, each accepted
    std::string_view refused;
};

void PrintTo(const clRefusal& row, std::ostream* out) {
    *out << row.game << " deal " << row.deal << ": " << row.refused;
}

const std::vector<clRefusal>& Refusals() {
    static const std::vector<clRefusal> rows = {
        // The stock deals to the waste only.
        {"Klondike", 1, {}, "MOVE s t0"},
        {"Klondike Free", 1, {}, "MOVE s t0"},
        {"Klondike Deal Three", 1, {}, "MOVE s t0"},
        {"Klondike Free Deal Three", 1, {}, "MOVE s t0"},
        {"Double Klondike", 1, {}, "MOVE s t0"},
        {"Double Klondike Deal Three", 1, {}, "MOVE s t0"},
        {"Double Klondike Kings", 1, {}, "MOVE s t0"},
        {"Double Klondike Kings Deal Three", 1, {}, "MOVE s t0"},
        {"Lady Jane", 1, {}, "MOVE s t0"},
        {"Australian Patience", 1, {}, "MOVE s t0"},
        {"Canfield", 1, {}, "MOVE s t0"},
        {"Canfield Deal Three", 1, {}, "MOVE s t0"},
        {"Demons and Thieves", 1, {}, "MOVE s t0"},
        {"Forty Thieves", 1, {}, "MOVE s t0"},
        {"Interchange", 1, {}, "MOVE s t0"},
        {"Interchange Kings", 1, {}, "MOVE s t0"},
        {"Thieves of Egypt", 1, {}, "MOVE s t0"},
        {"BlackJack Best", 1, {}, "MOVE s t0"},
        {"BlackJack Speed", 1, {}, "MOVE s t0"},
        {"Aces and Kings", 1, {}, "MOVE s f0"},
        // An empty foundation takes only its base card (a 9 or a 6 here).
        {"Yukon", 1, {}, "MOVE t0 f0"},
        {"Russian Solitaire", 1, {}, "MOVE t0 f0"},
        {"FreeCell", 1, {}, "MOVE t0 f0"},
        {"FreeCell Kings", 1, {}, "MOVE t0 f0"},
        {"ForeCell", 1, {}, "MOVE t0 f0"},
        {"Three Cells", 1, {}, "MOVE t0 f0"},
        {"Two Cells", 1, {}, "MOVE t0 f0"},
        {"Four By Ten", 1, {}, "MOVE t0 f0"},
        {"Seven By Five", 1, {}, "MOVE t0 f0"},
        {"Seven By Four", 1, {}, "MOVE t0 f0"},
        {"Seven By Four Kings", 1, {}, "MOVE t0 f0"},
        {"Sea Towers", 1, {}, "MOVE t0 f0"},
        {"Sea Towers Kings", 1, {}, "MOVE t0 f0"},
        {"Double SeaTowers", 1, {}, "MOVE t0 f0"},
        {"Baker's Game", 1, {}, "MOVE t0 f0"},
        {"Baker's Game Kings", 1, {}, "MOVE t0 f0"},
        {"Eight Off", 1, {}, "MOVE t0 f0"},
        {"Eight On", 1, {}, "MOVE t0 f0"},
        {"Tuxedo", 1, {}, "MOVE t0 f0"},
        {"Spider", 1, {}, "MOVE t0 f0"},
        {"Spider One Suit", 1, {}, "MOVE t0 f0"},
        {"Spider Two Suits", 1, {}, "MOVE t0 f0"},
        {"Fast Fan", 1, {}, "MOVE t0 f0"},
        {"Free Fan", 1, {}, "MOVE t0 f0"},
        {"Free Fan Easy", 1, {}, "MOVE t0 f0"},
        {"La Belle Lucie", 1, {}, "MOVE t0 f0"},
        // Building breaks its rule: suits, ranks or the foundations' order.
        {"Ten By One", 1, {}, "MOVE t0 t1"},
        {"Scorpion", 1, {}, "MOVE t0 t1"},
        {"Classic Scorpion", 1, {}, "MOVE t0 t1"},
        {"Scorpion Kings", 1, {}, "MOVE t0 t1"},
        {"Scorpion II", 1, {}, "MOVE t0 t1"},
        {"Penguin", 1, {}, "MOVE f0 f1"},
        {"Opus", 1, {}, "MOVE f0 f1"},
        {"Beleaguered Castle", 1, {}, "MOVE f0 f1"},
        {"Cruel", 1, {}, "MOVE f0 f1"},
        // Piles: a foundation takes a rank only once the one above holds it.
        {"Osmosis", 1, {}, "MOVE t0 f2"},
        // Piles: a gap takes only the card after its left neighbour.
        {"Gaps", 1, {}, "MOVE t0 t25"},
        {"Montana", 1, {}, "MOVE t0 t25"},
        // Piles: the stock gives its cards only by its deals.
        {"Spider Web", 1, {}, "MOVE s t1"},
        {"Aces Up", 1, {"PAIR t2", "MOVE t0 t2"}, "MOVE s t0"},
        {"Fourteen Up", 1, {"PAIR r0 t4", "MOVE t0 t4"}, "MOVE s t0"},
        {"Five Piles", 1, {"PAIR t1 t2"}, "MOVE s:0 t1"},
        // Piles: the pair games' cards leave only in pairs; none moves on.
        {"Nestor", 1, {}, "MOVE r2 t4"},
        {"Vertical", 1, {}, "MOVE t3 t5"},
        {"Patient Pairs", 1, {}, "MOVE t10 t2"},
        {"Fourteen Out", 1, {}, "MOVE t1 t5"},
        {"Five Piles", 1, {}, "MOVE t0 t5"},
        {"Pelmanism", 1, {"PAIR t0 t9"}, "MOVE t1 t0"},
        {"Fifteen Rush", 1, {}, "MOVE t3 t1"},
        // Piles: a hole takes a card one rank from its own, from a fan only.
        {"Black Hole", 1, {}, "MOVE t0 t3"},
        {"Binary Star", 1, {}, "MOVE t2 t11"},
        // Piles: a column's card goes to the waste only, one rank from its top.
        {"Golf", 1, {}, "MOVE t2 t4"},
        {"Putt Putt", 1, {}, "MOVE t2 t4"},
        {"Driving Range", 1, {}, "MOVE t2 t4"},
        {"Night Golf", 1, {}, "MOVE t2 t4"},
        {"Triple Towers", 1, {}, "MOVE t18 w"},
        {"Triple Peaks", 1, {}, "MOVE t18 w"},
        {"Twin Peaks", 1, {}, "MOVE t41 w"},
        {"Crown Peaks", 1, {}, "MOVE t118 w"},
        {"Rapunzel", 1, {}, "MOVE t71 w"},
        // The stock deals through the reserve, not straight to the waste.
        {"Pyramid", 1, {}, "MOVE s w"},
        {"Hidden Pyramid", 1, {}, "MOVE s w"},
        {"Double Pyramid", 1, {}, "MOVE s w"},
        {"Cheops", 1, {}, "MOVE s w"},
        // Piles: a click deals three as one move; a card alone is the stock's last.
        {"Klondike Deal Three", 1, {"DEAL"}, "MOVE s w"},
        {"Lady Jane", 1, {}, "MOVE s w"},
        {"Canfield Deal Three", 1, {}, "MOVE s w"},
        {"King Tut", 1, {}, "MOVE s w"},
        {"Fifteen Rush", 1, {}, "MOVE s w"},
        // Table cards leave in pairs or sets, never onto the waste.
        {"King Tut", 1, {}, "MOVE t21 w"},
        {"Picking Pairs", 1, {}, "MOVE t28 w"},
        {"Hidden Sums", 1, {}, "MOVE t7 w"},
        {"Get 11", 1, {}, "MOVE t7 w"},
    };
    return rows;
}

clScriptCommand Command(std::string_view line) {
    clScriptCommand command;
    std::string error;
    EXPECT_TRUE(ParseScriptLine(line, command, error)) << line << ": " << error;
    return command;
}

TEST(RefusedMoveTest, EveryVariantHasARow) {
    std::set<std::string_view> covered;
    for (const clRefusal& row : Refusals()) {
        EXPECT_TRUE(IsRegistered(row.game)) << row.game;
        covered.insert(row.game);
    }
    for (const std::string_view name : RegisteredVariants())
        EXPECT_TRUE(covered.count(name)) << name << " has no refused move";
}

class RefusedMoveTest : public VariantTest, public ::testing::WithParamInterface<clRefusal> {};

TEST_P(RefusedMoveTest, TheRulesRefuseItInPlayAndInASavedGame) {
    const clRefusal& row = GetParam();
    clSolitaireRules& played = Start(row.game, row.deal);
    for (const std::string_view line : row.accepted)
        ASSERT_TRUE(ApplyScriptCommand(played, Command(line))) << line;

    const clScriptCommand refused = Command(row.refused);
    const std::optional<clMove> move = ScriptMove(played, refused);
    ASSERT_TRUE(move.has_value()) << "the line names no card";
    const auto state = [&] {
        return std::tuple(DescribeTable(played), played.Score(), played.History().Count());
    };
    const auto before = state();
    EXPECT_FALSE(ApplyScriptCommand(played, refused));
    EXPECT_EQ(state(), before);

    clTempFolder folder;
    const auto path = folder.Path() / "game.qarvel";
    ASSERT_TRUE(played.Save(path));
    const auto loaded = [&] {
        const std::unique_ptr<clSolitaireType> fresh = CreateVariant(row.game);
        return fresh->Load(path);
    };
    EXPECT_EQ(loaded(), clSolitaireType::clLoadResult::Loaded);
    ASSERT_TRUE(played.History().Push(*move));
    ASSERT_TRUE(played.Save(path));
    EXPECT_EQ(loaded(), clSolitaireType::clLoadResult::Refused);
}

// A compound is a move a variant makes itself (a deal of three, a pair with
// its refills, a card move with the refill of the space it leaves, a deal
// through a reserve); a variant that makes none refuses one, even of a
// single valid part.
TEST(RefusedMoveTest, VariantsThatMakeNoCompoundRefuseOne) {
    const std::set<std::string_view> makers = {"Klondike Deal Three",
                                               "Klondike Free Deal Three",
                                               "Double Klondike Deal Three",
                                               "Double Klondike Kings Deal Three",
                                               "Lady Jane",
                                               "Canfield",
                                               "Canfield Deal Three",
                                               "Aces and Kings",
                                               "Pyramid",
                                               "Hidden Pyramid",
                                               "Double Pyramid",
                                               "Cheops",
                                               "King Tut",
                                               "Fifteen Rush"};
    for (const std::string_view name : RegisteredVariants()) {
        if (makers.count(name)) continue;
        SCOPED_TRACE(name);
        const std::unique_ptr<clSolitaireType> screen = CreateVariant(name);
        auto& game = dynamic_cast<clSolitaireRules&>(*screen);
        game.StartRound(1);
        std::vector<clMove> moves = ValidCardMoves(game);
        const std::vector<clMove> pairs = ValidPairs(game);
        moves.insert(moves.end(), pairs.begin(), pairs.end());
        if (game.ValidateMove(clMove::StockMove())) moves.push_back(clMove::StockMove());
        ASSERT_FALSE(moves.empty());
        EXPECT_FALSE(game.ValidateMove(clMove::CompoundMove({moves.front()})));
        EXPECT_FALSE(game.ValidateMove(clMove::CompoundMove({moves.front(), moves.front()})));
    }
}

// Only face-up cards on top of their piles pair, in every game, whatever
// play has made of the table. Pelmanism alone pairs cards whose faces its
// records do not know: turning a card is a click, not a move, so a saved
// game replays its pairs face down.
TEST(RefusedMoveTest, OnlyFaceUpTopCardsPair) {
    for (const std::string_view name : RegisteredVariants()) {
        if (name == "Pelmanism") continue;
        SCOPED_TRACE(name);
        const std::unique_ptr<clSolitaireType> screen = CreateVariant(name);
        auto& game = dynamic_cast<clSolitaireRules&>(*screen);
        game.SetOptions({.promptBeforeResign = false, .autoSave = false});
        std::mt19937 chance(7);
        for (const std::int32_t deal : {1, 2}) {
            game.StartRound(deal);
            for (int step = 0; step < 12 && !game.RoundEnded(); ++step) {
                std::vector<const clCard*> cards;
                std::set<const clCard*> tops;
                for (const auto& pile : game.AllPiles()) {
                    for (int i = 0; i < static_cast<int>(pile->Count()); ++i)
                        cards.push_back(pile->At(i));
                    if (pile->Count() > 0) tops.insert(pile->Top());
                }
                for (std::size_t i = 0; i < cards.size(); ++i) {
                    for (std::size_t j = i; j < cards.size(); ++j) {
                        const clCard& a = *cards[i];
                        const clCard& b = *cards[j];
                        if (!game.ValidateMove(game.PairMoveFor(a.dealIndex, b.dealIndex)))
                            continue;
                        EXPECT_TRUE(!a.faceDown && !b.faceDown && tops.count(&a) && tops.count(&b))
                            << "deal " << deal << ": " << CardText(a) << " " << CardText(b);
                    }
                }
                if (::testing::Test::HasFailure() || !PlayRandomStep(game, chance)) break;
            }
        }
    }
}

std::string RowName(const ::testing::TestParamInfo<clRefusal>& info) {
    return Identifier(info.param.game) + "_" + std::to_string(info.index);
}

INSTANTIATE_TEST_SUITE_P(EveryVariant, RefusedMoveTest, ::testing::ValuesIn(Refusals()), RowName);

}  // namespace
