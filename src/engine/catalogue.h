#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// One variant as the game chooser and the rest of the program know it. The
// display name is the variant's identity everywhere (saved games, settings,
// shortcuts); the key names its files and help.
struct clCatalogueRow {
    std::string_view displayName;
    std::string_view category;
    int family = 0;
    int member = 0;
    bool favourite = false;  // starts among a new player's favourites
    std::string_view key;
    int helpTopic = 0;
};

// The categories, in the chooser's order.
inline constexpr std::array<std::string_view, 17> kCategoryNames = {
    "Tower Game",    "Golf Game",     "BlackJack Game", "Addition Game", "Matching Game",
    "Pyramid Game",  "FreeCell Game", "Klondike Game",  "Canfield Game", "Thieves Game",
    "Fan Game",      "Spider Game",   "Castle Game",    "Gaps Game",     "One Deck Game",
    "Two Deck Game", "Memory Game",
};

// The 75 variants of the chooser, in its order.
std::span<const clCatalogueRow> Catalogue();
// Variants that can be played but are on no chooser row (no category).
std::span<const clCatalogueRow> HiddenVariants();

// The row of a display name (exact); chooser rows first, then the hidden
// variants. Null when there is none.
const clCatalogueRow* FindVariant(std::string_view displayName);
// The display name of a chooser or hidden row equal to `name` without regard
// to the case of A-Z (as saved games name their variant); nothing when none.
std::optional<std::string_view> CatalogueName(std::string_view name);
// A chooser row by display name, then by key, without regard to case; with
// `includeHidden`, the hidden variants after the chooser's.
const clCatalogueRow* LookUpVariant(std::string_view nameOrKey, bool includeHidden = false);
// The key of a display name: its letters and digits, lower case.
std::string KeyOf(std::string_view displayName);
