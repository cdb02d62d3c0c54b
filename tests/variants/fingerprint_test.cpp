// Every variant's rules, tables and deals, pinned: its name and table size,
// its goal and bonus for the first 40 rounds, its point values, the piles'
// keys, two dealt tables and the table and score a fixed random play
// reaches. Rewriting how a game is described must leave all of it as it was.
//
// A change that is meant shows the variant's new line; the texts hashed are
// written to $QARVEL_FINGERPRINT_DUMP/<name>.txt when that is set, to compare.
#include <bit>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "engine/solitaire_rules.h"
#include "support/random_play.h"
#include "support/test_table.h"
#include "variants/registry.h"

namespace {

std::uint64_t Fnv1a(std::string_view text) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

std::string Fingerprint(std::string_view name) {
    auto screen = CreateVariant(name);
    if (!screen) return "not registered";
    auto& game = dynamic_cast<clSolitaireRules&>(*screen);
    game.SetOptions({.promptBeforeResign = false, .autoSave = false});
    std::ostringstream out;
    const clPointSystem& points = game.Points();
    out << game.DisplayName() << " " << game.Key() << " help " << game.HelpTopic() << " table "
        << game.TableWidth() << "x" << game.TableHeight() << "\nrounds";
    for (std::int32_t round = 1; round <= 40; ++round)
        out << " " << points.Goal(round) << "/" << points.Bonus(round);
    out << "\nminimum bonus " << points.MinimumBonus() << ", undo cost " << points.UndoCost()
        << "\nvalues";
    for (const std::int32_t value :
         std::bit_cast<std::array<std::int32_t, sizeof(clPointValues) / 4>>(points.values))
        out << " " << value;
    for (const std::int32_t deal : {1, 77}) {
        game.StartRound(deal);
        out << "\ndeal " << deal << " goal " << game.Goal() << " bonus " << game.BonusStart()
            << "\n"
            << Snapshot(game);
    }
    out << "keys";
    for (const auto& pile : game.AllPiles())
        out << " " << pile->Key1() << "," << pile->Key2();
    game.StartRound(5);
    std::mt19937 chance(static_cast<unsigned>(Fnv1a(name)));
    for (int step = 0; step < 200 && !game.RoundEnded(); ++step) {
        if (!PlayRandomStep(game, chance)) break;
    }
    out << "\nplayed: score " << game.Score() << " round " << game.Round() << " moves "
        << game.History().Count() << (game.RoundEnded() ? " ended" : "") << "\n"
        << Snapshot(game);
    return out.str();
}

std::map<std::string, std::string> Expected() {
    std::map<std::string, std::string> lines;
    std::ifstream in(QARVEL_TEST_FINGERPRINTS);
    std::string line;
    while (std::getline(in, line)) {
        const std::size_t tab = line.rfind('\t');
        if (tab != std::string::npos) lines[line.substr(0, tab)] = line.substr(tab + 1);
    }
    return lines;
}

class FingerprintTest : public ::testing::TestWithParam<std::string_view> {};

TEST_P(FingerprintTest, TheVariantIsAsItWas) {
    static const std::map<std::string, std::string> expected = Expected();
    const std::string name(GetParam());
    const std::string text = Fingerprint(name);
    if (const char* dump = std::getenv("QARVEL_FINGERPRINT_DUMP")) {
        std::filesystem::create_directories(dump);
        std::ofstream(std::filesystem::path(dump) / (name + ".txt")) << text;
    }
    std::ostringstream hash;
    hash << std::hex << Fnv1a(text);
    const auto found = expected.find(name);
    EXPECT_TRUE(found != expected.end() && found->second == hash.str())
        << "now: " << name << "\t" << hash.str();
}

std::string TestName(const ::testing::TestParamInfo<std::string_view>& info) {
    std::string name;
    for (const char c : info.param) {
        if (std::isalnum(static_cast<unsigned char>(c))) name += c;
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(EveryVariant, FingerprintTest, ::testing::ValuesIn(RegisteredVariants()),
                         TestName);

}  // namespace
