#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/move.h"
#include "piles/location.h"

class clPile;
class clSolitaireRules;

// One line of a move file, the text form of a player's action:
//
//   MOVE <from>[:<position>] <to>   cards from that position (default: the top
//                                   card) onto the top of the destination
//   PAIR <pile> [<pile>]            the top card(s) removed as a pair (one
//                                   pile: a card removed alone), with what
//                                   the game adds to a pair (its refills)
//   REMOVE <pile>...                the top cards removed as a set
//   STOCK                           the variant's stock action (a redeal)
//   DEAL                            what a click on the stock does (in a game
//                                   without a stock, on its redeal symbol)
//   CLICK <pile>[:<position>]       what a click on that card (default: the
//                                   top card, or the empty pile) does: deal,
//                                   play a card, select a card for a pair
//   UNDO                            undo, as the command does it
//   TAKE                            Take Score
//
// Piles are f<i>, t<i>, r<i> (foundation, tableau, reserve by index), s (the
// stock) and w (the waste); words are case-insensitive; '#' starts a comment.
struct clScriptCommand {
    enum class clKind { None, Move, Pair, Remove, Stock, Deal, Click, Undo, Take };

    clKind kind = clKind::None;     // None: a blank or comment line
    std::vector<clLocation> piles;  // MOVE: source and destination; PAIR, REMOVE, CLICK: the piles
    int position = -1;              // MOVE, CLICK: the card position, -1 for the top card
};

// The pile a DEAL presses: the stock, or in a game without one the clickable
// mark outside the typed lists (a redeal button); null when none.
clPile* DealPile(const clSolitaireRules& game);

// Reads one line. False, with a message, when it is not a command.
bool ParseScriptLine(std::string_view line, clScriptCommand& command, std::string& error);

// The move a MOVE, PAIR, REMOVE or STOCK command stands for on the game's
// table as it is, whether the rules take it or not; nothing for the other
// commands and for piles without the cards named.
std::optional<clMove> ScriptMove(const clSolitaireRules& game, const clScriptCommand& command);

// Carries a command out on a game through the same paths as the player's
// actions: validated by the rules, committed as a played move (scoring, the
// variant's refills, automatic play when on, the win check). False when the
// game refused it or it changed nothing (a CLICK succeeds when it recorded a
// move, selected a card, turned one or took points).
bool ApplyScriptCommand(clSolitaireRules& game, const clScriptCommand& command);
