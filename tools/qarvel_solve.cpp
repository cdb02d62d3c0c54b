// qarvel-solve: searches deals for winning lines with the core's solver.
//
//   qarvel-solve GAME --deal N [--autoplay] [--nodes LIMIT] [--time-limit MS]
//   qarvel-solve --batch GAME FROM TO [--autoplay] [--nodes LIMIT] [--time-limit MS]
//
// The first form prints a winning line of deal N as a move file for
// qarvel-table play (exit status 0), or says why there is none on standard
// error: the deal cannot be won, or the limits ran out first (exit status
// 1). The batch form prints one line per deal (won, lost or unknown, the
// line's length, the time) and a summary. Bad arguments give exit status 2.
#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/catalogue.h"
#include "solver/line_script.h"
#include "solver/solver.h"
#include "variants/registry.h"

namespace {

struct clArguments {
    std::string game;
    std::int32_t deal = 0;
    bool batch = false;
    std::int32_t from = 0;
    std::int32_t to = 0;
    bool autoPlay = false;
    clSolveLimits limits{.nodes = 2'000'000, .time = std::chrono::milliseconds(10'000)};
};

int Usage() {
    std::fprintf(stderr,
                 "usage: qarvel-solve GAME --deal N [--autoplay] [--nodes LIMIT] "
                 "[--time-limit MS]\n"
                 "       qarvel-solve --batch GAME FROM TO [--autoplay] [--nodes LIMIT] "
                 "[--time-limit MS]\n");
    return 2;
}

template <class T>
bool Positive(const char* text, T& value) {
    const std::string word = text;
    const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
    return ec == std::errc{} && end == word.data() + word.size() && value > 0;
}

bool Parse(int argc, char** argv, clArguments& args) {
    std::vector<std::string> words;
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        const bool takesValue = word == "--deal" || word == "--nodes" || word == "--time-limit";
        if (takesValue && i + 1 >= argc) return false;
        std::int64_t number = 0;
        if (word == "--deal") {
            if (!Positive(argv[++i], args.deal) || args.deal == INT32_MAX) return false;
        } else if (word == "--nodes") {
            if (!Positive(argv[++i], args.limits.nodes)) return false;
        } else if (word == "--time-limit") {
            if (!Positive(argv[++i], number)) return false;
            args.limits.time = std::chrono::milliseconds(number);
        } else if (word == "--autoplay") {
            args.autoPlay = true;
        } else if (word == "--batch") {
            args.batch = true;
        } else {
            words.push_back(word);
        }
    }
    if (args.batch) {
        return words.size() == 3 && args.deal == 0 && Positive(words[1].c_str(), args.from) &&
               Positive(words[2].c_str(), args.to) && args.from <= args.to &&
               (args.game = words[0], true);
    }
    if (words.size() != 1 || args.deal == 0) return false;
    args.game = words[0];
    return true;
}

clPlayOptions Options(const clArguments& args) {
    return {.promptBeforeResign = false, .autoSave = false, .autoPlay = args.autoPlay};
}

int SolveOne(std::string_view name, const clArguments& args) {
    const clPlayOptions options = Options(args);
    const clSolveResult result = SolvePosition(name, args.deal, {}, options, args.limits);
    const auto script = result.verdict == clVerdict::Won
                            ? LineAsScript(name, args.deal, {}, options, result.line)
                            : std::nullopt;
    if (!script) {
        std::fprintf(
            stderr, "qarvel-solve: %s deal %d: %s\n", std::string(name).c_str(), args.deal,
            result.verdict == clVerdict::Lost ? "cannot be won" : "no win found within the limits");
        return 1;
    }
    std::printf("# %s, deal %d%s: a winning line found by qarvel-solve\n",
                std::string(name).c_str(), args.deal, args.autoPlay ? ", with --autoplay" : "");
    for (const std::string& line : *script)
        std::printf("%s\n", line.c_str());
    return 0;
}

double Median(std::vector<double> values) {
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

int SolveBatch(std::string_view name, const clArguments& args) {
    const clPlayOptions options = Options(args);
    int counts[3] = {0, 0, 0};
    std::vector<double> times;
    for (std::int32_t deal = args.from; deal <= args.to; ++deal) {
        const clSolveResult result = SolvePosition(name, deal, {}, options, args.limits);
        const double ms = static_cast<double>(result.elapsed.count()) / 1000.0;
        times.push_back(ms);
        ++counts[static_cast<int>(result.verdict)];
        std::printf("deal %d: %s, line %zu, %.0f ms, %lld nodes\n", deal,
                    VerdictName(result.verdict), result.line.size(), ms,
                    static_cast<long long>(result.nodes));
        std::fflush(stdout);
    }
    const double total = static_cast<double>(times.size());
    std::printf(
        "%s, deals %d to %d: won %d (%.1f%%), lost %d (%.1f%%), unknown %d (%.1f%%), "
        "median %.0f ms\n",
        std::string(name).c_str(), args.from, args.to, counts[0], 100 * counts[0] / total,
        counts[1], 100 * counts[1] / total, counts[2], 100 * counts[2] / total, Median(times));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    clArguments args;
    if (!Parse(argc, argv, args)) return Usage();
    const clCatalogueRow* row = LookUpVariant(args.game, true);
    if (row == nullptr || !IsRegistered(row->displayName)) {
        std::fprintf(stderr, "qarvel-solve: no playable game %s\n", args.game.c_str());
        return 2;
    }
    return args.batch ? SolveBatch(row->displayName, args) : SolveOne(row->displayName, args);
}
