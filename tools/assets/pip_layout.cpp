#include "assets/pip_layout.h"

namespace {

constexpr double kThird = 1.0 / 3.0;

constexpr clPip kTwo[] = {{0, 0}, {0, 1}};
constexpr clPip kThree[] = {{0, 0}, {0, 0.5}, {0, 1}};
constexpr clPip kFour[] = {{-1, 0}, {1, 0}, {-1, 1}, {1, 1}};
constexpr clPip kFive[] = {{-1, 0}, {1, 0}, {0, 0.5}, {-1, 1}, {1, 1}};
constexpr clPip kSix[] = {{-1, 0}, {1, 0}, {-1, 0.5}, {1, 0.5}, {-1, 1}, {1, 1}};
constexpr clPip kSeven[] = {{-1, 0}, {1, 0}, {0, 0.25}, {-1, 0.5}, {1, 0.5}, {-1, 1}, {1, 1}};
constexpr clPip kEight[] = {{-1, 0},  {1, 0},    {0, 0.25}, {-1, 0.5},
                            {1, 0.5}, {0, 0.75}, {-1, 1},   {1, 1}};
constexpr clPip kNine[] = {{-1, 0},          {1, 0},          {-1, kThird}, {1, kThird}, {0, 0.5},
                           {-1, 2 * kThird}, {1, 2 * kThird}, {-1, 1},      {1, 1}};
constexpr clPip kTen[] = {
    {-1, 0},          {1, 0},          {0, kThird / 2},     {-1, kThird}, {1, kThird},
    {-1, 2 * kThird}, {1, 2 * kThird}, {0, 1 - kThird / 2}, {-1, 1},      {1, 1}};

}  // namespace

std::span<const clPip> PipLayout(int rank) {
    switch (rank) {
        case 2:
            return kTwo;
        case 3:
            return kThree;
        case 4:
            return kFour;
        case 5:
            return kFive;
        case 6:
            return kSix;
        case 7:
            return kSeven;
        case 8:
            return kEight;
        case 9:
            return kNine;
        case 10:
            return kTen;
        default:
            return {};
    }
}
