// Pointer and keyboard play on real variants with a draw target: presses,
// drags and drops, right clicks, and keys, down to the sounds they make and
// the moving-picture calls of a drag.
#include <algorithm>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "support/recording_target.h"
#include "support/variant_table.h"
#include "variants/freecell.h"
#include "variants/klondike.h"
#include "variants/pairs.h"
#include "variants/pyramid.h"
#include "variants/sums.h"

namespace {

// Writes down the moving-picture calls of a drag besides the drawing.
class clDragTarget : public clRecordingTarget {
public:
    void StartDrag(std::span<const clCard* const> cards, clDragShadow) override {
        calls.push_back("start drag " + std::to_string(cards.size()));
    }
    void DragTo(clPoint to) override { calls.push_back("drag to " + Text(to)); }
    void EndDrag() override { calls.push_back("end drag"); }

    bool Called(std::string_view call, std::size_t from = 0) const {
        return std::find(calls.begin() + static_cast<std::ptrdiff_t>(from), calls.end(), call) !=
               calls.end();
    }
};

// A variant dealt on a 1024 x 768 virtual screen with 71 x 96 cards, so that
// points can be taken from the cards' rectangles.
template <class Variant>
class clPointerTable {
public:
    explicit clPointerTable(std::int32_t deal = 1) : game(deal) {
        target.metrics = {71, 96, game.TableWidth(), game.TableHeight(), 1024, 768};
        game.Graphics().Attach(&target);
    }
    ~clPointerTable() { game.Graphics().Attach(nullptr); }

    clRect Rect(const clCard& card) { return game.Graphics().CardRect(card).value(); }
    clPoint Middle(const clCard& card) {
        const clRect r = Rect(card);
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    // Just inside the card's top edge: clear of a card fanned over it.
    clPoint Edge(const clCard& card) {
        const clRect r = Rect(card);
        return {(r.left + r.right) / 2, r.top + 4};
    }
    // The middle of an empty pile's outline.
    clPoint Outline(const clPile& pile) { return Middle(pile.GetAnchor()); }

    // Empties the table for hand-laid cards.
    void Clear() { ClearTable(game); }
    void Lay(clPile* pile, std::string_view cards) {
        LayCards(game, *pile, cards);
        game.AfterMove();
    }

    // A press, two movements and a release at the last point.
    void Drag(clPoint from, clPoint to) {
        game.OnLeftDown(from);
        game.OnMouseMove({from.x + 5, from.y + 5});
        game.OnMouseMove(to);
        game.OnLeftUp(to);
    }

    clDragTarget target;
    clRecordingVariant<Variant> game;
};

// A point on no pile: the margin left of a centred table.
constexpr clPoint kBareTable{2, 2};

using Sounds = std::vector<clSound>;

TEST(PointerPlayTest, APressOnTheStockDealsToTheWaste) {
    clPointerTable<clKlondike> table;
    clSolitaireRules& game = table.game;
    const std::uint32_t stock = game.Stock()->Count();
    ASSERT_FALSE(game.Timer().IsRunning());

    game.OnLeftDown(table.Middle(*game.Stock()->Top()));
    game.OnLeftUp(table.Middle(*game.Stock()->Top()));

    EXPECT_EQ(game.Stock()->Count(), stock - 1);
    EXPECT_EQ(game.Waste()->Count(), 1u);
    EXPECT_EQ(game.History().Count(), 1u);
    EXPECT_EQ(table.game.sounds, Sounds{clSound::Card});
    EXPECT_TRUE(game.Timer().IsRunning());
}

TEST(PointerPlayTest, MissedPressesPlayTheErrorSoundAndDoNotStartTheClock) {
    const struct {
        const char* name;
        std::function<clPoint(clPointerTable<clKlondike>&)> point;
        Sounds sounds;
        bool clockRuns;
    } cases[] = {
        {"the bare table", [](auto&) { return kBareTable; }, {clSound::Error}, false},
        // Face-down cards are blocked, and so transparent: nothing lies under them.
        {"a face-down card",
         [](auto& t) { return t.Edge(*t.game.Tableau(6)->Bottom()); },
         {clSound::Error},
         false},
        // An empty foundation is hit but has nothing to give: no sound.
        {"an empty foundation", [](auto& t) { return t.Outline(*t.game.Foundation(0)); }, {}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        clPointerTable<clKlondike> table;
        clSolitaireRules& game = table.game;
        game.OnLeftDown(c.point(table));
        game.OnMouseMove({500, 500});
        game.OnLeftUp({500, 500});
        EXPECT_EQ(table.game.sounds, c.sounds);
        EXPECT_EQ(game.Timer().IsRunning(), c.clockRuns);
        EXPECT_EQ(game.History().Count(), 0u);
        EXPECT_FALSE(table.target.Called("start drag 1"));
    }
}

TEST(PointerPlayTest, ADragLiftsTheCardsAndADropOnAFoundationIsScored) {
    clPointerTable<clKlondike> table;
    clSolitaireRules& game = table.game;
    table.Clear();
    table.Lay(game.Tableau(0), "AH");
    clCard* ace = game.Tableau(0)->Top();
    const clRect rect = table.Rect(*ace);
    const clPoint from = table.Middle(*ace);
    const clPoint to = table.Outline(*game.Foundation(2));
    const std::string aceDrawn =
        "card " + std::to_string(ace->value) + " at " + clRecordingTarget::Text(table.Rect(*ace));
    table.target.calls.clear();

    game.OnLeftDown(from);
    EXPECT_TRUE(table.target.calls.empty()) << "a press alone lifts nothing";
    game.OnMouseMove({from.x + 5, from.y});
    // Hidden, the table redrawn without the card, then the picture follows
    // the pointer, which keeps holding the card where it took it.
    const auto& calls = table.target.calls;
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls.front(), "clear");
    EXPECT_EQ(calls[calls.size() - 2], "start drag 1");
    EXPECT_EQ(calls.back(), "drag to " + clRecordingTarget::Text(clPoint{rect.left + 5, rect.top}));
    EXPECT_FALSE(table.target.Called(aceDrawn));
    EXPECT_FALSE(ace->placed);
    game.OnMouseMove(to);
    EXPECT_EQ(calls.back(),
              "drag to " + clRecordingTarget::Text(
                               clPoint{to.x - (from.x - rect.left), to.y - (from.y - rect.top)}));
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "start drag 1"), 1);

    game.OnLeftUp(to);
    EXPECT_TRUE(table.target.Called("end drag"));
    EXPECT_EQ(game.Foundation(2)->Top(), ace);
    EXPECT_TRUE(ace->placed);
    EXPECT_EQ(game.Tableau(0)->Count(), 0u);
    EXPECT_EQ(game.Score(), 500);
    EXPECT_EQ(game.History().Count(), 1u);
    EXPECT_EQ(table.game.sounds, Sounds{clSound::Card});
}

TEST(PointerPlayTest, ADropOnACardInsideAPileLandsOnItsTop) {
    clPointerTable<clKlondike> table;
    clSolitaireRules& game = table.game;
    table.Clear();
    table.Lay(game.Tableau(0), "6H");
    table.Lay(game.Tableau(1), "KC QD JS TD 9C 8D 7S");
    clCard* six = game.Tableau(0)->Top();

    table.Drag(table.Middle(*six), table.Edge(*game.Tableau(1)->At(2)));

    EXPECT_EQ(game.Tableau(1)->Count(), 8u);
    EXPECT_EQ(game.Tableau(1)->Top(), six);
    EXPECT_EQ(game.History().Count(), 1u);
    EXPECT_EQ(table.game.sounds, Sounds{clSound::Card});
}

TEST(PointerPlayTest, RefusedDropsChangeNothingAndMakeNoSound) {
    const struct {
        const char* name;
        std::function<clPoint(clPointerTable<clKlondike>&)> drop;
    } cases[] = {
        {"onto the card itself", [](auto& t) { return t.Middle(*t.game.Tableau(0)->Top()); }},
        {"onto its own pile's lower card",
         [](auto& t) { return t.Edge(*t.game.Tableau(0)->Bottom()); }},
        {"onto a card it does not fit",
         [](auto& t) { return t.Middle(*t.game.Tableau(2)->Top()); }},
        {"onto a space for kings", [](auto& t) { return t.Outline(*t.game.Tableau(3)); }},
        {"onto the waste", [](auto& t) { return t.Outline(*t.game.Waste()); }},
        {"onto the bare table", [](auto&) { return kBareTable; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        clPointerTable<clKlondike> table;
        clSolitaireRules& game = table.game;
        table.Clear();
        table.Lay(game.Tableau(0), "KC 6H");
        table.Lay(game.Tableau(2), "8S");
        clCard* six = game.Tableau(0)->Top();
        const clRect before = table.Rect(*six);

        table.Drag(table.Middle(*six), c.drop(table));

        EXPECT_TRUE(table.target.Called("end drag"));
        EXPECT_EQ(game.Tableau(0)->Top(), six);
        ASSERT_TRUE(six->placed);
        EXPECT_EQ(table.Rect(*six), before);
        EXPECT_EQ(game.History().Count(), 0u);
        EXPECT_EQ(game.Score(), 0);
        EXPECT_EQ(table.game.sounds, Sounds{});
    }
}

TEST(PointerPlayTest, ARightClickPlaysTheCardAndRefusesWhatHasNoPlace) {
    clPointerTable<clKlondike> table;
    clSolitaireRules& game = table.game;
    table.Clear();
    table.Lay(game.Tableau(0), "AH");
    table.Lay(game.Tableau(1), "8S");

    game.OnRightDown(table.Middle(*game.Tableau(0)->Top()));
    EXPECT_EQ(game.Tableau(0)->Count(), 0u);
    EXPECT_EQ(game.Foundation(0)->Count(), 1u);
    EXPECT_EQ(game.Score(), 500);
    EXPECT_EQ(table.game.sounds, Sounds{clSound::Card});

    table.game.sounds.clear();
    game.OnDoubleClick(table.Middle(*game.Tableau(1)->Top()));
    EXPECT_EQ(game.Tableau(1)->Count(), 1u);
    EXPECT_EQ(game.History().Count(), 1u);
    EXPECT_EQ(table.game.sounds, Sounds{clSound::Error});
    // Nothing is left picked for the button's release or a movement.
    game.OnMouseMove({300, 300});
    game.OnLeftUp({300, 300});
    EXPECT_FALSE(table.target.Called("start drag 1"));
    EXPECT_EQ(game.History().Count(), 1u);
}

// Fourteen Up's right click plays a card into an empty pile, but never the
// stock's face-down card: the stock gives its cards only by its deals.
TEST(PointerPlayTest, ARightClickPlaysNoStockCardIntoASpace) {
    clPointerTable<clFourteenUp> table;
    clSolitaireRules& game = table.game;
    table.Clear();
    table.Lay(game.Stock(), "5H 6H");
    table.Lay(game.Tableau(0), "9S");

    game.OnRightDown(table.Middle(*game.Stock()->Top()));
    EXPECT_EQ(game.Stock()->Count(), 2u);
    EXPECT_EQ(game.History().Count(), 0u);
    EXPECT_EQ(table.game.sounds, Sounds{clSound::Error});

    table.game.sounds.clear();
    game.OnRightDown(table.Middle(*game.Tableau(0)->Top()));
    EXPECT_EQ(game.Tableau(0)->Count(), 0u);
    EXPECT_EQ(game.History().Count(), 1u) << "the pile's own card moves into a space";
    EXPECT_EQ(table.game.sounds, Sounds{clSound::Card});
}

TEST(PointerPlayTest, RepeatedRightClicksCycleThroughTheTableau) {
    clPointerTable<clKlondike> table;
    clSolitaireRules& game = table.game;
    table.Clear();
    table.Lay(game.Tableau(0), "KC 6H");
    table.Lay(game.Tableau(1), "7S");
    table.Lay(game.Tableau(2), "7C");
    clCard* six = game.Tableau(0)->Top();

    std::vector<int> landed;
    for (int click = 0; click < 4; ++click) {
        game.OnRightDown(table.Middle(*six));
        for (int i = 1; i <= 2; ++i) {
            if (game.Tableau(i)->Top() == six) landed.push_back(i);
        }
    }
    ASSERT_EQ(landed.size(), 4u);
    for (std::size_t i = 1; i < landed.size(); ++i)
        EXPECT_NE(landed[i], landed[i - 1]) << "click " << i;
    EXPECT_EQ(table.game.sounds, Sounds(4, clSound::Card));
}

// Pyramid's bottom row overlaps the covered row above it; the covered cards
// are blocked, so a press on the overlap reaches the free card.
TEST(PointerPlayTest, APressPassesThroughABlockedCardAndPairsByClicks) {
    clPointerTable<clPyramid> table;
    clSolitaireRules& game = table.game;
    table.Clear();
    table.Lay(game.Tableau(15), "KD");
    table.Lay(game.Tableau(21), "5H");
    table.Lay(game.Tableau(22), "8C");
    const clCard& covered = *game.Tableau(15)->Top();
    ASSERT_TRUE(covered.blocked);
    const auto overlap = [&](const clCard& free) {
        const clRect a = table.Rect(covered);
        const clRect b = table.Rect(free);
        const clPoint p{std::max(a.left, b.left) + 2, std::max(a.top, b.top) + 2};
        EXPECT_TRUE(a.Contains(p) && b.Contains(p));
        return p;
    };

    game.OnLeftDown(overlap(*game.Tableau(21)->Top()));
    game.OnLeftUp(overlap(*game.Tableau(21)->Top()));
    EXPECT_EQ(game.SelectionCount(), 1);
    EXPECT_EQ(table.game.sounds, Sounds{});

    game.OnLeftDown(overlap(*game.Tableau(22)->Top()));
    EXPECT_EQ(game.Tableau(21)->Count(), 0u);
    EXPECT_EQ(game.Tableau(22)->Count(), 0u);
    EXPECT_EQ(game.History().Count(), 1u);
    EXPECT_GT(game.Score(), 0);
    EXPECT_FALSE(covered.blocked) << "the king is free now";
}

TEST(PointerPlayTest, AVariantsRightClickComesBeforeThePilesClick) {
    clPointerTable<clHiddenSums> table(5);
    clSolitaireRules& game = table.game;
    game.OnLeftDown(table.Middle(*game.Stock()->Top()));  // a click deals one
    game.OnLeftUp(table.Middle(*game.Stock()->Top()));
    ASSERT_EQ(game.Waste()->Count(), 2u);
    const std::uint32_t cards = game.Stock()->Count() + game.Waste()->Count();

    // Hidden Sums turns the waste back under the stock on a right click.
    game.OnRightDown(table.Middle(*game.Stock()->Top()));
    EXPECT_EQ(game.Waste()->Count(), 0u);
    EXPECT_EQ(game.Stock()->Count(), cards);
    EXPECT_EQ(game.History().Count(), 2u);
    EXPECT_EQ(std::count(table.game.sounds.begin(), table.game.sounds.end(), clSound::Error), 0);
}

// A drag cut short by another input ends its picture and shows the cards in
// their pile again; the later release drops nothing.
TEST(PointerPlayTest, AnInterruptedDragEndsItsPicture) {
    const struct {
        const char* name;
        std::function<void(clPointerTable<clKlondike>&)> interrupt;
    } cases[] = {
        {"a right press", [](auto& t) { t.game.OnRightDown(kBareTable); }},
        {"a key", [](auto& t) { t.game.OnChar('#'); }},
        {"pausing",
         [](auto& t) {
             t.game.Pause();
             t.game.OnMouseMove({400, 400});  // movement still arrives while paused
             t.game.Pause();
         }},
        {"an undo", [](auto& t) { t.game.Undo(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        clPointerTable<clKlondike> table;
        clSolitaireRules& game = table.game;
        table.Clear();
        table.Lay(game.Tableau(0), "AH");
        table.Lay(game.Tableau(1), "KS");
        table.Lay(game.Tableau(2), "QH");
        game.OnRightDown(table.Middle(*game.Tableau(0)->Top()));  // something to undo
        ASSERT_EQ(game.History().Count(), 1u);
        clCard* queen = game.Tableau(2)->Top();
        const clPoint drop = table.Middle(*game.Tableau(1)->Top());
        game.OnLeftDown(table.Middle(*queen));
        game.OnMouseMove(drop);
        ASSERT_FALSE(queen->placed);
        const std::size_t lifted = table.target.calls.size();

        c.interrupt(table);
        EXPECT_TRUE(table.target.Called("end drag", lifted));
        EXPECT_TRUE(queen->placed);
        const std::size_t position = game.History().Position();
        const std::size_t ended = table.target.calls.size();
        game.OnMouseMove(drop);
        game.OnLeftUp(drop);
        const auto dragStep = [](const std::string& call) { return call.starts_with("drag to"); };
        EXPECT_TRUE(std::none_of(table.target.calls.begin() + static_cast<std::ptrdiff_t>(ended),
                                 table.target.calls.end(), dragStep));
        EXPECT_EQ(game.History().Position(), position);
    }
}

// Undo re-deals and replays the history; the display sees only the finished
// table, drawn once, exactly as a redraw of it draws it.
TEST(PointerPlayTest, ARebuildDrawsOnlyTheFinishedTable) {
    clPointerTable<clKlondike> table;
    clSolitaireRules& game = table.game;
    for (int i = 0; i < 3; ++i) {
        game.OnLeftDown(table.Middle(*game.Stock()->Top()));
        game.OnLeftUp(table.Middle(*game.Stock()->Top()));
    }
    ASSERT_EQ(game.History().Count(), 3u);
    game.History().StepBack();

    table.target.calls.clear();
    game.Rebuild();
    const std::vector<std::string> rebuilt = table.target.calls;
    EXPECT_EQ(game.Waste()->Count(), 2u);

    table.target.calls.clear();
    game.DrawTable();
    EXPECT_EQ(rebuilt, table.target.calls);
}

// The Undo command draws the table it rebuilt once, whatever the replay and
// the points of the undone move took.
TEST(PointerPlayTest, AnUndoDrawsTheTableOnce) {
    clPointerTable<clKlondike> table;
    clSolitaireRules& game = table.game;
    table.Clear();
    table.Lay(game.Tableau(0), "AH");
    table.Lay(game.Tableau(1), "2H");
    game.OnRightDown(table.Middle(*game.Tableau(0)->Top()));
    game.OnRightDown(table.Middle(*game.Tableau(1)->Top()));
    ASSERT_EQ(game.Foundation(0)->Count(), 2u);
    ASSERT_GT(game.Score(), 0);

    table.target.calls.clear();
    game.Undo();
    const std::vector<std::string> undone = table.target.calls;
    EXPECT_EQ(std::count(undone.begin(), undone.end(), "clear"), 1);
    EXPECT_EQ(game.History().Position(), 1u);

    table.target.calls.clear();
    game.DrawTable();
    const std::vector<std::string>& redrawn = table.target.calls;
    ASSERT_GE(undone.size(), redrawn.size());
    EXPECT_TRUE(std::equal(redrawn.begin(), redrawn.end(), undone.end() - redrawn.size()));
}

// FreeCell: tableau keys '1'..'8', cells 'A'..'D'. The fourth cell decides
// whether a card with no other place can still go somewhere.
TEST(PointerPlayTest, KeysPlayFromThePileTheyName) {
    const struct {
        const char* name;
        std::string_view keys;
        std::string_view fourthCell;
        std::string_view counts;
        Sounds sounds;
        bool clockRuns;
    } cases[] = {
        {"a column's card to a foundation",
         "1",
         "",
         "f 1 0 0 0 t 0 1 1 2 1 1 1 1 r 1 1 1 0",
         {clSound::Card},
         true},
        {"a lower-case cell key",
         "a",
         "",
         "f 1 0 0 0 t 1 1 1 2 1 1 1 1 r 0 1 1 0",
         {clSound::Card},
         true},
        {"the longest run that has a place",
         "4",
         "",
         "f 0 0 0 0 t 1 1 3 0 1 1 1 1 r 1 1 1 0",
         {clSound::Card},
         true},
        {"a card with no place",
         "2",
         "QH",
         "f 0 0 0 0 t 1 1 1 2 1 1 1 1 r 1 1 1 1",
         {clSound::Error},
         true},
        {"a key no pile carries", "9", "", "f 0 0 0 0 t 1 1 1 2 1 1 1 1 r 1 1 1 0", {}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        clPointerTable<clFreeCell> table;
        clSolitaireRules& game = table.game;
        table.Clear();
        const char* columns[] = {"AH", "5C", "TC", "9H 8S", "2S", "3S", "JD", "QS"};
        for (int i = 0; i < 8; ++i)
            table.Lay(game.Tableau(i), columns[i]);
        const char* cells[] = {"AS", "KH", "KD"};
        for (int i = 0; i < 3; ++i)
            table.Lay(game.Reserve(i), cells[i]);
        table.Lay(game.Reserve(3), c.fourthCell);

        for (const char key : c.keys)
            game.OnChar(key);
        EXPECT_EQ(PileCounts(game), c.counts);
        EXPECT_EQ(table.game.sounds, c.sounds);
        EXPECT_EQ(game.Timer().IsRunning(), c.clockRuns);
    }
}

// Pelmanism labels its spaces with two keys: a column letter and a row digit.
TEST(PointerPlayTest, ATwoKeyLabelIsTypedAfterAnyKey) {
    clPointerTable<clPelmanism> table;
    clSolitaireRules& game = table.game;
    const auto faceUp = [&] {
        std::vector<int> up;
        for (int i = 0; i < game.TableauCount(); ++i) {
            if (!game.Tableau(i)->Top()->faceDown) up.push_back(i);
        }
        return up;
    };

    game.OnChar('Q');
    game.OnChar('1');  // no space is Q1
    EXPECT_EQ(faceUp(), std::vector<int>{});
    game.OnChar('A');  // no space is A alone, but A is the key before the next
    game.OnChar('1');
    EXPECT_EQ(faceUp(), std::vector<int>{0});
    game.OnChar('1');  // 1 after 1 names no space
    game.OnChar('b');
    game.OnChar('2');
    EXPECT_EQ(faceUp(), (std::vector<int>{0, 14}));
    EXPECT_EQ(table.game.sounds, Sounds{});
}

}  // namespace
