#include "assets/help_source.h"

#include <algorithm>
#include <charconv>
#include <sstream>

namespace {

const char* const kSections[] = {"about", "layout", "goal", "play", "scoring"};

bool IsSection(const std::string& name) {
    for (const char* s : kSections) {
        if (name == s) return true;
    }
    return false;
}

std::string Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t\r");
    return std::string(text.substr(first, last - first + 1));
}

std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string w; in >> w;)
        words.push_back(w);
    return words;
}

bool ToInt(const std::string& text, std::int32_t& value) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc{} && end == text.data() + text.size();
}

// "setup 10000 10000 2400 0 1; goal 2 20000; pattern 3 3 20000 25000 30000; bonus 6 50 1"
bool ParseRounds(const std::string& text, clPointSystem& rounds) {
    std::istringstream in(text);
    clRoundTable table;
    bool setup = false;
    int goals = 0;
    int bonuses = 0;
    for (std::string part; std::getline(in, part, ';');) {
        const std::vector<std::string> w = Words(part);
        if (w.empty()) continue;
        std::vector<std::int32_t> n;
        for (std::size_t i = 1; i < w.size(); ++i) {
            std::int32_t v = 0;
            if (!ToInt(w[i], v)) return false;
            n.push_back(v);
        }
        const bool goalRoom = setup && goals < clRoundTable::kMaxSteps;
        if (w[0] == "setup" && n.size() == 5 && !setup) {
            table = {.goalBase = n[0],
                     .goalStep = n[1],
                     .bonusBase = n[2],
                     .bonusStep = n[3],
                     .bonusPeriod = n[4]};
            setup = true;
        } else if (w[0] == "goal" && n.size() == 2 && goalRoom) {
            table.goalSteps[goals++] = {.from = n[0], .step = n[1]};
        } else if (w[0] == "pattern" && n.size() >= 3 && goalRoom &&
                   n[1] == static_cast<std::int32_t>(n.size()) - 2 &&
                   n[1] <= clGoalStep::kMaxPattern &&
                   std::find(n.begin() + 2, n.end(), 0) == n.end()) {
            clGoalStep& step = table.goalSteps[goals++];
            step.from = n[0];
            std::copy(n.begin() + 2, n.end(), step.pattern);
        } else if (w[0] == "bonus" && n.size() == 3 && setup && bonuses < clRoundTable::kMaxSteps) {
            table.bonusSteps[bonuses++] = {.from = n[0], .step = n[1], .period = n[2]};
        } else {
            return false;
        }
    }
    if (setup) rounds.Apply(table);
    return setup;
}

}  // namespace

const std::vector<clPointName>& PointNames() {
    using P = clPointValues;
    static const std::vector<clPointName> names = {
        {"foundationPoints", &P::foundationPoints},
        {"foundationCompleteBonus", &P::foundationCompleteBonus},
        {"allFoundationsBonus", &P::allFoundationsBonus},
        {"tableauClearedBonus", &P::tableauClearedBonus},
        {"allTopsRemovedBonus", &P::allTopsRemovedBonus},
        {"firstPileClearedBonus", &P::firstPileClearedBonus},
        {"secondPileClearedBonus", &P::secondPileClearedBonus},
        {"thirdPileClearedBonus", &P::thirdPileClearedBonus},
        {"rowPoints", &P::rowPoints},
        {"removalRowPoints", &P::removalRowPoints},
        {"stockCardCost", &P::stockCardCost},
        {"wastePoints", &P::wastePoints},
        {"streakPoints", &P::streakPoints},
        {"wasteRemovalPoints", &P::wasteRemovalPoints},
        {"stockActionCost", &P::stockActionCost},
        {"stockActionIncrement", &P::stockActionIncrement},
        {"reserveCost", &P::reserveCost},
        {"reserveDepthCost", &P::reserveDepthCost},
        {"boardClearedBonus", &P::boardClearedBonus},
        {"lastOutsideCardBonus", &P::lastOutsideCardBonus},
        {"singleRemovalPoints", &P::singleRemovalPoints},
        {"sameRankPairPoints", &P::sameRankPairPoints},
        {"pairPoints", &P::pairPoints},
        {"removalPoints", &P::removalPoints},
        {"tableauPairCardPoints", &P::tableauPairCardPoints},
        {"cardTurnCost", &P::cardTurnCost},
        {"rankPoints", &P::rankPoints},
        {"baseRanksBonus", &P::baseRanksBonus},
        {"suitBuildPoints", &P::suitBuildPoints},
        {"suitRunBonus", &P::suitRunBonus},
        {"rowsCompleteBonus", &P::rowsCompleteBonus},
        {"rowRunPoints", &P::rowRunPoints},
        {"twentyOnePoints", &P::twentyOnePoints},
        {"fiveCardPoints", &P::fiveCardPoints},
        {"allTwentyOneBonus", &P::allTwentyOneBonus},
        {"pipPoints", &P::pipPoints},
    };
    return names;
}

std::string FirstDifference(const clPointValues& a, const clPointValues& b) {
    for (const clPointName& n : PointNames()) {
        if (a.*n.field != b.*n.field) return std::string(n.name);
    }
    return {};
}

std::string Thousands(std::int64_t value) {
    std::string digits = std::to_string(value < 0 ? -value : value);
    for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3) {
        digits.insert(static_cast<std::size_t>(i), ",");
    }
    return value < 0 ? "-" + digits : digits;
}

std::optional<std::string> FillPoints(const std::string& text, const clPointValues& points) {
    std::string out;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t open = text.find('{', at);
        if (open == std::string::npos) {
            out += text.substr(at);
            break;
        }
        const std::size_t close = text.find('}', open);
        if (close == std::string::npos) return std::nullopt;
        out += text.substr(at, open - at);
        const std::string name = text.substr(open + 1, close - open - 1);
        bool found = false;
        for (const clPointName& n : PointNames()) {
            if (n.name == name) {
                out += Thousands(points.*n.field);
                found = true;
            }
        }
        if (!found) return std::nullopt;
        at = close + 1;
    }
    return out;
}

bool clHelpSource::Fail(int line, const std::string& text) {
    error = "line " + std::to_string(line) + ": " + text;
    return false;
}

const clHelpGame* clHelpSource::Find(std::string_view key) const {
    for (const clHelpGame& game : games) {
        if (game.key == key) return &game;
    }
    return nullptr;
}

bool clHelpSource::Parse(std::string_view text) {
    games.clear();
    std::istringstream in{std::string(text)};
    clHelpGame* game = nullptr;
    std::string section;
    int number = 0;
    for (std::string raw; std::getline(in, raw);) {
        ++number;
        const std::string line = Trim(raw);
        if (!line.empty() && line[0] == '#') continue;
        if (!line.empty() && line[0] == '[') {
            const std::size_t close = line.find(']');
            if (close == std::string::npos) return Fail(number, "a game heading without ]");
            clHelpGame next;
            next.key = line.substr(1, close - 1);
            const std::vector<std::string> rest = Words(line.substr(close + 1));
            if (rest.size() == 2 && rest[0] == "like") {
                const clHelpGame* base = Find(rest[1]);
                if (!base) return Fail(number, "like an unknown game " + rest[1]);
                next = *base;
                next.key = line.substr(1, close - 1);
            } else if (!rest.empty()) {
                return Fail(number, "expected [key] or [key] like otherkey");
            }
            if (Find(next.key)) return Fail(number, "the game " + next.key + " is given twice");
            games.push_back(std::move(next));
            game = &games.back();
            section.clear();
            continue;
        }
        const std::size_t colon = line.find(':');
        const std::string name = colon == std::string::npos ? "" : line.substr(0, colon);
        const bool isHeading = !name.empty() && name.find(' ') == std::string::npos &&
                               (IsSection(name) || name == "points" || name == "rounds");
        if (isHeading) {
            if (!game) return Fail(number, "a section before the first game");
            const std::string value = Trim(line.substr(colon + 1));
            if (name == "points") {
                game->points = clPointValues{};
                std::istringstream list(value);
                for (std::string item; std::getline(list, item, ',');) {
                    const std::vector<std::string> w = Words(item);
                    std::int32_t v = 0;
                    if (w.size() != 2 || !ToInt(w[1], v)) return Fail(number, "bad point value");
                    bool known = false;
                    for (const clPointName& n : PointNames()) {
                        if (n.name == w[0]) {
                            game->points.*n.field = v;
                            known = true;
                        }
                    }
                    if (!known) return Fail(number, "unknown point value " + w[0]);
                }
                section.clear();
            } else if (name == "rounds") {
                game->rounds = clPointSystem{};
                if (!ParseRounds(value, game->rounds)) return Fail(number, "bad rounds line");
                section.clear();
            } else {
                section = name;
                game->sections[section] = value;
            }
            continue;
        }
        if (!name.empty() && name.find(' ') == std::string::npos && colon == line.size() - 1) {
            return Fail(number, "unknown section " + name);
        }
        if (!game || section.empty()) {
            if (line.empty()) continue;
            return Fail(number, "text outside a section");
        }
        std::string& body = game->sections[section];
        if (!body.empty()) body += '\n';
        body += line;
    }
    for (clHelpGame& g : games) {
        for (auto& [name, body] : g.sections) {
            while (!body.empty() && body.back() == '\n')
                body.pop_back();
            if (!FillPoints(body, g.points)) {
                error = g.key + ": the " + name + " text names an unknown point value";
                return false;
            }
        }
    }
    return true;
}
