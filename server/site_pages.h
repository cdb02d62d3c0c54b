#pragma once

#include <span>
#include <string_view>

// The web site's pages the game opens by key ("index", "latest160",
// "cardsets", ...): HTML fragments from the game's own web texts, built in.
struct clSitePage {
    std::string_view key;
    std::string_view html;
};

std::span<const clSitePage> SitePages();
