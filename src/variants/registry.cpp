#include "variants/registry.h"

#include <algorithm>
#include <iterator>

#include "engine/catalogue_rows.h"
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

template <class Variant>
std::unique_ptr<clSolitaireType> Make() {
    return std::make_unique<Variant>();
}

struct clRegistration {
    const clCatalogueRow& game;
    clScreenMaker make;
};

using namespace clGames;

// One explicit table: a variant is playable once its class is listed here.
constexpr clRegistration kRegistrations[] = {
    {kKlondike, Make<clKlondike>},
    {kKlondikeFree, Make<clKlondikeFree>},
    {kKlondikeDealThree, Make<clKlondikeDealThree>},
    {kKlondikeFreeDealThree, Make<clKlondikeFreeDealThree>},
    {kDoubleKlondike, Make<clDoubleKlondike>},
    {kDoubleKlondikeDealThree, Make<clDoubleKlondikeDealThree>},
    {kDoubleKlondikeKings, Make<clDoubleKlondikeKings>},
    {kDoubleKlondikeKingsDealThree, Make<clDoubleKlondikeKingsDealThree>},
    {kLadyJane, Make<clLadyJane>},
    {kYukon, Make<clYukon>},
    {kRussianSolitaire, Make<clRussianSolitaire>},
    {kAustralianPatience, Make<clAustralianPatience>},
    {kCanfield, Make<clCanfield>},
    {kCanfieldDealThree, Make<clCanfieldDealThree>},
    {kDemonsAndThieves, Make<clDemonsAndThieves>},
    {kPyramid, Make<clPyramid>},
    {kHiddenPyramid, Make<clHiddenPyramid>},
    {kDoublePyramid, Make<clDoublePyramid>},
    {kCheops, Make<clCheops>},
    {kKingTut, Make<clKingTut>},
    {kPickingPairs, Make<clPickingPairs>},
    {kGolf, Make<clGolf>},
    {kPuttPutt, Make<clPuttPutt>},
    {kDrivingRange, Make<clDrivingRange>},
    {kNightGolf, Make<clNightGolf>},
    {kTripleTowers, Make<clTripleTowers>},
    {kTriplePeaks, Make<clTriplePeaks>},
    {kTwinPeaks, Make<clTwinPeaks>},
    {kCrownPeaks, Make<clCrownPeaks>},
    {kRapunzel, Make<clRapunzel>},
    {kFreeCell, Make<clFreeCell>},
    {kFreeCellKings, Make<clFreeCellKings>},
    {kForeCell, Make<clForeCell>},
    {kThreeCells, Make<clThreeCells>},
    {kTwoCells, Make<clTwoCells>},
    {kFourByTen, Make<clFourByTen>},
    {kSevenByFive, Make<clSevenByFive>},
    {kSevenByFour, Make<clSevenByFour>},
    {kSevenByFourKings, Make<clSevenByFourKings>},
    {kTenByOne, Make<clTenByOne>},
    {kSeaTowers, Make<clSeaTowers>},
    {kSeaTowersKings, Make<clSeaTowersKings>},
    {kDoubleSeaTowers, Make<clDoubleSeaTowers>},
    {kBakersGame, Make<clBakersGame>},
    {kBakersGameKings, Make<clBakersGameKings>},
    {kEightOff, Make<clEightOff>},
    {kEightOn, Make<clEightOn>},
    {kPenguin, Make<clPenguin>},
    {kTuxedo, Make<clTuxedo>},
    {kOpus, Make<clOpus>},
    {kBeleagueredCastle, Make<clBeleagueredCastle>},
    {kBlackJackBest, Make<clBlackJackBest>},
    {kBlackJackSpeed, Make<clBlackJackSpeed>},
    {kAcesAndKings, Make<clAcesAndKings>},
    {kOsmosis, Make<clOsmosis>},
    {kFifteenRush, Make<clFifteenRush>},
    {kGaps, Make<clGaps>},
    {kMontana, Make<clMontana>},
    {kNestor, Make<clNestor>},
    {kVertical, Make<clVertical>},
    {kPatientPairs, Make<clPatientPairs>},
    {kFourteenOut, Make<clFourteenOut>},
    {kFivePiles, Make<clFivePiles>},
    {kFourteenUp, Make<clFourteenUp>},
    {kPelmanism, Make<clPelmanism>},
    {kBlackHole, Make<clBlackHole>},
    {kBinaryStar, Make<clBinaryStar>},
    {kAcesUp, Make<clAcesUp>},
    {kHiddenSums, Make<clHiddenSums>},
    {kGet11, Make<clGet11>},
    {kSpider, Make<clSpider>},
    {kSpiderOneSuit, Make<clSpiderOneSuit>},
    {kSpiderTwoSuits, Make<clSpiderTwoSuits>},
    {kSpiderWeb, Make<clSpiderWeb>},
    {kScorpion, Make<clScorpion>},
    {kClassicScorpion, Make<clClassicScorpion>},
    {kScorpionKings, Make<clScorpionKings>},
    {kScorpionII, Make<clScorpionII>},
    {kFortyThieves, Make<clFortyThieves>},
    {kInterchange, Make<clInterchange>},
    {kInterchangeKings, Make<clInterchangeKings>},
    {kThievesOfEgypt, Make<clThievesOfEgypt>},
    {kFastFan, Make<clFastFan>},
    {kFreeFan, Make<clFreeFan>},
    {kFreeFanEasy, Make<clFreeFanEasy>},
    {kLaBelleLucie, Make<clLaBelleLucie>},
    {kCruel, Make<clCruel>},
};

const clRegistration* Find(std::string_view displayName) {
    const auto* it =
        std::find_if(std::begin(kRegistrations), std::end(kRegistrations),
                     [&](const clRegistration& r) { return r.game.displayName == displayName; });
    return it == std::end(kRegistrations) ? nullptr : it;
}

}  // namespace

std::unique_ptr<clSolitaireType> CreateVariant(std::string_view displayName, clScreenHost* host,
                                               const clPlayOptions* options,
                                               clPlayObserver* observer) {
    const clRegistration* registration = Find(displayName);
    return registration ? BuildScreen(registration->make, host, options, observer) : nullptr;
}

bool IsRegistered(std::string_view displayName) {
    return Find(displayName) != nullptr;
}

std::vector<std::string_view> RegisteredVariants() {
    std::vector<std::string_view> names;
    for (const clRegistration& r : kRegistrations)
        names.push_back(r.game.displayName);
    return names;
}
