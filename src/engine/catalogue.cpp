#include "engine/catalogue.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr clCatalogueRow kRows[] = {
    {"Triple Towers", "Tower Game", 0, 0, true, "tripletowers", 1010},
    {"Triple Peaks", "Tower Game", 0, 1, false, "triplepeaks", 1011},
    {"Twin Peaks", "Tower Game", 0, 4, false, "twinpeaks", 1014},
    {"Crown Peaks", "Tower Game", 0, 5, false, "crownpeaks", 1015},
    {"Rapunzel", "Tower Game", 0, 6, false, "rapunzel", 1016},
    {"Golf", "Golf Game", 1, 2, true, "golf", 1012},
    {"Putt Putt", "Golf Game", 1, 3, false, "puttputt", 1013},
    {"Driving Range", "Golf Game", 1, 7, false, "drivingrange", 1017},
    {"Night Golf", "Golf Game", 1, 8, false, "nightgolf", 1018},
    {"Pyramid", "Pyramid Game", 4, 0, true, "pyramid", 1040},
    {"Hidden Pyramid", "Pyramid Game", 4, 2, false, "hiddenpyramid", 1042},
    {"Picking Pairs", "Pyramid Game", 4, 1, true, "pickingpairs", 1041},
    {"Double Pyramid", "Pyramid Game", 4, 3, false, "doublepyramid", 1043},
    {"Cheops", "Pyramid Game", 4, 4, false, "cheops", 1044},
    {"King Tut", "Pyramid Game", 4, 5, false, "kingtut", 1045},
    {"Hidden Sums", "Addition Game", 3, 1, true, "hiddensums", 1031},
    {"Get 11", "Addition Game", 3, 0, false, "get11", 1030},
    {"Fourteen Out", "Addition Game", 3, 2, true, "fourteenout", 1032},
    {"Fifteen Rush", "Addition Game", 3, 3, true, "fifteenrush", 1033},
    {"Five Piles", "Addition Game", 3, 4, false, "fivepiles", 1034},
    {"Fourteen Up", "Addition Game", 3, 5, false, "fourteenup", 1035},
    {"Nestor", "Matching Game", 11, 0, true, "nestor", 1200},
    {"Vertical", "Matching Game", 11, 1, false, "vertical", 1201},
    {"Patient Pairs", "Matching Game", 11, 2, true, "patientpairs", 1202},
    {"Aces Up", "Matching Game", 11, 3, true, "acesup", 1203},
    {"BlackJack Best", "BlackJack Game", 2, 0, false, "blackjackbest", 1020},
    {"BlackJack Speed", "BlackJack Game", 2, 1, true, "blackjackspeed", 1021},
    {"FreeCell", "FreeCell Game", 5, 0, true, "freecell", 1050},
    {"ForeCell", "FreeCell Game", 5, 2, false, "forecell", 1052},
    {"Three Cells", "FreeCell Game", 5, 3, false, "threecells", 1053},
    {"Two Cells", "FreeCell Game", 5, 4, false, "twocells", 1054},
    {"Four By Ten", "FreeCell Game", 5, 5, false, "fourbyten", 1055},
    {"Seven By Five", "FreeCell Game", 5, 6, false, "sevenbyfive", 1056},
    {"Seven By Four", "FreeCell Game", 5, 7, false, "sevenbyfour", 1057},
    {"Sea Towers", "FreeCell Game", 5, 10, false, "seatowers", 1110},
    {"Sea Towers Kings", "FreeCell Game", 5, 11, false, "seatowerskings", 1111},
    {"Double SeaTowers", "FreeCell Game", 5, 12, false, "doubleseatowers", 1112},
    {"Baker's Game", "FreeCell Game", 5, 13, false, "bakersgame", 1113},
    {"Eight Off", "FreeCell Game", 5, 15, false, "eightoff", 1115},
    {"Penguin", "FreeCell Game", 5, 17, false, "penguin", 1130},
    {"Klondike", "Klondike Game", 6, 0, true, "klondike", 1060},
    {"Klondike Free", "Klondike Game", 6, 1, false, "klondikefree", 1061},
    {"Klondike Deal Three", "Klondike Game", 6, 2, false, "klondikedealthree", 1062},
    {"Double Klondike", "Klondike Game", 6, 4, false, "doubleklondike", 1064},
    {"Double Klondike Deal Three", "Klondike Game", 6, 6, false, "doubleklondikedealthree", 1066},
    {"Lady Jane", "Klondike Game", 6, 8, false, "ladyjane", 1068},
    {"Yukon", "Klondike Game", 8, 0, true, "yukon", 1080},
    {"Russian Solitaire", "Klondike Game", 8, 1, false, "russiansolitaire", 1081},
    {"Australian Patience", "Klondike Game", 8, 2, false, "australianpatience", 1082},
    {"Canfield", "Canfield Game", 13, 0, true, "canfield", 1150},
    {"Canfield Deal Three", "Canfield Game", 13, 1, false, "canfielddealthree", 1151},
    {"Demons and Thieves", "Canfield Game", 13, 2, false, "demonsandthieves", 1152},
    {"Spider", "Spider Game", 9, 0, true, "spider", 1090},
    {"Spider One Suit", "Spider Game", 9, 2, false, "spideronesuit", 1092},
    {"Spider Two Suits", "Spider Game", 9, 3, false, "spidertwosuits", 1093},
    {"Spider Web", "Spider Game", 9, 1, false, "spiderweb", 1091},
    {"Scorpion", "Spider Game", 9, 4, false, "scorpion", 1094},
    {"Classic Scorpion", "Spider Game", 9, 5, false, "classicscorpion", 1095},
    {"Scorpion II", "Spider Game", 9, 7, false, "scorpionii", 1097},
    {"Fast Fan", "Fan Game", 7, 0, true, "fastfan", 1070},
    {"Free Fan", "Fan Game", 7, 1, false, "freefan", 1071},
    {"Free Fan Easy", "Fan Game", 7, 2, false, "freefaneasy", 1072},
    {"La Belle Lucie", "Fan Game", 7, 3, false, "labellelucie", 1073},
    {"Black Hole", "Fan Game", 7, 4, false, "blackhole", 1074},
    {"Binary Star", "Fan Game", 7, 5, false, "binarystar", 1075},
    {"Forty Thieves", "Thieves Game", 14, 0, true, "fortythieves", 1160},
    {"Interchange", "Thieves Game", 14, 1, false, "interchange", 1161},
    {"Thieves of Egypt", "Thieves Game", 14, 3, false, "thievesofegypt", 1163},
    {"Beleaguered Castle", "Castle Game", 0, 0, true, "beleagueredcastle", 1170},
    {"Gaps", "Gaps Game", 12, 0, true, "gaps", 1300},
    {"Montana", "Gaps Game", 12, 1, false, "montana", 1301},
    {"Aces and Kings", "Two Deck Game", 17, 0, false, "acesandkings", 1180},
    {"Cruel", "One Deck Game", 16, 0, false, "cruel", 1190},
    {"Osmosis", "One Deck Game", 16, 1, false, "osmosis", 1191},
    {"Pelmanism", "Memory Game", 10, 0, true, "pelmanism", 1100},
};

constexpr clCatalogueRow kHidden[] = {
    {"FreeCell Kings", "", 0, 0, false, "freecellkings", 1051},
    {"Seven By Four Kings", "", 0, 0, false, "sevenbyfourkings", 1058},
    {"Ten By One", "", 0, 0, false, "tenbyone", 1059},
    {"Baker's Game Kings", "", 0, 0, false, "bakersgamekings", 1114},
    {"Eight On", "", 0, 0, false, "eighton", 1116},
    {"Tuxedo", "", 0, 0, false, "tuxedo", 1131},
    {"Opus", "", 0, 0, false, "opus", 1132},
    {"Klondike Free Deal Three", "", 0, 0, false, "klondikefreedealthree", 1063},
    {"Double Klondike Kings", "", 0, 0, false, "doubleklondikekings", 1065},
    {"Double Klondike Kings Deal Three", "", 0, 0, false, "doubleklondikekingsdealthree", 1067},
    {"Scorpion Kings", "", 0, 0, false, "scorpionkings", 1096},
    {"Interchange Kings", "", 0, 0, false, "interchangekings", 1162},
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
