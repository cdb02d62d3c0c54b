// Pointer play in the window: presses, drags and right clicks synthesised on
// the table of a real Klondike deal.
#include <QScrollBar>
#include <QTimer>
#include <optional>
#include <ostream>
#include <string>

#include "engine/card.h"
#include "graphics/display.h"
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

namespace {

struct clStockGame {
    const char* game;
    bool redeals;  // a click on the empty stock turns the waste back over
};

void PrintTo(const clStockGame& game, std::ostream* out) {
    *out << game.game;
}

}  // namespace

// Clicks where the stock is drawn, as a player clicks it: the same pixel of
// its top card over and over, and now and then the edge of the card below
// that peeks out. Every click deals until the stock is empty, and the same
// pixel then lies on the empty stock's place and redeals.
class clStockClickTest : public clPointerWindowTest,
                         public ::testing::WithParamInterface<clStockGame> {
protected:
    // The window's pixel at a point of the table's viewport (0xRRGGBB), on a
    // screen of any pixel ratio.
    std::uint32_t Shown(QPoint point) const {
        const QImage image = Viewport()->grab().toImage();
        return image.pixel((QPointF(point) * image.devicePixelRatio()).toPoint()) & 0xFFFFFF;
    }
    // The pixel a card's own picture has at a viewport point inside it.
    std::uint32_t PictureOf(const clCard& card, QPoint point) const {
        clDisplay& display = program->Display();
        const clImage* picture =
            card.faceDown ? display.CurrentBack() : display.Cards().Face(card.value);
        const std::optional<clRect> rect = Game().Graphics().CardRect(card);
        if (picture == nullptr || !rect) return 0xFFFFFFFF;
        const QPoint at = point + window->Table()->Scroll();
        return picture->PixelValue(at.x() - rect->left, at.y() - rect->top) & 0xFFFFFF;
    }
    // A point on the edge of the card below the stock's top card that the top
    // card leaves uncovered, or none.
    std::optional<QPoint> PeekingOut(const clPile& stock) const {
        if (stock.Count() < 2) return std::nullopt;
        const auto below = Game().Graphics().CardRect(*stock.At(stock.TopIndex() - 1));
        const auto top = Game().Graphics().CardRect(*stock.Top());
        if (!below || !top) return std::nullopt;
        const int middleX = (below->left + below->right) / 2;
        const int middleY = (below->top + below->bottom) / 2;
        for (const clPoint edge :
             {clPoint{below->left, middleY}, clPoint{below->right - 1, middleY},
              clPoint{middleX, below->top}, clPoint{middleX, below->bottom - 1}}) {
            if (!top->Contains(edge)) return QPoint(edge.x, edge.y) - window->Table()->Scroll();
        }
        return std::nullopt;
    }
};

TEST_P(clStockClickTest, ClicksWhereTheStockIsDrawnDealItAllAndRedeal) {
    ASSERT_TRUE(Open(GetParam().game, 1));
    clPile& stock = *Game().Stock();
    ASSERT_GT(stock.Count(), 1u);
    const QPoint spot = PointOf(*stock.Top());
    for (int click = 0; stock.Count() > 0; ++click) {
        SCOPED_TRACE(::testing::Message()
                     << "click " << click << ", " << stock.Count() << " cards");
        ASSERT_EQ(Shown(spot), PictureOf(*stock.Top(), spot)) << "the top card moved";
        QPoint at = spot;
        const std::optional<QPoint> edge = PeekingOut(stock);
        if (click % 2 == 1 && edge) {
            ASSERT_EQ(Shown(*edge), PictureOf(*stock.At(stock.TopIndex() - 1), *edge));
            at = *edge;
        }
        const std::uint32_t before = stock.Count();
        QTest::mouseClick(Viewport(), Qt::LeftButton, Qt::NoModifier, at);
        ASSERT_LT(stock.Count(), before);
    }
    if (!GetParam().redeals) return;
    const std::size_t moves = Game().History().Count();
    QTest::mouseClick(Viewport(), Qt::LeftButton, Qt::NoModifier, spot);
    EXPECT_EQ(Game().History().Count(), moves + 1);
    ASSERT_GT(stock.Count(), 1u);
    EXPECT_EQ(Shown(spot), PictureOf(*stock.Top(), spot));
    const std::uint32_t refilled = stock.Count();
    QTest::mouseClick(Viewport(), Qt::LeftButton, Qt::NoModifier, spot);
    EXPECT_LT(stock.Count(), refilled);
}

INSTANTIATE_TEST_SUITE_P(StockGames, clStockClickTest,
                         ::testing::Values(clStockGame{"Klondike", true},
                                           clStockGame{"Pyramid", true}, clStockGame{"Golf", false},
                                           clStockGame{"Driving Range", false},
                                           clStockGame{"Spider", false}),
                         [](const auto& info) {
                             std::string name = info.param.game;
                             std::erase(name, ' ');
                             return name;
                         });
