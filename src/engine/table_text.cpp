#include "engine/table_text.h"

#include "cards/card.h"
#include "engine/solitaire_rules.h"

std::string CardText(const clCard& card) {
    if (card.value == clCard::kFirstJoker) return "J1";
    if (card.value == clCard::kSecondJoker) return "J2";
    if (card.GetRank() == 0) return "--";
    static constexpr char kRanks[] = "A23456789TJQK";
    static constexpr char kSuits[] = "CDHS";
    return {kRanks[card.GetRank() - 1], kSuits[card.GetSuit() - 1]};
}

namespace {

std::string PileName(const clSolitaireRules& game, const clPile* pile, int& others) {
    const clLocation at = game.LocationOf(pile, 0);
    switch (at.kind) {
        case clLocationKind::Foundation:
            return "foundation " + std::to_string(at.first);
        case clLocationKind::Tableau:
            return "tableau " + std::to_string(at.first);
        case clLocationKind::Reserve:
            return "reserve " + std::to_string(at.first);
        case clLocationKind::Stock:
            return "stock";
        case clLocationKind::Waste:
            return "waste";
        default:
            return "other " + std::to_string(others++);
    }
}

}  // namespace

std::string DescribeTable(const clSolitaireRules& game) {
    std::string text;
    int others = 0;
    for (const auto& pile : game.AllPiles()) {
        text += PileName(game, pile.get(), others) + ":";
        for (int i = 0; i < static_cast<int>(pile->Count()); ++i) {
            const clCard& card = *pile->At(i);
            text += card.faceDown ? " [" + CardText(card) + "]" : " " + CardText(card);
        }
        text += "\n";
    }
    return text;
}
