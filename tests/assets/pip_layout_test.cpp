#include "assets/pip_layout.h"

#include <algorithm>
#include <cmath>

#include <gtest/gtest.h>

namespace {

// A number card shows its rank in pips, no two in one place, and looks the
// same when turned round: every pip has a partner at the opposite place.
TEST(PipLayoutTest, NumberCardsShowTheirRankSymmetrically) {
    for (int rank = 2; rank <= 10; ++rank) {
        const auto pips = PipLayout(rank);
        ASSERT_EQ(static_cast<int>(pips.size()), rank) << "rank " << rank;
        for (std::size_t i = 0; i < pips.size(); ++i) {
            for (std::size_t j = i + 1; j < pips.size(); ++j) {
                EXPECT_FALSE(pips[i].column == pips[j].column &&
                             std::abs(pips[i].row - pips[j].row) < 0.1)
                    << "rank " << rank << " pips " << i << " and " << j << " overlap";
            }
            const bool turned = std::any_of(pips.begin(), pips.end(), [&](const clPip& other) {
                return other.column == -pips[i].column &&
                       std::abs(other.row - (1 - pips[i].row)) < 1e-9;
            });
            // Seven has the one traditional exception: its extra pip sits above the middle.
            if (rank != 7 || pips[i].column != 0) {
                EXPECT_TRUE(turned) << "rank " << rank << " pip " << i;
            }
            EXPECT_GE(pips[i].row, 0.0);
            EXPECT_LE(pips[i].row, 1.0);
        }
    }
}

TEST(PipLayoutTest, OtherRanksHaveNoPips) {
    for (const int rank : {0, 1, 11, 12, 13, 14})
        EXPECT_TRUE(PipLayout(rank).empty());
}

}  // namespace
