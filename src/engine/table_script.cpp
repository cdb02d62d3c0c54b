#include "engine/table_script.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <sstream>
#include <tuple>
#include <utility>

#include "engine/solitaire_rules.h"
#include "engine/table_text.h"

namespace {

std::string Upper(std::string_view word) {
    std::string text(word);
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

bool ParseNumber(std::string_view text, int& value) {
    if (text.empty()) return false;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc{} && end == text.data() + text.size() && value >= 0;
}

// "t3", "f0", "r1", "s", "w".
bool ParsePile(std::string_view word, clLocation& pile) {
    if (word.empty()) return false;
    const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(word[0])));
    if (word.size() == 1 && (letter == 's' || letter == 'w')) {
        pile = {letter == 's' ? clLocationKind::Stock : clLocationKind::Waste, 0, 0};
        return true;
    }
    int index = 0;
    if (!ParseNumber(word.substr(1), index)) return false;
    switch (letter) {
        case 'f':
            pile = clLocation::Pile(clLocationKind::Foundation, index, 0);
            return true;
        case 't':
            pile = clLocation::Pile(clLocationKind::Tableau, index, 0);
            return true;
        case 'r':
            pile = clLocation::Pile(clLocationKind::Reserve, index, 0);
            return true;
        default:
            return false;
    }
}

// The pile's top card position, or the given one.
clLocation At(const clSolitaireRules& game, const clLocation& pile, int position) {
    const clPile* p = game.PileAt(pile);
    const int top = p ? static_cast<int>(p->Count()) - 1 : -1;
    return pile.WithPosition(position < 0 ? top : position);
}

std::size_t Count(const clSolitaireRules& game, const clLocation& pile) {
    const clPile* p = game.PileAt(pile);
    return p ? p->Count() : 0;
}

std::int32_t TopCard(const clSolitaireRules& game, const clLocation& pile) {
    const clPile* p = game.PileAt(pile);
    return p ? p->TopDealIndex() : clCard::kNoDealIndex;
}

}  // namespace

clPile* DealPile(const clSolitaireRules& game) {
    if (game.Stock() != nullptr) return game.Stock();
    for (const auto& pile : game.AllPiles()) {
        if (pile->IsClickAction() && game.LocationOf(pile.get(), 0).kind == clLocationKind::None) {
            return pile.get();
        }
    }
    return nullptr;
}

bool ParseScriptLine(std::string_view line, clScriptCommand& command, std::string& error) {
    command = {};
    line = line.substr(0, line.find('#'));
    std::istringstream in{std::string(line)};
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word);
    if (words.empty()) return true;

    using Kind = clScriptCommand::clKind;
    const std::string verb = Upper(words[0]);
    const auto piles = [&](std::size_t from, std::size_t min, std::size_t max) {
        if (words.size() - from < min || words.size() - from > max) {
            const std::string most = std::to_string(max);
            error = verb + " takes " + std::to_string(min) +
                    (max == min + 1 ? " or " + most + " piles"
                     : max > min    ? " to " + most + " piles"
                     : min == 1     ? " pile"
                                    : " piles");
            return false;
        }
        for (std::size_t i = from; i < words.size(); ++i) {
            clLocation pile;
            if (!ParsePile(words[i], pile)) {
                error = "not a pile: " + words[i];
                return false;
            }
            command.piles.push_back(pile);
        }
        return true;
    };

    // "t3:2": the pile and a card position in it.
    const auto cardPosition = [&](std::size_t at) {
        const std::string word = words[at];
        const auto colon = word.find(':');
        if (colon != std::string::npos && !ParseNumber(word.substr(colon + 1), command.position)) {
            error = "not a card position: " + word.substr(colon + 1);
            return false;
        }
        words[at] = word.substr(0, colon);
        return true;
    };
    if (verb == "MOVE") {
        if (words.size() != 3) {
            error = "MOVE takes a source and a destination";
            return false;
        }
        command.kind = Kind::Move;
        return cardPosition(1) && piles(1, 2, 2);
    }
    if (verb == "CLICK") {
        if (words.size() != 2) {
            error = "CLICK takes one pile";
            return false;
        }
        command.kind = Kind::Click;
        return cardPosition(1) && piles(1, 1, 1);
    }
    if (verb == "PAIR") {
        command.kind = Kind::Pair;
        return piles(1, 1, 2);
    }
    if (verb == "REMOVE") {
        command.kind = Kind::Remove;
        return piles(1, 1, clMove::kSetSlots);
    }
    const std::pair<const char*, Kind> bare[] = {
        {"STOCK", Kind::Stock}, {"DEAL", Kind::Deal}, {"UNDO", Kind::Undo}, {"TAKE", Kind::Take}};
    for (const auto& [name, kind] : bare) {
        if (verb != name) continue;
        if (words.size() != 1) {
            error = verb + " takes nothing after it";
            return false;
        }
        command.kind = kind;
        return true;
    }
    error = "unknown command: " + words[0];
    return false;
}

std::optional<clMove> ScriptMove(const clSolitaireRules& game, const clScriptCommand& command) {
    using Kind = clScriptCommand::clKind;
    switch (command.kind) {
        case Kind::Move: {
            const clLocation from = At(game, command.piles[0], command.position);
            const clLocation to =
                At(game, command.piles[1], -1)
                    .WithPosition(static_cast<int>(Count(game, command.piles[1])));
            const clPile* source = game.PileAt(from);
            const clCard* card = source ? source->At(from.Position()) : nullptr;
            if (card == nullptr) return std::nullopt;
            return clMove::CardMove(card->dealIndex, from, to);
        }
        case Kind::Pair: {
            const std::int32_t first = TopCard(game, command.piles[0]);
            const std::int32_t second =
                command.piles.size() > 1 ? TopCard(game, command.piles[1]) : first;
            if (first < 0 || second < 0) return std::nullopt;
            return game.PairMoveFor(first, second);
        }
        case Kind::Remove: {
            std::vector<std::int32_t> cards;
            for (const clLocation& pile : command.piles) {
                const std::int32_t card = TopCard(game, pile);
                if (card < 0) return std::nullopt;
                cards.push_back(card);
            }
            return clMove::SetMove(cards);
        }
        case Kind::Stock:
            return clMove::StockMove();
        default:
            return std::nullopt;
    }
}

bool ApplyScriptCommand(clSolitaireRules& game, const clScriptCommand& command) {
    using Kind = clScriptCommand::clKind;
    switch (command.kind) {
        case Kind::Move:
        case Kind::Pair:
        case Kind::Remove:
        case Kind::Stock: {
            const std::optional<clMove> move = ScriptMove(game, command);
            return move && game.ValidateMove(*move) &&
                   game.CommitPlayedMove(*move, command.kind == Kind::Stock);
        }
        case Kind::Deal: {
            clPile* pressed = DealPile(game);
            if (pressed == nullptr) return false;
            const auto state = [&] {
                return std::array<std::size_t, 4>{game.History().Count(), game.History().Position(),
                                                  Count(game, {clLocationKind::Stock, 0, 0}),
                                                  Count(game, {clLocationKind::Waste, 0, 0})};
            };
            const auto before = state();
            game.PressPile(*pressed, pressed->TopIndex());
            game.ReleasePick();
            return state() != before;
        }
        case Kind::Click: {
            clPile* pile = game.PileAt(command.piles[0]);
            if (pile == nullptr) return false;
            const int top = pile->Count() > 0 ? pile->TopIndex() : 0;
            const int position = command.position < 0 ? top : command.position;
            if (position > top) return false;
            // What a click can change besides the selection: the record, the
            // score (a card turned at a cost) and the cards' faces.
            const auto changes = [&] {
                return std::tuple(game.History().Count(), game.History().Position(), game.Score(),
                                  DescribeTable(game));
            };
            const auto before = changes();
            const int selected = game.SelectionCount();
            game.PressPile(*pile, position);
            game.ReleasePick();
            return changes() != before || game.SelectionCount() > selected;
        }
        case Kind::Undo: {
            const std::size_t before = game.History().Position();
            game.Undo();
            return game.History().Position() != before;
        }
        case Kind::Take:
            if (game.RoundEnded() || game.IsPaused()) return false;
            game.TakeScore();
            return game.RoundEnded();
        case Kind::None:
            return true;
    }
    return false;
}
