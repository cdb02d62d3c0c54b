#pragma once

#include <string>

class clCard;
class clSolitaireRules;

// A card as text, rank then suit ("TD", "KS"); jokers "J1" and "J2".
std::string CardText(const clCard& card);

// The table as text, one pile a line, bottom card first:
// "tableau 3: [9C] [2H] QD". Face-down cards are bracketed. Piles are named by
// their list and index ("foundation 0", "reserve 1"), "stock", "waste", and
// "other 0" for piles in no list.
std::string DescribeTable(const clSolitaireRules& game);
