#include "engine/catalogue.h"

#include <algorithm>
#include <cctype>

#include "engine/catalogue_rows.h"

namespace {

using namespace clGames;

// The chooser's rows in its order.
constexpr clCatalogueRow kRows[] = {
    kTripleTowers,
    kTriplePeaks,
    kTwinPeaks,
    kCrownPeaks,
    kRapunzel,
    kGolf,
    kPuttPutt,
    kDrivingRange,
    kNightGolf,
    kPyramid,
    kHiddenPyramid,
    kPickingPairs,
    kDoublePyramid,
    kCheops,
    kKingTut,
    kHiddenSums,
    kGet11,
    kFourteenOut,
    kFifteenRush,
    kFivePiles,
    kFourteenUp,
    kNestor,
    kVertical,
    kPatientPairs,
    kAcesUp,
    kBlackJackBest,
    kBlackJackSpeed,
    kFreeCell,
    kForeCell,
    kThreeCells,
    kTwoCells,
    kFourByTen,
    kSevenByFive,
    kSevenByFour,
    kSeaTowers,
    kSeaTowersKings,
    kDoubleSeaTowers,
    kBakersGame,
    kEightOff,
    kPenguin,
    kKlondike,
    kKlondikeFree,
    kKlondikeDealThree,
    kDoubleKlondike,
    kDoubleKlondikeDealThree,
    kLadyJane,
    kYukon,
    kRussianSolitaire,
    kAustralianPatience,
    kCanfield,
    kCanfieldDealThree,
    kDemonsAndThieves,
    kSpider,
    kSpiderOneSuit,
    kSpiderTwoSuits,
    kSpiderWeb,
    kScorpion,
    kClassicScorpion,
    kScorpionII,
    kFastFan,
    kFreeFan,
    kFreeFanEasy,
    kLaBelleLucie,
    kBlackHole,
    kBinaryStar,
    kFortyThieves,
    kInterchange,
    kThievesOfEgypt,  // Thieves Game
    kBeleagueredCastle,
    kGaps,
    kMontana,  // Gaps Game
    kAcesAndKings,
    kCruel,
    kOsmosis,  // One Deck Game
    kPelmanism,
};

// The variants that can be played but are on no chooser row.
constexpr clCatalogueRow kHidden[] = {
    kFreeCellKings,
    kSevenByFourKings,
    kTenByOne,
    kBakersGameKings,
    kEightOn,
    kTuxedo,
    kOpus,
    kKlondikeFreeDealThree,
    kDoubleKlondikeKings,
    kDoubleKlondikeKingsDealThree,
    kScorpionKings,
    kInterchangeKings,
};

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

std::span<const clCatalogueRow> Catalogue() {
    return kRows;
}

std::span<const clCatalogueRow> HiddenVariants() {
    return kHidden;
}

const clCatalogueRow* FindVariant(std::string_view displayName) {
    for (const auto rows : {Catalogue(), HiddenVariants()}) {
        for (const clCatalogueRow& row : rows) {
            if (row.displayName == displayName) return &row;
        }
    }
    return nullptr;
}

std::optional<std::string_view> CatalogueName(std::string_view name) {
    const auto lower = [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    };
    const auto same = [&](std::string_view a) {
        return a.size() == name.size() &&
               std::equal(a.begin(), a.end(), name.begin(),
                          [&](char x, char y) { return lower(x) == lower(y); });
    };
    for (const auto rows : {Catalogue(), HiddenVariants()}) {
        for (const clCatalogueRow& row : rows) {
            if (same(row.displayName)) return row.displayName;
        }
    }
    return std::nullopt;
}

const clCatalogueRow* LookUpVariant(std::string_view nameOrKey, bool includeHidden) {
    const auto find = [&](std::span<const clCatalogueRow> rows) -> const clCatalogueRow* {
        for (const clCatalogueRow& row : rows) {
            if (SameIgnoringCase(row.displayName, nameOrKey)) return &row;
        }
        for (const clCatalogueRow& row : rows) {
            if (SameIgnoringCase(row.key, nameOrKey)) return &row;
        }
        return nullptr;
    };
    if (const clCatalogueRow* row = find(Catalogue())) return row;
    return includeHidden ? find(HiddenVariants()) : nullptr;
}

std::string KeyOf(std::string_view displayName) {
    std::string key;
    for (const char c : displayName) {
        const auto u = static_cast<unsigned char>(c);
        if (std::isalnum(u)) key += static_cast<char>(std::tolower(u));
    }
    return key;
}
