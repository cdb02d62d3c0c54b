// qarvel-solve: searches for a winning line of a deal and prints it as a move
// file for qarvel-table play. A tool for writing scripted test games and for
// checking that a deal can be won; it knows no game's strategy, only the
// rules the engine enforces.
//
//   qarvel-solve GAME --deal N [--autoplay] [--nodes LIMIT] [--stock-actions LIMIT]
//
// Exit status 0 with the moves on standard output, 1 when no win was found
// within the node limit, 2 for bad arguments.
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "engine/catalogue.h"
#include "engine/solitaire_rules.h"
#include "engine/table_script.h"
#include "engine/table_text.h"
#include "variants/registry.h"

namespace {

struct clCandidate {
    std::string text;
    int priority = 0;
    std::int32_t points = 0;  // what the game pays for it: the better move among equals
};

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
            return "";
    }
}

class clSolver {
public:
    // `stockLimit` caps the stock actions (redeals) of a line: games whose
    // redeals cost more each time are won only with few of them.
    clSolver(clSolitaireRules& game, std::int32_t deal, long nodeLimit, int stockLimit,
             const clPlayOptions& options)
        : game(game), deal(deal), nodeLimit(nodeLimit), stockLimit(stockLimit), options(options) {}

    bool Solve() {
        game.StartRound(deal);
        return Search();
    }
    const std::vector<std::string>& Line() const { return line; }

private:
    std::vector<clCandidate> Candidates() {
        std::vector<clCandidate> out;
        for (const auto& source : game.AllPiles()) {
            const clLocation fromPile = game.LocationOf(source.get(), 0);
            if (fromPile.kind == clLocationKind::None) continue;
            for (int p = 0; p < static_cast<int>(source->Count()); ++p) {
                for (const auto& destination : game.AllPiles()) {
                    if (destination == source) continue;
                    const clLocation to =
                        game.LocationOf(destination.get(), static_cast<int>(destination->Count()));
                    if (to.kind == clLocationKind::None) continue;
                    const clMove move =
                        clMove::CardMove(source->At(p)->dealIndex, fromPile.WithPosition(p), to);
                    if (!game.ValidateMove(move)) continue;
                    const int priority = Priority(*source, p, *destination, fromPile, to);
                    out.push_back({"MOVE " + PileName(fromPile) + ":" + std::to_string(p) + " " +
                                       PileName(to),
                                   priority, game.ScoreMove(move)});
                }
            }
        }
        std::vector<std::pair<std::int32_t, std::string>> tops;
        for (const auto& pile : game.AllPiles()) {
            const std::string name = PileName(game.LocationOf(pile.get(), 0));
            if (pile->Count() > 0 && !name.empty()) tops.emplace_back(pile->TopDealIndex(), name);
        }
        for (std::size_t i = 0; i < tops.size(); ++i) {
            for (std::size_t j = i; j < tops.size(); ++j) {
                if (!game.ValidateMove(game.PairMoveFor(tops[i].first, tops[j].first))) continue;
                out.push_back({i == j ? "PAIR " + tops[i].second
                                      : "PAIR " + tops[i].second + " " + tops[j].second,
                               90});
            }
        }
        if (game.Stock() && game.Stock()->IsClickAction()) out.push_back({"DEAL", 20});
        const auto stockActions = std::count(line.begin(), line.end(), std::string("STOCK"));
        if (stockActions < stockLimit && game.ValidateMove(clMove::StockMove())) {
            out.push_back({"STOCK", 10});
        }
        std::stable_sort(out.begin(), out.end(), [](const clCandidate& a, const clCandidate& b) {
            return a.priority != b.priority ? a.priority > b.priority : a.points > b.points;
        });
        return out;
    }

    // Foundations first, then moves that turn a card or clear a pile; moving
    // a whole pile into an empty one comes last.
    static int Priority(const clPile& source, int p, const clPile& destination,
                        const clLocation& from, const clLocation& to) {
        if (to.kind == clLocationKind::Foundation) return 100;
        if (from.kind == clLocationKind::Foundation) return 5;
        if (from.kind == clLocationKind::Tableau && to.kind == clLocationKind::Tableau) {
            if (p == 0 && destination.Count() == 0) return 1;
            if (p > 0 && source.At(p - 1)->faceDown) return 80;
            if (p == 0) return 60;
            return 30;
        }
        if (from.kind == clLocationKind::Waste || from.kind == clLocationKind::Stock ||
            from.kind == clLocationKind::Reserve) {
            return 50;
        }
        return 25;
    }

    std::size_t StateKey() const { return std::hash<std::string>{}(DescribeTable(game)); }

    // Back to the table after the first `depth` commands of the line.
    void Restore(std::size_t historyPosition) {
        game.History().SetPosition(historyPosition);
        game.Rebuild();
    }

    // Depth-first over the candidates of each table, most promising first,
    // never entering a table seen before. The path is kept on an explicit
    // stack: winning lines can be hundreds of moves long.
    bool Search() {
        struct clFrame {
            std::vector<clCandidate> candidates;
            std::size_t next = 0;
            std::size_t historyPosition = 0;
        };
        std::vector<clFrame> path;
        const auto enter = [&] {
            if (!visited.insert(StateKey()).second || ++nodes > nodeLimit) return false;
            path.push_back({Candidates(), 0, game.History().Position()});
            return true;
        };
        if (!enter()) return false;
        while (!path.empty() && nodes <= nodeLimit) {
            clFrame& frame = path.back();
            if (frame.next == frame.candidates.size()) {
                path.pop_back();
                if (path.empty()) break;
                line.pop_back();
                Restore(path.back().historyPosition);
                continue;
            }
            const std::string text = frame.candidates[frame.next++].text;
            clScriptCommand command;
            std::string error;
            if (!ParseScriptLine(text, command, error) || !ApplyScriptCommand(game, command)) {
                continue;
            }
            line.push_back(text);
            if (game.RoundEnded()) {
                // The search's own score is not kept across backtracking: a
                // solved table is checked by playing the line on a fresh game.
                if (game.IsGameWon() && Verify()) return true;
                line.pop_back();
                Replay();
                continue;
            }
            if (!enter()) {
                line.pop_back();
                Restore(path.back().historyPosition);
            }
        }
        return false;
    }

    // Whether the line wins when played from the deal, as qarvel-table plays it.
    bool Verify() const {
        std::unique_ptr<clSolitaireType> screen = CreateVariant(game.DisplayName());
        auto* fresh = dynamic_cast<clSolitaireRules*>(screen.get());
        if (fresh == nullptr) return false;
        fresh->SetOptions(options);
        fresh->StartRound(deal);
        for (const std::string& text : line) {
            clScriptCommand command;
            std::string error;
            if (!ParseScriptLine(text, command, error) || !ApplyScriptCommand(*fresh, command)) {
                return false;
            }
        }
        return fresh->RoundEnded() && fresh->LastRoundWon();
    }

    // After a round ended without a win the history is gone: deal again and
    // replay the line so far.
    void Replay() {
        game.StartRound(deal);
        for (const std::string& text : line) {
            clScriptCommand command;
            std::string error;
            ParseScriptLine(text, command, error);
            ApplyScriptCommand(game, command);
        }
    }

    clSolitaireRules& game;
    std::int32_t deal;
    long nodeLimit;
    int stockLimit;
    clPlayOptions options;
    long nodes = 0;
    std::unordered_set<std::size_t> visited;
    std::vector<std::string> line;
};

int Usage() {
    std::fprintf(stderr,
                 "usage: qarvel-solve GAME --deal N [--autoplay] [--nodes LIMIT] "
                 "[--stock-actions LIMIT]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string gameName;
    std::int32_t deal = 0;
    long nodes = 200000;
    int stockLimit = 1000000;
    bool autoPlay = false;
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        const auto number = [&](auto& value) {
            if (i + 1 >= argc) return false;
            const std::string text = argv[++i];
            const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
            return ec == std::errc{} && end == text.data() + text.size() && value > 0;
        };
        if (word == "--deal") {
            if (!number(deal)) return Usage();
        } else if (word == "--nodes") {
            if (!number(nodes)) return Usage();
        } else if (word == "--stock-actions") {
            if (!number(stockLimit)) return Usage();
        } else if (word == "--autoplay") {
            autoPlay = true;
        } else if (gameName.empty()) {
            gameName = word;
        } else {
            return Usage();
        }
    }
    if (gameName.empty() || deal == 0) return Usage();
    const clCatalogueRow* row = LookUpVariant(gameName, true);
    std::unique_ptr<clSolitaireType> screen = row ? CreateVariant(row->displayName) : nullptr;
    auto* game = dynamic_cast<clSolitaireRules*>(screen.get());
    if (game == nullptr) {
        std::fprintf(stderr, "qarvel-solve: no playable game %s\n", gameName.c_str());
        return 2;
    }
    const clPlayOptions options{
        .promptBeforeResign = false, .autoSave = false, .autoPlay = autoPlay};
    game->SetOptions(options);

    clSolver solver(*game, deal, nodes, stockLimit, options);
    if (!solver.Solve()) {
        std::fprintf(stderr, "qarvel-solve: no win found for %s deal %d within %ld nodes\n",
                     std::string(row->displayName).c_str(), deal, nodes);
        return 1;
    }
    std::printf("# %s, deal %d%s: a winning line found by qarvel-solve\n",
                std::string(row->displayName).c_str(), deal, autoPlay ? ", with --autoplay" : "");
    for (const std::string& text : solver.Line())
        std::printf("%s\n", text.c_str());
    return 0;
}
