#include "cards/card.h"

namespace {

bool IsRegularValue(std::int32_t value) {
    return value >= 0 && value < clCard::kFirstJoker;
}

}  // namespace

int RankAbove(int rank) {
    return rank == 13 ? 1 : rank + 1;
}

int RankBelow(int rank) {
    return rank == 1 ? 13 : rank - 1;
}

int clCard::GetRank() const {
    return IsRegularValue(value) ? value % 13 + 1 : 0;
}

int clCard::GetSuit() const {
    return IsRegularValue(value) ? value / 13 + 1 : 0;
}

int clCard::GetColour() const {
    switch (GetSuit()) {
        case 1:
        case 4:
            return 1;
        case 2:
        case 3:
            return 2;
        default:
            return 0;
    }
}

void clCard::SetCard(int rank, int suit) {
    if (rank < 1 || rank > 13 || suit < 1 || suit > 4) return;
    value = (suit - 1) * 13 + (rank - 1);
}

void clCard::SetRank(int rank) {
    if (rank < 1 || rank > 13 || !IsRegularValue(value)) return;
    SetCard(rank, GetSuit());
}

void clCard::SetSuit(int suit) {
    if (suit < 1 || suit > 4 || !IsRegularValue(value)) return;
    SetCard(GetRank(), suit);
}

void clCard::SetPosition(double newX, double newY, std::int32_t pixelX, std::int32_t pixelY) {
    if (newX < 0.0 || newY < 0.0) return;
    x = newX;
    y = newY;
    offsetX = pixelX;
    offsetY = pixelY;
}

bool clCard::GetPosition(double& outX, double& outY) const {
    outX = x;
    outY = y;
    return placed;
}
