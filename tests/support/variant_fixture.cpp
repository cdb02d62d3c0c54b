#include "support/variant_fixture.h"

#include <cctype>
#include <sstream>
#include <stdexcept>

#include "support/test_table.h"
#include "variants/registry.h"

std::string Identifier(std::string_view name) {
    std::string id;
    for (const char c : name) {
        if (std::isalnum(static_cast<unsigned char>(c))) id += c;
    }
    return id;
}

clSolitaireRules& VariantTest::Start(std::string_view name, std::int32_t deal) {
    screen = CreateVariant(name);
    game = dynamic_cast<clSolitaireRules*>(screen.get());
    if (game == nullptr) {
        ADD_FAILURE() << name << " is not registered";
        throw std::runtime_error("no such variant");
    }
    game->SetOptions({.promptBeforeResign = false, .autoSave = false, .autoPlay = false});
    game->StartRound(deal);
    return *game;
}

clCard* VariantTest::Card(std::string_view text) {
    constexpr std::string_view kRanks = "A23456789TJQK";
    constexpr std::string_view kSuits = "CDHS";
    const auto rank = text.size() == 2 ? kRanks.find(text[0]) : std::string_view::npos;
    const auto suit = text.size() == 2 ? kSuits.find(text[1]) : std::string_view::npos;
    clCard* card =
        rank == std::string_view::npos || suit == std::string_view::npos
            ? nullptr
            : FindCard(game->Deck(), static_cast<int>(rank) + 1, static_cast<clSuit>(suit + 1));
    if (card == nullptr) {
        ADD_FAILURE() << "not a card: " << text;
        throw std::runtime_error("no such card");
    }
    return card;
}

void VariantTest::ClearTable() {
    for (const auto& pile : game->AllPiles())
        pile->Clear();
}

void VariantTest::Put(clPile* pile, const std::string& cards) {
    pile->Clear();
    std::istringstream words(cards);
    for (std::string word; words >> word;) {
        clCard* card = Card(word);
        clGroup one(card);
        card->faceDown = card->blocked = false;
        EXPECT_TRUE(pile->AddCards(one)) << "no room for " << word;
    }
    game->AfterMove();
}

clMove VariantTest::Move(clPile* from, clPile* to, int position) const {
    const int at = position < 0 ? from->TopIndex() : position;
    return MoveBetween(*game, game->LocationOf(from, at), game->LocationOf(to, 0));
}

clMove VariantTest::Pair(clPile* first, clPile* second) const {
    return clMove::PairMove(first->TopDealIndex(), second->TopDealIndex());
}
