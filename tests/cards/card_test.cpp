#include "cards/card.h"

#include <gtest/gtest.h>

#include "engine/deck.h"
#include "engine/table_text.h"

namespace {

TEST(DeckTest, BuildsEachPackFromSpadesDownToClubsAceToKing) {
    clDeck deck;
    ASSERT_TRUE(deck.Build(2, 2));
    ASSERT_EQ(deck.Count(), 106);

    struct Row {
        int position;
        const char* text;
        int colour;
    };
    const Row rows[] = {
        {0, "AS", 1},  {12, "KS", 1}, {13, "AH", 2},  {25, "KH", 2},  {26, "AD", 2},  {39, "AC", 1},
        {51, "KC", 1}, {52, "AS", 1}, {103, "KC", 1}, {104, "J1", 0}, {105, "J2", 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.position);
        const clCard* card = deck.CardAt(row.position);
        ASSERT_NE(card, nullptr);
        EXPECT_EQ(CardText(*card), row.text);
        EXPECT_EQ(card->GetColour(), row.colour);
        EXPECT_EQ(card->dealIndex, row.position);
        EXPECT_FALSE(card->placed);
    }
    EXPECT_EQ(deck.CardAt(-1), nullptr);
    EXPECT_EQ(deck.CardAt(106), nullptr);
    EXPECT_EQ(deck.DrawCardAt(106), nullptr);
}

TEST(DeckTest, RefusesBadBuildsAndKeepsTheOldDeck) {
    clDeck deck;
    ASSERT_TRUE(deck.Build(1, 0));
    EXPECT_FALSE(deck.Build(0, 0));
    EXPECT_FALSE(deck.Build(-1, 0));
    EXPECT_FALSE(deck.Build(1, -1));
    EXPECT_FALSE(deck.Build(1 << 30, 0));
    EXPECT_EQ(deck.Count(), 52);
}

TEST(CardTest, DerivedPropertiesFollowTheValue) {
    struct Row {
        int value;
        int rank, suit, colour;
        bool ace, face;
    };
    const Row rows[] = {
        {0, 1, 1, 1, true, false},  // ace of clubs
        {13 + 9, 10, 2, 2, false, false}, {26 + 10, 11, 3, 2, false, true},
        {51, 13, 4, 1, false, true},                                    // king of spades
        {52, 0, 0, 0, false, false},                                    // jokers
        {53, 0, 0, 0, false, false},      {54, 0, 0, 0, false, false},  // no card
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.value);
        clCard card;
        card.value = row.value;
        EXPECT_EQ(card.GetRank(), row.rank);
        EXPECT_EQ(card.GetSuit(), row.suit);
        EXPECT_EQ(card.GetColour(), row.colour);
        EXPECT_EQ(card.IsAce(), row.ace);
        EXPECT_EQ(card.IsFaceCard(), row.face);
    }
}

TEST(CardTest, SettersIgnoreOutOfRangeValuesAndJokers) {
    clCard card;
    card.SetCard(5, 3);
    EXPECT_EQ(CardText(card), "5H");
    card.SetCard(0, 3);
    card.SetCard(14, 3);
    card.SetCard(5, 0);
    card.SetCard(5, 5);
    EXPECT_EQ(CardText(card), "5H");

    card.SetRank(12);
    EXPECT_EQ(CardText(card), "QH");
    card.SetSuit(4);
    EXPECT_EQ(CardText(card), "QS");
    card.SetRank(0);
    card.SetSuit(9);
    EXPECT_EQ(CardText(card), "QS");

    card.SetJoker(false);
    card.SetRank(3);
    card.SetSuit(2);
    EXPECT_EQ(card.value, clCard::kSecondJoker);
}

// The kinds are the numbers the value encodes, so typed and numbered code agree.
TEST(CardTest, KindsAreTheEncodedNumbers) {
    struct Row {
        clRank rank;
        clSuit suit;
        const char* text;
        clColour colour;
    };
    const Row rows[] = {
        {clRank::Ace, clSuit::Clubs, "AC", clColour::Black},
        {clRank::Ten, clSuit::Diamonds, "TD", clColour::Red},
        {clRank::Jack, clSuit::Hearts, "JH", clColour::Red},
        {clRank::King, clSuit::Spades, "KS", clColour::Black},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        clCard card;
        card.SetCard(row.rank, row.suit);
        EXPECT_EQ(CardText(card), row.text);
        EXPECT_EQ(card.Rank(), row.rank);
        EXPECT_EQ(card.Suit(), row.suit);
        EXPECT_EQ(card.Colour(), row.colour);
        EXPECT_EQ(card.IsKing(), row.rank == clRank::King);
    }
    EXPECT_EQ(RankAbove(7), 8);
    EXPECT_EQ(RankAbove(13), 1);
    EXPECT_EQ(RankBelow(7), 6);
    EXPECT_EQ(RankBelow(1), 13);
}

TEST(CardTest, PositionIgnoresNegativeCoordinates) {
    clCard card;
    card.SetPosition(1.5, 2.0, 3, 4);
    card.SetPosition(-1.0, 5.0, 7, 7);
    double x = 0, y = 0;
    EXPECT_FALSE(card.GetPosition(x, y));
    EXPECT_EQ(x, 1.5);
    EXPECT_EQ(y, 2.0);
    EXPECT_EQ(card.offsetX, 3);
    EXPECT_EQ(card.offsetY, 4);
}

TEST(DeckTest, SortDrawOrderIsStableByDrawKey) {
    clDeck deck;
    ASSERT_TRUE(deck.Build(1, 0));
    for (int k = 0; k < 52; ++k)
        deck.CardAt(k)->drawKey = (k % 2 == 0) ? 5 : 1;
    deck.SortDrawOrder();
    EXPECT_EQ(deck.DrawCardAt(0)->dealIndex, 1);
    EXPECT_EQ(deck.DrawCardAt(25)->dealIndex, 51);
    EXPECT_EQ(deck.DrawCardAt(26)->dealIndex, 0);
    EXPECT_EQ(deck.DrawCardAt(51)->dealIndex, 50);
}

}  // namespace
