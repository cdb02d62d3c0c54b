#include "support/variant_table.h"

#include <cctype>
#include <charconv>
#include <sstream>

#include <gtest/gtest.h>

#include "engine/table_text.h"
#include "support/random_play.h"
#include "variants/registry.h"

namespace {

constexpr double kSmallestCardWidth = 53;
constexpr double kSmallestCardHeight = 72;

char KindLetter(const clSolitaireRules& game, const clPile* pile) {
    switch (game.LocationOf(pile, 0).kind) {
        case clLocationKind::Foundation:
            return 'f';
        case clLocationKind::Tableau:
            return 't';
        case clLocationKind::Reserve:
            return 'r';
        case clLocationKind::Stock:
            return 's';
        case clLocationKind::Waste:
            return 'w';
        default:
            return 'o';
    }
}

std::string Join(const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& word : words)
        text += (text.empty() ? "" : " ") + word;
    return text;
}

}  // namespace

clPile* PileNamed(const clSolitaireRules& game, std::string_view name) {
    if (name.empty()) return nullptr;
    int index = 0;
    if (name.size() > 1) {
        const auto [end, ec] = std::from_chars(name.data() + 1, name.data() + name.size(), index);
        if (ec != std::errc{} || end != name.data() + name.size()) return nullptr;
    }
    int others = 0;
    for (const auto& pile : game.AllPiles()) {
        const char letter = KindLetter(game, pile.get());
        if (letter != name[0]) continue;
        const bool numbered = letter == 'f' || letter == 't' || letter == 'r';
        if (numbered && static_cast<int>(pile->PileNumber()) != index) continue;
        if (letter == 'o' && others++ != index) continue;
        return pile.get();
    }
    return nullptr;
}

std::string PileCounts(const clSolitaireRules& game) {
    std::vector<std::string> words;
    char kind = 0;
    for (const auto& pile : game.AllPiles()) {
        const char letter = KindLetter(game, pile.get());
        if (letter != kind) words.emplace_back(1, letter);
        kind = letter;
        words.push_back(std::to_string(pile->Count()));
    }
    return Join(words);
}

std::string FaceDownCounts(const clSolitaireRules& game) {
    std::vector<std::string> words;
    for (int i = 0; i < game.TableauCount(); ++i) {
        const clPile& pile = *game.Tableau(i);
        int down = 0;
        for (int j = 0; j < static_cast<int>(pile.Count()); ++j)
            down += pile.At(j)->faceDown ? 1 : 0;
        words.push_back(std::to_string(down));
    }
    return Join(words);
}

std::string Keys(const clSolitaireRules& game) {
    std::string keys;
    for (int i = 0; i < game.TableauCount(); ++i)
        keys += static_cast<char>(game.Tableau(i)->Key1());
    for (int i = 0; i < game.ReserveCount(); ++i)
        keys += static_cast<char>(game.Reserve(i)->Key1());
    return keys;
}

std::string DealPositions(const clPile& pile) {
    std::vector<std::string> words;
    for (int i = 0; i < static_cast<int>(pile.Count()); ++i)
        words.push_back(std::to_string(pile.At(i)->dealIndex));
    return Join(words);
}

std::string Anchor(const clPile& pile) {
    const clCard& anchor = pile.GetAnchor();
    std::ostringstream text;
    text << anchor.x << "," << anchor.y;
    if (anchor.offsetX != 0) text << "," << anchor.offsetX;
    return text.str();
}

::testing::AssertionResult CardsInsideTable(const clSolitaireRules& game) {
    for (const auto& pile : game.AllPiles()) {
        for (int i = 0; i < static_cast<int>(pile->Count()); ++i) {
            const clCard& card = *pile->At(i);
            const double left = card.x + card.offsetX / kSmallestCardWidth;
            const double top = card.y + card.offsetY / kSmallestCardHeight;
            if (!card.placed || left < 0 || top < 0 || left + 1 > game.TableWidth() + 1e-9 ||
                top + 1 > game.TableHeight() + 1e-9) {
                return ::testing::AssertionFailure()
                       << CardText(card) << " at " << left << "," << top << " lies outside "
                       << game.TableWidth() << " x " << game.TableHeight();
            }
        }
    }
    return ::testing::AssertionSuccess();
}

void ClearTable(clSolitaireRules& game) {
    for (const auto& pile : game.AllPiles())
        pile->Clear();
    for (int k = 0; k < game.Deck().Count(); ++k)
        game.Deck().CardAt(k)->placed = false;
}

void LayCards(clSolitaireRules& game, clPile& pile, std::string_view cards) {
    constexpr std::string_view kRanks = "A23456789TJQK";
    constexpr std::string_view kSuits = "CDHS";
    pile.Clear();
    std::istringstream words{std::string(cards)};
    for (std::string word; words >> word;) {
        const auto rank = word.size() == 2 ? kRanks.find(word[0]) : std::string_view::npos;
        const auto suit = word.size() == 2 ? kSuits.find(word[1]) : std::string_view::npos;
        clCard* card = nullptr;
        for (int k = 0; k < game.Deck().Count() && card == nullptr; ++k) {
            clCard* candidate = game.Deck().CardAt(k);
            if (!candidate->placed && candidate->GetRank() == static_cast<int>(rank) + 1 &&
                candidate->GetSuit() == static_cast<int>(suit) + 1) {
                card = candidate;
            }
        }
        if (card == nullptr) {
            ADD_FAILURE() << "no card " << word;
            return;
        }
        clGroup one(card);
        card->faceDown = card->blocked = false;
        card->placed = true;
        pile.AddCards(one);
    }
}

void ExpectLayout(const clLayoutCase& expected, std::int32_t deal) {
    SCOPED_TRACE(expected.game);
    auto screen = CreateVariant(expected.game);
    ASSERT_NE(screen, nullptr);
    auto* game = dynamic_cast<clSolitaireRules*>(screen.get());
    ASSERT_NE(game, nullptr);
    game->SetOptions({.promptBeforeResign = false, .autoSave = false});
    game->StartRound(deal);

    EXPECT_EQ(game->TableWidth(), expected.width);
    EXPECT_EQ(game->TableHeight(), expected.height);
    EXPECT_EQ(game->OffersAutoPlay(), expected.autoPlay);
    EXPECT_EQ(PileCounts(*game), expected.counts);
    EXPECT_EQ(FaceDownCounts(*game), expected.faceDown);
    EXPECT_EQ(Keys(*game), expected.keys);
    for (const auto& [name, anchor] : expected.anchors) {
        const clPile* pile = PileNamed(*game, name);
        ASSERT_NE(pile, nullptr) << name;
        EXPECT_EQ(Anchor(*pile), anchor) << name;
    }
    for (const auto& [name, positions] : expected.dealt) {
        const clPile* pile = PileNamed(*game, name);
        ASSERT_NE(pile, nullptr) << name;
        EXPECT_EQ(DealPositions(*pile), positions) << name;
    }
    for (int i = 0; i < game->TableauCount(); ++i) {
        const clPile& pile = *game->Tableau(i);
        for (int j = 0; j < static_cast<int>(pile.Count()); ++j) {
            EXPECT_EQ(pile.At(j)->blocked, pile.At(j)->faceDown) << "t" << i << " card " << j;
        }
    }
    EXPECT_TRUE(EveryCardOnce(*game));
    EXPECT_TRUE(CardsInsideTable(*game));
}

std::string LayoutName(const ::testing::TestParamInfo<clLayoutCase>& info) {
    std::string name;
    for (const char c : info.param.game) {
        if (std::isalnum(static_cast<unsigned char>(c))) name += c;
    }
    return name;
}
