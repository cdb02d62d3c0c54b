#include "solver/line_script.h"

#include <memory>

#include "cards/random.h"
#include "engine/solitaire_rules.h"
#include "engine/table_script.h"
#include "solver/screen.h"

namespace {

std::string PileName(const clLocation& at) {
    switch (at.kind) {
        case clLocationKind::Foundation:
            return "f" + std::to_string(at.first);
        case clLocationKind::Tableau:
            return "t" + std::to_string(at.first);
        case clLocationKind::Reserve:
            return "r" + std::to_string(at.first);
        case clLocationKind::Stock:
            return "s";
        case clLocationKind::Waste:
            return "w";
        default:
            return "?";
    }
}

// The pile whose top card this is, by its move-file name.
std::string TopPile(const clSolitaireRules& game, std::int32_t dealIndex) {
    for (const auto& pile : game.AllPiles()) {
        if (pile->Count() > 0 && pile->TopDealIndex() == dealIndex) {
            return PileName(game.LocationOf(pile.get(), 0));
        }
    }
    return "?";
}

// The command a player's record comes from, on the table before it: a
// compound by its first part (the rest is what the game chained to it).
std::string CommandFor(const clSolitaireRules& game, const clMove& move) {
    const clMove& first =
        move.type == clMoveType::Compound && !move.parts.empty() ? move.parts.front() : move;
    switch (first.type) {
        case clMoveType::Card:
            if (first.from.kind == clLocationKind::Stock && move.type == clMoveType::Compound) {
                return "DEAL";
            }
            return "MOVE " + PileName(first.from) + ":" + std::to_string(first.from.Position()) +
                   " " + PileName(first.to);
        case clMoveType::Pair:
            return first.first == first.second
                       ? "PAIR " + TopPile(game, first.first)
                       : "PAIR " + TopPile(game, first.first) + " " + TopPile(game, first.second);
        case clMoveType::Set: {
            std::string text = "REMOVE";
            for (int i = 0; i < first.count; ++i)
                text += " " + TopPile(game, first.cards[i]);
            return text;
        }
        case clMoveType::Stock:
            return "STOCK";
        default:
            return "DEAL";
    }
}

// Whether the command made the record (or, as the line's last, won the round).
bool Makes(clSolitaireRules& game, const std::string& text, const clMove& move, bool last) {
    clScriptCommand command;
    std::string error;
    const std::size_t before = game.History().Position();
    if (!ParseScriptLine(text, command, error) || !ApplyScriptCommand(game, command)) return false;
    if (game.RoundEnded()) return last && game.LastRoundWon();
    return game.History().Count() > before && game.History().At(before) == move;
}

}  // namespace

std::optional<std::vector<std::string>> LineAsScript(std::string_view displayName,
                                                     std::int32_t deal,
                                                     std::span<const clMove> played,
                                                     const clPlayOptions& options,
                                                     std::span<const clMove> line) {
    clRandom generator;
    const std::unique_ptr<clSolitaireRules> game =
        PositionScreen(displayName, deal, played, options, generator);
    if (!game) return std::nullopt;
    std::vector<std::string> script;
    clTableSnapshot before;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (game->RoundEnded()) return std::nullopt;
        const bool last = i + 1 == line.size();
        game->SaveSnapshot(before);
        std::string text = CommandFor(*game, line[i]);
        if (!Makes(*game, text, line[i], last)) {
            game->RestoreSnapshot(before);
            text = "DEAL";
            if (!Makes(*game, text, line[i], last)) return std::nullopt;
        }
        script.push_back(text);
    }
    if (!game->RoundEnded() || !game->LastRoundWon()) return std::nullopt;
    return script;
}
