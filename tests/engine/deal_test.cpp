#include <string>

#include <gtest/gtest.h>

#include "cards/random.h"
#include "engine/table_text.h"
#include "support/test_table.h"

namespace {

std::string DealOrder(const clDeck& deck) {
    std::string text;
    for (int k = 0; k < deck.Count(); ++k)
        text += CardText(*deck.CardAt(k)) + " ";
    return text;
}

TEST(DealTest, ADealNumberAlwaysGivesTheSameDeal) {
    clTestLayout layout;
    layout.decks = 2;
    clTestTable first(layout), second(layout);
    first.Initialize();
    second.Initialize();

    first.StartDeal(31337);
    clRandom::Program().Seed(0);  // whatever the generator did in between
    clRandom::Program().Next(0, 0);
    second.StartDeal(31337);

    EXPECT_EQ(DealOrder(first.Deck()), DealOrder(second.Deck()));
    EXPECT_EQ(Snapshot(first), Snapshot(second));

    second.StartDeal(31338);
    EXPECT_NE(DealOrder(first.Deck()), DealOrder(second.Deck()));
}

// Saved games store deal numbers: the deal they give must never change.
TEST(DealTest, DealNumberOneDealsAsItAlwaysHas) {
    clTestTable table(clTestLayout{});
    table.Initialize();
    table.StartDeal(1);
    EXPECT_EQ(DealOrder(table.Deck()).substr(0, 15), "9S TH 3S 7D KD ");
}

TEST(DealTest, FreshDealNumbersComeFromTheGenerator) {
    clTestTable table(clTestLayout{});
    table.Initialize();
    clRandom::Program().Seed(77);
    table.StartDeal();
    clRandom reference;
    reference.Seed(77);
    EXPECT_EQ(table.DealNumber(), reference.Next(0, 0));

    table.StartDeal(0);  // not a deal number: a fresh one is drawn
    EXPECT_GT(table.DealNumber(), 0);
}

struct DealCountCase {
    const char* name;
    clTestLayout layout;
    std::vector<int> tableau;  // cards per tableau pile
    int stock, reserves, waste;
};

clTestLayout Layout(int tableau, int reserves, bool waste, int t, int s, int r, int w) {
    clTestLayout layout;
    layout.tableau = tableau;
    layout.reserves = reserves;
    layout.waste = waste;
    layout.tableauDeal = t;
    layout.stockDeal = s;
    layout.reserveDeal = r;
    layout.wasteDeal = w;
    return layout;
}

TEST(DealTest, CountsSplitTheDeckAcrossThePhases) {
    const DealCountCase cases[] = {
        {"tableau count computed",
         Layout(7, 0, false, 0, 24, 0, 0),
         {4, 4, 4, 4, 4, 4, 4},
         24,
         0,
         0},
        {"stock count computed", Layout(4, 0, false, 10, 0, 0, 0), {3, 3, 2, 2}, 42, 0, 0},
        {"all four phases", Layout(3, 2, true, 0, 30, 5, 1), {6, 5, 5}, 30, 5, 1},
        {"counts beyond the deck deal what there is",
         Layout(2, 0, false, 50, 10, 0, 0),
         {25, 25},
         2,
         0,
         0},
    };
    for (const DealCountCase& c : cases) {
        SCOPED_TRACE(c.name);
        clTestTable table(c.layout);
        table.Initialize();
        table.StartDeal(4242);
        std::vector<int> tableau;
        for (int i = 0; i < table.TableauCount(); ++i)
            tableau.push_back(table.Tableau(i)->Count());
        EXPECT_EQ(tableau, c.tableau);
        EXPECT_EQ(static_cast<int>(table.Stock()->Count()), c.stock);
        int reserves = 0;
        for (int i = 0; i < table.ReserveCount(); ++i)
            reserves += table.Reserve(i)->Count();
        EXPECT_EQ(reserves, c.reserves);
        EXPECT_EQ(table.Waste() ? static_cast<int>(table.Waste()->Count()) : 0, c.waste);
    }
}

TEST(DealTest, DealsInDealOrderRoundRobin) {
    clTestTable table(Layout(3, 2, true, 6, 3, 2, 1));
    table.Initialize();
    table.StartDeal(99);
    const auto at = [&](const clPile* pile, int i) { return pile->At(i)->dealIndex; };
    EXPECT_EQ(at(table.Tableau(0), 0), 0);
    EXPECT_EQ(at(table.Tableau(1), 0), 1);
    EXPECT_EQ(at(table.Tableau(2), 0), 2);
    EXPECT_EQ(at(table.Tableau(0), 1), 3);
    EXPECT_EQ(at(table.Stock(), 0), 6);
    EXPECT_EQ(at(table.Reserve(0), 0), 9);
    EXPECT_EQ(at(table.Reserve(1), 0), 10);
    EXPECT_EQ(at(table.Waste(), 0), 11);
    EXPECT_EQ(table.Stock()->Count(), 3u);
}

// faceDownCount counts tableau cards over all piles, not per pile.
TEST(DealTest, FaceDownCountSpansThePiles) {
    clTestLayout layout = Layout(7, 0, false, 0, 24, 0, 0);
    layout.faceDown = 21;
    clTestTable table(layout);
    table.Initialize();
    table.StartDeal(5);
    for (int i = 0; i < 7; ++i) {
        SCOPED_TRACE(i);
        const clPile* pile = table.Tableau(i);
        for (int row = 0; row < 3; ++row) {
            EXPECT_TRUE(pile->At(row)->faceDown);
            EXPECT_TRUE(pile->At(row)->blocked);
        }
        EXPECT_FALSE(pile->At(3)->faceDown);
        EXPECT_FALSE(pile->At(3)->blocked);
    }
    for (int i = 0; i < 24; ++i) {
        const clCard* card = table.Stock()->At(i);
        EXPECT_TRUE(card->faceDown);
        EXPECT_FALSE(card->blocked);
    }
}

TEST(DealTest, DealtCardsArePlacedOnTheirPilesInDrawOrder) {
    clTestTable table(Layout(2, 0, false, 4, 0, 0, 0));
    table.Initialize();
    table.StartDeal(11);
    const clPile* pile = table.Tableau(1);
    ASSERT_EQ(pile->Count(), 2u);
    EXPECT_TRUE(pile->At(0)->placed);
    EXPECT_LT(pile->At(0)->drawKey, pile->At(1)->drawKey);
    EXPECT_DOUBLE_EQ(pile->At(1)->x, 1.0);
    EXPECT_DOUBLE_EQ(pile->At(1)->y, 1.2);
}

}  // namespace
