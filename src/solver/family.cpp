#include "solver/family.h"

#include <algorithm>
#include <array>
#include <utility>

#include "engine/catalogue.h"

namespace {

constexpr clFamilyTraits kColumns{.columnsAlike = true};
constexpr clFamilyTraits kSpider{.ordered = 12};
constexpr clFamilyTraits kFans{.ordered = 10};
// Golf, the Towers, the pyramids: the table is cleared card by card, and
// the stock's cards are plays still to come.
constexpr clFamilyTraits kClearing{
    .foundation = 0, .faceDown = -10, .ordered = 0, .tableauCard = -100, .stockCard = 20};
constexpr clFamilyTraits kGolf{.foundation = 0,
                               .faceDown = -10,
                               .ordered = 0,
                               .tableauCard = -100,
                               .stockCard = 20,
                               .wasteTopOnly = true};
constexpr clFamilyTraits kPairs{.foundation = 0, .faceDown = -10, .ordered = 0};
constexpr clFamilyTraits kAddition{.foundation = 0, .faceDown = -10, .ordered = 0, .setTotal = 11};
constexpr clFamilyTraits kGaps{.foundation = 0, .removed = 0, .ordered = 0, .inPlace = 100};
constexpr clFamilyTraits kPlain{};

constexpr std::array<std::pair<std::string_view, const clFamilyTraits*>, 17> kByCategory{{
    {"Tower Game", &kGolf},
    {"Golf Game", &kGolf},
    {"BlackJack Game", &kPlain},
    {"Addition Game", &kAddition},
    {"Matching Game", &kPairs},
    {"Pyramid Game", &kClearing},
    {"FreeCell Game", &kColumns},
    {"Klondike Game", &kColumns},
    {"Canfield Game", &kColumns},
    {"Thieves Game", &kColumns},
    {"Fan Game", &kFans},
    {"Spider Game", &kSpider},
    {"Castle Game", &kColumns},
    {"Gaps Game", &kGaps},
    {"One Deck Game", &kPlain},
    {"Two Deck Game", &kPlain},
    {"Memory Game", &kPairs},
}};

// The games on no chooser row, by the family they belong to.
constexpr std::array<std::pair<std::string_view, std::string_view>, 12> kHidden{{
    {"FreeCell Kings", "FreeCell Game"},
    {"Seven By Four Kings", "FreeCell Game"},
    {"Ten By One", "FreeCell Game"},
    {"Baker's Game Kings", "FreeCell Game"},
    {"Eight On", "FreeCell Game"},
    {"Tuxedo", "FreeCell Game"},
    {"Opus", "FreeCell Game"},
    {"Klondike Free Deal Three", "Klondike Game"},
    {"Double Klondike Kings", "Klondike Game"},
    {"Double Klondike Kings Deal Three", "Klondike Game"},
    {"Scorpion Kings", "Spider Game"},
    {"Interchange Kings", "Thieves Game"},
}};

std::string_view CategoryOf(std::string_view displayName) {
    const clCatalogueRow* row = FindVariant(displayName);
    if (row != nullptr && !row->category.empty()) return row->category;
    const auto hidden = std::find_if(kHidden.begin(), kHidden.end(),
                                     [&](const auto& entry) { return entry.first == displayName; });
    return hidden != kHidden.end() ? hidden->second : std::string_view{};
}

}  // namespace

clFamilyTraits FamilyTraits(std::string_view displayName) {
    const std::string_view category = CategoryOf(displayName);
    const auto found = std::find_if(kByCategory.begin(), kByCategory.end(),
                                    [&](const auto& entry) { return entry.first == category; });
    return found != kByCategory.end() ? *found->second : kPlain;
}
