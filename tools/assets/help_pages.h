#pragma once

#include <map>
#include <string>
#include <vector>

#include "assets/help_source.h"

// One written page: its file name inside its folder and its HTML.
struct clHelpPage {
    std::string fileName;
    std::string html;
};

// The help folder: one page per game, named by its help topic number, from
// the catalogue and the game texts; the games list (topic 1000); and the
// contents page index.html around `contentsBody`. False with `error` set
// when a game of the catalogue has no text or a text cannot be filled in.
bool BuildHelpPages(const clHelpSource& source, const std::string& contentsBody,
                    std::vector<clHelpPage>& pages, std::string& error);

// The pages of the web site that the game opens by key, each body wrapped
// in the site's frame ("index" -> "index.html").
std::vector<clHelpPage> BuildWebPages(const std::map<std::string, std::string>& bodies);

// The topic number of the games list, which also stands for the help of
// the program as a whole.
inline constexpr int kGamesTopic = 1000;
