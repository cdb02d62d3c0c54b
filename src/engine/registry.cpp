#include "engine/registry.h"

#include <algorithm>
#include <iterator>

#include "engine/solitaire_type.h"
#include "variants/black_hole.h"
#include "variants/fan.h"
#include "variants/forty_thieves.h"
#include "variants/freecell.h"
#include "variants/gaps.h"
#include "variants/golf.h"
#include "variants/klondike.h"
#include "variants/pairs.h"
#include "variants/pyramid.h"
#include "variants/spider.h"
#include "variants/stock_games.h"
#include "variants/sums.h"
#include "variants/towers.h"

namespace {

using clFactory = std::unique_ptr<clSolitaireType> (*)();

template <class Variant>
std::unique_ptr<clSolitaireType> Make() {
    return std::make_unique<Variant>();
}

struct clRegistration {
    std::string_view displayName;
    clFactory make;
};

// One explicit table: a variant is playable once its class is listed here.
constexpr clRegistration kRegistrations[] = {
    {"Klondike", Make<clKlondike>},
    {"Klondike Free", Make<clKlondikeFree>},
    {"Klondike Deal Three", Make<clKlondikeDealThree>},
    {"Klondike Free Deal Three", Make<clKlondikeFreeDealThree>},
    {"Double Klondike", Make<clDoubleKlondike>},
    {"Double Klondike Deal Three", Make<clDoubleKlondikeDealThree>},
    {"Double Klondike Kings", Make<clDoubleKlondikeKings>},
    {"Double Klondike Kings Deal Three", Make<clDoubleKlondikeKingsDealThree>},
    {"Lady Jane", Make<clLadyJane>},
    {"Yukon", Make<clYukon>},
    {"Russian Solitaire", Make<clRussianSolitaire>},
    {"Australian Patience", Make<clAustralianPatience>},
    {"Canfield", Make<clCanfield>},
    {"Canfield Deal Three", Make<clCanfieldDealThree>},
    {"Demons and Thieves", Make<clDemonsAndThieves>},
    {"Pyramid", Make<clPyramid>},
    {"Hidden Pyramid", Make<clHiddenPyramid>},
    {"Double Pyramid", Make<clDoublePyramid>},
    {"Cheops", Make<clCheops>},
    {"King Tut", Make<clKingTut>},
    {"Picking Pairs", Make<clPickingPairs>},
    {"Golf", Make<clGolf>},
    {"Putt Putt", Make<clPuttPutt>},
    {"Driving Range", Make<clDrivingRange>},
    {"Night Golf", Make<clNightGolf>},
    {"Triple Towers", Make<clTripleTowers>},
    {"Triple Peaks", Make<clTriplePeaks>},
    {"Twin Peaks", Make<clTwinPeaks>},
    {"Crown Peaks", Make<clCrownPeaks>},
    {"Rapunzel", Make<clRapunzel>},
    {"FreeCell", Make<clFreeCell>},
    {"FreeCell Kings", Make<clFreeCellKings>},
    {"ForeCell", Make<clForeCell>},
    {"Three Cells", Make<clThreeCells>},
    {"Two Cells", Make<clTwoCells>},
    {"Four By Ten", Make<clFourByTen>},
    {"Seven By Five", Make<clSevenByFive>},
    {"Seven By Four", Make<clSevenByFour>},
    {"Seven By Four Kings", Make<clSevenByFourKings>},
    {"Ten By One", Make<clTenByOne>},
    {"Sea Towers", Make<clSeaTowers>},
    {"Sea Towers Kings", Make<clSeaTowersKings>},
    {"Double SeaTowers", Make<clDoubleSeaTowers>},
    {"Baker's Game", Make<clBakersGame>},
    {"Baker's Game Kings", Make<clBakersGameKings>},
    {"Eight Off", Make<clEightOff>},
    {"Eight On", Make<clEightOn>},
    {"Penguin", Make<clPenguin>},
    {"Tuxedo", Make<clTuxedo>},
    {"Opus", Make<clOpus>},
    {"Beleaguered Castle", Make<clBeleagueredCastle>},
    {"BlackJack Best", Make<clBlackJackBest>},
    {"BlackJack Speed", Make<clBlackJackSpeed>},
    {"Aces and Kings", Make<clAcesAndKings>},
    {"Osmosis", Make<clOsmosis>},
    {"Fifteen Rush", Make<clFifteenRush>},
    {"Gaps", Make<clGaps>},
    {"Montana", Make<clMontana>},
    {"Nestor", Make<clNestor>},
    {"Vertical", Make<clVertical>},
    {"Patient Pairs", Make<clPatientPairs>},
    {"Fourteen Out", Make<clFourteenOut>},
    {"Five Piles", Make<clFivePiles>},
    {"Fourteen Up", Make<clFourteenUp>},
    {"Pelmanism", Make<clPelmanism>},
    {"Black Hole", Make<clBlackHole>},
    {"Binary Star", Make<clBinaryStar>},
    {"Aces Up", Make<clAcesUp>},
    {"Hidden Sums", Make<clHiddenSums>},
    {"Get 11", Make<clGet11>},
    {"Spider", Make<clSpider>},
    {"Spider One Suit", Make<clSpiderOneSuit>},
    {"Spider Two Suits", Make<clSpiderTwoSuits>},
    {"Spider Web", Make<clSpiderWeb>},
    {"Scorpion", Make<clScorpion>},
    {"Classic Scorpion", Make<clClassicScorpion>},
    {"Scorpion Kings", Make<clScorpionKings>},
    {"Scorpion II", Make<clScorpionII>},
    {"Forty Thieves", Make<clFortyThieves>},
    {"Interchange", Make<clInterchange>},
    {"Interchange Kings", Make<clInterchangeKings>},
    {"Thieves of Egypt", Make<clThievesOfEgypt>},
    {"Fast Fan", Make<clFastFan>},
    {"Free Fan", Make<clFreeFan>},
    {"Free Fan Easy", Make<clFreeFanEasy>},
    {"La Belle Lucie", Make<clLaBelleLucie>},
    {"Cruel", Make<clCruel>},
};

const clRegistration* Find(std::string_view displayName) {
    const auto* it =
        std::find_if(std::begin(kRegistrations), std::end(kRegistrations),
                     [&](const clRegistration& r) { return r.displayName == displayName; });
    return it == std::end(kRegistrations) ? nullptr : it;
}

}  // namespace

// Whatever goes wrong while a variant initialises (a refused step, a failed
// allocation) leaves nothing behind: the caller stays where it was.
std::unique_ptr<clSolitaireType> CreateVariant(std::string_view displayName, clScreenHost* host,
                                               const clPlayOptions* options) {
    const clRegistration* registration = Find(displayName);
    if (registration == nullptr) return nullptr;
    try {
        std::unique_ptr<clSolitaireType> screen = registration->make();
        screen->SetHost(host);
        if (options) screen->SetOptions(*options);
        if (!screen->Initialize()) return nullptr;
        return screen;
    } catch (...) {
        return nullptr;
    }
}

bool IsRegistered(std::string_view displayName) {
    return Find(displayName) != nullptr;
}

std::optional<std::string_view> RegisteredName(std::string_view name) {
    const auto lower = [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    };
    const auto same = [&](std::string_view a) {
        return a.size() == name.size() &&
               std::equal(a.begin(), a.end(), name.begin(),
                          [&](char x, char y) { return lower(x) == lower(y); });
    };
    for (const clRegistration& r : kRegistrations) {
        if (same(r.displayName)) return r.displayName;
    }
    return std::nullopt;
}

std::vector<std::string_view> RegisteredVariants() {
    std::vector<std::string_view> names;
    for (const clRegistration& r : kRegistrations)
        names.push_back(r.displayName);
    return names;
}
