#pragma once

#include "engine/catalogue.h"

// Every variant's catalogue row, by name: the one place its display name, key
// and help topic are written. The catalogue lists them in the chooser's order;
// each game's rules and its registration refer to its row. Columns: display
// name, category, family, member, favourite, key, help topic.
namespace clGames {

// clang-format off
inline constexpr clCatalogueRow kTripleTowers{"Triple Towers", "Tower Game", 0, 0, true,  "tripletowers", 1010};
inline constexpr clCatalogueRow kTriplePeaks{ "Triple Peaks",  "Tower Game", 0, 1, false, "triplepeaks",  1011};
inline constexpr clCatalogueRow kTwinPeaks{   "Twin Peaks",    "Tower Game", 0, 4, false, "twinpeaks",    1014};
inline constexpr clCatalogueRow kCrownPeaks{  "Crown Peaks",   "Tower Game", 0, 5, false, "crownpeaks",   1015};
inline constexpr clCatalogueRow kRapunzel{    "Rapunzel",      "Tower Game", 0, 6, false, "rapunzel",     1016};

inline constexpr clCatalogueRow kGolf{        "Golf",          "Golf Game", 1, 2, true,  "golf",         1012};
inline constexpr clCatalogueRow kPuttPutt{    "Putt Putt",     "Golf Game", 1, 3, false, "puttputt",     1013};
inline constexpr clCatalogueRow kDrivingRange{"Driving Range", "Golf Game", 1, 7, false, "drivingrange", 1017};
inline constexpr clCatalogueRow kNightGolf{   "Night Golf",    "Golf Game", 1, 8, false, "nightgolf",    1018};

inline constexpr clCatalogueRow kPyramid{      "Pyramid",        "Pyramid Game", 4, 0, true,  "pyramid",       1040};
inline constexpr clCatalogueRow kHiddenPyramid{"Hidden Pyramid", "Pyramid Game", 4, 2, false, "hiddenpyramid", 1042};
inline constexpr clCatalogueRow kPickingPairs{ "Picking Pairs",  "Pyramid Game", 4, 1, true,  "pickingpairs",  1041};
inline constexpr clCatalogueRow kDoublePyramid{"Double Pyramid", "Pyramid Game", 4, 3, false, "doublepyramid", 1043};
inline constexpr clCatalogueRow kCheops{       "Cheops",         "Pyramid Game", 4, 4, false, "cheops",        1044};
inline constexpr clCatalogueRow kKingTut{      "King Tut",       "Pyramid Game", 4, 5, false, "kingtut",       1045};

inline constexpr clCatalogueRow kHiddenSums{ "Hidden Sums",  "Addition Game", 3, 1, true,  "hiddensums",  1031};
inline constexpr clCatalogueRow kGet11{      "Get 11",       "Addition Game", 3, 0, false, "get11",       1030};
inline constexpr clCatalogueRow kFourteenOut{"Fourteen Out", "Addition Game", 3, 2, true,  "fourteenout", 1032};
inline constexpr clCatalogueRow kFifteenRush{"Fifteen Rush", "Addition Game", 3, 3, true,  "fifteenrush", 1033};
inline constexpr clCatalogueRow kFivePiles{  "Five Piles",   "Addition Game", 3, 4, false, "fivepiles",   1034};
inline constexpr clCatalogueRow kFourteenUp{ "Fourteen Up",  "Addition Game", 3, 5, false, "fourteenup",  1035};

inline constexpr clCatalogueRow kNestor{      "Nestor",        "Matching Game", 11, 0, true,  "nestor",       1200};
inline constexpr clCatalogueRow kVertical{    "Vertical",      "Matching Game", 11, 1, false, "vertical",     1201};
inline constexpr clCatalogueRow kPatientPairs{"Patient Pairs", "Matching Game", 11, 2, true,  "patientpairs", 1202};
inline constexpr clCatalogueRow kAcesUp{      "Aces Up",       "Matching Game", 11, 3, true,  "acesup",       1203};

inline constexpr clCatalogueRow kBlackJackBest{ "BlackJack Best",  "BlackJack Game", 2, 0, false, "blackjackbest",  1020};
inline constexpr clCatalogueRow kBlackJackSpeed{"BlackJack Speed", "BlackJack Game", 2, 1, true,  "blackjackspeed", 1021};

inline constexpr clCatalogueRow kFreeCell{       "FreeCell",         "FreeCell Game", 5, 0,  true,  "freecell",        1050};
inline constexpr clCatalogueRow kForeCell{       "ForeCell",         "FreeCell Game", 5, 2,  false, "forecell",        1052};
inline constexpr clCatalogueRow kThreeCells{     "Three Cells",      "FreeCell Game", 5, 3,  false, "threecells",      1053};
inline constexpr clCatalogueRow kTwoCells{       "Two Cells",        "FreeCell Game", 5, 4,  false, "twocells",        1054};
inline constexpr clCatalogueRow kFourByTen{      "Four By Ten",      "FreeCell Game", 5, 5,  false, "fourbyten",       1055};
inline constexpr clCatalogueRow kSevenByFive{    "Seven By Five",    "FreeCell Game", 5, 6,  false, "sevenbyfive",     1056};
inline constexpr clCatalogueRow kSevenByFour{    "Seven By Four",    "FreeCell Game", 5, 7,  false, "sevenbyfour",     1057};
inline constexpr clCatalogueRow kSeaTowers{      "Sea Towers",       "FreeCell Game", 5, 10, false, "seatowers",       1110};
inline constexpr clCatalogueRow kSeaTowersKings{ "Sea Towers Kings", "FreeCell Game", 5, 11, false, "seatowerskings",  1111};
inline constexpr clCatalogueRow kDoubleSeaTowers{"Double SeaTowers", "FreeCell Game", 5, 12, false, "doubleseatowers", 1112};
inline constexpr clCatalogueRow kBakersGame{     "Baker's Game",     "FreeCell Game", 5, 13, false, "bakersgame",      1113};
inline constexpr clCatalogueRow kEightOff{       "Eight Off",        "FreeCell Game", 5, 15, false, "eightoff",        1115};
inline constexpr clCatalogueRow kPenguin{        "Penguin",          "FreeCell Game", 5, 17, false, "penguin",         1130};

inline constexpr clCatalogueRow kKlondike{               "Klondike",                   "Klondike Game", 6, 0, true,  "klondike",                1060};
inline constexpr clCatalogueRow kKlondikeFree{           "Klondike Free",              "Klondike Game", 6, 1, false, "klondikefree",            1061};
inline constexpr clCatalogueRow kKlondikeDealThree{      "Klondike Deal Three",        "Klondike Game", 6, 2, false, "klondikedealthree",       1062};
inline constexpr clCatalogueRow kDoubleKlondike{         "Double Klondike",            "Klondike Game", 6, 4, false, "doubleklondike",          1064};
inline constexpr clCatalogueRow kDoubleKlondikeDealThree{"Double Klondike Deal Three", "Klondike Game", 6, 6, false, "doubleklondikedealthree", 1066};
inline constexpr clCatalogueRow kLadyJane{               "Lady Jane",                  "Klondike Game", 6, 8, false, "ladyjane",                1068};
inline constexpr clCatalogueRow kYukon{                  "Yukon",                      "Klondike Game", 8, 0, true,  "yukon",                   1080};
inline constexpr clCatalogueRow kRussianSolitaire{       "Russian Solitaire",          "Klondike Game", 8, 1, false, "russiansolitaire",        1081};
inline constexpr clCatalogueRow kAustralianPatience{     "Australian Patience",        "Klondike Game", 8, 2, false, "australianpatience",      1082};

inline constexpr clCatalogueRow kCanfield{         "Canfield",            "Canfield Game", 13, 0, true,  "canfield",          1150};
inline constexpr clCatalogueRow kCanfieldDealThree{"Canfield Deal Three", "Canfield Game", 13, 1, false, "canfielddealthree", 1151};
inline constexpr clCatalogueRow kDemonsAndThieves{ "Demons and Thieves",  "Canfield Game", 13, 2, false, "demonsandthieves",  1152};

inline constexpr clCatalogueRow kSpider{         "Spider",           "Spider Game", 9, 0, true,  "spider",          1090};
inline constexpr clCatalogueRow kSpiderOneSuit{  "Spider One Suit",  "Spider Game", 9, 2, false, "spideronesuit",   1092};
inline constexpr clCatalogueRow kSpiderTwoSuits{ "Spider Two Suits", "Spider Game", 9, 3, false, "spidertwosuits",  1093};
inline constexpr clCatalogueRow kSpiderWeb{      "Spider Web",       "Spider Game", 9, 1, false, "spiderweb",       1091};
inline constexpr clCatalogueRow kScorpion{       "Scorpion",         "Spider Game", 9, 4, false, "scorpion",        1094};
inline constexpr clCatalogueRow kClassicScorpion{"Classic Scorpion", "Spider Game", 9, 5, false, "classicscorpion", 1095};
inline constexpr clCatalogueRow kScorpionII{     "Scorpion II",      "Spider Game", 9, 7, false, "scorpionii",      1097};

inline constexpr clCatalogueRow kFastFan{     "Fast Fan",       "Fan Game", 7, 0, true,  "fastfan",      1070};
inline constexpr clCatalogueRow kFreeFan{     "Free Fan",       "Fan Game", 7, 1, false, "freefan",      1071};
inline constexpr clCatalogueRow kFreeFanEasy{ "Free Fan Easy",  "Fan Game", 7, 2, false, "freefaneasy",  1072};
inline constexpr clCatalogueRow kLaBelleLucie{"La Belle Lucie", "Fan Game", 7, 3, false, "labellelucie", 1073};
inline constexpr clCatalogueRow kBlackHole{   "Black Hole",     "Fan Game", 7, 4, false, "blackhole",    1074};
inline constexpr clCatalogueRow kBinaryStar{  "Binary Star",    "Fan Game", 7, 5, false, "binarystar",   1075};

inline constexpr clCatalogueRow kFortyThieves{  "Forty Thieves",    "Thieves Game", 14, 0, true,  "fortythieves",   1160};
inline constexpr clCatalogueRow kInterchange{   "Interchange",      "Thieves Game", 14, 1, false, "interchange",    1161};
inline constexpr clCatalogueRow kThievesOfEgypt{"Thieves of Egypt", "Thieves Game", 14, 3, false, "thievesofegypt", 1163};

inline constexpr clCatalogueRow kBeleagueredCastle{"Beleaguered Castle", "Castle Game", 0, 0, true, "beleagueredcastle", 1170};

inline constexpr clCatalogueRow kGaps{   "Gaps",    "Gaps Game", 12, 0, true,  "gaps",    1300};
inline constexpr clCatalogueRow kMontana{"Montana", "Gaps Game", 12, 1, false, "montana", 1301};

inline constexpr clCatalogueRow kAcesAndKings{"Aces and Kings", "Two Deck Game", 17, 0, false, "acesandkings", 1180};

inline constexpr clCatalogueRow kCruel{  "Cruel",   "One Deck Game", 16, 0, false, "cruel",   1190};
inline constexpr clCatalogueRow kOsmosis{"Osmosis", "One Deck Game", 16, 1, false, "osmosis", 1191};

inline constexpr clCatalogueRow kPelmanism{"Pelmanism", "Memory Game", 10, 0, true, "pelmanism", 1100};

// On no chooser row.
inline constexpr clCatalogueRow kFreeCellKings{               "FreeCell Kings",                   "", 0, 0, false, "freecellkings",                1051};
inline constexpr clCatalogueRow kSevenByFourKings{            "Seven By Four Kings",              "", 0, 0, false, "sevenbyfourkings",             1058};
inline constexpr clCatalogueRow kTenByOne{                    "Ten By One",                       "", 0, 0, false, "tenbyone",                     1059};
inline constexpr clCatalogueRow kBakersGameKings{             "Baker's Game Kings",               "", 0, 0, false, "bakersgamekings",              1114};
inline constexpr clCatalogueRow kEightOn{                     "Eight On",                         "", 0, 0, false, "eighton",                      1116};
inline constexpr clCatalogueRow kTuxedo{                      "Tuxedo",                           "", 0, 0, false, "tuxedo",                       1131};
inline constexpr clCatalogueRow kOpus{                        "Opus",                             "", 0, 0, false, "opus",                         1132};
inline constexpr clCatalogueRow kKlondikeFreeDealThree{       "Klondike Free Deal Three",         "", 0, 0, false, "klondikefreedealthree",        1063};
inline constexpr clCatalogueRow kDoubleKlondikeKings{         "Double Klondike Kings",            "", 0, 0, false, "doubleklondikekings",          1065};
inline constexpr clCatalogueRow kDoubleKlondikeKingsDealThree{"Double Klondike Kings Deal Three", "", 0, 0, false, "doubleklondikekingsdealthree", 1067};
inline constexpr clCatalogueRow kScorpionKings{               "Scorpion Kings",                   "", 0, 0, false, "scorpionkings",                1096};
inline constexpr clCatalogueRow kInterchangeKings{            "Interchange Kings",                "", 0, 0, false, "interchangekings",             1162};
// clang-format on

}  // namespace clGames
