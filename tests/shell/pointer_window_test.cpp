// Pointer play in the window: presses, drags and right clicks synthesised on
// the table of a real Klondike deal.
#include <QScrollBar>
#include <QTimer>

#include "engine/card.h"
#include "piles/pile.h"
#include "shell/window_fixture.h"

namespace {

// A tableau pile whose top card is an Ace, after dealing `deal`.
clPile* AceOnTop(clSolitaireRules& game) {
    for (int i = 0; i < game.TableauCount(); ++i) {
        const clCard* top = game.Tableau(i)->Top();
        if (top && !top->faceDown && top->IsAce()) return game.Tableau(i);
    }
    return nullptr;
}

// Deals from `first` on until a pile has an Ace on top.
std::int32_t DealAnAceOnTop(clSolitaireRules& game, std::int32_t first) {
    for (std::int32_t deal = first; deal < first + 500; ++deal) {
        game.StartDeal(deal);
        if (AceOnTop(game)) return deal;
    }
    return 0;
}

// Two tableau piles where the top card of `from` may go onto `to`, which
// holds at least three cards.
struct clTableauPair {
    clPile* from = nullptr;
    clPile* to = nullptr;
};

clTableauPair FindTableauMove(clSolitaireRules& game) {
    for (int i = 0; i < game.TableauCount(); ++i) {
        for (int j = 0; j < game.TableauCount(); ++j) {
            clPile* from = game.Tableau(i);
            clPile* to = game.Tableau(j);
            if (i == j || from->Count() == 0 || to->Count() < 3) continue;
            const clMove move =
                clMove::CardMove(from->Top()->dealIndex,
                                 clLocation::Pile(clLocationKind::Tableau, i, from->Count() - 1),
                                 clLocation::Pile(clLocationKind::Tableau, j, to->Count()));
            if (game.ValidateMove(move)) return {from, to};
        }
    }
    return {};
}

std::int32_t DealWithATableauMove(clSolitaireRules& game, std::int32_t first) {
    for (std::int32_t deal = first; deal < first + 500; ++deal) {
        game.StartDeal(deal);
        if (FindTableauMove(game).from) return deal;
    }
    return 0;
}

}  // namespace

class clPointerWindowTest : public clWindowTest {
protected:
    // Deals `deal` again and shows it.
    void Redeal(std::int32_t deal) {
        Game().StartDeal(deal);
        Game().Repaint();
        QApplication::processEvents();
    }
    QPoint PileAnchor(const clPile& pile) const {
        const std::optional<clRect> rect = Game().Graphics().CardRect(pile.GetAnchor());
        EXPECT_TRUE(rect.has_value());
        return rect ? window->Table()->ToWidget(
                          {(rect->left + rect->right) / 2, (rect->top + rect->bottom) / 2})
                    : QPoint();
    }
};

TEST_F(clPointerWindowTest, APressOnTheStockDealsToTheWaste) {
    ASSERT_TRUE(Open("Klondike", 1));
    const std::uint32_t stock = Game().Stock()->Count();
    const std::uint32_t waste = Game().Waste()->Count();
    QTest::mouseClick(Viewport(), Qt::LeftButton, Qt::NoModifier, PointOf(*Game().Stock()->Top()));
    EXPECT_LT(Game().Stock()->Count(), stock);
    EXPECT_GT(Game().Waste()->Count(), waste);
    EXPECT_GE(Game().History().Count(), 1u);
}

TEST_F(clPointerWindowTest, ADraggedAceOnAFoundationIsCommittedAndScored) {
    ASSERT_TRUE(Open("Klondike", 1));
    const std::int32_t deal = DealAnAceOnTop(Game(), 1);
    ASSERT_NE(deal, 0);
    Redeal(deal);
    clPile* source = AceOnTop(Game());
    Drag(PointOf(*source->Top()), PileAnchor(*Game().Foundation(0)));
    EXPECT_EQ(Game().Foundation(0)->Count(), 1u);
    EXPECT_GT(Game().Score(), 0);
    EXPECT_GE(Game().History().Count(), 1u);
}

// FreeCell deals every card face up, so the middle of a column can be hit.
TEST_F(clPointerWindowTest, ADropOnTheMiddleOfAPileLandsOnItsTop) {
    ASSERT_TRUE(Open("FreeCell", 1));
    const std::int32_t deal = DealWithATableauMove(Game(), 1);
    ASSERT_NE(deal, 0);
    Redeal(deal);
    const clTableauPair pair = FindTableauMove(Game());
    const std::uint32_t count = pair.to->Count();
    // The second card of the destination lies in the middle of the pile.
    Drag(PointOf(*pair.from->Top()), PointOf(*pair.to->At(1), true));
    EXPECT_EQ(pair.to->Count(), count + 1);
    EXPECT_GE(Game().History().Count(), 1u);
}

TEST_F(clPointerWindowTest, ADropBackOnItsOwnPileIsRefused) {
    ASSERT_TRUE(Open("Klondike", 1));
    const std::int32_t deal = DealWithATableauMove(Game(), 1);
    ASSERT_NE(deal, 0);
    Redeal(deal);
    const clTableauPair pair = FindTableauMove(Game());
    const std::uint32_t count = pair.from->Count();
    const QPoint top = PointOf(*pair.from->Top());
    Drag(top, top + QPoint(3, 5));
    EXPECT_EQ(pair.from->Count(), count);
    EXPECT_EQ(Game().History().Count(), 0u);
    EXPECT_EQ(Game().Score(), 0);
}

TEST_F(clPointerWindowTest, ARightClickPlaysTheCard) {
    ASSERT_TRUE(Open("Klondike", 1));
    const std::int32_t deal = DealAnAceOnTop(Game(), 1);
    ASSERT_NE(deal, 0);
    Redeal(deal);
    clPile* source = AceOnTop(Game());
    const std::uint32_t count = source->Count();
    QTest::mouseClick(Viewport(), Qt::RightButton, Qt::NoModifier, PointOf(*source->Top()));
    EXPECT_EQ(source->Count(), count - 1);
    int up = 0;
    for (int i = 0; i < Game().FoundationCount(); ++i)
        up += Game().Foundation(i)->Count();
    EXPECT_GE(up, 1);
}

TEST_F(clPointerWindowTest, AClickDuringAnAnimationEndsItAtOnceAndIsHandledAfter) {
    ASSERT_TRUE(Open("Klondike", 1));
    program->Settings().SetFlag(clFlag::Animation, true);
    const std::int32_t deal = DealAnAceOnTop(Game(), 1);
    ASSERT_NE(deal, 0);
    Redeal(deal);
    clPile* source = AceOnTop(Game());
    const QPoint stock = PointOf(*Game().Stock()->Top());
    const std::uint32_t waste = Game().Waste()->Count();
    // The click on the stock arrives while the Ace travels to its foundation.
    QTimer::singleShot(0, Viewport(), [this, stock] {
        QTest::mouseClick(Viewport(), Qt::LeftButton, Qt::NoModifier, stock);
    });
    QTest::mouseClick(Viewport(), Qt::RightButton, Qt::NoModifier, PointOf(*source->Top()));
    // The move was completed after one step of the eight.
    EXPECT_EQ(window->AnimationWaits(), 1);
    int up = 0;
    for (int i = 0; i < Game().FoundationCount(); ++i)
        up += Game().Foundation(i)->Count();
    EXPECT_GE(up, 1);
    EXPECT_FALSE(program->Target().IsAnimating());
    // Then the click itself deals from the stock.
    QApplication::processEvents();
    EXPECT_GT(Game().Waste()->Count(), waste);
}

TEST_F(clPointerWindowTest, AnUninterruptedAnimationRunsAllItsSteps) {
    ASSERT_TRUE(Open("Klondike", 1));
    program->Settings().SetFlag(clFlag::Animation, true);
    const std::int32_t deal = DealAnAceOnTop(Game(), 1);
    ASSERT_NE(deal, 0);
    Redeal(deal);
    QTest::mouseClick(Viewport(), Qt::RightButton, Qt::NoModifier,
                      PointOf(*AceOnTop(Game())->Top()));
    EXPECT_GE(window->AnimationWaits(), clSolitaireRules::kAnimationSteps - 1);
}

// A window smaller than the virtual screen scrolls, and presses land on the
// cards under the pointer wherever the table is scrolled to.
TEST_F(clPointerWindowTest, ScrolledTableStillHitsTheCardUnderThePointer) {
    ASSERT_TRUE(Open("Klondike", 1));
    ResizeWindow({420, 330});
    clTableView* table = window->Table();
    ASSERT_EQ(table->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    ASSERT_EQ(table->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    table->horizontalScrollBar()->setValue(std::min(20, table->horizontalScrollBar()->maximum()));
    table->verticalScrollBar()->setValue(std::min(20, table->verticalScrollBar()->maximum()));
    QApplication::processEvents();
    ASSERT_GT(table->Scroll().x(), 0);
    ASSERT_GT(table->Scroll().y(), 0);

    clPile& stock = *Game().Stock();
    ASSERT_TRUE(Viewport()->rect().contains(PointOf(*stock.Top())));
    const std::uint32_t count = stock.Count();
    QTest::mouseClick(Viewport(), Qt::LeftButton, Qt::NoModifier, PointOf(*stock.Top()));
    EXPECT_LT(stock.Count(), count);
}
