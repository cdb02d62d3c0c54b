#include "engine/registry.h"

#include <algorithm>
#include <iterator>

#include "engine/solitaire_type.h"
#include "variants/black_hole.h"
#include "variants/gaps.h"
#include "variants/klondike.h"
#include "variants/pairs.h"
#include "variants/stock_games.h"

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
std::unique_ptr<clSolitaireType> CreateVariant(std::string_view displayName) {
    const clRegistration* registration = Find(displayName);
    if (registration == nullptr) return nullptr;
    try {
        std::unique_ptr<clSolitaireType> screen = registration->make();
        if (!screen->Initialize()) return nullptr;
        return screen;
    } catch (...) {
        return nullptr;
    }
}

bool IsRegistered(std::string_view displayName) {
    return Find(displayName) != nullptr;
}

std::vector<std::string_view> RegisteredVariants() {
    std::vector<std::string_view> names;
    for (const clRegistration& r : kRegistrations)
        names.push_back(r.displayName);
    return names;
}
