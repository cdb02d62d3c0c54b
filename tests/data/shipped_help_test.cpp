// The help pages and web pages the build wrote.
#include <regex>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "data/shipped_data.h"
#include "engine/catalogue.h"
#include "graphics/interface_layout.h"

namespace {

// A page for every help topic a game carries, each naming its game, and a
// games list that leads to every game on the chooser.
TEST(ShippedHelpTest, EveryGameHasItsPage) {
    const std::string list = ReadShippedText(kShippedData / "help" / "1000.html");
    ASSERT_FALSE(list.empty());
    EXPECT_FALSE(ReadShippedText(kShippedData / "help" / "index.html").empty());
    for (const auto rows : {Catalogue(), HiddenVariants()}) {
        for (const clCatalogueRow& row : rows) {
            SCOPED_TRACE(std::string(row.displayName));
            const std::string page = std::to_string(row.helpTopic) + ".html";
            const std::string html = ReadShippedText(kShippedData / "help" / page);
            EXPECT_NE(html.find("<h1>" + std::string(row.displayName) + "</h1>"),
                      std::string::npos);
            EXPECT_NE(html.find("<h2>How to play</h2>"), std::string::npos);
            EXPECT_NE(html.find("<h2>Scoring</h2>"), std::string::npos);
            EXPECT_NE(list.find("href=\"" + page + "\""), std::string::npos);
        }
    }
}

// The web pages the program opens by key: from its menus and from the Help
// Center's hot rectangles, whose help targets must exist too.
TEST(ShippedHelpTest, EveryPageTheProgramOpensExists) {
    std::set<std::string> keys = {"index",    "latest160", "cardsets", "newsletter",
                                  "customer", "forum",     "games"};
    for (const clInterfaceLayout::clHotRectangle& hot : clInterfaceLayout::kHelpHotRectangles) {
        if (!hot.webPage.empty()) {
            keys.insert(std::string(hot.webPage));
        } else {
            const std::string page =
                hot.helpTopic == 0 ? "index.html" : std::to_string(hot.helpTopic) + ".html";
            EXPECT_TRUE(std::filesystem::exists(kShippedData / "help" / page)) << page;
        }
    }
    for (const std::string& key : keys) {
        const std::string html = ReadShippedText(kShippedData / "web" / "app" / (key + ".html"));
        EXPECT_NE(html.find("<h1>"), std::string::npos) << key;
    }
}

// Pages are written for players: every point value filled in, and no names
// from the program's code.
TEST(ShippedHelpTest, PagesReadAsPlainText) {
    const std::regex codeName("\\bcl[A-Z][a-zA-Z]+");
    for (const auto& folder : {kShippedData / "help", kShippedData / "web" / "app"}) {
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            if (entry.path().extension() != ".html") continue;
            const std::string html = ReadShippedText(entry.path());
            EXPECT_EQ(html.find('{'), std::string::npos) << entry.path();
            EXPECT_FALSE(std::regex_search(html, codeName)) << entry.path();
        }
    }
}

}  // namespace
