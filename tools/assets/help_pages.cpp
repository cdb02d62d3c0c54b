#include "assets/help_pages.h"

#include <sstream>

#include "engine/catalogue.h"

namespace {

constexpr int kRoundsShown = 8;
// Each tenth of a second left on the time bonus is worth this many points.
constexpr int kPointsPerTenth = 10;

std::string Escape(std::string_view text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

// Paragraphs and lists from the source text: lines starting with "- " are
// list items, other lines run together into paragraphs, blank lines part them.
std::string Markup(const std::string& text) {
    std::ostringstream out;
    std::istringstream in(text);
    std::string paragraph;
    bool inList = false;
    const auto endParagraph = [&] {
        if (!paragraph.empty()) out << "<p>" << Escape(paragraph) << "</p>\n";
        paragraph.clear();
    };
    const auto endList = [&] {
        if (inList) out << "</ul>\n";
        inList = false;
    };
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("- ", 0) == 0) {
            endParagraph();
            if (!inList) out << "<ul>\n";
            inList = true;
            out << "<li>" << Escape(line.substr(2)) << "</li>\n";
        } else if (line.empty()) {
            endParagraph();
            endList();
        } else {
            endList();
            if (!paragraph.empty()) paragraph += ' ';
            paragraph += line;
        }
    }
    endParagraph();
    endList();
    return out.str();
}

// The markup keeps to what the game's help window draws as well as a web
// browser: the bar is a one-cell table (a table cell is the only block that
// window pads and colours edge to edge) and the parts are divs.
std::string Page(const std::string& title, const std::string& body, bool helpLinks) {
    std::ostringstream out;
    out << "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
        << "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
        << "<title>" << Escape(title) << " - Qarvel</title>\n"
        << "<link rel=\"stylesheet\" type=\"text/css\" href=\"qarvel.css\">\n</head>\n<body>\n"
        << "<table class=\"bar\" width=\"100%\" cellspacing=\"0\"><tr><td>"
        << "<span class=\"brand\">Qarvel</span>";
    if (helpLinks) {
        out << "&emsp; <a href=\"index.html\">How to Play</a> &middot; <a href=\"" << kGamesTopic
            << ".html\">The Games</a>";
    }
    out << "</td></tr></table>\n<div class=\"page\">\n"
        << body << "</div>\n<div class=\"footer\">Qarvel 1.60</div>\n</body>\n</html>\n";
    return out.str();
}

std::string TimeText(std::int32_t tenths) {
    const int seconds = tenths / 10;
    std::ostringstream out;
    out << seconds / 60 << ':' << (seconds % 60 < 10 ? "0" : "") << seconds % 60;
    return out.str();
}

std::string RoundsTable(const clPointSystem& rounds) {
    std::ostringstream out;
    out << "<table class=\"rounds\">\n<tr><th>Round</th><th>Goal</th><th>Time bonus</th></tr>\n";
    for (int round = 1; round <= kRoundsShown; ++round) {
        out << "<tr><td>" << round << "</td><td class=\"number\">" << Thousands(rounds.Goal(round))
            << "</td><td class=\"number\">" << TimeText(rounds.Bonus(round)) << " ("
            << Thousands(rounds.Bonus(round) * kPointsPerTenth) << " points)</td></tr>\n";
    }
    out << "</table>\n";
    return out.str();
}

std::string GamePage(const clCatalogueRow& row, const clHelpGame& game) {
    const auto section = [&](const char* name) {
        const auto it = game.sections.find(name);
        return it == game.sections.end() ? std::string() : *FillPoints(it->second, game.points);
    };
    std::ostringstream body;
    body << "<h1>" << Escape(row.displayName) << "</h1>\n";
    if (!row.category.empty()) {
        body << "<p class=\"category\">" << Escape(row.category)
             << (row.favourite ? " &middot; a good game to start with" : "") << "</p>\n";
    }
    body << Markup(section("about"));
    const struct {
        const char* name;
        const char* heading;
    } parts[] = {{"layout", "The layout"},
                 {"goal", "The goal"},
                 {"play", "How to play"},
                 {"scoring", "Scoring"}};
    for (const auto& part : parts) {
        const std::string text = section(part.name);
        if (!text.empty()) body << "<h2>" << part.heading << "</h2>\n" << Markup(text);
    }
    body << "<h2>Rounds</h2>\n"
         << "<p>Your score carries from round to round and must reach each round's goal by the "
            "end of the round. The time bonus starts to count down at your first move; what is "
            "left of it when the round ends is added to your score.</p>\n"
         << RoundsTable(game.rounds)
         << "<p>Later rounds go on in the same way: the goal keeps rising and the time bonus "
            "stays the same or shrinks.</p>\n";
    return Page(std::string(row.displayName), body.str(), true);
}

std::string GamesList() {
    std::ostringstream body;
    body << "<h1>The Games</h1>\n"
         << "<p>Qarvel has 75 games in " << kCategoryNames.size()
         << " groups. Games marked with a star are good ones to start with. Choose a game to "
            "read its rules.</p>\n";
    for (const std::string_view category : kCategoryNames) {
        body << "<h2>" << Escape(category) << "s</h2>\n<ul class=\"games\">\n";
        for (const clCatalogueRow& row : Catalogue()) {
            if (row.category != category) continue;
            body << "<li><a href=\"" << row.helpTopic << ".html\">" << Escape(row.displayName)
                 << "</a>" << (row.favourite ? " <span class=\"star\">&#9733;</span>" : "")
                 << "</li>\n";
        }
        body << "</ul>\n";
    }
    body << "<h2>More versions</h2>\n<p>Saved games and shortcuts may also name these versions "
            "of the games above:</p>\n<ul class=\"games\">\n";
    for (const clCatalogueRow& row : HiddenVariants()) {
        body << "<li><a href=\"" << row.helpTopic << ".html\">" << Escape(row.displayName)
             << "</a></li>\n";
    }
    body << "</ul>\n";
    return Page("The Games", body.str(), true);
}

// The text of the first <h1> of a page body, for its title.
std::string FirstHeading(const std::string& body) {
    const std::size_t open = body.find("<h1>");
    const std::size_t close = body.find("</h1>");
    if (open == std::string::npos || close == std::string::npos || close < open) return "Qarvel";
    return body.substr(open + 4, close - open - 4);
}

}  // namespace

bool BuildHelpPages(const clHelpSource& source, const std::string& contentsBody,
                    std::vector<clHelpPage>& pages, std::string& error) {
    pages.clear();
    for (const auto rows : {Catalogue(), HiddenVariants()}) {
        for (const clCatalogueRow& row : rows) {
            const clHelpGame* game = source.Find(row.key);
            if (!game) {
                error = "no help text for " + std::string(row.displayName) + " [" +
                        std::string(row.key) + "]";
                return false;
            }
            pages.push_back({std::to_string(row.helpTopic) + ".html", GamePage(row, *game)});
        }
    }
    pages.push_back({std::to_string(kGamesTopic) + ".html", GamesList()});
    pages.push_back({"index.html", Page(FirstHeading(contentsBody), contentsBody, true)});
    return true;
}

std::vector<clHelpPage> BuildWebPages(const std::map<std::string, std::string>& bodies) {
    std::vector<clHelpPage> pages;
    for (const auto& [key, body] : bodies) {
        pages.push_back({key + ".html", Page(FirstHeading(body), body, false)});
    }
    return pages;
}
