#pragma once

#include <string>
#include <string_view>

class clSettings;

// The addresses the game opens in the browser: the score server's pages and
// the web site's pages by key. Every one ends in "?", then "&" and the
// installation's source tag when it has one.

// "?", or "?&" and the source tag (percent-encoded) when the tag is not
// empty and shorter than 64 characters.
std::string QueryEnding(std::string_view source);

// A variant's score page: the pages folder, "/", its short key, ".html".
std::string ScorePageUrl(const clSettings& settings, std::string_view shortKey);
// A variant's daily challenge page of today (UTC), with links to the
// earlier days: "topscores/daily/<key>.html" on the score server.
std::string DailyPageUrl(const clSettings& settings, std::string_view shortKey);
// The score server's start page.
std::string StartPageUrl(const clSettings& settings);
// A page of the web site by key, with an optional suffix
// ("latest" + "160"): the site's "app/<key><suffix>.html".
std::string WebPageUrl(const clSettings& settings, std::string_view key,
                       std::string_view suffix = {});
