// The FreeCell family's solver on a range of deals, for bench/solver-vs-fc-solve.
//
//   qarvel_freecell_solve boards FROM TO FOLDER
//       writes FreeCell deals FROM..TO as FOLDER/N.board, one column a line,
//       bottom card first ("KS 2C TD ..."), the board format of FreeCell Solver
//   qarvel_freecell_solve solve GAME FROM TO MILLISECONDS [--no-autoplay]
//       solves each deal with that time limit and prints one line a deal:
//       "deal verdict microseconds nodes moves"
//
// The time is the solver's call alone: reading the table, the search, and
// replaying the line on a fresh screen. Making the screen and dealing are
// left out, as reading the board file is on the other side.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include "cards/random.h"
#include "engine/solitaire_rules.h"
#include "engine/table_text.h"
#include "solver/freecell_solver.h"
#include "variants/registry.h"

namespace {

std::unique_ptr<clSolitaireType> Dealt(const char* name, int deal, const clPlayOptions& options,
                                       clRandom& generator) {
    std::unique_ptr<clSolitaireType> screen = CreateVariant(name, nullptr, &options);
    auto* game = dynamic_cast<clSolitaireRules*>(screen.get());
    if (game == nullptr) return nullptr;
    game->SetGenerator(generator);
    game->SetOptions(options);
    game->StartRound(deal);
    return screen;
}

int Boards(int from, int to, const std::string& folder) {
    const clPlayOptions options{.autoSave = false};
    for (int deal = from; deal <= to; ++deal) {
        clRandom generator;
        const auto screen = Dealt("FreeCell", deal, options, generator);
        const auto* game = dynamic_cast<const clSolitaireRules*>(screen.get());
        if (game == nullptr) return 1;
        std::ofstream out(folder + "/" + std::to_string(deal) + ".board");
        for (int c = 0; c < game->TableauCount(); ++c) {
            const clPile* column = game->Tableau(c);
            for (int k = 0; k < static_cast<int>(column->Count()); ++k)
                out << (k ? " " : "") << CardText(*column->At(k));
            out << '\n';
        }
        if (!out) return 1;
    }
    return 0;
}

int Solve(const char* name, int from, int to, int milliseconds, bool autoPlay) {
    const clPlayOptions options{.autoSave = false, .autoPlay = autoPlay};
    const clSolveLimits limits{.nodes = 1'000'000'000,
                               .time = std::chrono::milliseconds(milliseconds)};
    for (int deal = from; deal <= to; ++deal) {
        clRandom generator;
        const auto screen = Dealt(name, deal, options, generator);
        auto* game = dynamic_cast<clSolitaireRules*>(screen.get());
        if (game == nullptr) return 1;
        const auto start = std::chrono::steady_clock::now();
        const auto result = SolveFreeCellFamily(*game, options, limits);
        const auto spent = std::chrono::duration_cast<std::chrono::microseconds>(
            std::chrono::steady_clock::now() - start);
        if (!result) return 1;
        std::printf("%d %s %lld %lld %zu\n", deal, VerdictName(result->verdict),
                    static_cast<long long>(spent.count()), static_cast<long long>(result->nodes),
                    result->line.size());
        std::fflush(stdout);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "boards" && argc == 5)
        return Boards(std::atoi(argv[2]), std::atoi(argv[3]), argv[4]);
    if (mode == "solve" && (argc == 6 || argc == 7)) {
        const bool autoPlay = argc == 6 || std::string(argv[6]) != "--no-autoplay";
        return Solve(argv[2], std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]), autoPlay);
    }
    std::fprintf(stderr,
                 "usage: qarvel_freecell_solve boards FROM TO FOLDER\n"
                 "       qarvel_freecell_solve solve GAME FROM TO MILLISECONDS [--no-autoplay]\n");
    return 2;
}
