// Every playable variant under random play: cards are conserved, undo and
// redo are exact, and replaying the history reproduces the table.
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "engine/registry.h"
#include "engine/solitaire_rules.h"
#include "support/random_play.h"

namespace {

class VariantPropertyTest : public ::testing::TestWithParam<std::string_view> {};

TEST_P(VariantPropertyTest, RandomPlayStaysConsistent) {
    auto screen = CreateVariant(GetParam());
    ASSERT_NE(screen, nullptr);
    auto* game = dynamic_cast<clSolitaireRules*>(screen.get());
    ASSERT_NE(game, nullptr);
    game->SetOptions({.promptBeforeResign = false, .autoSave = false});
    std::mt19937 chance(static_cast<unsigned>(std::hash<std::string_view>{}(GetParam())));
    PlayRandomly(*game, chance, 8, 40);
}

std::string TestName(const ::testing::TestParamInfo<std::string_view>& info) {
    std::string name;
    for (const char c : info.param) {
        if (std::isalnum(static_cast<unsigned char>(c))) name += c;
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(EveryVariant, VariantPropertyTest,
                         ::testing::ValuesIn(RegisteredVariants()), TestName);

}  // namespace
