#pragma once

#include "cards/card.h"

// The pile symbols of a card set, by their place in it: the marks of an
// exhausted and of a turnable stock, the outline of an empty pile, then the
// marks of the ranks Ace to King (RankMark). None draws nothing.
enum class clPileSymbol { NoRedeal = 0, Redeal = 1, Outline = 2, None = 16 };

// The mark of a rank 1 (Ace) to 13 (King); None for any other number.
constexpr clPileSymbol RankMark(int rank) {
    return rank >= 1 && rank <= 13 ? static_cast<clPileSymbol>(rank + 2) : clPileSymbol::None;
}
constexpr clPileSymbol RankMark(clRank rank) {
    return RankMark(static_cast<int>(rank));
}
