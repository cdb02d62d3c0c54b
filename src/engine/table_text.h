#pragma once

#include <string>

class clCard;
class clSolitaireRules;

// A card as text, rank then suit ("TD", "KS"); jokers "J1" and "J2".
std::string CardText(const clCard& card);

// The table as text, one pile a line, bottom card first: "T3: [9C] [2H] QD".
// Face-down cards are bracketed. Piles are named by their location: F, T and R
// with their index, S the stock, W the waste, O the piles in no typed list.
std::string DescribeTable(const clSolitaireRules& game);
