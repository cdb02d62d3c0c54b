// Pointer play in the window: presses, drags and right clicks synthesised on
// the table of a real Klondike deal, and the cards' motion: the dragged
// picture, automatic moves and deals in flight.
#include <QDir>
#include <QScrollBar>
#include <QTimer>
#include <array>
#include <cstring>
#include <optional>
#include <ostream>
#include <string>

#include "cards/card.h"
#include "graphics/display.h"
#include "graphics/display_target.h"
#include "graphics/image.h"
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
    // The shown part of the virtual screen, every byte.
    std::vector<std::uint8_t> Pixels() const {
        const clDisplay& display = program->Display();
        const clImage& screen = display.Screen();
        std::vector<std::uint8_t> bytes;
        for (int y = 0; y < display.VirtualHeight(); ++y) {
            const std::uint8_t* row = screen.Row(y);
            bytes.insert(bytes.end(), row, row + 4 * display.VirtualWidth());
        }
        return bytes;
    }
    // The pixels the table has when it is drawn anew.
    std::vector<std::uint8_t> Redrawn() {
        Game().Repaint();
        return Pixels();
    }
    // Whether a card's face lies on the virtual screen with its corner at a
    // point: a row across its middle, pixel for pixel (the table's margins
    // and other cards differ).
    bool FaceShownAt(const clCard& card, clPoint corner) const {
        const clDisplay& display = program->Display();
        const clImage* face = display.Cards().Face(card.value);
        if (face == nullptr) return false;
        const int y = face->Height() / 2;
        const int from = face->Width() / 8, to = face->Width() - face->Width() / 8;
        return std::memcmp(display.Screen().At(corner.x + from, corner.y + y), face->At(from, y),
                           4 * std::size_t(to - from)) == 0;
    }
    clPoint Corner(const clCard& card) const {
        const std::optional<clRect> rect = Game().Graphics().CardRect(card);
        return rect ? clPoint{rect->left, rect->top} : clPoint{-1000, -1000};
    }
    // The window's frames every 16 ms of the test's clock, for at most `ms`;
    // how many there were until the cards stopped.
    int RunFrames(int ms) {
        int frames = 0;
        for (int t = 0; t < ms && Game().Graphics().IsAnimating(); t += 16, ++frames) {
            clock.ticks += 16;
            window->AnimationFrame();
        }
        return frames;
    }
    // A point of the table's left margin, on no pile.
    QPoint Margin() const { return QPoint(2, Viewport()->height() / 2); }
    // Drags the top card of a tableau pile that may go onto another from a
    // point near its corner, checking where its picture is, and drops it there.
    void HoldAndDrop(bool shadow);
    // The option as the Options sheet sets it.
    void SetAnimation(bool on) {
        program->Settings().SetFlag(clFlag::Animation, on);
        window->RefreshInterface();
    }

    QPoint PileAnchor(const clPile& pile) const {
        const std::optional<clRect> rect = Game().Graphics().CardRect(pile.GetAnchor());
        EXPECT_TRUE(rect.has_value());
        return rect ? ToViewport({(rect->left + rect->right) / 2, (rect->top + rect->bottom) / 2})
                          .toPoint()
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

// The pointer moves by device pixels: on a doubled screen every other one
// lies between two logical pixels. A press on the outermost pixels of the
// stock's top card deals, a press on the pixel beyond them does not, with
// the table scrolled by an even and by an odd number of pixels.
TEST_F(clPointerWindowTest, APressHitsACardToItsOutermostPixels) {
    ASSERT_TRUE(Open("Klondike", 1));
    ResizeWindow({420, 330});
    clTableView* table = window->Table();
    clPile& stock = *Game().Stock();
    for (const int scroll : {10, 11}) {
        table->horizontalScrollBar()->setValue(scroll);
        table->verticalScrollBar()->setValue(scroll);
        QApplication::processEvents();
        ASSERT_EQ(table->Scroll(), QPoint(scroll, scroll));
        // The stock's right and bottom edges: the table lies beyond both.
        const auto edges = [this, &stock](bool beyond) {
            const clRect top = *Game().Graphics().CardRect(*stock.Top());
            const int out = beyond ? 0 : 1;
            return std::array{clPoint{top.right - out, (top.top + top.bottom) / 2},
                              clPoint{(top.left + top.right) / 2, top.bottom - out}};
        };
        for (const bool beyond : {false, true}) {
            for (int edge = 0; edge < 2; ++edge) {
                const clPoint pixel = edges(beyond)[std::size_t(edge)];
                SCOPED_TRACE(::testing::Message()
                             << "scroll " << scroll << ", pixel " << pixel.x << "," << pixel.y);
                ASSERT_TRUE(QRectF(Viewport()->rect()).contains(ToViewport(pixel)));
                const std::uint32_t before = stock.Count();
                Click(ToViewport(pixel));
                EXPECT_EQ(stock.Count() < before, !beyond);
            }
        }
    }
}

// The card keeps the point where the player took it under the pointer, with
// a shadow around it while the animation option is on; dropped, it leaves no
// trace of picture or shadow.
TEST_F(clPointerWindowTest, ADraggedCardStaysHeldWhereItWasTaken) {
    ASSERT_TRUE(Open("Klondike", 1));
    const std::int32_t deal = DealWithATableauMove(Game(), 1);
    ASSERT_NE(deal, 0);
    for (const bool animation : {true, false}) {
        SCOPED_TRACE(animation ? "with the shadow" : "without");
        SetAnimation(animation);
        Redeal(deal);
        HoldAndDrop(animation);
    }
}

void clPointerWindowTest::HoldAndDrop(bool shadow) {
    const clTableauPair pair = FindTableauMove(Game());
    const clCard& card = *pair.from->Top();
    const clPoint corner = Corner(card);
    // Off the middle: a device pixel near the card's top left corner (not
    // twice the same, which would be a double click), where the pointer of a
    // doubled screen may lie between two logical pixels.
    const QPointF taken = ToViewport({corner.x + (shadow ? 9 : 12), corner.y + 14});
    Mouse(QEvent::MouseButtonPress, taken);
    for (const QPoint step : {QPoint(40, 10), QPoint(130, 70), QPoint(-60, 45)}) {
        Mouse(QEvent::MouseMove, taken + step);
        const clPoint expected{corner.x + ToDevice(step.x()), corner.y + ToDevice(step.y())};
        EXPECT_EQ(program->Target().DragPosition(), expected);
        EXPECT_TRUE(FaceShownAt(card, expected)) << step.x() << "," << step.y();
    }
    EXPECT_EQ(program->Target().DragPicture().Width() > program->Display().CardWidth(), shadow);
    // Onto the destination, held at the same point, and dropped.
    const QPoint drop = PointOf(*pair.to->Top());
    Mouse(QEvent::MouseMove, drop);
    Mouse(QEvent::MouseButtonRelease, drop);
    EXPECT_EQ(pair.to->Top(), &card);
    const std::vector<std::uint8_t> dropped = Pixels();
    EXPECT_TRUE(dropped == Redrawn());
}

// The Ace goes to its foundation at once; its picture travels there. A
// click meanwhile ends the flight and does what it does at once.
TEST_F(clPointerWindowTest, AClickDuringAnAutomaticMoveIsHonouredAtOnce) {
    ASSERT_TRUE(Open("Klondike", 1));
    SetAnimation(true);
    const std::int32_t deal = DealAnAceOnTop(Game(), 1);
    ASSERT_NE(deal, 0);
    Redeal(deal);
    clCard& ace = *AceOnTop(Game())->Top();
    const std::uint32_t waste = Game().Waste()->Count();
    QTest::mouseClick(Viewport(), Qt::RightButton, Qt::NoModifier, PointOf(ace));
    ASSERT_TRUE(Game().Graphics().IsAnimating());
    EXPECT_TRUE(window->AnimationPump().IsRunning());
    EXPECT_EQ(Game().Foundation(0)->Top(), &ace);
    EXPECT_FALSE(FaceShownAt(ace, Corner(ace)));

    QTest::mouseClick(Viewport(), Qt::LeftButton, Qt::NoModifier, PointOf(*Game().Stock()->Top()));
    EXPECT_GT(Game().Waste()->Count(), waste);
    EXPECT_TRUE(FaceShownAt(ace, Corner(ace)));
}

// Left alone, a move takes a time the eye can follow, and ends on the table
// drawn anew; so does a new deal, which leaves the stock card by card.
TEST_F(clPointerWindowTest, MovesAndDealsFlyForAWhileAndEndAsTheTableDrawnAnew) {
    ASSERT_TRUE(Open("Klondike", 1));
    SetAnimation(true);
    const std::int32_t deal = DealAnAceOnTop(Game(), 1);
    ASSERT_NE(deal, 0);
    Redeal(deal);
    QTest::mouseClick(Viewport(), Qt::RightButton, Qt::NoModifier,
                      PointOf(*AceOnTop(Game())->Top()));
    const int moveFrames = RunFrames(2000);
    EXPECT_GE(moveFrames * 16, clGraphics::kMoveTime);
    EXPECT_LE(moveFrames * 16, clGraphics::kLongMoveTime + 16);
    EXPECT_FALSE(window->AnimationPump().IsRunning());
    const std::vector<std::uint8_t> moved = Pixels();
    EXPECT_TRUE(moved == Redrawn());

    Press(Qt::Key_N, Qt::ControlModifier);
    ASSERT_TRUE(Game().Graphics().IsAnimating());
    const int dealFrames = RunFrames(2000);
    EXPECT_GT(dealFrames, 10);
    EXPECT_LT(dealFrames * 16, 500);
    const std::vector<std::uint8_t> dealt = Pixels();
    EXPECT_TRUE(dealt == Redrawn());
}

// A game opened deals before the window shows it; the window then shows the
// deal flying.
TEST_F(clPointerWindowTest, AGameOpenedShowsItsDealFlying) {
    SetAnimation(true);
    clCommandLine line;
    line.game = "Klondike";
    ASSERT_TRUE(window->Start(line));
    ASSERT_NE(window->PlayingScreen(), nullptr);
    EXPECT_TRUE(Game().Graphics().IsAnimating());
    EXPECT_GT(RunFrames(2000), 10);
    const std::vector<std::uint8_t> dealt = Pixels();
    EXPECT_TRUE(dealt == Redrawn());
}

// A deal in flight ends at the player's first click or key; the table then
// has exactly the pixels of a deal never animated, and the round's clock
// has not started.
TEST_F(clPointerWindowTest, AnEndedDealLooksAsADealWithoutAnimation) {
    ASSERT_TRUE(Open("Klondike", 1));
    const std::vector<std::pair<const char*, std::function<void()>>> endings = {
        {"a click on the table's margin",
         [this] { QTest::mouseClick(Viewport(), Qt::LeftButton, Qt::NoModifier, Margin()); }},
        {"a key no pile carries", [this] { Type('!'); }},
        {"a right click half way",
         [this] {
             RunFrames(200);
             QTest::mouseClick(Viewport(), Qt::RightButton, Qt::NoModifier, Margin());
         }},
    };
    for (const auto& [what, ending] : endings) {
        SCOPED_TRACE(what);
        SetAnimation(true);
        Press(Qt::Key_N, Qt::ControlModifier);
        ASSERT_TRUE(Game().Graphics().IsAnimating());
        const std::int32_t deal = Game().DealNumber();
        ending();
        EXPECT_FALSE(Game().Graphics().IsAnimating());
        EXPECT_FALSE(window->AnimationPump().IsRunning());
        EXPECT_FALSE(Game().Timer().IsRunning());
        const std::vector<std::uint8_t> ended = Pixels();

        SetAnimation(false);
        Game().StartDeal(deal);
        Game().Repaint();
        EXPECT_TRUE(ended == Pixels());
    }
}

TEST_F(clPointerWindowTest, WithTheAnimationOffNothingFlies) {
    ASSERT_TRUE(Open("Klondike", 1));
    Press(Qt::Key_N, Qt::ControlModifier);
    EXPECT_FALSE(Game().Graphics().IsAnimating());
    const std::int32_t deal = DealAnAceOnTop(Game(), 1);
    ASSERT_NE(deal, 0);
    Redeal(deal);
    clCard& ace = *AceOnTop(Game())->Top();
    QTest::mouseClick(Viewport(), Qt::RightButton, Qt::NoModifier, PointOf(ace));
    EXPECT_EQ(Game().Foundation(0)->Top(), &ace);
    EXPECT_FALSE(Game().Graphics().IsAnimating());
    EXPECT_FALSE(window->AnimationPump().IsRunning());
    EXPECT_TRUE(FaceShownAt(ace, Corner(ace)));
}

// To look at, at two window sizes and at the scale factor the test runs
// with: a drag with its shadow, and deals in flight: Klondike's from its
// stock, Yukon's (which has no stock) from below.
class clMotionScreenshots : public clPointerWindowTest {
protected:
    QString Name(const char* what, QSize size) const {
        const qreal ratio = window->devicePixelRatioF();
        const QString scale = ratio > 1 ? QStringLiteral("@%1x").arg(ratio) : QString();
        QDir().mkpath(QStringLiteral(QARVEL_SCREENSHOT_DIR));
        return QStringLiteral(QARVEL_SCREENSHOT_DIR "/%1-%2x%3%4.png")
            .arg(QLatin1String(what))
            .arg(size.width())
            .arg(size.height())
            .arg(scale);
    }
    // A new deal 160 ms into its flight.
    void ShootDeal(const char* what, QSize size) {
        SetAnimation(true);
        Press(Qt::Key_N, Qt::ControlModifier);
        RunFrames(160);
        QApplication::processEvents();
        EXPECT_TRUE(window->grab().save(Name(what, size)));
        RunFrames(1000);
        SetAnimation(false);
    }
    static constexpr QSize kSizes[] = {QSize(800, 600), QSize(1600, 1000)};
};

TEST_F(clMotionScreenshots, Yukon) {
    ASSERT_TRUE(Open("Yukon", 3));
    for (const QSize size : kSizes) {
        window->resize(size);
        QApplication::processEvents();
        SetAnimation(true);  // the shadow
        Redeal(3);
        // Yukon deals runs of face-up cards: the lowest of the last column and all above it.
        clPile& column = *Game().Tableau(Game().TableauCount() - 1);
        int lowest = int(column.Count()) - 1;
        while (lowest > 0 && !column.At(lowest - 1)->faceDown)
            --lowest;
        const QPoint taken = PointOf(*column.At(lowest), true) + QPoint(-8, 2);
        QTest::mousePress(Viewport(), Qt::LeftButton, Qt::NoModifier, taken);
        QTest::mouseMove(Viewport(), taken + QPoint(30, 20));
        QTest::mouseMove(Viewport(), taken + QPoint(size.width() / 5, size.height() / 9));
        ASSERT_TRUE(program->Target().DragPosition().has_value());
        QApplication::processEvents();
        EXPECT_TRUE(window->grab().save(Name("drag-shadow", size)));
        QTest::mouseRelease(Viewport(), Qt::LeftButton, Qt::NoModifier, Margin());
        ShootDeal("deal-in-flight-yukon", size);
    }
}

TEST_F(clMotionScreenshots, Klondike) {
    ASSERT_TRUE(Open("Klondike", 3));
    for (const QSize size : kSizes) {
        window->resize(size);
        QApplication::processEvents();
        ShootDeal("deal-in-flight-klondike", size);
    }
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
    // The window's pixel at a device pixel of the virtual screen (0xRRGGBB):
    // the viewport's picture holds device pixels at any pixel ratio.
    std::uint32_t Shown(clPoint pixel) const {
        const QImage image = Viewport()->grab().toImage();
        const QPoint scroll = window->Table()->Scroll();
        return image.pixel(pixel.x - scroll.x(), pixel.y - scroll.y()) & 0xFFFFFF;
    }
    // The pixel a card's own picture has at a device pixel inside it.
    std::uint32_t PictureOf(const clCard& card, clPoint pixel) const {
        clDisplay& display = program->Display();
        const clImage* picture =
            card.faceDown ? display.CurrentBack() : display.Cards().Face(card.value);
        const std::optional<clRect> rect = Game().Graphics().CardRect(card);
        if (picture == nullptr || !rect) return 0xFFFFFFFF;
        return picture->PixelValue(pixel.x - rect->left, pixel.y - rect->top) & 0xFFFFFF;
    }
    // A device pixel on the edge of the card below the stock's top card that
    // the top card leaves uncovered, or none.
    std::optional<clPoint> PeekingOut(const clPile& stock) const {
        if (stock.Count() < 2) return std::nullopt;
        const auto below = Game().Graphics().CardRect(*stock.At(stock.TopIndex() - 1));
        const auto top = Game().Graphics().CardRect(*stock.Top());
        if (!below || !top) return std::nullopt;
        const int middleX = (below->left + below->right) / 2;
        const int middleY = (below->top + below->bottom) / 2;
        for (const clPoint edge :
             {clPoint{below->left, middleY}, clPoint{below->right - 1, middleY},
              clPoint{middleX, below->top}, clPoint{middleX, below->bottom - 1}}) {
            if (!top->Contains(edge)) return edge;
        }
        return std::nullopt;
    }
};

TEST_P(clStockClickTest, ClicksWhereTheStockIsDrawnDealItAllAndRedeal) {
    ASSERT_TRUE(Open(GetParam().game, 1));
    clPile& stock = *Game().Stock();
    ASSERT_GT(stock.Count(), 1u);
    const QPoint spot = PointOf(*stock.Top());
    const clPoint pixel = ToDevice(spot);
    for (int click = 0; stock.Count() > 0; ++click) {
        SCOPED_TRACE(::testing::Message()
                     << "click " << click << ", " << stock.Count() << " cards");
        ASSERT_EQ(Shown(pixel), PictureOf(*stock.Top(), pixel)) << "the top card moved";
        const std::uint32_t before = stock.Count();
        const std::optional<clPoint> edge = PeekingOut(stock);
        if (click % 2 == 1 && edge) {
            ASSERT_EQ(Shown(*edge), PictureOf(*stock.At(stock.TopIndex() - 1), *edge));
            Click(ToViewport(*edge));
        } else {
            QTest::mouseClick(Viewport(), Qt::LeftButton, Qt::NoModifier, spot);
        }
        ASSERT_LT(stock.Count(), before);
    }
    if (!GetParam().redeals) return;
    const std::size_t moves = Game().History().Count();
    QTest::mouseClick(Viewport(), Qt::LeftButton, Qt::NoModifier, spot);
    EXPECT_EQ(Game().History().Count(), moves + 1);
    ASSERT_GT(stock.Count(), 1u);
    EXPECT_EQ(Shown(pixel), PictureOf(*stock.Top(), pixel));
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
