// qarvel-table: plays any game without a window. A deal number plus a file of
// moves reproduces a game exactly, for scripting, bug reports and tests.
//
//   qarvel-table list
//   qarvel-table show GAME --deal N [--moves FILE] [--save FILE]
//   qarvel-table play GAME --deal N --moves FILE [--autoplay] [--save FILE]
//
// GAME is a display name or key in any case ("Klondike", "klondike"). With
// --load FILE instead of --deal, a saved game is continued (GAME may then be
// left out: the file names it); --save FILE writes the game after the moves.
#include <charconv>
#include <cstdio>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/catalogue.h"
#include "engine/saved_game.h"
#include "engine/solitaire_rules.h"
#include "engine/table_script.h"
#include "engine/table_text.h"
#include "variants/registry.h"

namespace {

constexpr int kRefused = 1;
constexpr int kUsage = 2;

int Usage(const char* problem = nullptr) {
    if (problem) std::fprintf(stderr, "qarvel-table: %s\n", problem);
    std::fprintf(stderr,
                 "usage: qarvel-table list\n"
                 "       qarvel-table show GAME --deal N [--moves FILE] [--save FILE]\n"
                 "       qarvel-table show [GAME] --load FILE [--moves FILE] [--save FILE]\n"
                 "       qarvel-table play GAME --deal N --moves FILE [--autoplay] [--save FILE]\n"
                 "       qarvel-table play [GAME] --load FILE --moves FILE [--autoplay]"
                 " [--save FILE]\n");
    return kUsage;
}

struct clArguments {
    std::string command;
    std::string game;
    std::int32_t deal = 0;
    std::string moves;
    std::string load;
    std::string save;
    bool autoPlay = false;
};

// The arguments, or nothing with `problem` saying what is wrong with them
// (left empty when only the usage can say it).
std::optional<clArguments> Parse(int argc, char** argv, std::string& problem) {
    clArguments args;
    std::vector<std::string> words(argv + 1, argv + argc);
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        const bool hasValue = i + 1 < words.size();
        if (word == "--deal" && hasValue) {
            const std::string& text = words[++i];
            const auto [end, ec] =
                std::from_chars(text.data(), text.data() + text.size(), args.deal);
            if (ec != std::errc{} || end != text.data() + text.size() || args.deal < 1 ||
                args.deal > clSavedGameFile::kMaxDealNumber) {
                problem = "deal must be 1 to " + std::to_string(clSavedGameFile::kMaxDealNumber);
                return std::nullopt;
            }
        } else if (word == "--moves" && hasValue) {
            args.moves = words[++i];
        } else if (word == "--load" && hasValue) {
            args.load = words[++i];
        } else if (word == "--save" && hasValue) {
            args.save = words[++i];
        } else if (word == "--autoplay") {
            args.autoPlay = true;
        } else if (args.command.empty()) {
            args.command = word;
        } else if (args.game.empty()) {
            args.game = word;
        } else {
            return std::nullopt;
        }
    }
    return args;
}

int List() {
    std::printf("%-34s %-30s %-16s %s\n", "game", "key", "category", "playable");
    for (const auto rows : {Catalogue(), HiddenVariants()}) {
        for (const clCatalogueRow& row : rows) {
            const std::string category = row.category.empty() ? "-" : std::string(row.category);
            std::printf("%-34s %-30s %-16s %s\n", std::string(row.displayName).c_str(),
                        std::string(row.key).c_str(), category.c_str(),
                        IsRegistered(row.displayName) ? "yes" : "no");
        }
    }
    return 0;
}

void PrintTable(const clSolitaireRules& game) {
    std::printf("%s", DescribeTable(game).c_str());
    std::printf("round %d, score %d, goal %d, bonus %d\n", game.Round(), game.Score(), game.Goal(),
                game.Timer().Count());
    std::printf("%s", clScoreboard::ExtraText(game.ScoreboardValues().extra).c_str());
}

// Applies the move file; prints each move's points when `verbose`. The exit
// status: 0, or 1 at the first refused move, or 2 for a file that cannot be read.
int ApplyMoves(clSolitaireRules& game, const std::string& path, bool verbose) {
    std::ifstream in(path);
    if (!in) {
        std::fprintf(stderr, "qarvel-table: cannot read %s\n", path.c_str());
        return kUsage;
    }
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        clScriptCommand command;
        std::string error;
        if (!ParseScriptLine(line, command, error)) {
            std::fprintf(stderr, "qarvel-table: %s:%d: %s\n", path.c_str(), number, error.c_str());
            return kUsage;
        }
        if (command.kind == clScriptCommand::clKind::None) continue;
        const std::int32_t before = game.Score();
        if (!ApplyScriptCommand(game, command)) {
            std::printf("line %d refused: %s\n", number, line.c_str());
            return kRefused;
        }
        const std::int32_t after = game.RoundEnded() ? game.LastRoundScore() : game.Score();
        if (verbose) std::printf("line %d: %s  %+d\n", number, line.c_str(), after - before);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::string problem;
    const std::optional<clArguments> args = Parse(argc, argv, problem);
    if (!args) return Usage(problem.empty() ? nullptr : problem.c_str());
    if (args->command == "list") return args->game.empty() ? List() : Usage();
    if (args->command != "show" && args->command != "play") return Usage();
    const bool loading = !args->load.empty();
    if (loading && args->deal != 0) return Usage("--deal and --load do not go together");
    if (!loading && (args->game.empty() || args->deal == 0)) {
        return Usage("a game and --deal (or --load) are needed");
    }
    if (args->command == "play" && args->moves.empty()) return Usage("play needs --moves");

    std::string gameName = args->game;
    if (loading) {
        const std::optional<std::string> saved = clSavedGameFile::ReadName(args->load);
        if (!saved) {
            std::fprintf(stderr, "qarvel-table: %s is not a saved game\n", args->load.c_str());
            return kUsage;
        }
        const clCatalogueRow* named = gameName.empty() ? nullptr : LookUpVariant(gameName, true);
        if (!gameName.empty() &&
            (named == nullptr || CatalogueName(*saved) != named->displayName)) {
            std::fprintf(stderr, "qarvel-table: %s is a saved game of %s\n", args->load.c_str(),
                         saved->c_str());
            return kUsage;
        }
        gameName = *saved;
    }
    const clCatalogueRow* row = LookUpVariant(gameName, true);
    if (row == nullptr) return Usage(("no such game: " + gameName).c_str());
    std::unique_ptr<clSolitaireType> screen = CreateVariant(row->displayName);
    auto* game = dynamic_cast<clSolitaireRules*>(screen.get());
    if (game == nullptr) {
        std::fprintf(stderr, "qarvel-table: %s is not playable yet\n",
                     std::string(row->displayName).c_str());
        return kUsage;
    }
    clPlayOptions options;
    options.autoPlay = args->autoPlay;
    options.promptBeforeResign = false;
    options.autoSave = false;
    game->SetOptions(options);
    if (!loading) {
        game->StartRound(args->deal);
    } else if (game->Load(args->load) != clSolitaireType::clLoadResult::Loaded) {
        std::fprintf(stderr,
                     "qarvel-table: cannot load %s: the file is damaged or holds a move the "
                     "rules refuse\n",
                     args->load.c_str());
        return kUsage;
    } else if (game->IsPaused()) {
        game->Pause();  // a game whose clock had started resumes paused
    }

    const std::int32_t deal = game->DealNumber();
    int status = 0;
    if (!args->moves.empty()) status = ApplyMoves(*game, args->moves, args->command == "play");
    if (status == kUsage) return status;
    if (status == 0 && !args->save.empty() && !game->Save(args->save)) {
        std::fprintf(stderr, "qarvel-table: cannot write %s\n", args->save.c_str());
        return kUsage;
    }
    std::printf("%s, deal %d\n", std::string(row->displayName).c_str(), deal);
    PrintTable(*game);
    if (args->command == "play") {
        const bool won = game->RoundEnded() && game->LastRoundWon();
        if (game->RoundEnded()) std::printf("final score %d\n", game->LastRoundScore());
        std::printf("%s\n", won ? "won" : "not won");
    }
    return status;
}
